#include "core/browser/game_list_controller.h"

#include "core/profile/game_database.h"
#include "core/shell/settings.h"

namespace kw {

GameListController::GameListController(FrontEndSettings& settings, const GameDatabase& database,
                                       GameListView& view)
    : settings_(settings), database_(database), view_(view) {}

void GameListController::ShowSettings() {
  view_.ShowSortOrder(settings_.SortBy, settings_.ReverseSort);
  view_.SetJoystickPolling(settings_.DXGameSelect);
}

// The list itself is put in the chosen order once sorting is built; until then the choice is
// kept and both menus show it.
void GameListController::SelectSortOrder(int sort_by) {
  if (sort_by < 0 || sort_by >= kSortOrders) return;
  settings_.SortBy = static_cast<std::uint8_t>(sort_by);
  view_.ShowSortOrder(settings_.SortBy, settings_.ReverseSort);
}

void GameListController::SelectReverseOrder(bool reverse) {
  settings_.ReverseSort = reverse;
  view_.ShowSortOrder(settings_.SortBy, settings_.ReverseSort);
}

void GameListController::ProfileStateChanged(bool profile_loaded) {
  view_.ShowGames(profile_loaded && database_.ProfileLoaded);
}

}  // namespace kw
