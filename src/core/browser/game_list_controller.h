// The game list: which games it shows and in which order, the selection moved by typing, by the
// random command and by the joystick, and the play command of the selected game.
#pragma once

#include <cstdint>
#include <random>

#include "core/browser/game_filter.h"
#include "core/browser/game_list.h"
#include "core/browser/joystick_select.h"
#include "core/shared/play_stats.h"
#include "core/shared/profile_listener.h"

namespace kw {

class GameDatabase;
class PlayStats;
class SettingsStore;
class UserInterface;
struct FrontEndSettings;

// The sort orders of the Options menu and of the list's pop-up menu.
inline constexpr int kSortOrders = 5;  // none, description, manufacturer, year, most played

class GameListView {
 public:
  virtual ~GameListView() = default;
  // Ticks the sort order (outside 0..4: none) and the direction in both menus.
  virtual void ShowSortOrder(int sort_by, bool reverse) = 0;
  // Starts or stops polling the joystick.
  virtual void SetJoystickPolling(bool on) = 0;
  // Enables the list with a profile; without one the list is emptied and disabled.
  virtual void ShowGames(bool profile_loaded) = 0;
  // The list now shows these lines (kept by the controller until the next fill).
  virtual void ShowLines(const GameListLines& lines) = 0;
  // The selected line, -1 when none.
  virtual long SelectedLine() const = 0;
  // Selects a line and scrolls to it; this is no click of the user's.
  virtual void SelectLine(long line) = 0;
  // The play command, as a double click gives it.
  virtual void RunSelectedGame() = 0;
  // "N of M games shown" while a filter hides games, "" while the list shows every game.
  virtual void ShowShownCount(const std::string& text) { (void)text; }
};

// Which games the list shows, asked at every fill.
class GameListFilter {
 public:
  virtual ~GameListFilter() = default;
  virtual void ChooseShown(const GameDatabase& db, ShownGames& shown) const = 0;
};

// Told whenever the selection moved (GamesListClick): the quick information follows it.
class GameSelectionListener {
 public:
  virtual ~GameSelectionListener() = default;
  virtual void GameSelected(long position) = 0;
};

class GameListController : public ProfileListener,
                           public GameListNavigation,
                           public StatsResetListener {
 public:
  GameListController(UserInterface& ui, SettingsStore& settings, GameDatabase& database,
                     const PlayStats& stats, platform::Joystick& joystick, GameListView& view,
                     GameSelectionListener& selection);

  // Shows the stored sort order and joystick choice.
  void ShowSettings();
  // Seeds the random choice of a game (at start-up, from the clock).
  void SeedRandom(unsigned seed) { random_.seed(seed); }
  // The filter asked at every fill; without one the list shows every game.
  void SetFilter(const GameListFilter* filter) { filter_ = filter; }

  // FillGameList: sorts Games and writes every line, then selects the first line. Only while a
  // profile with games is open.
  void FillGameList();
  // SetSortKey (Sort0OPT .. Sort4OPT and their pop-up twins) and SetSortDirection (AZOPT false,
  // ZAOPT true): stored, ticked in both menus, saved, and the list sorted again.
  void SetSortKey(int sort_by);
  void SetSortDirection(bool reverse);
  // The filter changed: the games it shows now, in the same order, the selected game kept when
  // it is still shown (else the first line).
  void Refilter();

  // GamesListClick: the selection moved; the quick information follows.
  void GamesListClick();
  // GamesListKeyPress: a printable key searches the descriptions, Enter plays.
  void GamesListKeyPress(char key);
  // SelectRandomGameOPTClick is SelectRandomGame below.
  // Selects the game named LastSelected (else the first line) and refreshes the quick info.
  void SelectLastSelected();

  // Around a game run: joystick polling off, then back on exactly when DXGameSelect is set.
  void SuspendJoystick();
  void ResumeJoystick();
  // After a run of the game named `played` (empty when none was taken): the list refilled when
  // it is sorted by most played (`refill`), the first line selected, then that game's, and the
  // quick information refreshed.
  void ReselectAfterRun(const std::string& played, bool refill);

  // JoyCheckTMRTimer: one poll of the joystick, read only while the program is the active
  // application.
  void JoyCheckTMRTimer(bool application_active);

  // The list as the joystick moves through it.
  long SelectedLine() const override;
  long LineCount() const override;
  void SelectLine(long line) override;  // select, then refresh the quick information
  void PlaySelected() override;
  void SelectRandomGame() override;
  long GameAt(long line) const override;

  void ProfileOpened() override;
  void ProfileStateChanged(bool profile_loaded) override;
  // The plays are gone: a list sorted by them is sorted again, and the quick information
  // shows the selected game without its plays.
  void StatsReset() override;

  const GameListLines& Lines() const { return lines_; }
  const ShownGames& Shown() const { return shown_; }
  const std::string& TypedPrefix() const { return type_ahead_.TypedPrefix(); }

 private:
  bool HoldsGames() const;
  void SaveSettings();
  // Chooses the shown games of Games as sorted now and writes their lines.
  void ShowChosenGames();
  // Selects the game at `position` when the list shows it.
  void SelectPosition(long position);

  UserInterface& ui_;
  SettingsStore& settings_;
  GameDatabase& database_;
  const PlayStats& stats_;
  platform::Joystick& joystick_;
  GameListView& view_;
  GameSelectionListener& selection_;
  const GameListFilter* filter_ = nullptr;
  ShownGames shown_;
  GameListLines lines_;
  TypeAhead type_ahead_;
  std::minstd_rand random_;
};

// The listing options of the settings.
ListingOptions ListingOf(const FrontEndSettings& settings);

}  // namespace kw
