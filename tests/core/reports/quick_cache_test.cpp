#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
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

// The reading threads look archives up and put new ones at once; whatever the order of the puts,
// the memory is saved by path in byte order, each archive once.
TEST(QuickCacheTest, LookUpsAndPutsFromSeveralThreadsSaveInPathOrder) {
  QuickCache cache;
  cache.Parse(CacheText("00005678 21 0 b2.bin"));
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&cache, t] {
      for (int i = 0; i < 500; ++i) {
        EXPECT_TRUE(cache.Find("/roms/a.zip", kStamp));
        const std::string path = "/roms/n" + std::to_string((i * 7 + t * 131) % 1000) + ".zip";
        if (!cache.Find(path, kStamp)) cache.Put(path, kStamp, {{"x", {1, 1, false}}});
      }
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  const std::string text = cache.Format();
  std::vector<std::string> paths;
  for (std::size_t at = 0; (at = text.find("\nA ", at)) != std::string::npos; ++at) {
    const std::size_t end = text.find('\n', at + 1);
    const std::string head = text.substr(at + 1, end - at - 1);
    paths.push_back(head.substr(head.rfind(' ') + 1));
  }
  ASSERT_FALSE(paths.empty());
  EXPECT_EQ(paths.front(), "/roms/a.zip");  // the only archive of the file that was found
  EXPECT_TRUE(std::is_sorted(paths.begin(), paths.end()));
  EXPECT_EQ(std::adjacent_find(paths.begin(), paths.end()), paths.end());
  EXPECT_EQ(paths.size(), 1u + static_cast<std::size_t>(std::count_if(
                                   paths.begin(), paths.end(),
                                   [](const std::string& p) { return p.starts_with("/roms/n"); })));
  QuickCache again;
  again.Parse(text);
  EXPECT_EQ(again.Size(), paths.size());
}

}  // namespace
}  // namespace kw
