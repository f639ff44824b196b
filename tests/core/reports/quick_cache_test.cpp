#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/reports/set_reader.h"

namespace kw {
namespace {

const platform::fs::FileStamp kStamp{100, 1, 2, 3};

std::string CacheText(const std::string& second_file_line) {
  return "KWQUICK 1\n"
         "A 100 1 2 3 1 /roms/a.zip\n"
         "0000abcd 10 0 a.bin\n"
         "A 100 1 2 3 2 /roms/b.zip\n"
         "00001234 20 1 b.bin\n" +
         second_file_line +
         "\n"
         "A 100 1 2 3 1 /roms/c.zip\n"
         "0000ffff 30 0 c.bin\n";
}

// The file lines of an archive are read when it is found: a damaged one makes only that archive
// unknown (it is read again and put back), and a save leaves it out.
TEST(QuickCacheTest, ADamagedFileLineLosesOnlyItsArchive) {
  QuickCache cache;
  cache.Parse(CacheText("zzzz 20 0 b2.bin"));
  EXPECT_EQ(cache.Size(), 3u);
  const std::vector<NamedSetFile> a{{"a.bin", {10, 0xabcd, false}}};
  EXPECT_EQ(cache.Find("/roms/a.zip", kStamp), a);
  EXPECT_FALSE(cache.Find("/roms/b.zip", kStamp));
  EXPECT_TRUE(cache.Find("/roms/c.zip", kStamp));
  EXPECT_FALSE(cache.Find("/roms/c.zip", {100, 1, 2, 4}));
  EXPECT_EQ(cache.Format(),
            "KWQUICK 1\n"
            "A 100 1 2 3 1 /roms/a.zip\n"
            "0000abcd 10 0 a.bin\n"
            "A 100 1 2 3 1 /roms/c.zip\n"
            "0000ffff 30 0 c.bin\n");

  // Sound lines are saved as they were read, beside what was put.
  cache.Parse(CacheText("00005678 21 0 b2.bin"));
  ASSERT_TRUE(cache.Find("/roms/b.zip", kStamp));
  EXPECT_EQ(cache.Find("/roms/b.zip", kStamp)->at(1),
            (NamedSetFile{"b2.bin", {21, 0x5678, false}}));
  cache.Put("/roms/a.zip", kStamp, {{"new.bin", {1, 2, true}}});
  EXPECT_EQ(cache.Format(),
            "KWQUICK 1\n"
            "A 100 1 2 3 1 /roms/a.zip\n"
            "00000002 1 1 new.bin\n"
            "A 100 1 2 3 2 /roms/b.zip\n"
            "00001234 20 1 b.bin\n"
            "00005678 21 0 b2.bin\n");
}

}  // namespace
}  // namespace kw
