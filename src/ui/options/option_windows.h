// The option windows of the main window (video, audio, miscellaneous, emulator directories and
// Preferences), each made at its first use over its controller and kept for the whole run, so
// that it keeps its controls between showings.
#pragma once

#include <memory>

class QWidget;

namespace kw {

class GameDatabase;
class OptionWindowsController;
class PreferencesController;
class TAudioFRM;
class TDirectoriesFRM;
class TMAMEDirFRM;
class TMiscFRM;
class TVideoFRM;

class OptionWindows {
 public:
  explicit OptionWindows(QWidget* parent);
  ~OptionWindows();

  void Bind(OptionWindowsController* options, PreferencesController* preferences,
            const GameDatabase* database);

  // The window, made when first asked for; nullptr before Bind.
  TVideoFRM* Video();
  TAudioFRM* Audio();
  TMiscFRM* Misc();
  TMAMEDirFRM* Directories();
  TDirectoriesFRM* Preferences();

 private:
  QWidget* parent_;
  OptionWindowsController* options_ = nullptr;
  PreferencesController* preferences_ = nullptr;
  const GameDatabase* database_ = nullptr;
  std::unique_ptr<TVideoFRM> video_;
  std::unique_ptr<TAudioFRM> audio_;
  std::unique_ptr<TMiscFRM> misc_;
  std::unique_ptr<TMAMEDirFRM> directories_;
  std::unique_ptr<TDirectoriesFRM> preferences_window_;
};

}  // namespace kw
