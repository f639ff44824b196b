#include "core/shared/game_database.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

GameEntry Named(const std::string& name, std::uint16_t index = 0) {
  GameEntry r;
  r.Name = name;
  r.Index = index;
  return r;
}

TEST(GameDatabase, FreshRecordHasRasterOneAndEverythingElseEmpty) {
  GameEntry r;
  EXPECT_EQ(r.Raster, 1);
  EXPECT_EQ(r.Vertical, 0);
  EXPECT_EQ(r.Year, 0);
  EXPECT_TRUE(r.Name.empty());
  EXPECT_TRUE(r.Roms.empty());
}

TEST(GameDatabase, RecordsKeepTheirEntriesThroughReorderingAndDroppedRecords) {
  GameDatabase db;
  GameEntry a = Named("A", 1);
  a.Description = "First";
  a.Roms.push_back({"A.1", "", "CPU1", 0, 0, 16, 0x1234});
  a.Chips.push_back({kChipCpu, 0, "Z80", "3072000"});
  a.Samples = {"ONE.WAV", ""};
  GameEntry b = Named("B", 2);
  b.Manufacturer = std::string(300, 'm');  // cut to its width
  b.Roms.push_back({"B.1", "A.1", "", 1, 8, 32, 0x5678});
  ASSERT_TRUE(db.AddGame(a));
  // A record begun and dropped leaves nothing behind.
  db.BeginRecord();
  db.AddRom({"GONE", "", "", 0, 0, 1, 1});
  db.AddSample("GONE.WAV");
  db.DropRecord();
  ASSERT_TRUE(db.AddGame(b));
  db.ReorderGames([](std::vector<GameRecord>& games) { std::swap(games[0], games[1]); });

  b.Manufacturer.resize(kTextWidth);
  EXPECT_EQ(db.Entry(db.Game(0)), b);
  EXPECT_EQ(db.Entry(db.Game(1)), a);
  EXPECT_EQ(db.Description(db.Game(1)), "First");
  ASSERT_EQ(db.Roms(db.Game(0)).size(), 1u);
  EXPECT_EQ(db.Text(db.Roms(db.Game(0))[0].Merge), "A.1");
  EXPECT_EQ(db.Text(db.Samples(db.Game(1))[1]), "");
}

TEST(GameDatabase, FindSetIsExactAndTakesTheFirstMatch) {
  GameDatabase db;
  db.AddGame(Named("PACMAN", 1));
  db.AddGame(Named("GALAXIAN", 2));
  db.AddGame(Named("PACMAN", 3));  // a repeated name: the first one is the answer
  db.AddResource(Named("NEOGEO", 1));
  db.AddResource(Named("GALAXIAN", 9));

  ASSERT_NE(db.FindSet("PACMAN", false), nullptr);
  EXPECT_EQ(db.FindSet("PACMAN", false)->Index, 1);
  EXPECT_EQ(db.FindSet("pacman", true), nullptr) << "names differing in case do not match";
  EXPECT_EQ(db.FindSet("PACMA", true), nullptr);
  EXPECT_EQ(db.FindSet("NEOGEO", false), nullptr) << "resources only when asked";
  ASSERT_NE(db.FindSet("NEOGEO", true), nullptr);
  // A game wins over a resource of the same name.
  EXPECT_EQ(db.FindSet("GALAXIAN", true)->Index, 2);
  EXPECT_EQ(db.FindGamePosition("GALAXIAN"), 1);
}

TEST(GameDatabase, FindSetFollowsResortingAndClearing) {
  GameDatabase db;
  db.AddGame(Named("B", 1));
  db.AddGame(Named("A", 2));
  EXPECT_EQ(db.FindGamePosition("A"), 1);
  db.ReorderGames([](std::vector<GameRecord>& games) { std::swap(games[0], games[1]); });
  EXPECT_EQ(db.FindGamePosition("A"), 0);
  EXPECT_EQ(db.FindSet("B", false), &db.Game(1));
  db.ClearDatabase();
  EXPECT_EQ(db.FindSet("A", true), nullptr);
  EXPECT_EQ(db.GameCount(), 0u);
}

TEST(GameDatabase, A65536thRecordIsRefusedAndNothingWraps) {
  GameDatabase db;
  for (std::size_t i = 0; i < kMaxRecords; ++i)
    ASSERT_TRUE(db.AddGame(Named("G")));
  EXPECT_FALSE(db.AddGame(Named("EXTRA")));
  EXPECT_EQ(db.GameCount(), kMaxRecords);
  EXPECT_EQ(db.FindSet("EXTRA", true), nullptr);
  EXPECT_TRUE(db.AddResource(Named("R"))) << "resources have their own limit";
}

TEST(GameDatabase, CodeTableWords) {
  EXPECT_EQ(ControlWord(kControlNone), "");
  EXPECT_EQ(ControlWord(kControlJoy8Way), "joystick");
  EXPECT_EQ(ControlWord(kControlDoubleJoy4Way), "2 joysticks");
  EXPECT_EQ(ControlWord(kControlStick), "analog stick");
  EXPECT_EQ(DriverWord(kDriverNone), "Not available");
  EXPECT_EQ(DriverWord(kDriverImperfect), "Bugged");
  EXPECT_EQ(DriverWord(kDriverGood), "Ok");
}

}  // namespace
}  // namespace kw
