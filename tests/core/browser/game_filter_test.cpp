#include "core/browser/game_filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/browser/catver.h"
#include "core/browser/favourites.h"
#include "core/browser/game_list.h"
#include "core/shared/game_database.h"
#include "core/shared/settings_store.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

struct Game {
  const char* name;
  const char* clone_of = "";
  std::uint8_t driver = kDriverGood;
  std::uint8_t machine = 0;
};

GameDatabase Database(std::initializer_list<Game> games) {
  GameDatabase db;
  for (const Game& g : games) {
    GameEntry e;
    e.Index = static_cast<std::uint16_t>(db.GameCount() + 1);
    e.Name = g.name;
    e.CloneOf = g.clone_of;
    e.Description = std::string("Game ") + g.name;
    e.DriverStatus = g.driver;
    e.Machine = g.machine;
    db.AddGame(e);
  }
  return db;
}

std::vector<std::string> Names(const GameDatabase& db, const ShownGames& shown) {
  std::vector<std::string> names;
  for (std::size_t line = 0; line < shown.size(); ++line)
    names.push_back(
        db.Game(static_cast<std::size_t>(shown.Position(static_cast<long>(line)))).Name.Str());
  return names;
}

using Names_ = std::vector<std::string>;

TEST(GameFilterTest, EachTickHidesItsGamesAndTheyCombine) {
  const GameDatabase db = Database({
      {"pacman"},
      {"puckmod", "pacman"},
      {"neogeo", "", kDriverGood, kMachineBios},
      {"namco51", "", kDriverGood, kMachineDevice},
      {"pinball", "", kDriverGood, kMachineMechanical},
      {"broken", "", kDriverPreliminary},
      {"glitchy", "", kDriverImperfect},
  });
  Favourites favourites;
  favourites.Parse("PACMAN\nbroken\n");
  CategoryIndex categories;
  categories.Parse(
      "[Category]\npacman=Maze / Collect\npuckmod=Maze / Collect\npinball=Pinball\n"
      "broken=Maze / Digging\n");
  std::set<std::string> good{"pacman", "pinball", "glitchy"};
  FilterFacts facts;
  facts.available = [&](std::string_view name) { return good.count(std::string(name)) != 0; };
  facts.favourites = &favourites;
  facts.categories = &categories;

  auto shown_with = [&](auto set) {
    FilterSettings filters;
    set(filters);
    ShownGames shown;
    ChooseShownGames(db, filters, facts, shown);
    return Names(db, shown);
  };
  EXPECT_EQ(shown_with([](FilterSettings& f) { f.HideClones = true; }),
            (Names_{"pacman", "neogeo", "namco51", "pinball", "broken", "glitchy"}));
  EXPECT_EQ(shown_with([](FilterSettings& f) { f.HideBios = true; }),
            (Names_{"pacman", "puckmod", "pinball", "broken", "glitchy"}));
  EXPECT_EQ(shown_with([](FilterSettings& f) { f.HideMechanical = true; }),
            (Names_{"pacman", "puckmod", "neogeo", "namco51", "broken", "glitchy"}));
  EXPECT_EQ(shown_with([](FilterSettings& f) { f.WorkingOnly = true; }),
            (Names_{"pacman", "puckmod", "neogeo", "namco51", "pinball"}));
  EXPECT_EQ(shown_with([](FilterSettings& f) { f.FavouritesOnly = true; }),
            (Names_{"pacman", "broken"}));
  EXPECT_EQ(shown_with([](FilterSettings& f) { f.AvailableOnly = true; }),
            (Names_{"pacman", "pinball", "glitchy"}));
  // A main category takes its sub-categories, a full one only itself; case aside.
  EXPECT_EQ(shown_with([](FilterSettings& f) { f.Category = "maze"; }),
            (Names_{"pacman", "puckmod", "broken"}));
  EXPECT_EQ(shown_with([](FilterSettings& f) { f.Category = "Maze / Collect"; }),
            (Names_{"pacman", "puckmod"}));
  EXPECT_EQ(shown_with([](FilterSettings& f) { f.Category = "Maz"; }), Names_{});
  // Every tick at once: what passes each.
  EXPECT_EQ(shown_with([](FilterSettings& f) {
              f.AvailableOnly = f.WorkingOnly = f.HideClones = f.HideBios = f.HideMechanical = true;
              f.Category = "Maze";
            }),
            Names_{"pacman"});

  // Without the facts, nothing is available, a favourite or of a category.
  FilterSettings only_available;
  only_available.AvailableOnly = true;
  ShownGames shown;
  ChooseShownGames(db, only_available, FilterFacts{}, shown);
  EXPECT_EQ(shown.size(), 0u);
  EXPECT_EQ(ShownCountText(shown), "0 of 7 games shown");
}

TEST(GameFilterTest, WithoutAFilterEveryLineIsItsGamesPosition) {
  const GameDatabase db = Database({{"b"}, {"a"}, {"c"}});
  ShownGames shown;
  ChooseShownGames(db, FilterSettings{}, FilterFacts{}, shown);
  EXPECT_FALSE(shown.Filtered());
  EXPECT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown.Position(2), 2);
  EXPECT_EQ(shown.LineOf(1), 1);
  EXPECT_EQ(shown.Position(3), -1);
  EXPECT_EQ(ShownCountText(shown), "");

  FilterSettings no_clones;
  no_clones.HideClones = true;
  const GameDatabase clones = Database({{"a"}, {"a2", "a"}, {"b"}, {"b2", "b"}, {"c"}});
  ChooseShownGames(clones, no_clones, FilterFacts{}, shown);
  EXPECT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown.Position(1), 2);  // line 2 shows "b"
  EXPECT_EQ(shown.LineOf(4), 2);
  EXPECT_EQ(shown.LineOf(3), -1);  // hidden
  EXPECT_EQ(shown.Position(-1), -1);
  EXPECT_EQ(ShownCountText(shown), "3 of 5 games shown");

  // The lines are numbered in the list, and type-ahead searches the shown games only.
  GameListLines lines;
  BuildGameListLines(clones, shown, ListingOptions{true, false, false}, lines);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines.Line(0), "00001 - [a] = Game a");
  EXPECT_EQ(lines.Line(1), "00002 - [b] = Game b");
  EXPECT_EQ(lines.Line(2), "00003 - [c] = Game c");
  EXPECT_EQ(FindDescriptionPrefix(clones, shown, "GAME B2"), -1);
  EXPECT_EQ(FindDescriptionPrefix(clones, shown, "GAME C"), 2);
  TypeAhead typed;
  EXPECT_EQ(typed.KeyTyped(clones, shown, 'x', 0), 1);  // nothing: the second line
}

TEST(CatverTest, ReadsTheCategorySectionOnly) {
  CategoryIndex index;
  index.Parse(
      ";; catver.ini of a test\r\n"
      "[FOLDER_SETTINGS]\r\nRootFolderIcon=mame\r\n"
      "[Category]\r\n"
      "pacman=Maze / Collect\r\n"
      "  galaga = Shooter / Flying Vertical  \r\n"
      "PACMAN=Sports\r\n"  // the first entry of a name wins
      "\r\n"
      "[VerAdded]\r\n"
      "pacman=.37b5\r\n"
      "dkong=.37b5\r\n");
  EXPECT_EQ(index.Size(), 2u);
  EXPECT_EQ(index.CategoryOf("PacMan"), "Maze / Collect");
  EXPECT_EQ(index.CategoryOf("galaga"), "Shooter / Flying Vertical");
  EXPECT_EQ(index.CategoryOf("dkong"), "");
  EXPECT_EQ(index.Categories(),
            (std::vector<std::string>{"Maze / Collect", "Shooter / Flying Vertical"}));
  EXPECT_EQ(index.SkippedLines(), 0u);
  EXPECT_EQ(MainCategory("Shooter / Flying Vertical"), "Shooter");
  EXPECT_EQ(MainCategory("Pinball"), "Pinball");
  EXPECT_TRUE(CategoryMatches("Shooter / Flying Vertical * Mature *", "shooter"));
  EXPECT_FALSE(CategoryMatches("Shooters", "Shooter"));
  EXPECT_FALSE(CategoryMatches("", "Shooter"));
}

TEST(CatverTest, BadLinesAreSkippedCountedAndNeverTaken) {
  CategoryIndex index;
  index.Parse(std::string("[Category]\n"
                          "no equals sign\n"  // 2
                          "=Nameless\n"       // 3
                          "emptycat=\n"       // 4
                          "two words=Maze\n"  // 5
                          "ok=Maze\n"
                          "ctrl=Ma\x01ze\n"   // 7
                          "[Broken header\n"  // 8
                          "after=Maze\n") +   // in no section the list reads
              std::string(100, 'x') +
              "=Maze\n");
  EXPECT_EQ(index.Size(), 1u);
  EXPECT_EQ(index.CategoryOf("ok"), "Maze");
  EXPECT_EQ(index.CategoryOf("after"), "");
  EXPECT_EQ(index.SkippedLines(), 6u);
  EXPECT_EQ(index.FirstSkippedLine(), 2u);

  // Any bytes: no more entries than lines.
  std::string junk;
  for (int i = 0; i < 4096; ++i)
    junk.push_back(static_cast<char>((i * 37 + 11) % 256));
  index.Parse("[Category]\n" + junk);
  EXPECT_LE(index.Size() + index.SkippedLines(),
            static_cast<std::size_t>(std::count(junk.begin(), junk.end(), '\n')) + 2);

  test::TempDir dir;
  EXPECT_TRUE(index.Load(dir / "missing.ini"));
  EXPECT_EQ(index.Size(), 0u);
}

TEST(FavouritesTest, KeptSortedReadBackAndBadLinesSkipped) {
  test::TempDir dir;
  const std::string path = FavouritesPath(dir.Path(), "/games/today.ksl");
  EXPECT_EQ(path.substr(dir.Path().size(), 6), "TODAY-");
  EXPECT_EQ(path.substr(path.size() - 4), ".FAV");

  Favourites favourites;
  EXPECT_TRUE(favourites.Load(path));  // none yet
  EXPECT_TRUE(favourites.Toggle("PACMAN"));
  EXPECT_TRUE(favourites.Toggle("galaga"));
  EXPECT_TRUE(favourites.Toggle("dkong"));
  EXPECT_FALSE(favourites.Toggle("DKong"));  // any case: the same set
  ASSERT_TRUE(favourites.Save(path));
  EXPECT_EQ(dir.Read(path.substr(dir.Path().size())),
            "; Favourite games: one set name a line\ngalaga\npacman\n");

  Favourites again;
  ASSERT_TRUE(again.Load(path));
  EXPECT_EQ(again.Size(), 2u);
  EXPECT_TRUE(again.Contains("Pacman"));
  EXPECT_FALSE(again.Contains("dkong"));

  again.Parse("; remark\r\npacman\r\ntwo words\n" + std::string(80, 'n') + "\nctrl\x7f\n\n");
  EXPECT_EQ(again.Size(), 1u);
  EXPECT_EQ(again.SkippedLines(), 3u);
}

TEST(FilterSettingsTest, TheSectionIsWrittenOnlyWhileAFilterIsOn) {
  test::TempDir dir;
  const std::string before = "; mine\r\n[Sort]\r\nSortBy=2\r\n";
  dir.Write("KESTREL.INI", before);
  SettingsStore store(dir / "KESTREL.INI");
  store.Load("");
  ASSERT_TRUE(store.Save());
  const std::string saved = dir.Read("KESTREL.INI");
  EXPECT_EQ(saved.find("Filters"), std::string::npos);

  store.Filters().HideClones = true;
  store.Filters().Category = "Shooter / Flying Vertical";
  ASSERT_TRUE(store.Save());
  const std::string on = dir.Read("KESTREL.INI");
  EXPECT_EQ(on.substr(0, saved.size()), saved);  // the other sections stay as they were
  EXPECT_EQ(on.substr(saved.size()),
            "[Filters]\r\nAvailableOnly=0\r\nWorkingOnly=0\r\nHideClones=1\r\nHideBios=0\r\n"
            "HideMechanical=0\r\nFavouritesOnly=0\r\nCategory=Shooter / Flying Vertical\r\n");
  SettingsStore read(dir / "KESTREL.INI");
  read.Load("");
  EXPECT_EQ(read.Filters(), store.Filters());

  store.Filters() = FilterSettings{};
  ASSERT_TRUE(store.Save());
  EXPECT_EQ(dir.Read("KESTREL.INI"), saved);
}

}  // namespace
}  // namespace kw
