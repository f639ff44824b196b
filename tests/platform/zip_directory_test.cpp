#include "platform/zip_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <thread>

#include "core/reports/set_contents.h"
#include "core/shared/crc32.h"
#include "platform/decode_helpers.h"
#include "platform/sevenzip_directory.h"
#include "support/temp_dir.h"
#include "support/test_archives.h"

namespace kw::platform::archive {
namespace {

std::vector<NamedSetFile> Direct(const std::string& path, std::uint64_t limit, bool& handled) {
  ContentsSink sink;
  (void)ReadZipFlat(path, sink, limit, handled);
  return sink.Files();
}

std::vector<NamedSetFile> General(const std::string& path, std::uint64_t limit) {
  ContentsSink sink;
  (void)ReadFlat(path, sink, limit);
  return sink.Files();
}

// The direct reader gives what the general reader gives, on what the sets of real collections
// hold: deflated and stored data, ZIP64 records, directories, links, encrypted entries.
TEST(ZipDirectoryTest, TheDirectReaderGivesWhatTheGeneralReaderGives) {
  test::TempDir dir;
  const std::vector<test::ArchiveItem> items = {
      {"dir/", "", AE_IFDIR},      {"dir/a.rom", std::string(100000, 'a') + "end"},
      {"link", "a.rom", AE_IFLNK}, {"b.rom", "bbbb"},
      {"B.ROM", "other case"},     {"empty", ""}};
  for (const char* options : {"", "zip:compression=store", "zip:zip64"}) {
    SCOPED_TRACE(options);
    const std::string path = dir / "set.zip";
    ASSERT_TRUE(test::WriteTestArchive(path, items, "zip", options));
    bool handled = false;
    const std::vector<NamedSetFile> direct = Direct(path, kSetSizeLimit, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(direct, General(path, kSetSizeLimit));
    EXPECT_EQ(direct.size(), 4u);
    Result<std::vector<StoredEntry>> entries = ReadZipDirectory(path);
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->size(), items.size());
  }
  const std::string locked = dir / "locked.zip";
  ASSERT_TRUE(test::WriteTestArchive(locked, {{"a.rom", "secret"}}, "zip",
                                     "zip:encryption=zipcrypt", "password"));
  bool handled = false;
  EXPECT_TRUE(Direct(locked, kSetSizeLimit, handled).empty());
  EXPECT_TRUE(handled);
  EXPECT_TRUE(General(locked, kSetSizeLimit).empty());
}

TEST(ZipDirectoryTest, DamageIsRefusedAndABombStopsAtTheLimit) {
  test::TempDir dir;
  const std::string bomb = dir / "bomb.zip";
  ASSERT_TRUE(test::WriteTestArchive(
      bomb, {{"a.bin", std::string(3 << 20, '\0')}, {"b.bin", std::string(3 << 20, '\0')}}));
  bool handled = false;
  ContentsSink sink;
  EXPECT_FALSE(ReadZipFlat(bomb, sink, 4 << 20, handled));
  ASSERT_EQ(sink.Files().size(), 1u);  // the second entry's claimed size passes the limit

  std::string bytes = dir.Read("bomb.zip");
  dir.Write("cut.zip", bytes.substr(0, bytes.size() / 2));
  EXPECT_FALSE(ReadZipDirectory(dir / "cut.zip"));
  dir.Write("none.zip", "PK not at all");
  EXPECT_FALSE(ReadZipDirectory(dir / "none.zip"));
  EXPECT_FALSE(ReadZipFlat(dir / "none.zip", sink, kSetSizeLimit, handled));
  EXPECT_FALSE(handled);  // the general reader decides
}

// A member whose listed size passes the file limit is known from the directory alone: its data
// (damaged here, so that decoding it would fail) is never decoded.
TEST(ZipDirectoryTest, AMemberLargerThanTheFileLimitIsNeverDecoded) {
  test::TempDir dir;
  const std::string path = dir / "bomb.zip";
  const std::string zeros(8 << 20, '\0');
  ASSERT_TRUE(test::WriteTestArchive(path, {{"bomb.bin", zeros}, {"rom.bin", "rom"}}));
  std::string bytes = dir.Read("bomb.zip");
  Result<std::vector<StoredEntry>> entries = ParseZipDirectory(bytes);
  ASSERT_TRUE(entries);
  const StoredEntry& bomb = (*entries)[0];
  const std::size_t data = bomb.local_offset + 30 + 8 +
                           static_cast<unsigned char>(bytes[bomb.local_offset + 28]) +
                           (static_cast<unsigned char>(bytes[bomb.local_offset + 29]) << 8);
  bytes.replace(data, 16, 16, '\xff');  // no valid deflate block starts so
  dir.Write("bomb.zip", bytes);

  bool handled = false;
  ContentsSink sink;
  Status done = ReadZipFlat(path, sink, SizeLimits(2 << 20, 1 << 20), handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(done.Message(),
            "bomb.bin: not extracted: the file passes the limit of 1048576 bytes that the sizes "
            "its profile lists allow");
  ASSERT_EQ(sink.Files().size(), 2u);
  EXPECT_EQ(sink.Files()[0], (NamedSetFile{"bomb.bin", {zeros.size(), bomb.crc, false}}));
  EXPECT_EQ(sink.Files()[1].name, "rom.bin");
  // Without the file limit it is decoded, and its damage found.
  ContentsSink whole;
  EXPECT_NE(ReadZipFlat(path, whole, kSetSizeLimit, handled).Message().find("damaged"),
            std::string::npos);
  EXPECT_EQ(whole.Files().size(), 1u);
}

TEST(ZipDirectoryTest, ANameTooLongIsKeptOnlyAsFarAsItsLineShowsIt) {
  test::TempDir dir;
  const std::string long_name = std::string(5000, 'n');
  for (const char* format : {"zip", "7zip"}) {
    SCOPED_TRACE(format);
    const std::string path = dir / "long.arc";
    ASSERT_TRUE(test::WriteTestArchive(path, {{long_name, "L"}, {"ok", "O"}}, format));
    Result<std::vector<StoredEntry>> entries =
        std::string(format) == "zip" ? ReadZipDirectory(path) : Read7zDirectory(path);
    ASSERT_TRUE(entries) << entries.Message();
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_TRUE((*entries)[0].name_too_long);
    EXPECT_EQ((*entries)[0].name.size(), kMaxNameBytes);
    EXPECT_FALSE((*entries)[1].name_too_long);
    const std::optional<std::vector<AcceptedEntry>> accepted =
        AcceptedZipEntries(*entries, kSetSizeLimit);
    ASSERT_TRUE(accepted);
    ASSERT_EQ(accepted->size(), 1u);
    EXPECT_EQ((*accepted)[0].flat_name, "ok");
  }
  ASSERT_TRUE(test::WriteTestArchive(dir / "long.zip", {{long_name, "L"}, {"ok", "O"}}));
  bool handled = false;
  ContentsSink sink;
  Status done = ReadZipFlat(dir / "long.zip", sink, kSetSizeLimit, handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(done.Message(), std::string(255, 'n') + "...: the name is too long");
  ASSERT_EQ(sink.Files().size(), 1u);
  EXPECT_EQ(sink.Files()[0].name, "ok");
}

// A member whose data was damaged after the archive was written: both readers give the data as
// it is, so that its real CRC can be told.
TEST(ZipDirectoryTest, DataThatFailsItsCrcIsGivenAsItIs) {
  test::TempDir dir;
  const std::string path = dir / "set.zip";
  ASSERT_TRUE(test::WriteTestArchive(path, {{"a.rom", "good data"}, {"b.rom", "bbbb"}}, "zip",
                                     "zip:compression=store"));
  std::string bytes = dir.Read("set.zip");
  const std::size_t at = bytes.find("good data");
  ASSERT_NE(at, std::string::npos);
  bytes[at] = 'f';
  dir.Write("set.zip", bytes);
  Result<std::vector<StoredEntry>> entries = ReadZipDirectory(path);
  ASSERT_TRUE(entries);
  const std::uint32_t stored = (*entries)[0].crc;

  bool handled = false;
  const std::vector<NamedSetFile> direct = Direct(path, kSetSizeLimit, handled);
  EXPECT_TRUE(handled);
  const std::vector<NamedSetFile> general = General(path, kSetSizeLimit);
  EXPECT_EQ(direct, general);
  ASSERT_EQ(general.size(), 2u);
  EXPECT_EQ(general[0].name, "a.rom");
  EXPECT_EQ(general[0].file.size, 9u);
  EXPECT_NE(general[0].file.crc, stored) << "the CRC of the data as it is";

  std::filesystem::create_directory(dir / "out");
  ASSERT_TRUE(ExtractFlat(path, dir / "out"));
  EXPECT_EQ(dir.Read("out/a.rom"), "food data");
}

// Members checked ahead by another thread give what the reader alone gives, in the same order,
// with the same lines: a member whose data fails its CRC, and a readme whose text is read.
TEST(ZipDirectoryTest, ReadingHelpedByAnotherThreadGivesWhatReadingAloneGives) {
  test::TempDir dir;
  std::mt19937 random(11);
  std::vector<test::ArchiveItem> items;
  for (int i = 0; i < 5; ++i) {
    // Random bytes (stored as they are) and, every other member, bytes of a few bits (matches
    // that reach back across the pieces the check inflates).
    std::string data(3 << 20, '\0');
    for (char& c : data)
      c = static_cast<char>(i % 2 == 0 ? random() : random() % 3);
    items.push_back({"rom" + std::to_string(i) + ".bin", std::move(data)});
  }
  items.insert(items.begin() + 2, {"readme.txt", "a readme"});
  items.push_back({"big.bin", std::string(5 << 20, 'b')});
  const std::string path = dir / "set.zip";
  ASSERT_TRUE(test::WriteTestArchive(path, items));
  // Random data is stored as it is inside its deflate blocks: one byte changed is data that
  // fails its CRC.
  std::string bytes = dir.Read("set.zip");
  const std::size_t at = bytes.find(items[3].data.substr(1 << 20, 32));
  ASSERT_NE(at, std::string::npos);
  bytes[at] = static_cast<char>(~bytes[at]);
  dir.Write("set.zip", bytes);

  // Reads a file limit that leaves the last member out, so that its line comes last.
  const SizeLimits limits(kSetSizeLimit, 4 << 20);
  ContentsSink alone;
  bool handled = false;
  const Status read_alone = ReadZipFlat(path, alone, limits, handled);
  EXPECT_TRUE(handled);
  for (int run = 0; run < 3; ++run) {
    DecodeHelpers helpers;
    std::thread helper([&helpers] { helpers.Help(); });
    ContentsSink helped;
    const Status read_helped = ReadZipFlat(path, helped, limits, handled, &helpers);
    helpers.Close();
    helper.join();
    EXPECT_EQ(helped.Files(), alone.Files());
    EXPECT_EQ(read_helped.Message(), read_alone.Message());
  }
  EXPECT_EQ(read_alone.Message(),
            "big.bin: not extracted: the file passes the limit of 4194304 bytes that the sizes "
            "its profile lists allow");
  ASSERT_EQ(alone.Files().size(), items.size());
  EXPECT_EQ(alone.Files()[2].name, "readme.txt");
  EXPECT_NE(alone.Files()[3].file.crc,
            ~CRC32Update(0xFFFFFFFFu, items[3].data.data(), items[3].data.size()));
  const std::vector<NamedSetFile> general = General(path, kSetSizeLimit);
  for (std::size_t i = 0; i + 1 < items.size(); ++i)
    EXPECT_EQ(alone.Files()[i], general[i]) << items[i].name;
}

}  // namespace
}  // namespace kw::platform::archive
