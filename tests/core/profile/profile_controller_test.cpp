#include "core/profile/profile_controller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/program.h"
#include "common/ascii.h"
#include "core/profile/listinfo_parser.h"
#include "core/profile/listxml_flow.h"
#include "core/profile/new_profile_form.h"
#include "core/profile/profile_file.h"
#include "platform/system_info.h"
#include "support/recording_views.h"
#include "support/script_emulator.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using test::TempDir;

const std::string kListinfo = KW_TEST_DATA_DIR "/listinfo/listinfo.txt";
const std::string kVersion = "M.A.M.E. v0.37 BETA 5 (test build)";

class ProfileControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = std::filesystem::current_path();
    setenv("KESTRELWING_OPTICAL_DRIVES", "", 1);
    std::filesystem::create_directory(home_ / "PROFILES");
    emulator_ = test::WriteEmulator(emu_, "mame", kVersion, kListinfo);
  }
  void TearDown() override {
    std::filesystem::current_path(old_cwd_);
    unsetenv("KESTRELWING_OPTICAL_DRIVES");
  }
  AppNames Names() const { return AppNames::Compute(home_.Path(), home_.Path()); }

  // The user picks `emulator`, takes the proposed profile name and presses Go.
  void UserChooses(const std::string& emulator) {
    view_.new_profile_user = [emulator](NewProfileForm& form) {
      form.FileName = emulator;
      form.Next();
      return form.Go();
    };
  }

  TempDir home_, emu_;
  std::string emulator_;
  std::filesystem::path old_cwd_;
  test::ScriptedUi ui_;
  test::RecordingViews view_;
};

TEST_F(ProfileControllerTest, TheFirstStartCreatesAProfileThatTheNextStartValidates) {
  // The stand-in emulator, with the test's games as its list.
  const std::string stand_in = emu_ / "standin";
  std::filesystem::copy_file(KW_STAND_IN_EMULATOR, stand_in);
  std::filesystem::copy_file(kListinfo, emu_ / "STANDIN.LST");
  const std::string version =
      "M.A.M.E. v0.37 BETA 5 (Kestrelwing stand-in) - Multiple Arcade Machine Emulator";
  UserChooses(stand_in);
  {
    Program p(ui_, view_.Views(), Names());
    p.shell.FormCreate();
    p.shell.FormShow({});
    ASSERT_EQ(ui_.messages.size(), 3u);  // the welcome, the version question, the success
    EXPECT_EQ(ui_.messages[1].text,
              "The following version of the MAME emulator have been found:\r\r" + version +
                  "\r\rMAME will be now scanned to determine all the available data of the "
                  "supported games.\rThis could take a while. Proceed with profile creation?");
    EXPECT_EQ(ui_.messages[1].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(p.database.ProfileLoaded);
    EXPECT_EQ(p.database.EmulatorExe, "standin");
    EXPECT_EQ(view_.titles.back(), "Kestrelwing - [" + version + "]");
    EXPECT_EQ(p.settings.Values().LastProfile, home_ / "PROFILES/standin.KSL");
    EXPECT_FALSE(view_.lines.empty());
    EXPECT_EQ(std::filesystem::current_path().string() + "/", emu_.Path());
    EXPECT_FALSE(std::filesystem::exists(emu_ / "$KSTEMP$.NFO"));
    EXPECT_EQ(ui_.operations[0], "Getting MAME version...");
    EXPECT_EQ(ui_.operations[1], "Querying MAME...");
    EXPECT_FALSE(ui_.progress_visible);
    EXPECT_FALSE(ui_.busy);
    p.shell.FormDestroy();  // the missing MAME.CFG is made with the options read (defaults)
    EXPECT_NE(emu_.Read("MAME.CFG").find("scanlines=yes"), std::string::npos);
  }
  emu_.Write("MAME.CFG", "# the emulator's own\n[config]\nbeam = 2.5\n");
  ui_.messages.clear();
  {
    Program again(ui_, view_.Views(), Names());
    again.shell.FormCreate();
    again.shell.FormShow({});
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_TRUE(again.database.ProfileLoaded);
    EXPECT_EQ(view_.new_profile_windows, 1);
    EXPECT_FLOAT_EQ(again.emulator_config.Config().config.beam, 2.5f);

    // The emulator replaced by a build that prints another line: refused, and No keeps it so.
    std::filesystem::remove(stand_in);
    test::WriteEmulator(emu_, "standin", "M.A.M.E. v0.38", kListinfo);
    ui_.answers = {MsgAnswer::No};
    again.profiles.OpenProfile(home_ / "PROFILES/standin.KSL");
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text,
              "The emulator executable file has changed:\r\rExpected = " + version +
                  "\rFound    = M.A.M.E. v0.38\r\rThis profile has become "
                  "invalid.\rDo you want to create a new profile?\r");
    EXPECT_EQ(ui_.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_FALSE(again.database.ProfileLoaded);
    EXPECT_TRUE(view_.lines.empty());
    EXPECT_EQ(view_.titles.back(), "Kestrelwing - no profile loaded");
    EXPECT_EQ(view_.new_profile_windows, 1);
    emu_.Write("MAME.CFG", "[config]\n");
    again.shell.FormDestroy();  // the refused profile's file is not written
    EXPECT_EQ(emu_.Read("MAME.CFG"), "[config]\n");
  }
}

// A version capture that cannot be made (a directory stands in its place) is said with the
// file and the reason, at the creation and at the opening alike: the emulator has not changed.
TEST_F(ProfileControllerTest, AVersionCaptureThatCannotBeMadeIsSaidNotTakenForAChange) {
  Program p(ui_, view_.Views(), Names());
  p.shell.FormCreate();
  const std::string profile = home_ / "T.KSL";
  p.profiles.CreateProfileFrom(emulator_, profile);
  ASSERT_TRUE(p.database.ProfileLoaded);
  const std::string capture = emu_ / "$KSTEMP$.NFO";
  std::filesystem::create_directory(capture);
  const std::string failure =
      "Unable to capture the emulator's version in " + capture + ": Is a directory";
  ui_.messages.clear();
  p.profiles.OpenProfile(profile);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            failure + "\r\rThe profile could not be checked and was not opened.");
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Error);
  EXPECT_FALSE(p.database.ProfileLoaded);

  ui_.messages.clear();
  p.profiles.CreateProfileFrom(emulator_, home_ / "U.KSL");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, failure);
  EXPECT_FALSE(std::filesystem::exists(home_ / "U.KSL"));

  // The capture possible again: the same profile opens.
  std::filesystem::remove(capture);
  ui_.messages.clear();
  p.profiles.OpenProfile(profile);
  EXPECT_TRUE(ui_.messages.empty()) << ui_.messages[0].text;
  EXPECT_TRUE(p.database.ProfileLoaded);
}

TEST_F(ProfileControllerTest, TheSystemsEmulatorIsProposedUntilTheUserHasChosenOne) {
  std::string proposed = "unset";
  view_.new_profile_user = [&proposed](NewProfileForm& form) {
    proposed = form.FileName;
    return false;
  };
  Program p(ui_, view_.Views(), Names());
  p.profiles.CreateProfile();
  EXPECT_EQ(proposed, platform::InstalledEmulator()) << "Debian's mame, when installed";

  // With a profile open, the box starts empty as before.
  p.database.EmulatorDir = emu_.Path();
  p.profiles.CreateProfile();
  EXPECT_EQ(proposed, "");

  // The proposal passes the first step like a typed name.
  NewProfileForm form(ui_, "Kestrelwing", home_.Path(), "", home_ / "PROFILES/");
  form.Show(emulator_);
  EXPECT_EQ(form.FileName, emulator_);
  form.Next();
  EXPECT_EQ(form.FileName, home_ / "PROFILES/mame.KSL");
}

TEST_F(ProfileControllerTest, TheWindowKeepsItsStepUntilEachPathIsUsable) {
  NewProfileForm form(ui_, "Kestrelwing", home_.Path(), "", home_ / "PROFILES/");
  form.Show();
  EXPECT_EQ(form.Caption, "Kestrelwing - New emulator file");
  form.FileName = emu_ / "nothing";
  form.Next();
  EXPECT_TRUE(form.InStepOne());
  EXPECT_EQ(ui_.messages.back().text,
            "The specified file does not exist.\rPlease specify an existing file then try again.");

  form.FileName = emulator_;
  form.Next();
  EXPECT_FALSE(form.NextEnabled);
  EXPECT_TRUE(form.GoEnabled);
  EXPECT_EQ(form.FileNameLabel, "Profile file name:");
  form.FileName = home_ / "missing/x.KSL";
  EXPECT_FALSE(form.Go());
  EXPECT_EQ(ui_.messages.back().text,
            "The file cannot be created!\rThis may be due to a non existing path.\rPlease choose "
            "another path.");
  std::filesystem::create_directory(home_ / "taken.KSL");
  form.FileName = home_ / "taken.KSL";
  EXPECT_FALSE(form.Go());
  EXPECT_NE(ui_.messages.back().text.find("read-only attribute"), std::string::npos);

  // An existing profile is tested for writing, not emptied.
  home_.Write("old.KSL", "old profile");
  form.FileName = home_ / "old.KSL";
  EXPECT_TRUE(form.Go());
  EXPECT_EQ(home_.Read("old.KSL"), "old profile");
  form.FileName = home_ / "new.KSL";
  EXPECT_TRUE(form.Go());
  EXPECT_FALSE(std::filesystem::exists(home_ / "new.KSL"));
}

TEST_F(ProfileControllerTest, AProfileWhoseEmulatorIsGoneIsRefused) {
  GameDatabase made;
  made.EmulatorDir = emu_ / "gone/";
  made.EmulatorExe = "mame";
  GameEntry game;
  game.Name = "PACMAN";
  made.AddGame(game);
  ASSERT_TRUE(SaveProfile(made, home_ / "a.KSL", ui_, ProfileFileContext{}).Ok());
  made.EmulatorDir = emu_.Path();
  made.EmulatorExe = "mame_old";
  ASSERT_TRUE(SaveProfile(made, home_ / "b.KSL", ui_, ProfileFileContext{}).Ok());

  Program p(ui_, view_.Views(), Names());
  ui_.answers = {MsgAnswer::No, MsgAnswer::No};
  p.profiles.OpenProfile(home_ / "a.KSL");
  p.profiles.OpenProfile(home_ / "b.KSL");
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text, emu_ / "gone/" +
                                      " directory does not exist! This profile is unusable.\r"
                                      "Do you want to create a new profile?\r");
  EXPECT_EQ(ui_.messages[1].text, emu_ / "mame_old" +
                                      " emulator not found! This profile is unusable.\r"
                                      "Do you want to create a new profile?\r");
  EXPECT_FALSE(p.database.ProfileLoaded);
}

TEST_F(ProfileControllerTest, AHungOrFailedQueryLeavesTheEarlierProfileAsItWas) {
  home_.Write("PROFILES/mame.KSL", "earlier profile");
  Program p(ui_, view_.Views(), Names());
  ui_.end_programs_after_polls = 20;
  p.profiles.SetAnswerLimit(200);

  // A program that never answers is killed at the limit and refused before any question.
  test::WriteScript(emu_, "mame", "exec sleep 60\n");
  UserChooses(emulator_);
  p.profiles.CreateProfile();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, NotAnEmulatorMessage(emu_ / "mame"));

  test::WriteScript(emu_, "mame", "[ \"$1\" = -listinfo ] && exec sleep 60\necho v1\n");
  p.profiles.CreateProfile();
  ASSERT_EQ(ui_.messages.size(), 3u);  // the question, then the failed query
  EXPECT_EQ(ui_.messages[2].text, "Cannot read game info file!");

  // A listinfo with errors that the user does not keep.
  const std::string bad = emu_.Write("bad.txt", "game ( name x bogus 1 )\n");
  test::WriteEmulator(emu_, "mame", "v1", bad);
  ui_.answers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::No};
  p.profiles.CreateProfile();
  EXPECT_EQ(ui_.messages.back().text, kListinfoUseAnywayQuestion);
  EXPECT_FALSE(p.database.ProfileLoaded);
  EXPECT_EQ(home_.Read("PROFILES/mame.KSL"), "earlier profile");
  EXPECT_FALSE(std::filesystem::exists(emu_ / "$KSTEMP$.NFO"));
}

// Today's emulator's list of machines, as small as it comes: a BIOS, a game and its clone.
const char* const kListxml = R"xml(<?xml version="1.0"?>
<mame build="0.251 (unknown)" debug="no" mameconfig="10">
	<machine name="neogeo" sourcefile="neogeo/neogeo.cpp" isbios="yes">
		<description>Neo-Geo MV-6F</description>
		<year>1990</year>
		<manufacturer>SNK</manufacturer>
		<rom name="sp-s2.sp1" bios="euro" size="131072" crc="9036d879" region="mainbios" offset="0"/>
	</machine>
	<machine name="pacman" sourcefile="pacman/pacman.cpp">
		<description>Pac-Man (Midway)</description>
		<year>1980</year>
		<manufacturer>Namco (Midway license)</manufacturer>
		<rom name="pacman.6e" size="4096" crc="c1e6ab10" region="maincpu" offset="0"/>
		<driver status="good" emulation="good" savestate="supported"/>
	</machine>
	<machine name="puckman" sourcefile="pacman/pacman.cpp" cloneof="pacman" romof="pacman">
		<description>Puck Man (Japan set 1)</description>
		<year>1980</year>
		<manufacturer>Namco</manufacturer>
		<rom name="pm1_prg1.6e" size="2048" crc="f36e88ab" region="maincpu" offset="0"/>
		<driver status="good" emulation="good" savestate="supported"/>
	</machine>
</mame>
)xml";
const char* const kTodaysVersion = "0.251 (unknown)";

const GameRecord* FindSet(const GameDatabase& db, std::string_view name) {
  for (const GameRecord& record : db.Games())
    if (EqualNoCase(record.Name.View(), name)) return &record;
  return nullptr;
}

TEST_F(ProfileControllerTest, TodaysEmulatorGivesAProfileOfItsDialect) {
  const std::string today =
      test::WriteTodaysEmulator(emu_, "mame", kTodaysVersion, emu_.Write("list.xml", kListxml));
  Program p(ui_, view_.Views(), Names());
  p.profiles.SetAnswerLimit(5000);
  ui_.end_programs_after_polls = 2000;  // the emulator run without arguments waits for good
  UserChooses(today);
  p.profiles.CreateProfile();
  ASSERT_EQ(ui_.messages.size(), 2u) << ui_.messages.back().text;  // the question, the success
  EXPECT_EQ(ui_.messages[0].text,
            "The following version of the MAME emulator have been found:\r\r" +
                std::string(kTodaysVersion) +
                "\r\rMAME will be now scanned to determine all the available data of the "
                "supported games.\rThis could take a while. Proceed with profile creation?");
  EXPECT_TRUE(p.database.ProfileLoaded);
  EXPECT_EQ(p.database.Dialect, EmulatorDialect::kListxml);
  EXPECT_EQ(p.database.EmulatorDir, emu_.Path());
  EXPECT_EQ(p.database.EmulatorExe, "mame");
  EXPECT_EQ(view_.titles.back(), "Kestrelwing - [0.251 (unknown)]");
  EXPECT_FALSE(std::filesystem::exists(emu_ / "$KSTEMP$.NFO"));

  GameDatabase saved;
  ASSERT_TRUE(LoadProfile(saved, home_ / "PROFILES/mame.KSL", ui_, ProfileFileContext{}).Ok());
  EXPECT_EQ(saved.Dialect, EmulatorDialect::kListxml);
  EXPECT_EQ(saved.EmulatorVersion, kTodaysVersion);
  EXPECT_EQ(saved.GameCount(), 2u);
  EXPECT_EQ(saved.ResourceCount(), 1u);
  const GameRecord* pacman = FindSet(saved, "pacman");
  const GameRecord* puckman = FindSet(saved, "puckman");
  ASSERT_TRUE(pacman && puckman);
  EXPECT_EQ(saved.Description(*pacman), "Pac-Man (Midway)");
  EXPECT_EQ(pacman->Year, 1980);
  EXPECT_TRUE(EqualNoCase(puckman->CloneOf.View(), "pacman"));
  ASSERT_EQ(saved.Roms(*pacman).size(), 1u);
  EXPECT_EQ(saved.Rom(saved.Roms(*pacman)[0]).Crc, 0xc1e6ab10u);
}

TEST_F(ProfileControllerTest, AListOfTodaysEmulatorThatCannotBeReadIsRefusedAndWritesNothing) {
  home_.Write("PROFILES/mame.KSL", "earlier profile");
  const std::string cut = emu_.Write("cut.xml", "<?xml version=\"1.0\"?>\n<mame><machine name=");
  const std::string today = test::WriteTodaysEmulator(emu_, "mame", kTodaysVersion, cut);
  Program p(ui_, view_.Views(), Names());
  ui_.end_programs_after_polls = 2000;
  UserChooses(today);
  p.profiles.CreateProfile();
  ASSERT_EQ(ui_.messages.size(), 2u);  // the question, then the refusal: nothing is offered
  EXPECT_NE(ui_.messages[0].text.find("\r\r0.251 (unknown)\r\r"), std::string::npos);
  EXPECT_EQ(ui_.messages[1].text, kListxmlRefused);
  ASSERT_EQ(ui_.reports.size(), 1u);  // the error log
  EXPECT_FALSE(p.database.ProfileLoaded);
  EXPECT_EQ(home_.Read("PROFILES/mame.KSL"), "earlier profile");
  EXPECT_FALSE(std::filesystem::exists(emu_ / "$KSTEMP$.NFO"));
}

TEST_F(ProfileControllerTest, AProfileOfTodaysEmulatorIsCheckedWithItsOwnVersionQuery) {
  // Run as the era's emulator is (without arguments) it would wait: it must be asked -version.
  test::WriteTodaysEmulator(emu_, "mame", kTodaysVersion, "/dev/null");
  GameDatabase made;
  made.Dialect = EmulatorDialect::kListxml;
  made.EmulatorDir = emu_.Path();
  made.EmulatorExe = "mame";
  made.EmulatorVersion = kTodaysVersion;
  GameEntry game;
  game.Name = "pacman";
  made.AddGame(game);
  ASSERT_TRUE(SaveProfile(made, home_ / "today.KSL", ui_, ProfileFileContext{}).Ok());

  Program p(ui_, view_.Views(), Names());
  ui_.end_programs_after_polls = 20;
  p.profiles.OpenProfile(home_ / "today.KSL");
  EXPECT_TRUE(ui_.messages.empty()) << ui_.messages.front().text;
  EXPECT_TRUE(p.database.ProfileLoaded);
  EXPECT_EQ(ui_.awaited, 0);  // asked directly, not through the interpreter

  test::WriteTodaysEmulator(emu_, "mame", "0.252 (unknown)", "/dev/null");
  ui_.answers = {MsgAnswer::No};
  p.profiles.OpenProfile(home_ / "today.KSL");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "The emulator executable file has changed:\r\rExpected = 0.251 (unknown)\rFound    = "
            "0.252 (unknown)\r\rThis profile has become invalid.\rDo you want to create a new "
            "profile?\r");
  EXPECT_FALSE(p.database.ProfileLoaded);
}

}  // namespace
}  // namespace kw
