// The Preferences window's work: the form it shows (filled from the settings each time it is
// shown), the rules by which its fields are stored when it closes, and the joystick switch and
// button assignments that take effect at once.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/shared/settings.h"

namespace kw {

class EmulatorConfigController;
class GameDatabase;
class GameListController;
class SettingsStore;
class UserInterface;
namespace platform {
class Joystick;
}

// The six functions a joystick button can have, in the window's order.
enum class JoystickFunction { Play, Random, PageUp, PageDown, Top, Bottom };
inline constexpr std::array<JoystickFunction, 6> kJoystickFunctions = {
    JoystickFunction::Play,     JoystickFunction::Random, JoystickFunction::PageUp,
    JoystickFunction::PageDown, JoystickFunction::Top,    JoystickFunction::Bottom};

std::uint8_t& ButtonOf(FrontEndSettings& settings, JoystickFunction function);
inline std::uint8_t ButtonOf(const FrontEndSettings& settings, JoystickFunction function) {
  return ButtonOf(const_cast<FrontEndSettings&>(settings), function);
}
// "Play: B3", "Random select: B1", ...
std::string JoystickButtonCaption(const FrontEndSettings& settings, JoystickFunction function);
// Gives `function` the button `button`: a function that had that button already takes the
// old number of the one assigned (the two swap).
void AssignJoystickButton(FrontEndSettings& settings, JoystickFunction function, int button);

inline constexpr std::string_view kPreferencesTitle = " - Preferences";
inline constexpr std::string_view kJoystickHint = "Click then press joystick button";

// What the window shows. The controls are bound to `values`, a copy of the settings made when
// the window is shown; the close rules store from it.
struct PreferencesForm {
  FrontEndSettings values;
  bool custom_image_dir = false;     // CustomImageDir chosen, else MameDefImageDir
  std::string mame_default_caption;  // "MAME's default (...)"
  std::vector<std::string> drives;
  int drive_index = -1;  // the CdRom entry chosen, -1 for none
};

class PreferencesController {
 public:
  PreferencesController(UserInterface& ui, SettingsStore& settings, const GameDatabase& database,
                        const EmulatorConfigController& emulator_config,
                        GameListController& game_list, platform::Joystick& joystick,
                        const std::vector<std::string>& drives, std::string product_name);

  std::string Title() const { return product_name_ + std::string(kPreferencesTitle); }
  FrontEndSettings& Settings();

  // The form as the window shows it now (FormShow).
  PreferencesForm Show() const;
  // The emulator's own picture directory, absolute, upper case, with a trailing separator;
  // "not available" while no profile is loaded.
  std::string MameDefaultImageDir() const;
  // Stores the form's fields by the close rules, refills the game list when a list option
  // changed, and saves the settings file (a failure is said). Called however the window closed.
  void Apply(const PreferencesForm& form);

  // While the window is open the game list does not read the joystick, so that the button
  // pressed for an assignment does not also start a game or move the list; when it closes the
  // list reads it again exactly while the switch is on.
  void WindowShown();
  void WindowHidden();
  // UseDirectX: the switch is stored at once (the game list follows it as soon as the window
  // is closed, or at once when the window is not open).
  void SetJoystickSelect(bool on);
  // One poll of the window's timer: the number of the highest button down (0 for none); when
  // one of the six functions waits for its button (`waiting`), it gets that number.
  int PollJoystick(std::optional<JoystickFunction> waiting);

 private:
  UserInterface& ui_;
  SettingsStore& settings_;
  const GameDatabase& database_;
  const EmulatorConfigController& emulator_config_;
  GameListController& game_list_;
  platform::Joystick& joystick_;
  const std::vector<std::string>& drives_;
  std::string product_name_;
  bool window_open_ = false;
};

// A directory as the window shows it and stores it: absolute against the current directory,
// with a trailing separator; `upper` also upper-cases it (the picture directory is compared so).
std::string AbsoluteDirectory(const std::string& path, bool upper);

}  // namespace kw
