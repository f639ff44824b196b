// Opening and creating profiles, the reopen list, and the window's state that follows whether a
// profile is loaded. Other features hear of a newly opened profile and of every change of that
// state through ProfileListener, in the order they were added.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/profile/emulator_query.h"
#include "core/shared/app_names.h"
#include "core/shared/profile_listener.h"
#include "core/shared/report_document.h"
#include "core/shared/settings.h"

namespace kw {

class GameDatabase;
class NewProfileForm;
class SettingsStore;
class ShellView;
class UserInterface;

// The windows of profile creation and opening.
class NewProfileView {
 public:
  virtual ~NewProfileView() = default;
  // Shows the new-profile window modally over `form`, which is in its shown state; true when it
  // closed with OK (Go), false for Cancel.
  virtual bool RunNewProfileWindow(NewProfileForm& form) = 0;
  // "Select a profile": an existing .KSL file, starting in `initial_dir`; nothing on Cancel.
  virtual std::optional<std::string> ChooseProfileToOpen(const std::string& initial_dir) = 0;
};

// The messages of a creation that fails after the window (shared with the console program).
inline constexpr const char* kEmulatorDirMissing = "The MAME directory specified does not exist!\r";
inline constexpr const char* kEmulatorFileMissing =
    "The emulator file cannot be found!\rPlease choose another one.";
inline constexpr const char* kNoEmulatorVersion =
    "Cannot determine MAME version.\rPlease choose a new emulator file";

// What opening a profile says when the emulator's version could not be captured (the
// CaptureFailureOf message): the profile is neither accepted nor found invalid (shared with the
// console program).
std::string UncheckedProfileMessage(const std::string& capture_failure);

// The File menu's Reopen submenu and the tool bar's drop-down.
class ReopenMenuView {
 public:
  virtual ~ReopenMenuView() = default;
  // Rebuilds both from the five slots (an empty slot has no item; "<none>" when all are empty).
  virtual void RebuildReopenMenus(const std::array<std::string, kReopenSlots>& slots) = 0;
};

class ProfileController {
 public:
  ProfileController(UserInterface& ui, GameDatabase& database, SettingsStore& settings,
                    const AppNames& names, ShellView& shell_view, ReopenMenuView& reopen_view,
                    NewProfileView& new_profile_view);

  void AddListener(ProfileListener& listener) { listeners_.push_back(&listener); }

  // Loads the profile at `path` and accepts it when its emulator still gives the version line
  // it was made with, asked in the profile's dialect.
  void OpenProfile(const std::string& path);
  // The new-profile window, then CreateProfileFrom with its two paths.
  void CreateProfile();
  // The creation after the window: finds out which dialect the emulator at `emulator_path`
  // speaks, asks it for its version and its list in that dialect, parses the list and, when
  // the user keeps the result, saves it at `profile_path` (with the dialect) and opens it.
  void CreateProfileFrom(const std::string& emulator_path, const std::string& profile_path);
  // The File menu's "Open profile".
  void OpenOPTClick();
  // The reopen item of slot `slot` (0 for File1); an empty or unknown slot does nothing.
  void ReopenProfile(std::size_t slot);
  void AddToReopenList(const std::string& path);
  void ShowReopenList();

  // Shows ProfileLoaded in the window and tells every listener.
  void UpdateProfileControls();
  // The main window's title for the current state.
  std::string MainTitle() const;
  // Where the profile dialogs start: ProgramDir + "PROFILES" when it exists, else ProgramDir.
  std::string ProfilesDir() const;
  EmulatorQueryContext QueryContext() const;
  // How long the emulator has to answer the questions asked under a time limit (the dialect's
  // detection, today's version): kAnswerLimitMs unless a test makes it shorter.
  void SetAnswerLimit(int limit_ms) { answer_limit_ms_ = limit_ms; }

 private:
  // Accepts the profile now in the database: loaded, the window and every listener told.
  void ProfileAccepted();
  // A refused profile: not loaded, the message with the offer of a new profile.
  void Refuse(const std::string& message);
  void SaveSettings();

  UserInterface& ui_;
  GameDatabase& database_;
  SettingsStore& settings_store_;
  FrontEndSettings& settings_;
  const AppNames& names_;
  ShellView& shell_view_;
  ReopenMenuView& reopen_view_;
  NewProfileView& new_profile_view_;
  ReportDocument report_;
  std::vector<ProfileListener*> listeners_;
  int answer_limit_ms_ = kAnswerLimitMs;
};

}  // namespace kw
