#include "core/shell/main_shell.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "core/profile/profile_file.h"
#include "support/run_command.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using test::ScriptedUi;
using test::TempDir;

class RecordingView : public MainView {
 public:
  std::vector<std::string> titles;
  bool news = false;
  int applied = 0;
  std::array<std::string, kReopenSlots> reopen;
  std::vector<std::string> text_files;
  std::vector<bool> states;

  void SetTitle(const std::string& t) override { titles.push_back(t); }
  void SetNewsAvailable(bool a) override { news = a; }
  void ApplySettings(const FrontEndSettings&) override { ++applied; }
  void RebuildReopenMenus(const std::array<std::string, kReopenSlots>& s) override { reopen = s; }
  void BuildTextFilesMenu(const std::vector<std::string>& p) override { text_files = p; }
  void UpdateProfileControls(bool loaded) override { states.push_back(loaded); }
};

class RecordingProfiles : public ProfileService {
 public:
  std::vector<std::string> calls;
  void OpenProfile(const std::string& path) override { calls.push_back("open " + path); }
  void CreateProfile() override { calls.push_back("create"); }
};

// Services that write what happens to them into one log, to check the order of start-up and
// shutdown.
struct OrderLog : ProfileService, EmulatorConfigService, StatsService {
  std::vector<std::string> events;
  MainShell* shell = nullptr;
  ScriptedUi* ui = nullptr;
  std::string settings_path;

  void OpenProfile(const std::string& path) override {
    events.push_back("open " + path);
    events.push_back(std::string("busy ") + (ui->busy ? "on" : "off"));
    events.push_back("languages " + std::to_string(shell->LanguageCodes().size()));
  }
  void CreateProfile() override { events.push_back("create"); }
  void ReadEmulatorConfig() override { events.push_back("read config"); }
  void WriteEmulatorConfig() override {
    events.push_back(std::string("write config, settings ") +
                     (std::filesystem::exists(settings_path) ? "saved" : "not saved"));
  }
  void LoadStats() override {
    events.push_back("load stats, sort " + std::to_string(shell->Settings().SortBy));
  }
  void SaveStats() override { events.push_back("save stats"); }
};

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

  TempDir home_;
  TempDir work_;
  std::filesystem::path old_cwd_;
  ScriptedUi ui_;
  RecordingView view_;
};

const char* kWelcome =
    "Hi and welcome to Kestrelwing!\r"
    "Since this is the first time you run this program, you will now be\r"
    "asked to create a new profile. This is necessary for Kestrelwing to\r"
    "correctly use the emulator and all of its capabilities.\r"
    "The operation may take some time, but you will need to do it\r"
    "only once.";

TEST_F(MainShellTest, FirstStartWelcomesThenCreatesAProfileAndEndsWithNoProfile) {
  MainShell shell(ui_, view_, Names());
  shell.FormCreate();
  shell.FormShow({});
  ASSERT_GE(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text, kWelcome);
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Information);
  EXPECT_NE(ui_.messages[1].text.find("Profile creation"), std::string::npos);
  ASSERT_FALSE(view_.states.empty());
  EXPECT_FALSE(view_.states.back());
  EXPECT_EQ(view_.titles.back(), "Kestrelwing - no profile loaded");
}

TEST_F(MainShellTest, FirstStartStillRunsTheCrashCheck) {
  std::filesystem::create_directory("$KSTEMP$");
  work_.Write("$KSTEMP$/pacman.6e", "rom");
  RecordingProfiles profiles;
  MainShell shell(ui_, view_, Names());
  shell.SetProfileService(&profiles);
  shell.FormCreate();
  shell.FormShow({});
  EXPECT_EQ(profiles.calls, std::vector<std::string>{"create"});
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[1].text,
            "Warning: MAME crashed the computer the last time it was run.\r"
            "This may be due to problems related to the MAME version you are using (eg. Betas, "
            "etc.)\r"
            "and it's not a Kestrelwing fault. You better don't try to run that game again\r"
            "until you get an updated version.");
  EXPECT_EQ(ui_.messages[1].icon, MsgIcon::Warning);
  EXPECT_FALSE(std::filesystem::exists("$KSTEMP$"));
}

TEST_F(MainShellTest, ATemporaryDirectoryThatCannotBeDeletedIsReported) {
  std::filesystem::create_directory("$KSTEMP$");
  MainShell shell(ui_, view_, Names());
  // The emulator directory of the profile is gone, so the deletion there fails.
  shell.Database().EmulatorDir = work_.Path() + "gone/";
  shell.CrashCheck();
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[1].text,
            "The temporary directory could not be deleted!\r"
            "This means one or more rom files of the game you ran could not be deleted.\r"
            "Please solve the problem and try again.");
  EXPECT_EQ(ui_.messages[1].icon, MsgIcon::Error);
  EXPECT_TRUE(std::filesystem::exists("$KSTEMP$")) << "left in place for the next start";
}

TEST_F(MainShellTest, AnArgumentWinsOverTheLastProfile) {
  home_.Write("KESTREL.INI", "[General]\nLastProfile=/p/last.ksl\n");
  RecordingProfiles profiles;
  MainShell shell(ui_, view_, Names());
  shell.SetProfileService(&profiles);
  shell.FormCreate();
  shell.FormShow({"/p/Given.ksl"});
  EXPECT_EQ(profiles.calls, std::vector<std::string>{"open /p/Given.ksl"});

  MainShell again(ui_, view_, Names());
  again.SetProfileService(&profiles);
  again.FormCreate();
  again.FormShow({});
  EXPECT_EQ(profiles.calls.back(), "open /P/LAST.KSL");
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(MainShellTest, QuittingWritesTheSettingsThatTheNextStartReads) {
  home_.Write("KESTREL.INI", "[MAME]\nExtraOptions=-a\nExtraOptions=-b\n");
  std::string cli_output;
  {
    MainShell shell(ui_, view_, Names());
    shell.FormCreate();
    shell.Settings().SortBy = 3;
    shell.Settings().ListYear = true;
    shell.Settings().AddExtraOptions = false;
    shell.AddToReopenList("/p/a.ksl");
    EXPECT_EQ(view_.reopen[0], "/P/A.KSL");
    // Someone adds a line while the program runs: the save merges into the file as it is.
    std::string text = home_.Read("KESTREL.INI");
    home_.Write("KESTREL.INI", text + "[Mine]\nkept=1\n");
    shell.FormDestroy();
    cli_output = FormatSettings(shell.Settings());
  }
  std::string file = home_.Read("KESTREL.INI");
  EXPECT_NE(file.find("[Mine]\nkept=1\n"), std::string::npos);
  EXPECT_EQ(file.find("ExtraOptions"), std::string::npos) << "repeated lines are all gone";

  MainShell shell(ui_, view_, Names());
  shell.FormCreate();
  EXPECT_EQ(shell.Settings().SortBy, 3);
  EXPECT_TRUE(shell.Settings().ListYear);
  EXPECT_EQ(shell.Settings().ExtraOptions, "");
  EXPECT_EQ(view_.reopen[0], "/P/A.KSL");
  EXPECT_EQ(view_.applied, 2);

  // The console program reads the same file and shows the same values.
  test::CommandResult cli =
      test::RunCommand("KESTRELWING_HOME='" + home_.Path() + "' '" + KW_CLI_PATH + "' settings");
  EXPECT_EQ(cli.status, 0);
  EXPECT_EQ(cli.out, cli_output);
}

TEST_F(MainShellTest, StartAndShutdownRunInTheirOrder) {
  home_.Write("KESTREL.INI", "[Sort]\nSortBy=3\n[General]\nLastProfile=/p/last.ksl\n");
  OrderLog log;
  MainShell shell(ui_, view_, Names());
  log.shell = &shell;
  log.ui = &ui_;
  log.settings_path = home_ / "KESTREL.INI";
  shell.SetProfileService(&log);
  shell.SetEmulatorConfigService(&log);
  shell.SetStatsService(&log);
  shell.FormCreate();
  shell.FormShow({});
  std::filesystem::remove(log.settings_path);
  shell.FormDestroy();
  EXPECT_EQ(log.events,
            (std::vector<std::string>{"load stats, sort 3",  // the settings are read first
                                      "open /P/LAST.KSL", "busy off",
                                      "languages 1",  // ENGLISH is there before any profile opens
                                      "write config, settings saved", "save stats"}));
  EXPECT_EQ(ui_.events.front(), "busy on");
  EXPECT_EQ(shell.LanguageCodes().size(), 0u) << "released at the end";
}

TEST_F(MainShellTest, NoOpticalDriveSwitchesMameCdOff) {
  home_.Write("KESTREL.INI", "[MameCd]\nMameCd=1\n");
  RecordingProfiles profiles;
  MainShell shell(ui_, view_, Names());
  shell.SetProfileService(&profiles);
  shell.FormCreate();
  EXPECT_TRUE(shell.Settings().MameCd);
  shell.FormShow({});
  EXPECT_FALSE(shell.Settings().MameCd);

  TempDir disc;
  setenv("KESTRELWING_OPTICAL_DRIVES", disc.Path().c_str(), 1);
  MainShell with_drive(ui_, view_, Names());
  with_drive.SetProfileService(&profiles);
  with_drive.FormCreate();
  with_drive.FormShow({});
  EXPECT_TRUE(with_drive.Settings().MameCd);
  EXPECT_EQ(with_drive.CdDrives().size(), 1u);
}

TEST_F(MainShellTest, ReopenItemsOpenTheirSlot) {
  RecordingProfiles profiles;
  MainShell shell(ui_, view_, Names());
  shell.SetProfileService(&profiles);
  shell.AddToReopenList("/p/one.ksl");
  shell.AddToReopenList("/p/two.ksl");
  shell.ReopenProfile("ReopenFile2");
  shell.ReopenProfile("ReopenFile");     // no number: nothing
  shell.ReopenProfile("ReopenFileX");    // not a number: nothing
  shell.ReopenProfile("ReopenFile4");    // empty slot: nothing
  shell.ReopenProfile("ReopenNoneOPT");  // the "<none>" item
  EXPECT_EQ(profiles.calls, std::vector<std::string>{"open /P/ONE.KSL"});
}

TEST_F(MainShellTest, TextFileMenuListsSortedTextFilesWithoutDirTxt) {
  TempDir emu;
  emu.Write("whatsnew.txt", "");
  emu.Write("Readme.TXT", "");
  emu.Write("DIR.txt", "");
  emu.Write("docs/Zeta.txt", "");
  emu.Write("docs/dir.TXT", "");
  emu.Write("mame.cfg", "");
  emu.Write("notes.txt.bak", "");
  MainShell shell(ui_, view_, Names());
  shell.Database().EmulatorDir = emu.Path();
  shell.BuildTextFilesMenu();
  EXPECT_EQ(view_.text_files,
            (std::vector<std::string>{emu.Path() + "docs/Zeta.txt", emu.Path() + "Readme.TXT",
                                      emu.Path() + "whatsnew.txt"}));

  TempDir empty;
  shell.Database().EmulatorDir = empty.Path();
  shell.BuildTextFilesMenu();
  EXPECT_TRUE(view_.text_files.empty());
}

TEST_F(MainShellTest, TextFilesAndNewsOpenInTheEditor) {
  TempDir emu;
  emu.Write("readme.txt", "");
  std::string log = work_ / "opened.log";
  // The editor writes beside the log and renames, so the log appears complete.
  std::string editor =
      work_.Write("editor.sh", "#!/bin/sh\nprintf '%s\\n' \"$1\" > '" + log + ".part' && mv '" +
                                   log + ".part' '" + log + "'\n");
  std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
  MainShell shell(ui_, view_, Names());
  shell.Settings().TextEditor = UpperCase(editor);  // stored upper case, found regardless
  shell.Database().EmulatorDir = emu.Path();
  shell.BuildTextFilesMenu();
  shell.ShowMAMETextFile("File0");
  shell.ShowMAMETextFile("File7");  // no such item: nothing

  shell.KestrelHistory();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "News file not found");
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Error);

  // The editor runs without being waited for: wait (at most ten seconds) for its log.
  for (int i = 0; i < 1000 && !std::filesystem::exists(log); ++i)
    usleep(10000);
  EXPECT_EQ(work_.Read("opened.log"), emu.Path() + "readme.txt\n");

  // Without an editor nothing is started (the file itself would be taken for the program).
  shell.Settings().TextEditor.clear();
  std::filesystem::remove(log);
  shell.ShowMAMETextFile("File0");
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[1].text,
            "No text editor is set.\rPlease choose a text editor in the preferences.");
}

TEST_F(MainShellTest, TextFileSearchFindsTheDirectoryWithoutRegardToCaseAndFollowsNoLinks) {
  TempDir emu;
  emu.Write("Mame/readme.txt", "");
  std::filesystem::create_directory_symlink(emu / "Mame", emu / "Mame/loop");
  std::filesystem::create_directory_symlink(emu / "Mame", emu / "Mame/again");
  MainShell shell(ui_, view_, Names());
  shell.Database().EmulatorDir = emu.Path() + "MAME/";
  shell.BuildTextFilesMenu();
  EXPECT_EQ(view_.text_files, std::vector<std::string>{emu.Path() + "Mame/readme.txt"});
}

TEST_F(MainShellTest, OpeningAProfileLoadsItEntersTheEmulatorDirectoryAndRemembersIt) {
  TempDir emu;
  GameDatabase made;
  made.EmulatorDir = emu.Path();
  made.EmulatorExe = "mame";
  made.EmulatorVersion = "M.A.M.E. v0.37 BETA 5";
  GameEntry pacman;
  pacman.Name = "PACMAN";
  made.AddGame(pacman);
  ProfileFileContext context;
  ASSERT_TRUE(SaveProfile(made, home_ / "Demo.ksl", ui_, context));

  MainShell shell(ui_, view_, Names());
  shell.FormCreate();
  shell.FormShow({home_ / "Demo.ksl"});
  EXPECT_TRUE(ui_.messages.empty()) << ui_.messages[0].text;
  EXPECT_TRUE(shell.Database().ProfileLoaded);
  EXPECT_EQ(shell.Database().GameCount(), 1u);
  EXPECT_EQ(view_.titles.back(), "Kestrelwing - [M.A.M.E. v0.37 BETA 5]");
  EXPECT_EQ(std::filesystem::current_path().string() + "/", emu.Path());
  EXPECT_EQ(shell.Settings().LastProfile, home_ / "Demo.ksl");
  EXPECT_EQ(view_.reopen[0], UpperCase(home_ / "Demo.ksl"));
  EXPECT_TRUE(view_.states.back());
  EXPECT_FALSE(ui_.progress_visible);
}

TEST_F(MainShellTest, ARelativeProfilePathIsKeptAsAFullPath) {
  TempDir emu;
  GameDatabase made;
  made.EmulatorDir = emu.Path();
  GameEntry game;
  game.Name = "MSPACMAN";
  made.AddGame(game);
  ASSERT_TRUE(SaveProfile(made, work_ / "rel.ksl", ui_, ProfileFileContext{}));
  MainShell shell(ui_, view_, Names());
  shell.FormCreate();
  shell.FormShow({"rel.ksl"});  // relative to the directory the program started in
  ASSERT_TRUE(shell.Database().ProfileLoaded);
  EXPECT_EQ(shell.Settings().LastProfile, work_ / "rel.ksl");
}

TEST_F(MainShellTest, AMissingProfileOffersANewOne) {
  MainShell shell(ui_, view_, Names());
  shell.FormCreate();
  ui_.answers = {MsgAnswer::No};
  shell.Profiles().OpenProfile("/nowhere/Mame.ksl");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "Cannot find /nowhere/Mame.ksl profile!\rDo you want to create a new profile?\r");
  EXPECT_EQ(ui_.messages[0].buttons, MsgButtons::YesNo);
  EXPECT_FALSE(shell.Database().ProfileLoaded);
  EXPECT_EQ(view_.titles.back(), "Kestrelwing - no profile loaded");
}

}  // namespace
}  // namespace kw
