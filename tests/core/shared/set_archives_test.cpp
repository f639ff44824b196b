#include "core/shared/set_archives.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/shared/settings.h"
#include "platform/fs.h"
#include "support/run_command.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/test_archives.h"

namespace kw {
namespace {

namespace stdfs = std::filesystem;

class SetArchivesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    stdfs::create_directories(emu_);
    old_cwd_ = platform::fs::CurrentDirectory();
    ASSERT_TRUE(platform::fs::SetCurrentDirectory(emu_));
  }
  void TearDown() override { (void)platform::fs::SetCurrentDirectory(old_cwd_); }
  std::vector<std::string> TempNames() const {
    std::vector<std::string> names;
    for (const auto& e : stdfs::directory_iterator(emu_ + "$KSTEMP$"))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TempDir work_;
  std::string emu_ = work_ / "emu/";
  std::string old_cwd_;
  test::ScriptedUi ui_;
  FrontEndSettings settings_;
  SetArchives sets_{ui_, settings_, emu_};
};

TEST_F(SetArchivesTest, AceRarZip7zThenDirectoryInOneDirectoryAndDirectoriesInListOrder) {
  for (const char* name : {"ROMS/pacman.ace", "ROMS/PACMAN.RAR", "ROMS/Pacman.zip",
                           "ROMS/pacman.7z", "ROMS/pacman/pacman.6e"})
    work_.Write(std::string("emu/") + name, "x");
  std::vector<std::string> found;
  for (const char* gone : {"pacman.ace", "PACMAN.RAR", "Pacman.zip", "pacman.7z"}) {
    found.push_back(sets_.LocateSetFile("PACMAN", "ROMS", SetKind::Plain));
    stdfs::remove(emu_ + "ROMS/" + gone);
  }
  found.push_back(sets_.LocateSetFile("pacman", "ROMS", SetKind::Plain));
  EXPECT_EQ(found, (std::vector<std::string>{emu_ + "ROMS/pacman.ace", emu_ + "ROMS/PACMAN.RAR",
                                             emu_ + "ROMS/Pacman.zip", emu_ + "ROMS/pacman.7z",
                                             emu_ + "ROMS/pacman"}));

  work_.Write("emu/SAMPLES/galaga.zip", "x");
  work_.Write("other/galaga.zip", "x");
  EXPECT_EQ(sets_.LocateSetFile("galaga", ".;;SAMPLES;", SetKind::Sample),
            emu_ + "SAMPLES/galaga.zip");
  work_.Write("emu/galaga.zip", "x");
  EXPECT_EQ(sets_.LocateSetFile("galaga", ".;SAMPLES", SetKind::Sample), emu_ + "galaga.zip");
  EXPECT_EQ(sets_.LocateSetFile("galaga", work_ / "other" + ";.", SetKind::Rom),
            work_ / "other/galaga.zip");
  EXPECT_EQ(sets_.LocateSetFile("dkong", "ROMS;SAMPLES", SetKind::Rom), "");
  EXPECT_EQ(sets_.LocateSetFile("../other/galaga", "ROMS", SetKind::Rom), "") << "not a set name";
}

TEST_F(SetArchivesTest, EveryKindOfSetLandsFlatTheLaterSetWinsAndTheCollectionStaysAsItWas) {
  const std::string data = KW_TEST_DATA_DIR;
  stdfs::create_directories(emu_ + "ROMS");
  stdfs::copy_file(data + "/archives/rar4_stored.rar", emu_ + "ROMS/RAR4SET.RAR");
  stdfs::copy_file(data + "/archives/rar5_stored.rar", emu_ + "ROMS/rar5set.rar");
  ASSERT_TRUE(test::WriteTestArchive(emu_ + "ROMS/zipset.zip",
                                     {{"roms/pacman.6e", "ZIP-6E"}, {"zip.only", "Z"}}));
  ASSERT_TRUE(test::WriteTestArchive(emu_ + "ROMS/sevenset.7z", {{"seven.bin", "7"}}, "7zip"));
  work_.Write("emu/ROMS/dirset/dir.bin", "D");
  work_.Write("emu/ROMS/dirset/nested/deep.bin", "N");

  EXPECT_TRUE(sets_.ExtractSet("missing", "ROMS", SetKind::Rom)) << "not found is no failure";
  EXPECT_TRUE(stdfs::is_directory(emu_ + "$KSTEMP$"));
  for (const char* set : {"rar4set", "rar5set", "sevenset", "zipset"}) {
    Status done = sets_.ExtractSet(set, "ROMS", SetKind::Rom);
    EXPECT_TRUE(done) << set << ": " << done.Message();
  }
  Status dir = sets_.ExtractSet("dirset", "ROMS", SetKind::Rom);
  EXPECT_FALSE(dir) << "the sub-directory";
  EXPECT_NE(dir.Message().find("nested: a directory is not copied"), std::string::npos);
  EXPECT_EQ(TempNames(), (std::vector<std::string>{"dir.bin", "pacman.6e", "pacman.6f", "seven.bin",
                                                   "zip.only"}));
  EXPECT_EQ(work_.Read("emu/$KSTEMP$/pacman.6e"), "ZIP-6E") << "the set extracted last wins";
  EXPECT_EQ(work_.Read("emu/ROMS/dirset/dir.bin"), "D");
  EXPECT_TRUE(stdfs::exists(emu_ + "ROMS/dirset/nested/deep.bin"));
  EXPECT_EQ(stdfs::file_size(emu_ + "ROMS/RAR4SET.RAR"),
            stdfs::file_size(data + "/archives/rar4_stored.rar"));

  sets_.SetSizeLimit(1000);
  ASSERT_TRUE(test::WriteTestArchive(emu_ + "ROMS/bomb.zip", {{"zeros", std::string(5000, 0)}}));
  EXPECT_FALSE(sets_.ExtractSet("bomb", "ROMS", SetKind::Plain));
  EXPECT_FALSE(stdfs::exists(emu_ + "$KSTEMP$/zeros"));
}

TEST_F(SetArchivesTest, AnAceSetNeedsUnaceAndADamagedOneFails) {
  // No ACE archive can be written here; a damaged one shows that unace's answer is heard.
  if (!LoadAceLibrary()) GTEST_SKIP() << "unace is not installed: every ACE set fails";
  work_.Write("emu/ROMS/broken.ace", "not an ace archive");
  Status done = sets_.ExtractSet("broken", "ROMS", SetKind::Rom);
  EXPECT_FALSE(done);
  EXPECT_NE(done.Message().find("unace ended with code"), std::string::npos) << done.Message();
  EXPECT_TRUE(TempNames().empty()) << "its own directory is gone";
}

TEST_F(SetArchivesTest, TheTemporaryDirectoryGoesWithReadOnlyFilesButStaysForAnUndeletableOne) {
  EXPECT_TRUE(DeleteTempDir(emu_ + "$KSTEMP$")) << "nothing to delete";
  std::string outside = work_.Write("keep/rom.bin", "keep");
  std::string ro = work_.Write("emu/$KSTEMP$/ro.bin", "r");
  work_.Write("emu/$KSTEMP$/sub/more.bin", "m");
  stdfs::permissions(ro, stdfs::perms::owner_read);
  stdfs::create_directory_symlink(work_ / "keep", emu_ + "$KSTEMP$/link");
  EXPECT_TRUE(DeleteTempDir(emu_ + "$KSTEMP$"));
  EXPECT_FALSE(stdfs::exists(emu_ + "$KSTEMP$"));
  EXPECT_EQ(work_.Read("keep/rom.bin"), "keep") << "a link is never followed";

  std::string stuck = work_.Write("emu/$KSTEMP$/stuck.bin", "s");
  work_.Write("emu/$KSTEMP$/other.bin", "o");
  if (test::RunCommand("chattr +i '" + stuck + "' 2>/dev/null").status != 0)
    GTEST_SKIP() << "no immutable files here (not root, or the file system has none)";
  const bool deleted = DeleteTempDir(emu_ + "$KSTEMP$");
  test::RunCommand("chattr -i '" + stuck + "'");
  EXPECT_FALSE(deleted);
  EXPECT_TRUE(stdfs::exists(stuck));
  EXPECT_FALSE(stdfs::exists(emu_ + "$KSTEMP$/other.bin")) << "the rest is deleted";
}

TEST_F(SetArchivesTest, ALinkPlantedAsTheTemporaryDirectoryOrInItIsRemovedNotFollowed) {
  work_.Write("emu/ROMS/dirset/a.rom", "A");
  work_.Write("emu/ROMS/dirset/b.rom", "B");
  stdfs::create_directories(work_ / "outside");
  const std::string secret = work_.Write("secret", "the user's own");
  stdfs::create_directory_symlink(work_ / "outside", emu_ + "$KSTEMP$");
  ASSERT_TRUE(sets_.ExtractSet("dirset", "ROMS", SetKind::Rom));
  EXPECT_TRUE(stdfs::is_empty(work_ / "outside")) << "nothing extracted through the link";
  EXPECT_FALSE(stdfs::is_symlink(emu_ + "$KSTEMP$"));
  EXPECT_EQ(TempNames(), (std::vector<std::string>{"a.rom", "b.rom"}));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].text.find(emu_ + "$KSTEMP$"), std::string::npos);
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Warning);

  // A directory left in place with a link in it, named as a file of the set and as today's
  // emulator's directory of the set.
  stdfs::remove(emu_ + "$KSTEMP$/a.rom");
  stdfs::create_symlink(secret, emu_ + "$KSTEMP$/a.rom");
  stdfs::create_directory_symlink(work_ / "outside", emu_ + "$KSTEMP$/dirset");
  ASSERT_TRUE(sets_.ExtractSet("dirset", "ROMS", SetKind::Rom, "dirset"));
  EXPECT_EQ(work_.Read("secret"), "the user's own");
  EXPECT_TRUE(stdfs::is_empty(work_ / "outside"));
  EXPECT_FALSE(stdfs::is_symlink(emu_ + "$KSTEMP$/a.rom"));
  EXPECT_EQ(work_.Read("emu/$KSTEMP$/dirset/a.rom"), "A");
  EXPECT_EQ(ui_.messages.size(), 3u);
}

}  // namespace
}  // namespace kw
