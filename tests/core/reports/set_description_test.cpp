#include "core/reports/set_description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/shared/app_names.h"
#include "core/shared/emulator_config.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/game_list_navigation.h"
#include "core/shared/log_line.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;

GameEntry Game(const std::string& name, const std::string& description,
               const std::string& clone_of = "") {
  GameEntry e;
  e.Name = name;
  e.CloneOf = clone_of;
  e.RomOf = clone_of;
  e.Description = description;
  e.Manufacturer = "Corvantis";
  e.Freq = "60";
  e.Width = 256;
  e.Height = 224;
  e.Colors = 256;
  e.Channels = 2;
  e.Players = 1;
  e.Coins = 1;
  e.DipSwitches = 1;
  return e;
}

class SetDescription : public ::testing::Test {
 protected:
  SetDescription() : stats_(dir_ / "STATS.INI") {
    GameEntry moth = Game("MOTH", "Moon Moth");
    moth.Year = 1980;
    moth.Vertical = 1;
    moth.Players = 2;
    moth.Control = kControlJoy8Way;
    moth.Buttons = 1;
    moth.Coins = 2;
    moth.Tilt = 1;
    moth.Service = 1;
    moth.DipSwitches = 5;
    moth.DriverStatus = kDriverGood;
    moth.DriverColor = kDriverPreliminary;
    moth.DriverSound = kDriverImperfect;
    moth.ColorDeep = 1;
    moth.Chips = {{kChipCpu, 0, "Z80", "3072000"},
                  {kChipAudio, 0, "Namco", ""},
                  {kChipCpu, 1, "M6809", "1500000"},
                  {7, 0, "Mystery", ""}};
    moth.Roms = {{"moth.6e", "", "cpu1", kRomFlagNone, 0, 4096, 0xC1FE1234},
                 {"moth.col", "", "proms", kRomFlagDispose, 0x20, 32, 0},
                 {"moth.snd", "", "sound1", kRomFlagSoundOnly, 0x10000, 0x800, 0x1234}};
    db_.AddGame(moth);
    GameEntry mothj = Game("MOTHJ", "Moon Moth (Japan)", "MOTH");
    mothj.Roms = {{"moth.6e", "moth.6e", "cpu1", kRomFlagNone, 0, 4096, 0xC1FE1234},
                  {"mothj.5f", "", "gfx1", kRomFlagNone, 0, 0x1000, 0xABCDEF01}};
    db_.AddGame(mothj);
    db_.AddGame(Game("MOTHB", "Moon Moth (bootleg)", "MOTH"));
    GameEntry loom = Game("LOOM", "Star Loom");
    loom.Raster = 0;
    loom.SampleOf = "LOOM";
    loom.Samples = {"thrust.wav", "fire.wav"};
    loom.Channels = 5;
    db_.AddGame(loom);
    db_.AddGame(Game("LONE", "Lone Clone", "GONE"));
    db_.AddGame(Game("LONG", std::string(300, 'x')));

    stats_.RecordPlay("MOTHJ", 1, 2, 3);
    stats_.RecordPlay("LOOM", 100, 5, 9);
    stats_.RecordPlay("LOOM", 0, 0, 0);

    paths_.History = dir_.Write("HISTORY.DAT",
                                "$info=moth,mothj,\n$bio\nMoon Moth (c) 1980 Corvantis.\n\n$end\n");
    paths_.Mameinfo = dir_.Write("MAMEINFO.DAT", "$info=moth\n$mame\nWIP:\n- colours\n$end\n");
    paths_.Hiscore = dir_.Write("HISCORE.DAT", "moth:\nmothj:\n0:4e88:3:00:00\n0:4e40:1:00:00\n");
    paths_.Cheat = dir_.Write("CHEAT.DAT", "mothj:0:4E0F:03:000:Infinite Lives\n");
  }

  const ReportDocument& Describe(const std::string& name) {
    const DescriptionSources sources{db_, stats_, paths_, "Kestrelwing", dir_.Path(), 10, 8};
    DescribeSet(report_, files_, sources, *db_.FindSet(name, false));
    return report_;
  }
  Lines Texts(const std::string& name) {
    Lines texts;
    for (const ReportLine& line : Describe(name).Lines())
      texts.push_back(line.text);
    return texts;
  }
  // The line of the description that begins with `label`, "" when there is none.
  std::string Line(const std::string& name, const std::string& label) {
    for (const std::string& text : Texts(name)) {
      if (text.starts_with(label)) return text.substr(label.size());
    }
    return "";
  }

  test::TempDir dir_;
  GameDatabase db_;
  PlayStats stats_;
  SupportPaths paths_;
  SupportFiles files_;
  ReportDocument report_;
};

TEST_F(SetDescription, ACloneIsDescribedLineByLine) {
  const ReportDocument& report = Describe("MOTHJ");
  EXPECT_EQ(report.ReportTitle, "Kestrelwing - Detailed romset description");
  EXPECT_EQ(report.SaveName, "MOTHJ_romset");
  EXPECT_EQ(report.SaveDir, dir_.Path());
  EXPECT_EQ(
      Texts("MOTHJ"),
      (Lines{
          "Romset description",
          "",
          "Game: .............[MOTHJ] = Moon Moth (Japan)",
          "Clone of: .........[MOTH] = Moon Moth",
          "Copyright: ........???? - Corvantis",
          "Screen: ...........Raster, horizontal",
          "Resolution: .......256x224, 256 colors, 60Hz",
          "Sound: ............Stereo",
          "Controls: .........1 player, ",
          "Coinage: ..........1 slot",
          "Dip switches: .....1 setting",
          "Driver quality: ...Not available",
          "Color quality: ....Not available, 8 bits",
          "Sound quality: ....Not available",
          "Statistics: .......Played 1 time; total time: 01:02:03",
          "",
          "There are 2 clones of the MOTH master set:",
          "[MOTHJ]    = Moon Moth (Japan) <- this set",
          "[MOTHB]    = Moon Moth (bootleg)",
          "",
          "No chipset informations available",
          "",
          "Rom files (name/crc/size/area/bank):",
          "moth.6e      $C1FE1234     4096 {$00000000..$00000FFF} cpu1 - from master set MOTH",
          "mothj.5f     $ABCDEF01     4096 {$00000000..$00000FFF} gfx1",
          "",
          "No samples used",
          "",
          "This game supports HighScore save using the following memory areas:",
          "CPU=0, Memory area=$4E88..$4E8A, Area delimiters=$00,$00",
          "CPU=0, Memory area=$4E40,        Area delimiters=$00,$00",
          "",
          "Cheats available for this game:",
          "Infinite Lives:                CPU=0, $4E0F=$03 and cannot be changed",
          "",
          "History file entry:",
          "Moon Moth (c) 1980 Corvantis.",
          "",
          "",
          "MAME info file entry:",  // the clone has none of its own: its master's
          "WIP:",
          "- colours",
      }));
  // Title, body and heading fonts where the house style puts them.
  const auto& lines = report.Lines();
  EXPECT_EQ(lines[0].alignment, Alignment::Center);
  EXPECT_EQ(lines[0].font,
            (ReportFont{"Times New Roman", kColorBlack, kStyleBold | kStyleItalic, 14}));
  const ReportFont body{"Courier New", kColorBlack, kStyleRegular, 8};
  const ReportFont heading{"Times New Roman", kColorBlack, kStyleBold, 10};
  EXPECT_EQ(lines[1].alignment, Alignment::Left);
  EXPECT_EQ(lines[1].font, body);
  EXPECT_EQ(lines[16].font, heading);
  EXPECT_EQ(lines[17].font, body);
  EXPECT_EQ(lines[20].font, heading);  // a heading that stands alone leaves its font in force
  EXPECT_EQ(lines[21].font, heading);
  EXPECT_EQ(lines[22].font, heading);
  EXPECT_EQ(lines[23].font, body);
  EXPECT_EQ(lines.back().font, body);
}

TEST_F(SetDescription, AMasterAndItsSupportFiles) {
  const Lines texts = Texts("MOTH");
  EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                          [](const std::string& t) { return t.starts_with("Clone of:"); }),
            0);
  EXPECT_EQ(Line("MOTH", "Copyright: ........"), "1980 - Corvantis");
  EXPECT_EQ(Line("MOTH", "Screen: ..........."), "Raster, vertical");
  EXPECT_EQ(Line("MOTH", "Controls: ........."), "2 players, joystick+1 button each player");
  EXPECT_EQ(Line("MOTH", "Coinage: .........."), "2 slots, TILT supported, service button");
  EXPECT_EQ(Line("MOTH", "Dip switches: ....."), "5 settings");
  EXPECT_EQ(Line("MOTH", "Driver quality: ..."), "Ok");
  EXPECT_EQ(Line("MOTH", "Color quality: ...."), "Preliminary, 16 bits");
  EXPECT_EQ(Line("MOTH", "Sound quality: ...."), "Bugged");
  EXPECT_EQ(Line("MOTH", "Statistics: ......."), "Never played");
  const auto at = [&](const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) - texts.begin();
  };
  // No " <- this set" in a master's family: the master is not one of its clones.
  EXPECT_EQ(texts[at("There are 2 clones of the MOTH master set:") + 1],
            "[MOTHJ]    = Moon Moth (Japan)");
  const auto chips = at("Chipset:");
  EXPECT_EQ(Lines(texts.begin() + chips + 1, texts.begin() + chips + 5),
            (Lines{"CPU: .....Z80, 3072000Hz clock", "Audio: ...Namco",
                   "CPU: .....M6809, 1500000Hz clock (sound)", "Unknown: Mystery"}));
  const auto roms = at("Rom files (name/crc/size/area/bank):");
  EXPECT_EQ(Lines(texts.begin() + roms + 1, texts.begin() + roms + 4),
            (Lines{"moth.6e      $C1FE1234     4096 {$00000000..$00000FFF} cpu1",
                   "moth.col      ????????       32 {$00000020..$0000003F} proms (dispose)",
                   "moth.snd     $00001234     2048 {$00010000..$000107FF} sound1 (sound only)"}));
  // The next set's name line in the high-score file is skipped, its areas listed.
  EXPECT_EQ(texts[at("This game supports HighScore save using the following memory areas:") + 1],
            "CPU=0, Memory area=$4E88..$4E8A, Area delimiters=$00,$00");
  EXPECT_EQ(texts[at("No entry found in cheat file") - 1], "");
  EXPECT_EQ(texts[at("MAME info file entry:") + 1], "WIP:");
}

TEST_F(SetDescription, AVectorGameWithSamplesAndNoEntries) {
  const Lines texts = Texts("LOOM");
  EXPECT_EQ(Line("LOOM", "Screen: ..........."), "Vector, horizontal");
  EXPECT_EQ(Line("LOOM", "Resolution"), "");
  EXPECT_EQ(Line("LOOM", "Sound: ............"), "Polyphonic");
  EXPECT_EQ(Line("LOOM", "Statistics: ......."), "Played 2 times; total time: 100:05:09");
  const Lines expected = {"There are no clones of the LOOM master set",
                          "",
                          "No chipset informations available",
                          "",
                          "No roms used",
                          "",
                          "Sample set:",
                          "thrust.wav   - from sample set LOOM",
                          "fire.wav     - from sample set LOOM",
                          "",
                          "HighScore save for this game is not supported yet",
                          "",
                          "No entry found in cheat file",
                          "",
                          "No entry found in history file",
                          "",
                          "No entry found in mame info file"};
  EXPECT_EQ(Lines(texts.end() - static_cast<long>(expected.size()), texts.end()), expected);
}

TEST_F(SetDescription, LabelsCutsAndMissingMaster) {
  const std::string game = Texts("LONG")[2];
  EXPECT_EQ(game.size(), 255u);
  EXPECT_TRUE(game.starts_with("Game: .............[LONG] = xxx"));
  EXPECT_EQ(Line("LONE", "Clone of: ........."), "[GONE] (game not supported by current profile)");
  // The family of a master that the profile lacks: its clones, this one among them.
  EXPECT_EQ(Line("LONE", "There is "), "1 clone of the GONE master set:");
  EXPECT_EQ(Line("LONE", "[LONE]     = "), "Lone Clone <- this set");
  // Missing support files say nothing of themselves.
  paths_ = {};
  const Lines texts = Texts("MOTHJ");
  EXPECT_EQ(Lines(texts.end() - 8, texts.end()),
            (Lines{"", "HighScore save for this game is not supported yet", "",
                   "No entry found in cheat file", "", "No entry found in history file", "",
                   "No entry found in mame info file"}));
}

TEST_F(SetDescription, ControlsCoinsAndSettingsWords) {
  struct Case {
    int players, control, buttons;
    const char* text;
  };
  for (const Case& c : {Case{1, kControlNone, 3, "1 player, 3 buttons"},
                        Case{4, kControlTrackball, 2, "4 players, trackball+2 buttons each player"},
                        Case{2, kControlDial, 0, "2 players, dial each player"},
                        Case{0, kControlDoubleJoy4Way, 1, "0 players, 2 joysticks+1 button"}}) {
    GameEntry e = Game("CTRL", "Controls");
    e.Players = static_cast<std::uint8_t>(c.players);
    e.Control = static_cast<std::uint8_t>(c.control);
    e.Buttons = static_cast<std::uint8_t>(c.buttons);
    e.Coins = 0;
    e.DipSwitches = 0;
    GameDatabase db;
    db.AddGame(e);
    ReportDocument report;
    DescribeSet(report, files_, {db, stats_, {}, "K", "", 10, 8}, db.Game(0));
    EXPECT_EQ(report.Lines()[7].text, std::string("Controls: .........") + c.text);
    EXPECT_EQ(report.Lines()[8].text, "Coinage: ..........0 slot");
    EXPECT_EQ(report.Lines()[9].text, "Dip switches: .....0 settings");
  }
}

// The support files are read once and their indexes used again while they stay as they are.
TEST_F(SetDescription, SupportFilesAreReadOnceWhileUnchanged) {
  for (const char* name : {"MOTH", "MOTHJ", "LOOM", "MOTHJ"})
    Describe(name);
  EXPECT_EQ(files_.Reads(), 4u);
  // A file of another size is read again.
  dir_.Write("HISTORY.DAT", "$info=moth\n$bio\nNew text.\n$end\n");
  EXPECT_EQ(Line("MOTH", "New"), " text.");
  EXPECT_EQ(files_.Reads(), 5u);
  // And one of the same size with another modification time.
  dir_.Write("HISTORY.DAT", "$info=moth\n$bio\nOld text.\n$end\n");
  std::filesystem::last_write_time(
      paths_.History, std::filesystem::last_write_time(paths_.History) - std::chrono::hours(1));
  EXPECT_EQ(Line("MOTH", "Old"), " text.");
  EXPECT_EQ(files_.Reads(), 6u);
  // A file that went is no longer described, and comes back when it is there again.
  std::filesystem::remove(paths_.History);
  const Lines gone = Texts("MOTH");
  EXPECT_NE(std::find(gone.begin(), gone.end(), "No entry found in history file"), gone.end());
  dir_.Write("HISTORY.DAT", "$info=moth\n$bio\nBack.\n$end\n");
  const Lines back = Texts("MOTH");
  EXPECT_NE(std::find(back.begin(), back.end(), "Back."), back.end());
}

// A profile of today's emulator reads history.xml beside history.dat: the set's own entry in
// either file (history.xml first), then its master's. An era profile never reads it.
TEST_F(SetDescription, TodaysProfileTakesItsHistoryFromHistoryXmlToo) {
  std::vector<std::string> logged;
  SetLogSink([&logged](const std::string& line) { logged.push_back(line); });
  paths_.HistoryXml =
      dir_.Write("history.xml",
                 "<?xml version=\"1.0\"?>\n<history>\n<entry>\n<systems><system name=\"moth\"/>"
                 "<system name=\"mothb\"/></systems>\n<text>\nMoon Moth &amp; its bootleg.\n\n"
                 "It&apos;s &#x263E; night.\n</text>\n</entry>\n</history>\n");
  // The history block: from its heading up to the information file's block.
  const auto history = [this](const std::string& name) {
    const Lines texts = Texts(name);
    auto at = std::find_if(texts.begin(), texts.end(), [](const std::string& t) {
      return t.find("history file") != std::string::npos || t == "History file entry:";
    });
    Lines block;
    for (; at != texts.end() && at->find("info file") == std::string::npos; ++at)
      block.push_back(*at);
    while (!block.empty() && block.back().empty())
      block.pop_back();
    return block;
  };
  const Lines from_xml{"History file entry:", "Moon Moth & its bootleg.", "",
                       "It's \xE2\x98\xBE night."};
  // The era's profile: history.dat alone.
  EXPECT_EQ(history("MOTH"), (Lines{"History file entry:", "Moon Moth (c) 1980 Corvantis."}));
  EXPECT_EQ(history("MOTHB"), (Lines{"History file entry:", "Moon Moth (c) 1980 Corvantis."}));

  db_.Dialect = EmulatorDialect::kListxml;
  EXPECT_EQ(history("MOTH"), from_xml);
  EXPECT_EQ(history("MOTHB"), from_xml);
  // Its own entry in history.dat comes before its master's in history.xml.
  EXPECT_EQ(history("MOTHJ"), (Lines{"History file entry:", "Moon Moth (c) 1980 Corvantis."}));
  EXPECT_EQ(history("LOOM"), Lines{"No entry found in history file"});
  EXPECT_TRUE(logged.empty());

  // A damaged history.xml: one logged line, and history.dat answers alone.
  dir_.Write("history.xml", "<history><entry><systems><system name=\"moth\"/></systems><text>");
  EXPECT_EQ(history("MOTHB"), (Lines{"History file entry:", "Moon Moth (c) 1980 Corvantis."}));
  EXPECT_EQ(history("MOTH"), (Lines{"History file entry:", "Moon Moth (c) 1980 Corvantis."}));
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_EQ(logged[0].rfind(paths_.HistoryXml + ": not well-formed XML at line 1, column ", 0), 0u)
      << logged[0];
  std::filesystem::remove(paths_.HistoryXml);
  EXPECT_EQ(history("MOTHB"), (Lines{"History file entry:", "Moon Moth (c) 1980 Corvantis."}));
  EXPECT_EQ(logged.size(), 1u);
  SetLogSink({});
}

// DetailBTNClick: the game selected in the list, with the hourglass while it is written.
TEST(DescribeController, DescribesTheSelectedGame) {
  struct List : GameListNavigation {
    long selected = 1;
    long SelectedLine() const override { return selected; }
    long LineCount() const override { return 2; }
    void SelectLine(long line) override { selected = line; }
    void PlaySelected() override {}
    void SelectRandomGame() override {}
  } list;
  test::TempDir dir;
  test::ScriptedUi ui;
  FrontEndSettings settings;
  settings.BoldFontSize = 12;
  GameDatabase db;
  db.EmulatorDir = dir.Path();
  dir.Write("CHEAT.DAT", "b:0:1:2:0:Cheat of B\n");
  EmulatorConfigController config(db, "$KSTEMP$");
  PlayStats stats(dir / "STATS.INI");
  const AppNames names = AppNames::Compute(dir.Path(), dir.Path());
  DescribeController describe(ui, settings, db, config, stats, list, names);

  describe.DetailBTNClick();  // no games: nothing at all
  EXPECT_TRUE(ui.events.empty());
  db.AddGame(Game("A", "Game A"));
  db.AddGame(Game("B", "Game B"));
  describe.DetailBTNClick();
  EXPECT_EQ(ui.events, (std::vector<std::string>{"busy on", "busy off", "report"}));
  ASSERT_EQ(ui.reports.size(), 1u);
  EXPECT_EQ(ui.reports[0].SaveName, "B_romset");
  EXPECT_EQ(ui.reports[0].Lines()[0].font.size, 16);
  // The configuration's cheat file, taken from the emulator's directory.
  const auto& lines = ui.reports[0].Lines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                          [](const ReportLine& l) { return l.text.starts_with("Cheat of B:"); }));
  list.selected = -1;
  describe.DetailBTNClick();
  EXPECT_EQ(ui.reports.size(), 1u);
}

}  // namespace
}  // namespace kw
