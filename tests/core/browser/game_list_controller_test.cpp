#include "core/browser/game_list_controller.h"

#include <gtest/gtest.h>

#include <set>

#include "common/ascii.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings_store.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

struct Selections : GameSelectionListener {
  std::vector<long> shown;
  void GameSelected(long position) override { shown.push_back(position); }
};

struct Fixture {
  test::TempDir dir;
  test::ScriptedUi ui;
  SettingsStore settings{dir.Path() + "KESTREL.INI"};
  GameDatabase database;
  PlayStats stats{dir.Path() + "STATS.INI"};
  platform::Joystick joystick;
  test::RecordingViews view;
  Selections selections;
  GameListController list{ui, settings, database, stats, joystick, view, selections};

  void Open(std::initializer_list<const char*> descriptions) {
    for (const char* d : descriptions) {
      GameEntry e;
      e.Index = static_cast<std::uint16_t>(database.GameCount());
      e.Name = AsciiUpperCase(std::string_view(d).substr(0, 3));
      e.Description = d;
      database.AddGame(e);
    }
    database.ProfileLoaded = true;
    list.ProfileOpened();
  }
};

TEST(GameListControllerTest, ASortChoiceIsShownSavedAndApplied) {
  Fixture f;
  f.settings.Values().DXGameSelect = true;
  f.list.ShowSettings();
  EXPECT_EQ(f.view.sort_by, 1);
  EXPECT_TRUE(f.view.joystick);
  f.Open({"Gamma", "Alpha", "Beta"});
  EXPECT_EQ(f.view.lines,
            (std::vector<std::string>{"00001 - Alpha", "00002 - Beta", "00003 - Gamma"}));
  EXPECT_EQ(f.ui.operations, (std::vector<std::string>{"Sorting games...", "Updating list..."}));

  f.view.selected = 2;
  f.list.SetSortDirection(true);
  EXPECT_EQ(f.view.lines.front(), "00001 - Gamma");
  EXPECT_EQ(f.view.selected, 0);  // the first line, shown in the quick information
  EXPECT_EQ(f.selections.shown.back(), 0);
  f.list.SetSortKey(0);
  EXPECT_EQ(f.view.sort_by, 0);
  EXPECT_TRUE(f.view.reverse);
  EXPECT_EQ(f.view.lines.front(), "00001 - Beta");  // parse order, reversed
  SettingsStore saved(f.settings.Path());
  saved.Load("");
  EXPECT_EQ(saved.Values().SortBy, 0);
  EXPECT_TRUE(saved.Values().ReverseSort);
}

TEST(GameListControllerTest, OpeningSelectsTheLastSelectedGame) {
  Fixture f;
  f.settings.Values().LastSelected = "BET";
  f.Open({"Alpha", "Beta"});
  EXPECT_EQ(f.view.selected, 1);
  EXPECT_EQ(f.selections.shown, std::vector<long>{1});

  Fixture other;
  other.settings.Values().LastSelected = "bet";  // names match exactly
  other.Open({"Alpha", "Beta"});
  EXPECT_EQ(other.view.selected, 0);
}

TEST(GameListControllerTest, KeysSearchOrPlayAndRandomStaysInTheList) {
  Fixture f;
  f.Open({"Alpha", "Beta", "Gamma"});
  f.list.GamesListKeyPress('g');
  EXPECT_EQ(f.view.selected, 2);
  f.list.GamesListKeyPress('\r');
  EXPECT_EQ(f.view.runs, std::vector<long>{2});

  f.list.SeedRandom(7);
  std::set<long> seen;
  for (int i = 0; i < 200; ++i) {
    f.list.SelectRandomGame();
    seen.insert(f.view.selected);
  }
  EXPECT_EQ(seen, (std::set<long>{0, 1, 2}));
}

TEST(GameListControllerTest, WithoutAProfileNothingMoves) {
  Fixture f;
  GameEntry e;
  e.Description = "Rejected";
  f.database.AddGame(e);  // a refused profile's games stay in the database, unshown
  f.list.FillGameList();
  f.list.GamesListKeyPress('r');
  f.list.SelectRandomGame();
  f.list.PlaySelected();
  EXPECT_TRUE(f.view.lines.empty());
  EXPECT_TRUE(f.view.runs.empty());
  EXPECT_TRUE(f.selections.shown.empty());
}

}  // namespace
}  // namespace kw
