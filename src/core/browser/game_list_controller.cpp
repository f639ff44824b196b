#include "core/browser/game_list_controller.h"

#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "core/shared/settings_store.h"
#include "core/user_interface.h"

namespace kw {

ListingOptions ListingOf(const FrontEndSettings& settings) {
  return ListingOptions{settings.ListRomsetName, settings.ListYear, settings.ListManufacturer};
}

GameListController::GameListController(UserInterface& ui, SettingsStore& settings,
                                       GameDatabase& database, const PlayStats& stats,
                                       platform::Joystick& joystick, GameListView& view,
                                       GameSelectionListener& selection)
    : ui_(ui),
      settings_(settings),
      database_(database),
      stats_(stats),
      joystick_(joystick),
      view_(view),
      selection_(selection) {}

void GameListController::ShowSettings() {
  const FrontEndSettings& s = settings_.Values();
  view_.ShowSortOrder(s.SortBy, s.ReverseSort);
  view_.SetJoystickPolling(s.DXGameSelect);
}

void GameListController::SuspendJoystick() {
  view_.SetJoystickPolling(false);
}

void GameListController::ResumeJoystick() {
  view_.SetJoystickPolling(settings_.Values().DXGameSelect);
}

void GameListController::ReselectAfterRun(const std::string& played, bool refill) {
  if (refill) FillGameList();
  if (HoldsGames()) {
    view_.SelectLine(0);
    if (!played.empty()) SelectPosition(database_.FindGamePosition(played));
  }
  GamesListClick();
}

// A rejected profile may leave its games in the database; nothing shows them.
bool GameListController::HoldsGames() const {
  return database_.ProfileLoaded && database_.GameCount() > 0;
}

void GameListController::SaveSettings() {
  if (Status saved = settings_.Save(); !saved) ui_.Ask(saved.Message(), MsgIcon::Error);
}

void GameListController::SelectPosition(long position) {
  if (const long line = shown_.Filtered() ? shown_.LineOf(position) : position; line >= 0)
    view_.SelectLine(line);
}

void GameListController::ShowChosenGames() {
  if (filter_) {
    filter_->ChooseShown(database_, shown_);
  } else {
    shown_.ShowAll(database_.GameCount());
  }
  BuildGameListLines(database_, shown_, ListingOf(settings_.Values()), lines_);
  view_.ShowLines(lines_);
  view_.ShowShownCount(ShownCountText(shown_));
}

void GameListController::Refilter() {
  if (!HoldsGames()) return;
  const long selected = SelectedGame();
  ShowChosenGames();
  view_.SelectLine(0);
  SelectPosition(selected);
  GamesListClick();
}

void GameListController::FillGameList() {
  if (!HoldsGames()) return;
  const FrontEndSettings& s = settings_.Values();
  ui_.SetProgress(-1);
  ui_.SetOperation("Sorting games...");
  ui_.ShowProgress();
  ui_.ProcessMessages();
  SortGames(database_, s.SortBy, s.ReverseSort, stats_);
  ui_.SetOperation("Updating list...");
  ui_.ProcessMessages();
  ShowChosenGames();
  view_.SelectLine(0);
  ui_.HideProgress();
}

void GameListController::SetSortKey(int sort_by) {
  FrontEndSettings& s = settings_.Values();
  s.SortBy = static_cast<std::uint8_t>(sort_by);
  view_.ShowSortOrder(s.SortBy, s.ReverseSort);
  SaveSettings();
  FillGameList();
  // The first line is selected now: the quick information shows it, not the game before.
  GamesListClick();
}

void GameListController::SetSortDirection(bool reverse) {
  FrontEndSettings& s = settings_.Values();
  s.ReverseSort = reverse;
  view_.ShowSortOrder(s.SortBy, s.ReverseSort);
  SaveSettings();
  FillGameList();
  // The first line is selected now: the quick information shows it, not the game before.
  GamesListClick();
}

void GameListController::GamesListClick() {
  if (!HoldsGames()) return;
  const long line = view_.SelectedLine();
  selection_.GameSelected(line < 0 ? line : GameAt(line));
}

void GameListController::GamesListKeyPress(char key) {
  if (!HoldsGames()) return;
  if (key == '\r') {
    PlaySelected();
    return;
  }
  const long line = type_ahead_.KeyTyped(database_, shown_, key, view_.SelectedLine());
  if (line < 0) return;
  view_.SelectLine(line);
  GamesListClick();
}

void GameListController::SelectRandomGame() {
  if (!HoldsGames() || lines_.empty()) return;
  std::uniform_int_distribution<long> pick(0, static_cast<long>(lines_.size()) - 1);
  view_.SelectLine(pick(random_));
  GamesListClick();
}

void GameListController::SelectLastSelected() {
  if (!HoldsGames()) return;
  view_.SelectLine(0);
  SelectPosition(database_.FindGamePosition(settings_.Values().LastSelected));
  GamesListClick();
}

void GameListController::JoyCheckTMRTimer(bool application_active) {
  if (!application_active || !settings_.Values().DXGameSelect) return;
  JoyCheck(joystick_.Read(), settings_.Values(), *this);
}

long GameListController::SelectedLine() const {
  return view_.SelectedLine();
}

long GameListController::LineCount() const {
  return HoldsGames() ? static_cast<long>(lines_.size()) : 0;
}

void GameListController::SelectLine(long line) {
  if (line < 0 || line >= LineCount()) return;
  view_.SelectLine(line);
  GamesListClick();
}

long GameListController::GameAt(long line) const {
  return shown_.Filtered() ? shown_.Position(line) : line;
}

void GameListController::PlaySelected() {
  if (HoldsGames()) view_.RunSelectedGame();
}

void GameListController::ProfileOpened() {
  FillGameList();
  SelectLastSelected();
}

void GameListController::StatsReset() {
  if (settings_.Values().SortBy == kSortMostPlayed) FillGameList();
  GamesListClick();
}

void GameListController::ProfileStateChanged(bool profile_loaded) {
  const bool shown = profile_loaded && database_.ProfileLoaded;
  view_.ShowGames(shown);  // the view lets go of the lines first
  if (!shown) {
    lines_.Clear();
    shown_.ShowAll(0);
    view_.ShowShownCount("");
  }
}

}  // namespace kw
