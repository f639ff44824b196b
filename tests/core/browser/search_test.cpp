#include "core/browser/search.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>

#include "core/shared/game_database.h"
#include "core/shared/game_list_navigation.h"
#include "support/scripted_ui.h"

namespace kw {
namespace {

struct ListStandIn : GameListNavigation {
  long lines = 0;
  long selected = -1;
  std::vector<long> selections;
  long SelectedLine() const override { return selected; }
  long LineCount() const override { return lines; }
  void SelectLine(long line) override {
    selected = line;
    selections.push_back(line);
  }
  void PlaySelected() override {}
  void SelectRandomGame() override {}
};

struct WindowStandIn : SearchView {
  std::deque<std::string> typed;  // what the user types before OK; empty: Cancel
  std::vector<SearchForm> shown;
  bool next_enabled = false;
  bool RunSearchWindow(SearchForm& form) override {
    shown.push_back(form);
    if (typed.empty()) return false;
    form.Text2find = typed.front();
    typed.pop_front();
    return true;
  }
  void SetNextMatchEnabled(bool enabled) override { next_enabled = enabled; }
};

struct Fixture {
  test::ScriptedUi ui;
  GameDatabase db;
  ListStandIn list;
  WindowStandIn window;
  SearchController search{ui, db, list, window};

  void Add(const char* name, const char* clone_of, const char* description, const char* maker) {
    GameEntry e;
    e.Name = name;
    e.CloneOf = clone_of;
    e.Description = description;
    e.Manufacturer = maker;
    db.AddGame(e);
    db.ProfileLoaded = true;
    list.lines = static_cast<long>(db.GameCount());
  }
  Fixture() {
    Add("pacman", "", "Pac-Man", "Namco");
    Add("pacmanm", "pacman", "Pac-Man (Midway)", "Midway");
    Add("mspacman", "", "Ms. Pac-Man", "Midway");
    Add("pacplus", "pacman", "Pac-Man Plus", "Namco");
    Add("galaga", "", "Galaga", "namco");
  }
  std::vector<long> Find(SearchTarget target, SearchMode mode, bool case_sensitive,
                         std::string_view text) {
    return FindMatches(db, target, mode, case_sensitive, text);
  }
};

using V = std::vector<long>;

TEST(SearchTest, EveryTargetAndModeWithAndWithoutCase) {
  Fixture f;
  EXPECT_EQ(f.Find(SearchTarget::Game, SearchMode::StartingWith, false, "pac-man"), (V{1, 2, 4}));
  EXPECT_EQ(f.Find(SearchTarget::Game, SearchMode::StartingWith, true, "pac-man"), V{});
  EXPECT_EQ(f.Find(SearchTarget::Game, SearchMode::Containing, true, "Pac-Man"), (V{1, 2, 3, 4}));
  EXPECT_EQ(f.Find(SearchTarget::Game, SearchMode::Exact, false, "PAC-MAN"), V{1});
  EXPECT_EQ(f.Find(SearchTarget::RomSet, SearchMode::Exact, false, "PACMAN"), V{1});
  EXPECT_EQ(f.Find(SearchTarget::RomSet, SearchMode::Containing, false, "PAC"), (V{1, 2, 3, 4}));
  EXPECT_EQ(f.Find(SearchTarget::Clones, SearchMode::Exact, false, "PACMAN"), (V{2, 4}));
  EXPECT_EQ(f.Find(SearchTarget::Manufacturer, SearchMode::Exact, true, "Namco"), (V{1, 4}));
  EXPECT_EQ(f.Find(SearchTarget::Manufacturer, SearchMode::Exact, false, "Namco"), (V{1, 4, 5}));
  // Leading blanks are searched as typed; a text longer than every field finds nothing.
  EXPECT_EQ(f.Find(SearchTarget::Game, SearchMode::Containing, false, " PAC"), V{3});
  EXPECT_EQ(f.Find(SearchTarget::Game, SearchMode::StartingWith, false, "Pac-Man (Midway)!"), V{});
}

TEST(SearchTest, HostileTextsFindWhatTheyCanQuickly) {
  Fixture f;
  const std::string long_text(10000, 'A');
  EXPECT_EQ(f.Find(SearchTarget::Game, SearchMode::Containing, false, long_text), V{});
  EXPECT_EQ(f.Find(SearchTarget::Game, SearchMode::Containing, false, "\x01\xff\xfe"), V{});
  EXPECT_EQ(f.Find(SearchTarget::Game, SearchMode::Containing, false, std::string("\0", 1)), V{});
  SearchForm form;
  form.Text2find = " \t\x01 ";
  EXPECT_FALSE(form.OkEnabled());
  form.Text2find = "  x";
  EXPECT_TRUE(form.OkEnabled());

  // 65,535 descriptions in one pass.
  GameDatabase big;
  for (int i = 0; i < 65535; ++i) {
    GameEntry e;
    e.Name = "g" + std::to_string(i);
    e.Description = "Some long game description number " + std::to_string(i) + " of the list";
    big.AddGame(e);
  }
  EXPECT_EQ(
      FindMatches(big, SearchTarget::Game, SearchMode::Containing, false, "NUMBER 6553 ").size(),
      1u);
  EXPECT_EQ(FindMatches(big, SearchTarget::Game, SearchMode::Containing, false, long_text).size(),
            0u);
}

TEST(SearchTest, ThreeMatchesCycleWithF3BackToTheFirst) {
  Fixture f;
  f.list.selected = 0;
  f.window.typed = {"pac-man"};
  f.search.GameOPTClick();
  ASSERT_EQ(f.ui.messages.size(), 1u);
  EXPECT_EQ(f.ui.messages[0].text, "3 matches found!\rPress \"F3\" to cycle through matches");
  EXPECT_EQ(f.ui.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(f.ui.operations.back(), "Searching...");
  EXPECT_TRUE(f.window.next_enabled);
  EXPECT_EQ(f.list.selected, 0);
  f.search.SelectNextMatch();
  EXPECT_EQ(f.list.selected, 1);
  f.search.SelectNextMatch();
  EXPECT_EQ(f.list.selected, 3);
  f.search.SelectNextMatch();
  EXPECT_EQ(f.list.selected, 0);
  EXPECT_EQ(f.window.shown[0].Caption("Kestrelwing"), "Kestrelwing - Search game");
  EXPECT_EQ(f.window.shown[0].BoxCaption(), " Search game... ");

  // A change of the profile state drops the matches: F3 then does nothing.
  f.search.ProfileStateChanged(true);
  EXPECT_FALSE(f.window.next_enabled);
  f.search.SelectNextMatch();
  EXPECT_EQ(f.list.selected, 0);
  EXPECT_EQ(f.list.selections.size(), 4u);
}

TEST(SearchTest, OpeningCommandsProposeTextsFromTheSelectedGame) {
  Fixture f;
  f.list.selected = 3;        // pacplus, clone of pacman
  f.search.RomSetOPTClick();  // cancelled
  EXPECT_EQ(f.window.shown.back().Text2find, "pacman");
  EXPECT_EQ(f.window.shown.back().Mode, SearchMode::Exact);
  EXPECT_FALSE(f.window.shown.back().CaseSensitiveEnabled);
  f.search.Form().Text2find = "";
  f.list.selected = 2;  // a master: the rom set search proposes nothing
  f.search.RomSetOPTClick();
  EXPECT_EQ(f.window.shown.back().Text2find, "");

  // Clones of a selected master: the clones only, the master not among them.
  f.list.selected = 0;
  f.window.typed = {"PACMAN"};
  f.search.FindClonesTOOLClick();
  EXPECT_EQ(f.window.shown.back().Text2find, "pacman");
  EXPECT_EQ(f.search.Matches(), (V{2, 4}));
  EXPECT_EQ(f.ui.messages.back().text, "2 matches found!\rPress \"F3\" to cycle through matches");

  // One match: no F3 line, F3 stays disabled, the game selected.
  f.list.selected = 4;
  f.search.Form().CaseSensitive = true;
  f.window.typed = {"namco"};
  f.search.FindManufacturerTOOLClick();
  EXPECT_EQ(f.window.shown.back().Text2find, "namco");
  EXPECT_TRUE(f.window.shown.back().CaseSensitive);  // the check mark left as it was
  EXPECT_EQ(f.ui.messages.back().text, "1 match found!");
  EXPECT_FALSE(f.window.next_enabled);
  EXPECT_EQ(f.list.selected, 4);

  // No match: the warning, and no matches kept.
  f.window.typed = {"Atari"};
  f.search.FindManufacturerTOOLClick();
  EXPECT_EQ(f.ui.messages.back().text, "Sorry, no matches were found.");
  EXPECT_EQ(f.ui.messages.back().icon, MsgIcon::Warning);
  EXPECT_TRUE(f.search.Matches().empty());
}

}  // namespace
}  // namespace kw
