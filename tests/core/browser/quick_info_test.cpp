#include "core/browser/quick_info.h"

#include <gtest/gtest.h>

#include "core/audit/set_status.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"

namespace kw {
namespace {

enum Line {
  kRomSet,
  kCopyright,
  kScreen,
  kResolution,
  kSound,
  kControls,
  kCoins,
  kDips,
  kDriver,
  kColor,
  kStats = 11,
  kStatus
};

std::array<std::string, kQuickInfoLines> TextsOf(const GameEntry& game,
                                                 const PlayRecord* record = nullptr) {
  GameDatabase db;
  EXPECT_TRUE(db.AddGame(game));
  return QuickInfoTexts(db, db.Game(0), record);
}

GameEntry Pacman() {
  GameEntry g;
  g.Name = "PACMAN";
  g.Year = 1980;
  g.Manufacturer = "Maker";
  g.Vertical = 1;
  g.Width = 224;
  g.Height = 288;
  g.Colors = 16;
  g.Freq = "60.606061";
  g.Channels = 1;
  g.Players = 2;
  g.Control = kControlJoy4Way;
  g.Coins = 2;
  g.DipSwitches = 5;
  g.DriverStatus = kDriverGood;
  g.DriverColor = kDriverImperfect;
  g.DriverSound = kDriverPreliminary;
  return g;
}

TEST(QuickInfo, RasterGameInDisplayOrder) {
  EXPECT_EQ(TextsOf(Pacman()),
            (std::array<std::string, kQuickInfoLines>{
                "PACMAN", "1980 - Maker", "Raster, vertical", "224x288, 16 colors, 60.606061Hz",
                "Mono", "2 players, joystick each player", "2 slots", "5 settings", "Ok",
                "Bugged, 8 bits", "Preliminary", "Never played"}));
  EXPECT_STREQ(kQuickInfoCaptions[kStats], "Statistics:");
}

// Today's emulator lists no colours: its machines show none; the era's 0 stays as it was.
TEST(QuickInfo, ColoursThatAreNotListed) {
  GameEntry g = Pacman();
  g.Colors = 0;
  EXPECT_EQ(TextsOf(g)[kResolution], "224x288, 0 colors, 60.606061Hz");
  GameDatabase db;
  db.Dialect = EmulatorDialect::kListxml;
  ASSERT_TRUE(db.AddGame(g));
  EXPECT_EQ(QuickInfoTexts(db, db.Game(0), nullptr)[kResolution], "224x288, 60.606061Hz");
}

// A machine of today's emulator says its driver's status and the verdict of its last check; the
// era's box has no status line.
TEST(QuickInfo, TodaysMachineSaysItsDriverStatusAndItsVerdict) {
  EXPECT_EQ(TextsOf(Pacman())[kStatus], "");
  GameDatabase db;
  db.Dialect = EmulatorDialect::kListxml;
  GameEntry g = Pacman();
  g.DriverStatus = kDriverImperfect;
  ASSERT_TRUE(db.AddGame(g));
  const auto never = QuickInfoTexts(db, db.Game(0), nullptr, nullptr);
  EXPECT_EQ(never[kDriver], "Bugged");
  EXPECT_EQ(never[kStatus], "Unknown");
  EXPECT_STREQ(kQuickInfoCaptions[kStatus], "Status:");
  const SetStatus checked{AuditVerdict::kGood, 1765280000};
  EXPECT_TRUE(
      QuickInfoTexts(db, db.Game(0), nullptr, &checked)[kStatus].starts_with("Good (checked "));
}

TEST(QuickInfo, CloneVectorUnknownYearAndSixteenBitColour) {
  GameEntry g = Pacman();
  g.CloneOf = "PUCKMAN";
  g.Year = 0;
  g.Raster = g.Vertical = 0;
  g.ColorDeep = 1;
  g.DriverColor = kDriverNone;
  g.Channels = 3;
  const auto texts = TextsOf(g);
  EXPECT_EQ(texts[kRomSet], "PACMAN, clone of PUCKMAN");
  EXPECT_EQ(texts[kCopyright], "???? - Maker");
  EXPECT_EQ(texts[kScreen], "Vector, horizontal");
  EXPECT_EQ(texts[kResolution], "Not available");
  EXPECT_EQ(texts[kSound], "Polyphonic");
  EXPECT_EQ(texts[kColor], "Not available, 16 bits");
}

TEST(QuickInfo, ControlsCoinsAndDipSwitchesPlurals) {
  struct Case {
    std::uint8_t count, control, buttons;
    const char *controls, *coins, *dips;
  };
  const Case cases[] = {
      {1, kControlNone, 0, "1 player, ", "1 slot", "1 setting"},
      {1, kControlNone, 1, "1 player, 1 button", "1 slot", "1 setting"},
      {0, kControlStick, 3, "0 players, analog stick+3 buttons", "0 slot", "0 settings"},
      {2, kControlDial, 1, "2 players, dial+1 button each player", "2 slots", "2 settings"},
      {4, kControlTrackball, 0, "4 players, trackball each player", "4 slots", "4 settings"},
  };
  GameEntry g = Pacman();
  for (const Case& c : cases) {
    g.Players = g.Coins = g.DipSwitches = c.count;
    g.Control = c.control;
    g.Buttons = c.buttons;
    const auto texts = TextsOf(g);
    EXPECT_EQ(texts[kControls], c.controls);
    EXPECT_EQ(texts[kCoins], c.coins);
    EXPECT_EQ(texts[kDips], c.dips);
  }
  g.Tilt = g.Service = 1;
  EXPECT_EQ(TextsOf(g)[kCoins], "4 slots, TILT supported, service button");
  g.Tilt = 0;
  EXPECT_EQ(TextsOf(g)[kCoins], "4 slots, service button");
}

TEST(QuickInfo, PlayStatistics) {
  const PlayRecord none{"PACMAN", 0, 0, 0, 0}, once{"PACMAN", 0, 1, 15, 1},
      often{"PACMAN", 123, 4, 5, 42};
  EXPECT_EQ(TextsOf(Pacman(), &none)[kStats], "Never played");
  EXPECT_EQ(TextsOf(Pacman(), &once)[kStats], "Played 1 time; total time: 00:01:15");
  EXPECT_EQ(TextsOf(Pacman(), &often)[kStats], "Played 42 times; total time: 123:04:05");
}

}  // namespace
}  // namespace kw
