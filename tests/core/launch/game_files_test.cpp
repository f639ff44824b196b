#include "core/launch/game_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/audit/set_status_controller.h"
#include "core/browser/quick_info_controller.h"
#include "core/shared/app_names.h"
#include "core/shared/emulator_config.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/game_list_navigation.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings.h"
#include "platform/fs.h"
#include "support/recording_views.h"
#include "support/script_emulator.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace kw {
namespace {

namespace sfs = std::filesystem;

struct List : GameListNavigation {
  long selected = 0;
  long lines = 0;
  long SelectedLine() const override { return selected; }
  long LineCount() const override { return lines; }
  void SelectLine(long line) override { selected = line; }
  void PlaySelected() override {}
  void SelectRandomGame() override {}
};

class GameFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = sfs::current_path();
    sfs::current_path(dir_.Path());  // the emulator directory
    for (const char* name : {"mygame", "../evil"}) {
      GameEntry e;
      e.Name = name;
      e.Description = name;
      db_.AddGame(e);
    }
    db_.ProfileLoaded = true;
    list_.lines = 2;
    config_.Config().directory.cfg = "CFG";
    config_.Config().directory.hi = "HI";
    config_.Config().directory.nvram = "";
  }
  void TearDown() override { sfs::current_path(old_cwd_); }

  test::TempDir dir_;
  sfs::path old_cwd_;
  test::ScriptedUi ui_;
  GameDatabase db_;
  List list_;
  FrontEndSettings settings_;
  PlayStats stats_{dir_.Path() + "STATS.INI"};
  test::RecordingViews views_;
  EmulatorConfigController config_{db_, "$KSTEMP$"};
  AppNames names_ = AppNames::Compute(dir_.Path(), dir_.Path());
  SetStatusController set_status_{db_, names_};
  QuickInfoController quick_info_{settings_, db_, stats_, set_status_, views_};
  GameFilesController files_{ui_, db_, list_, config_, quick_info_, names_};
};

TEST_F(GameFilesTest, PathsAndQuestions) {
  EmulatorConfig config;
  config.directory.hi = "HI";
  EXPECT_EQ(GameFilePath(config, GameFileKind::HiScore, "MYGAME"), "HI/MYGAME.HI");
  EXPECT_EQ(DeleteQuestion(GameFileKind::HiScore, "MYGAME", "HI/MYGAME.HI"),
            "Really delete the high score file for [MYGAME]?\rFile = HI/MYGAME.HI");
  config.directory.cfg = "cfg/";
  EXPECT_EQ(GameFilePath(config, GameFileKind::DefaultConfig, "X"), "cfg/DEFAULT.CFG");
  EXPECT_EQ(DeleteQuestion(GameFileKind::DefaultConfig, "X", "cfg/DEFAULT.CFG"),
            "Really delete the default configuration file?\rFile = cfg/DEFAULT.CFG");
  // An empty directory: the file in the current directory, without a leading separator.
  config.directory.nvram = "";
  EXPECT_EQ(GameFilePath(config, GameFileKind::NVRam, "A"), "A.NV");
  EXPECT_EQ(DeleteQuestion(GameFileKind::NVRam, "A", "A.NV"),
            "Really delete the NV-Ram file for [A]?\rFile = A.NV");
  EXPECT_EQ(DeleteQuestion(GameFileKind::Config, "A", "A.CFG").substr(0, 41),
            "Really delete the configuration file for ");
}

TEST_F(GameFilesTest, EachDeleteWithNoAndYes) {
  // The emulator's own spelling is found without regard to case.
  const std::string cfg = dir_.Write("CFG/mygame.cfg", "c");
  const std::string hi = dir_.Write("HI/MYGAME.HI", "h");
  const std::string nv = dir_.Write("mygame.nv", "n");
  const std::string def = dir_.Write("CFG/default.cfg", "d");
  const std::pair<GameFileKind, std::string> cases[] = {{GameFileKind::Config, cfg},
                                                        {GameFileKind::HiScore, hi},
                                                        {GameFileKind::NVRam, nv},
                                                        {GameFileKind::DefaultConfig, def}};
  for (const auto& [kind, file] : cases) {
    ui_.answers = {MsgAnswer::No};
    files_.DeleteGameFile(kind);
    EXPECT_TRUE(sfs::exists(file)) << file;
    EXPECT_EQ(ui_.messages.back().icon, MsgIcon::Warning);
    EXPECT_EQ(ui_.messages.back().buttons, MsgButtons::YesNo);
    ui_.answers = {MsgAnswer::Yes};
    const std::size_t asked = ui_.messages.size();
    files_.DeleteGameFile(kind);
    EXPECT_FALSE(sfs::exists(file)) << file;
    EXPECT_EQ(ui_.messages.size(), asked + 1);  // the question only
  }
  EXPECT_EQ(ui_.messages[0].text,
            "Really delete the configuration file for [mygame]?\rFile = CFG/mygame.CFG");
  // A missing file: asked, nothing said after.
  files_.DeleteGameFile(GameFileKind::HiScore);
  EXPECT_EQ(ui_.messages.size(), 9u);
  EXPECT_TRUE(sfs::exists(dir_.Path() + "HI"));
}

TEST_F(GameFilesTest, HostileNamesAndFilesThatCannotGoDeleteNothing) {
  const std::string outside = dir_.Write("evil.CFG", "keep");
  list_.selected = 1;  // the set "../evil"
  files_.DeleteGameFile(GameFileKind::Config);
  EXPECT_TRUE(sfs::exists(outside));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].text.find("Nothing was deleted."), std::string::npos);
  EXPECT_EQ(ui_.messages[0].buttons, MsgButtons::Ok);  // not even asked

  list_.selected = 0;
  config_.Config().directory.hi = "HI/../..";
  const std::string climbed = dir_.Write("MYGAME.HI", "keep");
  files_.DeleteGameFile(GameFileKind::HiScore);
  EXPECT_TRUE(sfs::exists(climbed));

  // A link in place of the file: neither it nor what it points to goes.
  const std::string target = dir_.Write("elsewhere.txt", "keep");
  sfs::create_directories(dir_.Path() + "CFG");
  sfs::create_symlink(target, dir_.Path() + "CFG/mygame.cfg");
  ui_.messages.clear();
  files_.DeleteGameFile(GameFileKind::Config);
  EXPECT_TRUE(sfs::exists(target));
  EXPECT_TRUE(sfs::is_symlink(dir_.Path() + "CFG/mygame.cfg"));
  EXPECT_NE(ui_.messages.back().text.find("is a link"), std::string::npos);

  // A directory of the name is not a file.
  sfs::create_directories(dir_.Path() + "CFG/DEFAULT.CFG");
  files_.DeleteGameFile(GameFileKind::DefaultConfig);
  EXPECT_TRUE(sfs::is_directory(dir_.Path() + "CFG/DEFAULT.CFG"));
  EXPECT_NE(ui_.messages.back().text.find("is not a file"), std::string::npos);

  // A file in a directory that may not be written: the system's reason is said.
  if (geteuid() != 0) {
    const std::string locked = dir_.Write("mygame.nv", "n");
    sfs::permissions(dir_.Path(), sfs::perms::owner_write, sfs::perm_options::remove);
    files_.DeleteGameFile(GameFileKind::NVRam);
    sfs::permissions(dir_.Path(), sfs::perms::owner_write, sfs::perm_options::add);
    EXPECT_TRUE(sfs::exists(locked));
    EXPECT_EQ(ui_.messages.back().icon, MsgIcon::Error);
    EXPECT_EQ(ui_.messages.back().text.rfind("Cannot delete mygame.NV\r", 0), 0u);
  }

  // No profile: nothing at all.
  db_.ProfileLoaded = false;
  ui_.messages.clear();
  files_.DeleteGameFile(GameFileKind::Config);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(GameFilesTest, TheFileManagerOpensOnThePictureDirectoryWithoutBeingWaitedFor) {
  files_.ExplorerOPTClick();  // no picture shown: nothing started
  settings_.ScreenShots = dir_.Path() + "snap";
  dir_.Write("snap/mygame.png", "a placeholder");
  quick_info_.GameSelected(0);
  ASSERT_FALSE(quick_info_.ShownPicturePath().empty());
  test::WriteScript(dir_, "xdg-open",
                    "printf '%s|' \"$@\" > \"" + dir_.Path() +
                        "opened.tmp\"\n"
                        "mv \"" +
                        dir_.Path() + "opened.tmp\" \"" + dir_.Path() + "opened.txt\"\n");
  const std::string cwd = platform::fs::CurrentDirectory();
  files_.ExplorerOPTClick();
  EXPECT_EQ(platform::fs::CurrentDirectory(), cwd);
  ASSERT_TRUE(test::WaitUntil([&] { return sfs::exists(dir_.Path() + "opened.txt"); }));
  EXPECT_EQ(dir_.Read("opened.txt"), dir_.Path() + "snap/|");
  EXPECT_TRUE(ui_.messages.empty());

  // A desktop without a file manager: the opener fails at once, and that is said.
  test::WriteScript(dir_, "xdg-open",
                    "echo \"xdg-open: no method available for $1\" >&2\nexit 3\n");
  files_.ExplorerOPTClick();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "Cannot show the directory " + dir_.Path() +
                                      "snap/\rxdg-open: no method available for " + dir_.Path() +
                                      "snap/");
}

}  // namespace
}  // namespace kw
