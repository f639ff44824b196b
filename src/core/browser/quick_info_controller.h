// The quick information of the selected game and its picture tabs (none, game, cabinet, flyer,
// hardware).
#pragma once

#include <array>
#include <string>

#include "core/browser/game_list_controller.h"
#include "core/browser/quick_info.h"
#include "core/profile/profile_controller.h"

namespace kw {

class GameDatabase;
class PlayStats;
struct FrontEndSettings;

inline constexpr int kPictureTabs = 5;

class QuickInfoView {
 public:
  virtual ~QuickInfoView() = default;
  // Shows the picture tab `index` (0..4) without taking it for a change of the user's.
  virtual void ShowPictureTab(int index) = 0;
  // Enables the box and the pictures with a profile; without one every value reads
  // "Not available" and the product picture is hidden.
  virtual void ShowProfileState(bool profile_loaded) = 0;
  // The twelve values, in display order.
  virtual void ShowQuickInfo(const std::array<std::string, kQuickInfoLines>& values) = 0;
};

class QuickInfoController : public ProfileListener, public GameSelectionListener {
 public:
  QuickInfoController(FrontEndSettings& settings, const GameDatabase& database,
                      const PlayStats& stats, QuickInfoView& view);

  // Shows the stored picture tab.
  void ShowSettings();
  // ScreenShotPGEChange: the user chose another picture tab; the selected game's picture of
  // that kind is shown.
  void SelectPictureTab(int index);

  // GamesListClick for the game at `position` of Games.
  void GameSelected(long position) override;
  void ProfileStateChanged(bool profile_loaded) override;

 private:
  FrontEndSettings& settings_;
  const GameDatabase& database_;
  const PlayStats& stats_;
  QuickInfoView& view_;
  long shown_position_ = -1;
};

}  // namespace kw
