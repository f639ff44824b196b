// What the start-up and shell rules need of the main window. TMainFRM implements it; tests use
// a recording stand-in.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/shell/settings.h"

namespace kw {

class MainView {
 public:
  virtual ~MainView() = default;

  virtual void SetTitle(const std::string& title) = 0;
  // Enables "What's new in this version" (only when the news file exists).
  virtual void SetNewsAvailable(bool available) = 0;
  // The controls that follow settings: the picture tab (ScreenshotDisplay), the ticked sort
  // commands in both menus (SortBy outside 0..4 ticks none; ReverseSort picks A..Z or Z..A),
  // and the joystick polling timer (DXGameSelect).
  virtual void ApplySettings(const FrontEndSettings& settings) = 0;
  // Rebuilds ReopenSUB and the tool bar's drop-down from the five slots ("<none>" when empty).
  virtual void RebuildReopenMenus(const std::array<std::string, kReopenSlots>& slots) = 0;
  // Rebuilds the Help menu's text-file submenu from sorted full paths ("<none>" when empty).
  virtual void BuildTextFilesMenu(const std::vector<std::string>& paths) = 0;
  // The two states of the window (with and without a profile).
  virtual void UpdateProfileControls(bool profile_loaded) = 0;
};

}  // namespace kw
