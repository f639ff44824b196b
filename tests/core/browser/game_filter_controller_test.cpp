#include "core/browser/game_filter_controller.h"

#include <gtest/gtest.h>

#include <set>

#include "core/audit/set_status_controller.h"
#include "core/browser/search.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "core/shared/log_line.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings_store.h"
#include "platform/fs.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

struct Selections : GameSelectionListener {
  std::vector<long> shown;
  void GameSelected(long position) override { shown.push_back(position); }
};

struct Menus : GameFilterView {
  FilterSettings ticks;
  std::vector<CategoryGroup> groups;
  bool enabled = false;
  void ShowFilters(const FilterSettings& f) override { ticks = f; }
  void ShowCategories(const std::vector<CategoryGroup>& g) override { groups = g; }
  void SetFiltersEnabled(bool e) override { enabled = e; }
};

struct SearchWindow : SearchView {
  std::string text;
  bool RunSearchWindow(SearchForm& form) override {
    form.Text2find = text;
    return true;
  }
  void SetNextMatchEnabled(bool) override {}
};

// Games a, a clone of each, and a game of another maker, listed by description.
struct Fixture {
  test::TempDir home;
  test::TempDir emulator;
  test::ScriptedUi ui;
  AppNames names = AppNames::Compute(home.Path(), home.Path());
  SettingsStore settings{names.SettingsPath};
  GameDatabase database;
  PlayStats stats{names.StatsPath};
  platform::Joystick joystick;
  test::RecordingViews view;
  Selections selections;
  Menus menus;
  SetStatusController set_status{database, names};
  GameListController list{ui, settings, database, stats, joystick, view, selections};
  GameFilterController filters{ui, settings, database, set_status, names, list, menus};
  SearchWindow search_window;
  SearchController search{ui, database, list, search_window};

  void Add(const char* name, const char* clone_of, const char* description) {
    GameEntry e;
    e.Index = static_cast<std::uint16_t>(database.GameCount() + 1);
    e.Name = name;
    e.CloneOf = clone_of;
    e.Description = description;
    e.DriverStatus = kDriverGood;
    database.AddGame(e);
  }
  void Open() {
    Add("galaxian", "", "Galaxian");
    Add("superg", "galaxian", "Super Galaxians");
    Add("pacman", "", "Pac-Man");
    Add("puckmod", "pacman", "PuckMan (modified)");
    Add("digdug", "", "Dig Dug");
    Add("gallag", "galaxian", "Gallag");
    database.EmulatorDir = emulator.Path();
    database.ProfilePath = emulator / "TEST.KSL";
    database.ProfileLoaded = true;
    list.SetFilter(&filters);
    set_status.ProfileOpened();
    filters.ProfileOpened();
    list.ProfileOpened();
    filters.ProfileStateChanged(true);
  }
  std::string SelectedName() const {
    const long position = list.SelectedGame();
    return position < 0 ? "" : database.Game(static_cast<std::size_t>(position)).Name.Str();
  }
};

TEST(GameFilterControllerTest, AFilteredListIsNumberedAndMovedThroughAsItIsShown) {
  Fixture f;
  f.Open();
  ASSERT_EQ(f.view.lines.size(), 6u);
  EXPECT_EQ(f.view.lines[1], "00002 - Galaxian");  // no filter: as it always was
  EXPECT_TRUE(f.menus.enabled);

  f.view.selected = 3;  // Pac-Man
  f.filters.SetTick(FilterTick::kNoClones, true);
  EXPECT_EQ(f.view.lines,
            (std::vector<std::string>{"00001 - Dig Dug", "00002 - Galaxian", "00003 - Pac-Man"}));
  EXPECT_TRUE(f.menus.ticks.HideClones);
  EXPECT_EQ(f.SelectedName(), "pacman");  // still shown: still selected
  EXPECT_EQ(f.view.selected, 2);
  EXPECT_EQ(f.selections.shown.back(), f.database.FindGamePosition("pacman"));
  EXPECT_EQ(f.list.LineCount(), 3);

  // Type-ahead finds shown games only; "Gallag" is a clone, so G finds Galaxian.
  f.list.GamesListKeyPress('g');
  EXPECT_EQ(f.SelectedName(), "galaxian");
  f.list.GamesListKeyPress('\r');
  EXPECT_EQ(f.view.runs, std::vector<long>{1});  // the line; the launch asks SelectedGame
  EXPECT_EQ(f.list.SelectedGame(), f.database.FindGamePosition("galaxian"));

  // The random choice stays in the shown list.
  f.list.SeedRandom(3);
  std::set<std::string> seen;
  for (int i = 0; i < 100; ++i) {
    f.list.SelectRandomGame();
    seen.insert(f.SelectedName());
  }
  EXPECT_EQ(seen, (std::set<std::string>{"digdug", "galaxian", "pacman"}));

  // A search matches shown lines, and F3 selects them.
  f.search_window.text = "GA";
  f.search.GameOPTClick();
  EXPECT_EQ(f.search.Matches(), std::vector<long>{2});  // Galaxian, not Gallag
  EXPECT_EQ(f.SelectedName(), "galaxian");

  // The joystick moves through the lines: the last line is the last shown game.
  f.list.SelectLine(f.list.LineCount() - 1);
  EXPECT_EQ(f.SelectedName(), "pacman");

  // A hidden game named LastSelected selects the first line.
  f.settings.Values().LastSelected = "superg";
  f.list.SelectLastSelected();
  EXPECT_EQ(f.view.selected, 0);

  // Sorting again keeps the filter.
  f.list.SetSortDirection(true);
  EXPECT_EQ(f.view.lines.front(), "00001 - Pac-Man");
  ASSERT_EQ(f.view.lines.size(), 3u);

  f.filters.ShowAllGames();
  EXPECT_EQ(f.view.lines.size(), 6u);
  EXPECT_FALSE(f.menus.ticks.On());
}

TEST(GameFilterControllerTest, FavouritesAreToggledKeptAndFiltered) {
  Fixture f;
  f.home.Write(
      platform::fs::ExtractFileName(FavouritesPath(f.home.Path(), f.emulator / "TEST.KSL")),
      "digdug\nnot a name\n");
  std::vector<std::string> logged;
  const LogSink before = SetLogSink([&](const std::string& line) { logged.push_back(line); });
  f.Open();
  SetLogSink(before);
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_NE(logged[0].find("1 lines that are no set name were skipped"), std::string::npos);

  f.list.SelectLine(3);  // Pac-Man
  EXPECT_FALSE(f.filters.SelectedIsFavourite());
  f.filters.ToggleFavourite();
  EXPECT_TRUE(f.filters.SelectedIsFavourite());
  EXPECT_EQ(f.home.Read(platform::fs::ExtractFileName(f.filters.FavouritesFile())),
            "; Favourite games: one set name a line\ndigdug\npacman\n");

  f.filters.SetTick(FilterTick::kFavourites, true);
  EXPECT_EQ(f.view.lines, (std::vector<std::string>{"00001 - Dig Dug", "00002 - Pac-Man"}));
  EXPECT_EQ(f.view.shown_count, "2 of 6 games shown");
  // No longer a favourite: it leaves the list.
  f.filters.ToggleFavourite();
  EXPECT_EQ(f.view.lines, (std::vector<std::string>{"00001 - Dig Dug"}));
  EXPECT_EQ(f.SelectedName(), "digdug");
}

TEST(GameFilterControllerTest, CategoriesComeFromTheEmulatorsCatverAndStatusesFromChecks) {
  Fixture f;
  f.emulator.Write("CATVER.INI",
                   "[Category]\ngalaxian=Shooter / Flying Vertical\ngallag=Shooter / Flying "
                   "Vertical\npacman=Maze / Collect\ndigdug=Maze / Digging\nother=Puzzle\n"
                   "[VerAdded]\npacman=.37b5\n");
  f.home.Write("catver.ini", "[Category]\npacman=Sports\n");  // the emulator's comes first
  f.Open();
  EXPECT_EQ(f.menus.groups,
            (std::vector<CategoryGroup>{{"Maze", {"Maze / Collect", "Maze / Digging"}},
                                        {"Shooter", {"Shooter / Flying Vertical"}}}));
  f.filters.SetCategory("Maze");
  EXPECT_EQ(f.view.lines, (std::vector<std::string>{"00001 - Dig Dug", "00002 - Pac-Man"}));
  EXPECT_EQ(f.menus.ticks.Category, "Maze");
  SettingsStore saved(f.names.SettingsPath);
  saved.Load("");
  EXPECT_EQ(saved.Filters().Category, "Maze");

  // Available only: a set never judged is not available; a check brings the list up to date.
  f.filters.SetTick(FilterTick::kAvailable, true);
  EXPECT_TRUE(f.view.lines.empty());
  EXPECT_EQ(f.view.shown_count, "0 of 6 games shown");
  f.list.SelectRandomGame();  // nothing to choose from
  f.list.GamesListKeyPress('p');
  EXPECT_EQ(f.list.SelectedGame(), -1);
  ASSERT_TRUE(
      f.set_status.Keep({{"pacman", AuditVerdict::kGood}, {"digdug", AuditVerdict::kBad}}, true));
  f.filters.StatusesChanged();
  EXPECT_EQ(f.view.lines, (std::vector<std::string>{"00001 - Pac-Man"}));
}

}  // namespace
}  // namespace kw
