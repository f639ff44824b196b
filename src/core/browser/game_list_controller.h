// The game list: which games it shows and in which order, and the joystick that moves through
// it.
#pragma once

#include <cstdint>

#include "core/profile/profile_controller.h"

namespace kw {

class GameDatabase;
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
  // Shows the games of the open profile (enabled), or an empty, disabled list.
  virtual void ShowGames(bool profile_loaded) = 0;
};

class GameListController : public ProfileListener {
 public:
  GameListController(FrontEndSettings& settings, const GameDatabase& database, GameListView& view);

  // Shows the stored sort order and joystick choice.
  void ShowSettings();
  // Sort0OPT .. Sort4OPT and their pop-up twins.
  void SelectSortOrder(int sort_by);
  // AZOPT (false) and ZAOPT (true) and their pop-up twins.
  void SelectReverseOrder(bool reverse);

  void ProfileStateChanged(bool profile_loaded) override;

 private:
  FrontEndSettings& settings_;
  const GameDatabase& database_;
  GameListView& view_;
};

}  // namespace kw
