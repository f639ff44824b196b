// The quick information of the selected game and its picture tabs (none, game, cabinet, flyer,
// hardware).
#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/browser/game_list_controller.h"
#include "core/browser/quick_info.h"
#include "core/shared/pictures.h"
#include "core/shared/profile_listener.h"

namespace kw {

class GameDatabase;
class PlayStats;
class SetStatusController;
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
  // The values, in display order; an empty one is a line the open profile has not: its caption
  // and value are hidden.
  virtual void ShowQuickInfo(const std::array<std::string, kQuickInfoLines>& values) = 0;
  // Shows the picture (a file, or a member of a picture archive) fitted into the frame; false
  // when it cannot be loaded.
  virtual bool ShowPicture(const GamePicture& picture) = 0;
  // Shows the product picture, with `message` drawn on it when not empty.
  virtual void ShowProductPicture(const std::string& message) = 0;
  // The items that open the shown picture's directory.
  virtual void SetExplorerEnabled(bool enabled) = 0;
};

// What the picture tab shows for a game: the file shown (a picture file, or the archive that
// holds it, with the member's name), or (none shown) the message drawn on the product picture,
// "" for the None tab.
struct PictureChoice {
  std::string file;
  std::string message;
  std::string member;
};
// Looks the game's picture up in the directory of the chosen tab (its own, its master's, then
// NOTFOUND) and asks `show` to show it; a picture it cannot show gives "Unsupported format".
PictureChoice ChoosePicture(const FrontEndSettings& settings, const GameRecord& game,
                            const std::function<bool(const GamePicture&)>& show);

class QuickInfoController : public ProfileListener, public GameSelectionListener {
 public:
  QuickInfoController(FrontEndSettings& settings, const GameDatabase& database,
                      const PlayStats& stats, const SetStatusController& set_status,
                      QuickInfoView& view);

  // Shows the stored picture tab.
  void ShowSettings();
  // ScreenShotPGEChange: the user chose another picture tab; the selected game's picture of
  // that kind is shown.
  void SelectPictureTab(int index);

  // Shows the selected game's values again (after a check has changed its status).
  void ShowAgain() { GameSelected(shown_position_); }
  // GamesListClick for the game at `position` of Games.
  void GameSelected(long position) override;
  // The full path of the picture shown, empty when the product picture is shown.
  const std::string& ShownPicturePath() const { return shown_picture_path_; }
  void ProfileStateChanged(bool profile_loaded) override;

 private:
  FrontEndSettings& settings_;
  const GameDatabase& database_;
  const PlayStats& stats_;
  const SetStatusController& set_status_;
  QuickInfoView& view_;
  long shown_position_ = -1;
  std::string shown_picture_path_;
};

}  // namespace kw
