#include "platform/archive.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "support/test_archives.h"

namespace kw::platform::archive {
namespace {

namespace stdfs = std::filesystem;

class ArchiveTest : public ::testing::Test {
 protected:
  test::TempDir work_;
  std::string dest_ = work_ / "$KSTEMP$/";
  void SetUp() override { stdfs::create_directory(dest_); }
  std::vector<std::string> DestNames() const {
    std::vector<std::string> names;
    for (const auto& e : stdfs::directory_iterator(dest_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(ArchiveTest, EveryFormatIsExtractedFlatAndReplacesWhatIsThere) {
  const std::vector<test::ArchiveItem> items = {
      {"sub", "", AE_IFDIR}, {"pacman.6e", "ROM-6E"}, {"sub\\pacman.6f", "ROM-6F"}};
  ASSERT_TRUE(test::WriteTestArchive(work_ / "set.zip", items));
  ASSERT_TRUE(test::WriteTestArchive(work_ / "set.7z", items, "7zip"));
  for (std::string archive : {work_ / "set.zip", work_ / "set.7z",
                              std::string(KW_TEST_DATA_DIR) + "/archives/rar4_stored.rar",
                              std::string(KW_TEST_DATA_DIR) + "/archives/rar5_stored.rar"}) {
    SCOPED_TRACE(archive);
    work_.Write("$KSTEMP$/pacman.6e", "an older set's file");
    Status done = ExtractFlat(archive, dest_);
    ASSERT_TRUE(done) << done.Message();
    EXPECT_EQ(DestNames(), (std::vector<std::string>{"pacman.6e", "pacman.6f"}));
    EXPECT_EQ(work_.Read("$KSTEMP$/pacman.6e"), "ROM-6E");
    EXPECT_EQ(work_.Read("$KSTEMP$/pacman.6f"), "ROM-6F");
    stdfs::remove_all(dest_);
    stdfs::create_directory(dest_);
  }
}

TEST_F(ArchiveTest, OnlyBaseNamesAreUsedAndLinksAndDevicesAreRefused) {
  EXPECT_EQ(FlatName("a/../../b"), "b");
  EXPECT_EQ(FlatName("C:\\roms\\x.bin"), "x.bin");
  for (std::string bad : {"", ".", "..", "sub/", "a\\..", "x/."})
    EXPECT_EQ(FlatName(bad), std::nullopt) << bad;
  ASSERT_TRUE(test::WriteTestArchive(work_ / "evil.zip", {{"../x", "1"},
                                                          {"/etc/y", "2"},
                                                          {"a/../../b", "3"},
                                                          {"sub/..", "4"},
                                                          {"lnk", "/etc/passwd", AE_IFLNK},
                                                          {"ok", "5"}}));
  Status done = ExtractFlat(work_ / "evil.zip", dest_);
  ASSERT_FALSE(done);
  EXPECT_NE(done.Message().find("sub/..: not a file name"), std::string::npos) << done.Message();
  EXPECT_NE(done.Message().find("lnk: links are not extracted"), std::string::npos);
  EXPECT_EQ(DestNames(), (std::vector<std::string>{"b", "ok", "x", "y"}));
  EXPECT_FALSE(stdfs::exists(work_ / "x"));
}

TEST_F(ArchiveTest, ALinkInTheDestinationIsNeverFollowed) {
  std::string outside = work_.Write("outside.txt", "keep");
  stdfs::create_symlink(outside, dest_ + "pacman.6e");
  ASSERT_TRUE(test::WriteTestArchive(work_ / "set.zip", {{"pacman.6e", "ROM"}, {"b", "B"}}));
  Status done = ExtractFlat(work_ / "set.zip", dest_);
  EXPECT_FALSE(done);
  EXPECT_EQ(work_.Read("outside.txt"), "keep");
  EXPECT_EQ(work_.Read("$KSTEMP$/b"), "B");
  EXPECT_EQ(DestNames(), (std::vector<std::string>{"b", "pacman.6e"})) << "no temporary left";
}

TEST_F(ArchiveTest, ABombStopsAtTheLimit) {
  const std::string zeros(2 << 20, '\0');
  ASSERT_TRUE(test::WriteTestArchive(work_ / "bomb.zip", {{"a", "small"}, {"big", zeros}}));
  Status done = ExtractFlat(work_ / "bomb.zip", dest_, 1 << 20);
  ASSERT_FALSE(done);
  EXPECT_NE(done.Message().find("big: the set passes the limit of 1048576 bytes"),
            std::string::npos)
      << done.Message();
  EXPECT_EQ(DestNames(), std::vector<std::string>{"a"});
  EXPECT_TRUE(ExtractFlat(work_ / "bomb.zip", dest_, 4 << 20));
}

// A file larger than any the set can need is passed over; the files before and after it are
// written, and the line names the limit and where it comes from.
TEST_F(ArchiveTest, AFileLargerThanTheSetCanNeedIsNotWritten) {
  const SizeLimits limits((2 << 20) + 16384, (1 << 20) + 16384);
  const std::vector<test::ArchiveItem> items = {{"rom.bin", std::string(16384, 'r')},
                                                {"bomb.bin", std::string(8 << 20, '\0')},
                                                {"after.bin", "A"}};
  for (const char* format : {"zip", "7zip"}) {
    SCOPED_TRACE(format);
    ASSERT_TRUE(test::WriteTestArchive(work_ / "bomb.arc", items, format));
    Status done = ExtractFlat(work_ / "bomb.arc", dest_, limits);
    ASSERT_FALSE(done);
    EXPECT_EQ(done.Message(),
              "bomb.bin: not extracted: the file passes the limit of 1064960 bytes that the sizes "
              "its profile lists allow");
    EXPECT_EQ(DestNames(), (std::vector<std::string>{"after.bin", "rom.bin"}));
    stdfs::remove_all(dest_);
    stdfs::create_directory(dest_);
  }
  // The set's own limit, from the listed sizes, says where it comes from too.
  ASSERT_TRUE(test::WriteTestArchive(
      work_ / "many.zip", {{"a", std::string(900000, 'a')}, {"b", std::string(900000, 'b')}}));
  Status done = ExtractFlat(work_ / "many.zip", dest_, SizeLimits(1 << 20, 1 << 20));
  EXPECT_EQ(done.Message(),
            "b: the set passes the limit of 1048576 bytes that the sizes its profile lists allow");
  EXPECT_EQ(DestNames(), std::vector<std::string>{"a"});
}

// Names longer than any a set file has are refused, shown by their beginning: thousands of them
// would otherwise be kept whole.
TEST_F(ArchiveTest, ANameTooLongIsRefusedWithItsBeginning) {
  const std::string long_name = "dir/" + std::string(5000, 'n') + ".bin";
  const std::string shown = "dir/" + std::string(251, 'n') + "...: the name is too long";
  for (const char* format : {"zip", "7zip"}) {
    SCOPED_TRACE(format);
    ASSERT_TRUE(
        test::WriteTestArchive(work_ / "long.arc", {{long_name, "L"}, {"ok", "O"}}, format));
    Status done = ExtractFlat(work_ / "long.arc", dest_);
    EXPECT_EQ(done.Message(), shown);
    EXPECT_EQ(DestNames(), std::vector<std::string>{"ok"});
  }
}

TEST_F(ArchiveTest, LockedDamagedAndEmptyArchivesFailWithAMessage) {
  ASSERT_TRUE(test::WriteTestArchive(work_ / "locked.zip", {{"secret", "data"}}, "zip",
                                     "zip:encryption=zipcrypt", "pw"));
  Status locked = ExtractFlat(work_ / "locked.zip", dest_);
  EXPECT_FALSE(locked);
  EXPECT_NE(locked.Message().find("secret: "), std::string::npos) << locked.Message();

  std::string whole(1 << 16, 'r');
  ASSERT_TRUE(test::WriteTestArchive(work_ / "full.zip", {{"a", whole}, {"b", whole}}, "zip",
                                     "zip:compression=store"));
  std::string bytes = work_.Read("full.zip");
  for (std::size_t cut : {bytes.size() / 2, std::size_t{30}, std::size_t{0}}) {
    work_.Write("cut.zip", bytes.substr(0, cut));
    Status cut_status = ExtractFlat(work_ / "cut.zip", dest_);
    EXPECT_FALSE(cut_status) << cut;
    EXPECT_FALSE(cut_status.Message().empty());
  }
  EXPECT_FALSE(ExtractFlat(work_ / "missing.zip", dest_));
  for (const std::string& name : DestNames())
    EXPECT_EQ(name.find(".kwpart"), std::string::npos) << name;
}

TEST_F(ArchiveTest, CopyTakesOnlyRegularFiles) {
  std::string file = work_.Write("coll/a.rom", "A");
  ASSERT_EQ(mkfifo((work_ / "coll/pipe").c_str(), 0644), 0);
  stdfs::create_symlink(file, work_ / "coll/link");
  auto copy = [&](const std::string& from, std::string_view name) {
    return ReadFileFlat(from, name, *MakeDirectorySink(dest_));
  };
  EXPECT_TRUE(copy(file, "a.rom"));
  EXPECT_EQ(work_.Read("$KSTEMP$/a.rom"), "A");
  EXPECT_FALSE(copy(work_ / "coll/pipe", "pipe"));
  EXPECT_FALSE(copy(work_ / "coll/link", "link"));
  EXPECT_FALSE(copy(file, "../a.rom"));
  EXPECT_EQ(DestNames(), std::vector<std::string>{"a.rom"});
}

}  // namespace
}  // namespace kw::platform::archive
