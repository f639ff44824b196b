#include "core/browser/quick_info_controller.h"

#include <cstdint>

#include "core/audit/set_status_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/pictures.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings.h"

namespace kw {

PictureChoice ChoosePicture(const FrontEndSettings& settings, const GameRecord& game,
                            const std::function<bool(const GamePicture&)>& show) {
  const std::string directory = PictureDirectory(settings, settings.ScreenshotDisplay);
  if (directory.empty()) return {};
  const std::optional<GamePicture> picture =
      FindGamePicture(game.Name.View(), game.CloneOf.View(), directory);
  if (!picture) return {"", std::string(kImageNotFound), ""};
  if (!show(*picture)) return {"", std::string(kUnsupportedFormat), ""};
  return {picture->FullPath(), "", picture->member};
}

QuickInfoController::QuickInfoController(FrontEndSettings& settings, const GameDatabase& database,
                                         const PlayStats& stats,
                                         const SetStatusController& set_status, QuickInfoView& view)
    : settings_(settings),
      database_(database),
      stats_(stats),
      set_status_(set_status),
      view_(view) {}

void QuickInfoController::ShowSettings() {
  if (settings_.ScreenshotDisplay < kPictureTabs) view_.ShowPictureTab(settings_.ScreenshotDisplay);
}

void QuickInfoController::SelectPictureTab(int index) {
  if (index < 0 || index >= kPictureTabs) return;
  settings_.ScreenshotDisplay = static_cast<std::uint8_t>(index);
  GameSelected(shown_position_);
}

void QuickInfoController::GameSelected(long position) {
  if (database_.GameCount() == 0 || position < 0 ||
      static_cast<std::size_t>(position) >= database_.GameCount())
    return;
  shown_position_ = position;
  const GameRecord& game = database_.Game(static_cast<std::size_t>(position));
  view_.ShowQuickInfo(QuickInfoTexts(database_, game, stats_.FindPlayRecord(game.Name.View()),
                                     set_status_.Find(game.Name.View()), true));
  const PictureChoice picture = ChoosePicture(
      settings_, game, [this](const GamePicture& found) { return view_.ShowPicture(found); });
  if (picture.file.empty()) view_.ShowProductPicture(picture.message);
  shown_picture_path_ = picture.file;
  view_.SetExplorerEnabled(!shown_picture_path_.empty());
  settings_.LastSelected = game.Name.Str();
}

void QuickInfoController::ProfileStateChanged(bool profile_loaded) {
  if (!profile_loaded) {
    shown_position_ = -1;
    shown_picture_path_.clear();
  }
  view_.ShowProfileState(profile_loaded);
}

}  // namespace kw
