#include "core/options/preferences_controller.h"

#include "common/ascii.h"
#include "core/browser/game_list_controller.h"
#include "core/browser/joystick_select.h"
#include "core/options/option_lists.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/settings_store.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/joystick.h"

namespace kw {

namespace fs = platform::fs;

std::uint8_t& ButtonOf(FrontEndSettings& s, JoystickFunction function) {
  switch (function) {
    case JoystickFunction::Play:
      return s.PlayButton;
    case JoystickFunction::Random:
      return s.RandomButton;
    case JoystickFunction::PageUp:
      return s.PageUpButton;
    case JoystickFunction::PageDown:
      return s.PageDownButton;
    case JoystickFunction::Top:
      return s.TopButton;
    case JoystickFunction::Bottom:
      break;
  }
  return s.BottomButton;
}

std::string JoystickButtonCaption(const FrontEndSettings& settings, JoystickFunction function) {
  const char* name = "List bottom: B";
  switch (function) {
    case JoystickFunction::Play:
      name = "Play: B";
      break;
    case JoystickFunction::Random:
      name = "Random select: B";
      break;
    case JoystickFunction::PageUp:
      name = "Page up: B";
      break;
    case JoystickFunction::PageDown:
      name = "Page down: B";
      break;
    case JoystickFunction::Top:
      name = "List top: B";
      break;
    case JoystickFunction::Bottom:
      break;
  }
  return name + std::to_string(ButtonOf(settings, function));
}

void AssignJoystickButton(FrontEndSettings& settings, JoystickFunction function, int button) {
  if (button < 1 || button > 32) return;
  const std::uint8_t old = ButtonOf(settings, function);
  for (JoystickFunction other : kJoystickFunctions) {
    if (ButtonOf(settings, other) == button) ButtonOf(settings, other) = old;
  }
  ButtonOf(settings, function) = static_cast<std::uint8_t>(button);
}

std::string AbsoluteDirectory(const std::string& path, bool upper) {
  std::string dir = fs::IncludeTrailingSeparator(fs::ExpandFileName(path));
  return upper ? AsciiUpperCase(dir) : dir;
}

PreferencesController::PreferencesController(
    UserInterface& ui, SettingsStore& settings, const GameDatabase& database,
    const EmulatorConfigController& emulator_config, GameListController& game_list,
    platform::Joystick& joystick, const std::vector<std::string>& drives, std::string product_name)
    : ui_(ui),
      settings_(settings),
      database_(database),
      emulator_config_(emulator_config),
      game_list_(game_list),
      joystick_(joystick),
      drives_(drives),
      product_name_(std::move(product_name)) {}

FrontEndSettings& PreferencesController::Settings() {
  return settings_.Values();
}

std::string PreferencesController::MameDefaultImageDir() const {
  if (!database_.ProfileLoaded) return "not available";
  return AbsoluteDirectory(emulator_config_.Config().directory.snap, true);
}

PreferencesForm PreferencesController::Show() const {
  PreferencesForm form;
  form.values = settings_.Values();
  const std::string current = AbsoluteDirectory(form.values.ScreenShots, true);
  const std::string mame_default = MameDefaultImageDir();
  form.values.ScreenShots = current;
  form.mame_default_caption = "MAME's default (" + mame_default + ")";
  form.custom_image_dir = current != mame_default;
  // A size the lists do not hold shows "10", and that is what the window holds: closed untouched,
  // it stores the entry shown.
  for (std::int32_t* size : {&form.values.BoldFontSize, &form.values.NormalFontSize})
    *size = FontSizeList().codes[static_cast<std::size_t>(FontSizeIndex(*size))];
  form.drives = drives_;
  if (form.drives.empty()) {
    form.values.MameCd = false;  // nothing to read the discs from
  } else {
    form.drive_index = 0;
    for (std::size_t i = 0; i < form.drives.size(); ++i) {
      if (EqualNoCase(form.drives[i], form.values.MameCdDrive)) {
        form.drive_index = static_cast<int>(i);
        break;
      }
    }
  }
  return form;
}

void PreferencesController::Apply(const PreferencesForm& form) {
  FrontEndSettings& s = settings_.Values();
  const FrontEndSettings& v = form.values;
  if (form.custom_image_dir) {
    s.ScreenShots = v.ScreenShots;
    if (!s.ScreenShots.empty()) s.ScreenShots = fs::IncludeTrailingSeparator(s.ScreenShots);
  } else if (database_.ProfileLoaded) {
    s.ScreenShots = AbsoluteDirectory(emulator_config_.Config().directory.snap, false);
  } else {
    s.ScreenShots = fs::ExpandFileName("SNAP");
  }
  s.TextEditor = v.TextEditor;
  // A directory left empty stays empty: made absolute it would name the current directory.
  for (auto [field, typed] : {std::pair{&s.Cabinets, &v.Cabinets}, std::pair{&s.Flyers, &v.Flyers},
                              std::pair{&s.Hardware, &v.Hardware}}) {
    *field = typed->empty() ? std::string() : AbsoluteDirectory(*typed, false);
  }
  s.CheckCRCOnRun = v.CheckCRCOnRun;
  s.CheckSamplesOnRun = v.CheckSamplesOnRun;
  s.DynamicRename = v.DynamicRename;
  s.CreateFakeFiles = v.CreateFakeFiles;
  s.MameCd = v.MameCd;
  s.MameCdDrive =
      form.drive_index >= 0 && static_cast<std::size_t>(form.drive_index) < form.drives.size()
          ? form.drives[static_cast<std::size_t>(form.drive_index)]
          : std::string();
  s.KillPifFile = v.KillPifFile;
  s.UseStats = v.UseStats;
  s.StatusCheckAtOpen = v.StatusCheckAtOpen;
  const bool list_changed = s.ListRomsetName != v.ListRomsetName || s.ListYear != v.ListYear ||
                            s.ListManufacturer != v.ListManufacturer;
  s.ListRomsetName = v.ListRomsetName;
  s.ListYear = v.ListYear;
  s.ListManufacturer = v.ListManufacturer;
  if (list_changed) {
    game_list_.FillGameList();
    // Line 1 is selected now: the quick information and picture show it, as after a sort.
    game_list_.GamesListClick();
  }
  s.BoldFontSize = v.BoldFontSize;
  s.NormalFontSize = v.NormalFontSize;
  if (Status saved = settings_.Save(); !saved) ui_.Ask(saved.Message(), MsgIcon::Error);
}

void PreferencesController::WindowShown() {
  window_open_ = true;
  game_list_.SuspendJoystick();
}

void PreferencesController::WindowHidden() {
  window_open_ = false;
  game_list_.ResumeJoystick();  // polling exactly while the switch is on
}

void PreferencesController::SetJoystickSelect(bool on) {
  settings_.Values().DXGameSelect = on;
  if (!window_open_) game_list_.ResumeJoystick();
}

int PreferencesController::PollJoystick(std::optional<JoystickFunction> waiting) {
  const int button = PressedJoystickButton(joystick_.Read());
  if (button != 0 && waiting) AssignJoystickButton(settings_.Values(), *waiting, button);
  return button;
}

}  // namespace kw
