#include "core/shell/main_shell.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "app/program.h"
#include "core/profile/profile_file.h"
#include "support/recording_views.h"
#include "support/run_command.h"
#include "support/script_emulator.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using test::ScriptedUi;
using test::TempDir;

// Runs each test in a directory of its own (the crash check looks in the current directory).
class MainShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = std::filesystem::current_path();
    std::filesystem::current_path(work_.Path());
    setenv("KESTRELWING_OPTICAL_DRIVES", "", 1);
  }
  void TearDown() override {
    std::filesystem::current_path(old_cwd_);
    unsetenv("KESTRELWING_OPTICAL_DRIVES");
  }
  AppNames Names() const { return AppNames::Compute(home_.Path(), home_.Path()); }
  // A profile of one game whose emulator lives in `emu`; its path.
  std::string SaveDemoProfile(const TempDir& emu) {
    test::WriteEmulator(emu, "mame", "M.A.M.E. v0.37 BETA 5", "/dev/null");
    GameDatabase made;
    made.EmulatorDir = emu.Path();
    made.EmulatorExe = "mame";
    made.EmulatorVersion = "M.A.M.E. v0.37 BETA 5";
    GameEntry pacman;
    pacman.Name = "PACMAN";
    made.AddGame(pacman);
    EXPECT_TRUE(SaveProfile(made, home_ / "Demo.ksl", ui_, ProfileFileContext{}).Ok());
    return home_ / "Demo.ksl";
  }

  TempDir home_;
  TempDir work_;
  std::filesystem::path old_cwd_;
  ScriptedUi ui_;
  test::RecordingViews view_;
};

const char* kWelcome =
    "Hi and welcome to Kestrelwing!\r"
    "Since this is the first time you run this program, you will now be\r"
    "asked to create a new profile. This is necessary for Kestrelwing to\r"
    "correctly use the emulator and all of its capabilities.\r"
    "The operation may take some time, but you will need to do it\r"
    "only once.";

TEST_F(MainShellTest, FirstStartWelcomesThenCreatesAProfileAndEndsWithNoProfile) {
  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  p.shell.FormShow({});  // the new-profile window is cancelled
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, kWelcome);
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(view_.new_profile_windows, 1);
  ASSERT_FALSE(view_.states.empty());
  EXPECT_FALSE(view_.states.back());
  EXPECT_FALSE(view_.games_shown);
  EXPECT_EQ(view_.titles.back(), "Kestrelwing - no profile loaded");
}

const char* kCrashWarning =
    "Warning: MAME crashed the computer the last time it was run.\r"
    "This may be due to problems related to the MAME version you are using (eg. Betas, "
    "etc.)\r"
    "and it's not a Kestrelwing fault. You better don't try to run that game again\r"
    "until you get an updated version.";

TEST_F(MainShellTest, WithoutAProfileTheCrashCheckLooksNowhere) {
  work_.Write("$KSTEMP$/pacman.6e", "rom");
  work_.Write("CFG/$KSTEMP$.PACMAN.cfg", "someone's copy");
  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  p.shell.FormShow({});  // the new-profile window is cancelled
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{kWelcome});
  EXPECT_TRUE(std::filesystem::exists("$KSTEMP$/pacman.6e"));
  EXPECT_TRUE(std::filesystem::exists("CFG/$KSTEMP$.PACMAN.cfg"));
}

TEST_F(MainShellTest, TheCrashCheckLooksInTheOpenedProfilesDirectoryOnly) {
  TempDir emu;
  emu.Write("$KSTEMP$/pacman.6e", "rom");
  work_.Write("$KSTEMP$/mine.txt", "the directory the program started in");
  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  p.shell.FormShow({SaveDemoProfile(emu)});
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{kCrashWarning});
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Warning);
  EXPECT_FALSE(std::filesystem::exists(emu / "$KSTEMP$"));
  EXPECT_TRUE(std::filesystem::exists(work_ / "$KSTEMP$/mine.txt"));
}

TEST_F(MainShellTest, CopiesLeftBehindGoBackToTheirOwnFilesOrAreDeleted) {
  TempDir emu;
  emu.Write("MAME.CFG", "[directory]\ncfg = CFG\nnvram = NVRAM\nhi = HI\ninp = INP\n");
  emu.Write("CFG/$KSTEMP$.PACMAN.cfg", "pacman's settings");  // its file is missing
  emu.Write("CFG/$KSTEMP$.cfg", "an older copy of some game's settings");
  emu.Write("NVRAM/$KSTEMP$.PACMAN.nv", "pacman's memory");
  emu.Write("NVRAM/PACMAN.nv", "");  // left empty
  emu.Write("HI/$KSTEMP$.PACMAN.hi", "old scores");
  emu.Write("HI/PACMAN.hi", "new scores");
  const std::string outside = work_.Write("outside.inp", "not a copy");
  std::filesystem::create_directories(emu / "INP");
  std::filesystem::create_symlink(outside, emu / "INP/$KSTEMP$.MYREC.inp");
  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  p.shell.FormShow({SaveDemoProfile(emu)});
  ASSERT_EQ(ui_.messages.size(), 1u) << "no crash warning: no temporary directory";
  EXPECT_EQ(ui_.messages[0].text,
            "An emulator run that never came back left copies of the games' own files behind:\r"
            "CFG/$KSTEMP$.PACMAN.cfg put back as CFG/PACMAN.cfg, which was missing or empty\r"
            "CFG/$KSTEMP$.cfg deleted: an older copy that names no game\r"
            "NVRAM/$KSTEMP$.PACMAN.nv put back as NVRAM/PACMAN.nv, which was missing or empty\r"
            "HI/$KSTEMP$.PACMAN.hi deleted: HI/PACMAN.hi is newer\r"
            "INP/$KSTEMP$.MYREC.inp deleted: a link, not a copy");
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(emu.Read("CFG/PACMAN.cfg"), "pacman's settings");
  EXPECT_EQ(emu.Read("NVRAM/PACMAN.nv"), "pacman's memory");
  EXPECT_EQ(emu.Read("HI/PACMAN.hi"), "new scores");
  EXPECT_EQ(work_.Read("outside.inp"), "not a copy");
  for (const char* dir : {"CFG", "NVRAM", "HI", "INP"}) {
    for (const auto& entry : std::filesystem::directory_iterator(emu / dir))
      EXPECT_NE(entry.path().filename().string().rfind("$KSTEMP$", 0), 0u) << entry.path();
  }
}

TEST_F(MainShellTest, ATemporaryDirectoryThatCannotBeDeletedIsReportedAndKept) {
  // An immutable file cannot be removed, not even by root.
  TempDir emu;
  std::string rom = emu.Write("$KSTEMP$/pacman.6e", "rom");
  ASSERT_EQ(test::RunCommand("chattr +i '" + rom + "'").status, 0);
  Program p(ui_, view_.Views(), Names());
  p.shell.FormShow({SaveDemoProfile(emu)});
  test::RunCommand("chattr -i '" + rom + "'");
  ASSERT_EQ(ui_.messages.size(), 2u);  // the warning, the failure
  EXPECT_EQ(ui_.messages[1].text,
            "The temporary directory could not be deleted!\r"
            "This means one or more rom files of the game you ran could not be deleted.\r"
            "Please solve the problem and try again.");
  EXPECT_EQ(ui_.messages[1].icon, MsgIcon::Error);
  EXPECT_TRUE(std::filesystem::exists(emu / "$KSTEMP$")) << "left in place for the next start";
}

TEST_F(MainShellTest, AnArgumentWinsOverTheLastProfileWhichIsKeptUpperCase) {
  home_.Write("KESTREL.INI", "[General]\nLastProfile=/p/last.ksl\n");
  ui_.answers = {MsgAnswer::No, MsgAnswer::No};
  {
    Program p(ui_, view_.Views(), Names());
    p.shell.FormCreate();
    p.shell.FormShow({"/p/Given.ksl"});
  }
  Program again(ui_, view_.Views(), Names());
  again.shell.FormCreate();
  again.shell.FormShow({});
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text,
            "Cannot find /p/Given.ksl profile!\rDo you want to create a new profile?\r");
  EXPECT_EQ(ui_.messages[1].text,
            "Cannot find /P/LAST.KSL profile!\rDo you want to create a new profile?\r");
}

TEST_F(MainShellTest, QuittingWritesTheSettingsThatTheNextStartReads) {
  home_.Write("KESTREL.INI", "[MAME]\nExtraOptions=-a\nExtraOptions=-b\n");
  std::string cli_output;
  {
    Program p(ui_, view_.Views(), Names());
    p.shell.FormCreate();
    p.game_list.SetSortKey(3);
    p.settings.Values().ListYear = true;
    p.settings.Values().AddExtraOptions = false;
    p.profiles.AddToReopenList("/p/a.ksl");
    EXPECT_EQ(view_.reopen[0], "/P/A.KSL");
    // Someone adds a line while the program runs: the save merges into the file as it is.
    std::string text = home_.Read("KESTREL.INI");
    home_.Write("KESTREL.INI", text + "[Mine]\nkept=1\n");
    p.shell.FormDestroy();
    cli_output = FormatSettings(p.settings.Values());
  }
  std::string file = home_.Read("KESTREL.INI");
  EXPECT_NE(file.find("[Mine]\nkept=1\n"), std::string::npos);
  EXPECT_EQ(file.find("ExtraOptions"), std::string::npos) << "repeated lines are all gone";

  view_ = test::RecordingViews();
  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  EXPECT_EQ(p.settings.Values().SortBy, 3);
  EXPECT_EQ(view_.sort_by, 3) << "the stored order is ticked";
  EXPECT_TRUE(p.settings.Values().ListYear);
  EXPECT_EQ(p.settings.Values().ExtraOptions, "");
  EXPECT_EQ(view_.reopen[0], "/P/A.KSL");

  // The console program reads the same file and shows the same values.
  test::CommandResult cli =
      test::RunCommand("KESTRELWING_HOME='" + home_.Path() + "' '" + KW_CLI_PATH + "' settings");
  EXPECT_EQ(cli.status, 0);
  EXPECT_EQ(cli.out, cli_output);
}

TEST_F(MainShellTest, ASettingsFileThatCannotBeWrittenIsSaidAtShutdown) {
  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  std::filesystem::create_directory(home_ / "KESTREL.INI");  // a directory where the file goes
  p.shell.FormDestroy();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "Unable to write to " + (home_ / "KESTREL.INI"));
}

TEST_F(MainShellTest, StartAndShutdownRunInTheirOrder) {
  home_.Write("KESTREL.INI",
              "[Sort]\nSortBy=3\n[Screenshots]\nScreenshotDisplay=4\n"
              "[General]\nLastProfile=/p/last.ksl\n");
  ui_.answers = {MsgAnswer::No};
  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  EXPECT_EQ(view_.sort_by, 3);
  EXPECT_EQ(view_.picture_tab, 4);
  p.shell.FormShow({});
  // The busy cursor is off again before the profile opens (its question is asked after).
  EXPECT_EQ(ui_.events,
            (std::vector<std::string>{"busy on", "busy off", "busy on", "busy off", "ask"}));
  EXPECT_EQ(p.shell.LanguageCodes().size(), 1u) << "ENGLISH is there before any profile opens";
  p.shell.FormDestroy();
  EXPECT_TRUE(std::filesystem::exists(home_ / "KESTREL.INI"));
  EXPECT_EQ(p.shell.LanguageCodes().size(), 0u) << "released at the end";
}

TEST_F(MainShellTest, NoOpticalDriveSwitchesMameCdOff) {
  home_.Write("KESTREL.INI", "[MameCd]\nMameCd=1\n[General]\nLastProfile=/p/x.ksl\n");
  ui_.answers = {MsgAnswer::No, MsgAnswer::No};
  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  EXPECT_TRUE(p.settings.Values().MameCd);
  p.shell.FormShow({});
  EXPECT_FALSE(p.settings.Values().MameCd);

  TempDir disc;
  setenv("KESTRELWING_OPTICAL_DRIVES", disc.Path().c_str(), 1);
  Program with_drive(ui_, view_.Views(), Names());
  with_drive.shell.FormCreate();
  with_drive.shell.FormShow({});
  EXPECT_TRUE(with_drive.settings.Values().MameCd);
  EXPECT_EQ(with_drive.shell.CdDrives().size(), 1u);
}

TEST_F(MainShellTest, OpeningAProfileLoadsItEntersTheEmulatorDirectoryAndRemembersIt) {
  TempDir emu;
  emu.Write("readme.txt", "");
  ASSERT_EQ(SaveDemoProfile(emu), home_ / "Demo.ksl");

  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  p.shell.FormShow({home_ / "Demo.ksl"});
  EXPECT_TRUE(ui_.messages.empty()) << ui_.messages[0].text;
  EXPECT_TRUE(p.database.ProfileLoaded);
  EXPECT_EQ(p.database.GameCount(), 1u);
  EXPECT_EQ(view_.titles.back(), "Kestrelwing - [M.A.M.E. v0.37 BETA 5]");
  EXPECT_EQ(std::filesystem::current_path().string() + "/", emu.Path());
  EXPECT_EQ(p.settings.Values().LastProfile, home_ / "Demo.ksl");
  EXPECT_EQ(view_.reopen[0], UpperCase(home_ / "Demo.ksl"));
  EXPECT_TRUE(view_.states.back());
  EXPECT_TRUE(view_.games_shown);
  EXPECT_TRUE(view_.recording_enabled);
  EXPECT_EQ(view_.text_files, std::vector<std::string>{"README.TXT"});
  EXPECT_FALSE(ui_.progress_visible);

  // The reopen list's first slot opens it again; an empty or unknown slot does nothing.
  p.profiles.ReopenProfile(3);
  p.profiles.ReopenProfile(9);
  p.profiles.ReopenProfile(0);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_TRUE(p.database.ProfileLoaded);
}

TEST_F(MainShellTest, ARelativeProfilePathIsKeptAsAFullPath) {
  TempDir emu;
  GameDatabase made;
  made.EmulatorDir = emu.Path();
  made.EmulatorExe = "mame";
  made.EmulatorVersion = "v1";
  test::WriteEmulator(emu, "mame", "v1", "/dev/null");
  GameEntry game;
  game.Name = "MSPACMAN";
  made.AddGame(game);
  ASSERT_TRUE(SaveProfile(made, work_ / "rel.ksl", ui_, ProfileFileContext{}).Ok());
  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  p.shell.FormShow({"rel.ksl"});  // relative to the directory the program started in
  ASSERT_TRUE(p.database.ProfileLoaded);
  EXPECT_EQ(p.settings.Values().LastProfile, work_ / "rel.ksl");
}

TEST_F(MainShellTest, AMissingProfileOffersANewOne) {
  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  ui_.answers = {MsgAnswer::No};
  p.profiles.OpenProfile("/nowhere/Mame.ksl");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "Cannot find /nowhere/Mame.ksl profile!\rDo you want to create a new profile?\r");
  EXPECT_EQ(ui_.messages[0].buttons, MsgButtons::YesNo);
  EXPECT_FALSE(p.database.ProfileLoaded);
  EXPECT_EQ(view_.titles.back(), "Kestrelwing - no profile loaded");
}

}  // namespace
}  // namespace kw
