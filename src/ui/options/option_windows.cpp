#include "ui/options/option_windows.h"

#include "core/shared/game_database.h"
#include "ui/options/audio_window.h"
#include "ui/options/emulator_dirs_window.h"
#include "ui/options/misc_window.h"
#include "ui/options/preferences_window.h"
#include "ui/options/video_window.h"

namespace kw {

OptionWindows::OptionWindows(QWidget* parent) : parent_(parent) {}
OptionWindows::~OptionWindows() = default;

void OptionWindows::Bind(OptionWindowsController* options, PreferencesController* preferences,
                         const GameDatabase* database) {
  options_ = options;
  preferences_ = preferences;
  database_ = database;
}

namespace {

template <class W, class C>
W* Made(std::unique_ptr<W>& window, C* controller, QWidget* parent) {
  if (!controller) return nullptr;
  if (!window) window = std::make_unique<W>(*controller, parent);
  return window.get();
}

}  // namespace

TVideoFRM* OptionWindows::Video() {
  return Made(video_, options_, parent_);
}
TAudioFRM* OptionWindows::Audio() {
  return Made(audio_, options_, parent_);
}
TMiscFRM* OptionWindows::Misc() {
  return Made(misc_, options_, parent_);
}
TMAMEDirFRM* OptionWindows::Directories() {
  return Made(directories_, options_, parent_);
}
TDirectoriesFRM* OptionWindows::Preferences() {
  TDirectoriesFRM* window = Made(preferences_window_, preferences_, parent_);
  if (window && database_)
    window->SetEditorDialogStart(database_->EmulatorDir, database_->EmulatorExe);
  return window;
}

}  // namespace kw
