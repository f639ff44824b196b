// Opening and creating profiles, the reopen list, and the window's state that follows whether a
// profile is loaded. Other features hear of a newly opened profile and of every change of that
// state through ProfileListener, in the order they were added.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/shell/settings.h"

namespace kw {

class GameDatabase;
class ShellView;
class UserInterface;

// The File menu's Reopen submenu and the tool bar's drop-down.
class ReopenMenuView {
 public:
  virtual ~ReopenMenuView() = default;
  // Rebuilds both from the five slots (an empty slot has no item; "<none>" when all are empty).
  virtual void RebuildReopenMenus(const std::array<std::string, kReopenSlots>& slots) = 0;
};

class ProfileListener {
 public:
  virtual ~ProfileListener() = default;
  // A profile has been loaded and its emulator directory entered.
  virtual void ProfileOpened() {}
  // After every opening, failed opening or creation: whether a profile is loaded now.
  virtual void ProfileStateChanged(bool /*profile_loaded*/) {}
};

class ProfileController {
 public:
  ProfileController(UserInterface& ui, GameDatabase& database, FrontEndSettings& settings,
                    std::string product_name, ShellView& shell_view, ReopenMenuView& reopen_view);

  void AddListener(ProfileListener& listener) { listeners_.push_back(&listener); }

  void OpenProfile(const std::string& path);
  void CreateProfile();
  // The reopen item of slot `slot` (0 for File1); an empty or unknown slot does nothing.
  void ReopenProfile(std::size_t slot);
  void AddToReopenList(const std::string& path);
  void ShowReopenList();

  // Shows ProfileLoaded in the window and tells every listener.
  void UpdateProfileControls();
  // The main window's title for the current state.
  std::string MainTitle() const;

 private:
  UserInterface& ui_;
  GameDatabase& database_;
  FrontEndSettings& settings_;
  std::string product_name_;
  ShellView& shell_view_;
  ReopenMenuView& reopen_view_;
  std::vector<ProfileListener*> listeners_;
};

}  // namespace kw
