// The emulator's audio options, each change written into the configuration at once.
#pragma once

#include <QDialog>

#include "ui/options/option_binders.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;

namespace kw {

class OptionWindowsController;

class TAudioFRM : public QDialog {
 public:
  explicit TAudioFRM(OptionWindowsController& controller, QWidget* parent = nullptr);

  void Run();
  void Prepare();  // title and every control from the record (tests)
  void ShowConfigInWindows();

  QComboBox* SoundCard;
  QComboBox* SampleRate;
  QCheckBox* Stereo;
  QCheckBox* ym3812opl;
  QCheckBox* Samples;
  QSlider* Volume;
  QLabel* VolumeVAL;

 private:
  OptionWindowsController& controller_;
  OptionBinders binders_;
};

}  // namespace kw
