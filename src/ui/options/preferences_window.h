// The Preferences window: the front-end's own settings. Its controls are bound to a copy of the
// settings made each time it is shown, stored by the core's close rules when it closes (in
// every case); the joystick switch and the button assignments take effect at once.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "core/options/preferences_controller.h"
#include "ui/options/option_binders.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QVBoxLayout;

namespace kw {

class TDirectoriesFRM : public QDialog {
 public:
  explicit TDirectoriesFRM(PreferencesController& controller, QWidget* parent = nullptr);

  // Shows the window modally, then stores it (DirectoriesOPTClick).
  void Run();
  void Prepare();  // the show step (tests)
  void Apply();    // the close step (tests)
  // One tick of the polling timer.
  void JoyTimerTick();
  // The emulator directory and program the editor's dialog opens on.
  void SetEditorDialogStart(std::string dir, std::string proposed) {
    editor_dir_ = std::move(dir);
    editor_proposed_ = std::move(proposed);
  }

  QRadioButton* MameDefImageDir;
  QRadioButton* CustomImageDir;
  QLineEdit* ImageDir;
  QPushButton* ImgDirBrowseBTN;
  QLineEdit* cabinetdir;
  QPushButton* CabinetDirBrowseBTN;
  QLineEdit* FlyersDir;
  QPushButton* FlyersDirBrowseBTN;
  QLineEdit* HardwareDir;
  QPushButton* HardwareDirBrowseBTN;
  QLineEdit* TextEditor;
  QPushButton* TextEditorBrowseBTN;
  QCheckBox* UseDirectX;
  // Play, Random, Page up, Page down, Top, Bottom (kJoystickFunctions' order).
  std::array<QPushButton*, 6> JoystickButtons;
  QPushButton* PlayBTN;
  QPushButton* RandomBTN;
  QPushButton* PgUpBTN;
  QPushButton* PgDnBTN;
  QPushButton* TopBTN;
  QPushButton* BottomBTN;
  QCheckBox* TestCRC;
  QCheckBox* TestSamples;
  QCheckBox* DynamicRename;
  QCheckBox* CreateMissingFiles;
  QCheckBox* MameCd;
  QComboBox* CdRom;
  QCheckBox* ListRomsetName;
  QCheckBox* ListYear;
  QCheckBox* ListManufacturer;
  QComboBox* BoldText;
  QComboBox* NormalText;
  QCheckBox* Stats;
  QCheckBox* KillPif;
  QCheckBox* StatusCheck;
  QPushButton* OkBTN;
  QTimer* JoyTMR;

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildPictureBoxes(QVBoxLayout* left);
  QGroupBox* BuildJoystickBox();
  void BuildTestAndListBoxes(QVBoxLayout* right);
  QHBoxLayout* BuildButtons();
  void BindControls();
  void ConnectBrowseButtons();
  void ShowImageChoice();
  void ShowJoystick();
  void ReleaseButtons();
  void Choose(QLineEdit* field, const char* caption, bool executable);

  PreferencesController& controller_;
  PreferencesForm form_;
  OptionBinders binders_;
  std::string editor_dir_;
  std::string editor_proposed_;
};

}  // namespace kw
