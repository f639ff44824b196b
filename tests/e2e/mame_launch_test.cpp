// A game played through the launch pipeline on today's real emulator (Debian's /usr/games/mame):
// pong needs no ROM files. The user's files are a temporary home directory's.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "app/program.h"
#include "core/profile/profile_file.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace kw {
namespace {

constexpr const char* kMame = "/usr/games/mame";

// Waits for the emulator at most two minutes; one that does not end by then is ended.
struct TimeLimitedUi : test::ScriptedUi {
  bool AwaitProgram(const std::function<bool()>& ended, bool) override {
    return test::WaitUntil(ended, std::chrono::minutes(2));
  }
};

class MameLaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kMame)) GTEST_SKIP() << kMame << " is not installed";
    old_cwd_ = std::filesystem::current_path();
    if (const char* home = getenv("HOME")) old_home_ = home;
    setenv("HOME", (user_ / "").substr(0, user_.Path().size() - 1).c_str(), 1);
    // The emulator's directory holds a link to it: the temporary directory is made there.
    std::filesystem::create_symlink(kMame, emu_ / "mame");
  }
  void TearDown() override {
    if (!std::filesystem::exists(kMame)) return;
    std::filesystem::current_path(old_cwd_);
    if (old_home_) {
      setenv("HOME", old_home_->c_str(), 1);
    } else {
      unsetenv("HOME");
    }
  }

  // A profile of today's emulator with its one game, saved and opened as the program opens it.
  void OpenOneGame(Program& program, test::ScriptedUi& ui, const std::string& name,
                   const std::string& description) {
    GameDatabase made;
    made.Dialect = EmulatorDialect::kListxml;
    made.EmulatorDir = emu_.Path();
    made.EmulatorExe = "mame";
    made.EmulatorVersion = "0.251";
    GameEntry game;
    game.Name = name;  // upper case, as the profile's list gives it
    game.Description = description;
    ASSERT_TRUE(made.AddGame(game));
    ASSERT_TRUE(SaveProfile(made, home_ / (name + ".KSL"), ui, {}));
    ASSERT_TRUE(LoadProfile(program.database, home_ / (name + ".KSL"), ui, {}));
    ASSERT_EQ(program.database.Dialect, EmulatorDialect::kListxml);
    std::filesystem::current_path(emu_.Path());
    program.database.ProfileLoaded = true;
    program.emulator_config.ReadEmulatorConfig();
  }

  test::TempDir home_, emu_, user_;
  std::filesystem::path old_cwd_;
  std::optional<std::string> old_home_;
};

TEST_F(MameLaunchTest, PongRunsOnTodaysEmulatorAndThePlayIsRecorded) {
  TimeLimitedUi ui;
  test::RecordingViews views;
  Program program(ui, views.Views(), AppNames::Compute(home_.Path(), home_.Path()));
  program.shell.FormCreate();
  program.statistics.Load();

  OpenOneGame(program, ui, "PONG", "Pong (Rev E) external [TTL]");
  program.recording.ProfileStateChanged(true);

  // The options as Debian's /etc/mame/mame.ini gives them, $HOME the temporary one.
  EmulatorConfig& config = program.emulator_config.Config();
  EXPECT_EQ(config.directory.cfg, user_ / ".mame/cfg");
  // A changed option goes into the user's own mame.ini before the run, and the emulator uses it:
  // it leaves its last picture in the snapshot directory.
  config.directory.snap = user_ / "shots";

  program.settings.Values().UseStats = true;
  program.settings.Values().AddExtraOptions = true;
  program.settings.Values().ExtraOptions = "-video none -sound none -seconds_to_run 2";
  program.recording.SelectRecord();
  EXPECT_EQ(program.launch.Launch(program.database.FindGamePosition("PONG")), LaunchOutcome::Ran);
  EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;

  EXPECT_EQ(user_.Read(".mame/mame.ini"), "snapshot_directory        " + (user_ / "shots") + "\n")
      << "made with only the changed option";
  EXPECT_TRUE(std::filesystem::exists(user_ / "shots/pong")) << "the emulator read it";
  EXPECT_TRUE(std::filesystem::exists(user_ / ".mame/inp/pong.inp")) << "the recording";
  EXPECT_TRUE(std::filesystem::exists(user_ / ".mame/cfg/pong.cfg"));
  EXPECT_FALSE(std::filesystem::exists(emu_ / "$KSTEMP$"));
  EXPECT_EQ(program.stats.PlayCount("PONG"), 1u);
  EXPECT_NE(home_.Read("STATS.INI").find("[PONG]\r\nTotHours=0"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists("/etc/mame/$KSTEMP$.ini"));
}

TEST_F(MameLaunchTest, AGameTheEmulatorCannotRunIsNotAPlayAndWhatItSaidIsShown) {
  TimeLimitedUi ui;
  test::RecordingViews views;
  Program program(ui, views.Views(), AppNames::Compute(home_.Path(), home_.Path()));
  program.shell.FormCreate();
  program.statistics.Load();
  // The profile lists no files of the game, so the set test lets it go; the emulator itself then
  // finds none of them and ends with its failure status.
  OpenOneGame(program, ui, "XEVIOUS", "Xevious (Namco)");
  program.settings.Values().UseStats = true;
  program.settings.Values().AddExtraOptions = true;
  program.settings.Values().ExtraOptions = "-video none -sound none -seconds_to_run 2";

  EXPECT_EQ(program.launch.Launch(program.database.FindGamePosition("XEVIOUS")),
            LaunchOutcome::Failed);
  EXPECT_EQ(program.stats.PlayCount("XEVIOUS"), 0u);
  EXPECT_EQ(home_.Read("STATS.INI").find("XEVIOUS"), std::string::npos);
  ASSERT_EQ(ui.reports.size(), 1u);
  std::string shown;
  for (const ReportLine& line : ui.reports[0].Lines())
    shown += line.text + "\n";
  EXPECT_NE(shown.find("ended with the exit status 2"), std::string::npos) << shown;
  EXPECT_NE(shown.find("xvi_1.3p NOT FOUND"), std::string::npos) << shown;
  for (const auto& entry : std::filesystem::directory_iterator(emu_.Path()))
    EXPECT_EQ(entry.path().filename().string().rfind("$KSTEMP$", 0), std::string::npos);
}

}  // namespace
}  // namespace kw
