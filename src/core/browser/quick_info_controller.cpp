#include "core/browser/quick_info_controller.h"

#include <cstdint>

#include "core/shell/settings.h"

namespace kw {

QuickInfoController::QuickInfoController(FrontEndSettings& settings, QuickInfoView& view)
    : settings_(settings), view_(view) {}

void QuickInfoController::ShowSettings() {
  if (settings_.ScreenshotDisplay < kPictureTabs) view_.ShowPictureTab(settings_.ScreenshotDisplay);
}

void QuickInfoController::SelectPictureTab(int index) {
  if (index < 0 || index >= kPictureTabs) return;
  settings_.ScreenshotDisplay = static_cast<std::uint8_t>(index);
  // The selected game's picture of the new kind is shown once pictures are built.
}

void QuickInfoController::ProfileStateChanged(bool profile_loaded) {
  view_.ShowProfileState(profile_loaded);
}

}  // namespace kw
