#include "core/browser/game_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

struct G {
  const char* name;
  const char* description;
  const char* manufacturer = "Maker";
  std::uint16_t year = 1980;
};

GameDatabase Games(const std::vector<G>& games) {
  GameDatabase db;
  std::uint16_t index = 0;
  for (const G& g : games) {
    GameEntry e;
    e.Index = index++;
    e.Name = g.name;
    e.Description = g.description;
    e.Manufacturer = g.manufacturer;
    e.Year = g.year;
    db.AddGame(e);
  }
  db.ProfileLoaded = true;
  return db;
}

std::string Names(const GameDatabase& db) {
  std::string names;
  for (const GameRecord& g : db.Games())
    names += (names.empty() ? "" : " ") + g.Name.Str();
  return names;
}

TEST(GameListTest, EveryKeyInBothDirections) {
  const std::vector<G> games = {{"B", "apple", "zeta", 1990},
                                {"A", "Zebra", "Alpha", 1975},
                                {"C", "Zebr", "alpha", 0},
                                {"D",
                                 "\xe9"
                                 "clair",
                                 "Beta", 1982}};
  PlayStats stats("/nonexistent/STATS.INI");
  stats.RecordPlay("C", 0, 0, 1);
  stats.RecordPlay("C", 0, 0, 1);
  stats.RecordPlay("D", 0, 0, 1);
  struct Case {
    int key;
    const char* forward;
    const char* reverse;
  };
  // Byte order: upper case before lower, a prefix first, bytes above 127 last. Most played
  // puts more plays first; Z ... A turns every order round, parse order included.
  for (const Case& c :
       {Case{kSortNone, "B A C D", "D C A B"}, Case{kSortDescription, "C A B D", "D B A C"},
        Case{kSortManufacturer, "A D C B", "B C D A"}, Case{kSortYear, "C A D B", "B D A C"},
        Case{kSortMostPlayed, "C D B A", "B A D C"}}) {
    GameDatabase db = Games(games);
    SortGames(db, c.key, false, stats);
    EXPECT_EQ(Names(db), c.forward) << c.key;
    SortGames(db, c.key, true, stats);
    EXPECT_EQ(Names(db), c.reverse) << c.key;
  }
  GameDatabase db = Games(games);
  SortGames(db, 7, false, stats);  // no such key: every game is equal
  EXPECT_EQ(Names(db), "B A C D");
}

TEST(GameListTest, MostPlayedCountsTheFirstRecordOfAName) {
  test::TempDir dir;
  const std::string path = dir.Write("STATS.INI",
                                     "[AAAAAAAAX]\nTotTimes=1\n"  // cut to AAAAAAAA: first
                                     "[AAAAAAAAY]\nTotTimes=9\n"  // same name, ignored
                                     "[BBB]\nTotTimes=5\n");
  PlayStats stats(path);
  stats.LoadStats();
  GameDatabase db = Games({{"AAAAAAAA", "a"}, {"BBB", "b"}, {"CCC", "c"}});
  SortGames(db, kSortMostPlayed, false, stats);
  EXPECT_EQ(Names(db), "BBB AAAAAAAA CCC");
}

TEST(GameListTest, LinesAreNumberedAndCarryTheChosenFields) {
  GameDatabase db = Games({{"ABCD", "Example", "Maker", 1985}});
  EXPECT_EQ(GameListLine(db, 0, {}), "00001 - Example");
  EXPECT_EQ(GameListLine(db, 0, {true, true, true}), "00001 - [ABCD] = Example   (1985 - Maker)");
  EXPECT_EQ(GameListLine(db, 0, {false, true, false}), "00001 - Example   (1985)");
  EXPECT_EQ(GameListLine(db, 0, {false, false, true}), "00001 - Example   (Maker)");

  std::vector<G> many(10000, G{"X", "x"});
  GameDatabase big = Games(many);
  GameListLines lines;
  BuildGameListLines(big, {}, lines);
  ASSERT_EQ(lines.size(), 10000u);
  EXPECT_EQ(lines.Line(8), "00009 - x");
  EXPECT_EQ(lines.Line(9999), "10000 - x");
}

TEST(GameListTest, TypeAheadFollowsTheDescriptions) {
  GameDatabase db = Games(
      {{"A", "Asteroids"}, {"B", "pac-land"}, {"C", "Pac-Man"}, {"D", "Xevious"}, {"E", "Zaxxon"}});
  TypeAhead typed;
  EXPECT_EQ(typed.KeyTyped(db, 'p', 0), 1);  // any letter case
  EXPECT_EQ(typed.KeyTyped(db, 'A', 1), 1);
  EXPECT_EQ(typed.KeyTyped(db, 'c', 1), 1);
  EXPECT_EQ(typed.TypedPrefix(), "PAC");
  // No description starts with PACX: X alone, from the first game.
  EXPECT_EQ(typed.KeyTyped(db, 'x', 1), 3);
  EXPECT_EQ(typed.TypedPrefix(), "X");
  EXPECT_EQ(typed.KeyTyped(db, 'z', 3), 4);  // only the last game
  // Nothing starts with Q: the second line.
  EXPECT_EQ(typed.KeyTyped(db, 'q', 4), 1);
  EXPECT_EQ(typed.KeyTyped(db, '\x7f', 4), -1);

  GameDatabase one = Games({{"A", "Asteroids"}});
  TypeAhead alone;
  EXPECT_EQ(alone.KeyTyped(one, 'q', 0), 0);  // no second line: the selection stays
}

}  // namespace
}  // namespace kw
