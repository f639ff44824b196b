// The emulator's miscellaneous options: input devices, debugging, cheats and the data files,
// the MMX and dirty-tiles choices and the language, each change written at once.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "ui/options/option_binders.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kw {

class OptionWindowsController;

class TMiscFRM : public QDialog {
 public:
  // The open dialog of a data file: the chosen name, or nothing when cancelled.
  using FileHook = std::function<std::optional<std::string>(
      const QString& title, const QString& filter, const QString& dir, const QString& proposed)>;

  explicit TMiscFRM(OptionWindowsController& controller, QWidget* parent = nullptr);

  void Run();
  void Prepare();  // the show step: title, every control, the error-log box and the Edit button
  void ShowConfigInWindows();
  void SetFileHook(FileHook hook) { file_hook_ = std::move(hook); }

  QComboBox* Joystick;
  QCheckBox* Mouse;
  QCheckBox* HotRod;
  QCheckBox* HotRodSE;
  QCheckBox* debug;
  QCheckBox* log;
  QCheckBox* Emulate3;
  QLabel* DirtyLBL;
  QComboBox* Dirty;
  QCheckBox* cheat;
  QLineEdit* CheatFile;
  QPushButton* CheatFileBrowseBTN;
  QPushButton* CheatEditBTN;
  QLineEdit* HistoryFile;
  QPushButton* HistoryFileBrowseBTN;
  QLineEdit* MameInfoFile;
  QPushButton* MameInfoFileBrowseBTN;
  QComboBox* mmx;
  QComboBox* Language;

 private:
  QGroupBox* BuildInput();
  QGroupBox* BuildDebugging();
  QGroupBox* BuildFiles();
  QHBoxLayout* BuildOther();
  void BindControls();
  void Browse(QLineEdit* field, const char* title, const char* kind);

  OptionWindowsController& controller_;
  OptionBinders binders_;
  FileHook file_hook_;
};

}  // namespace kw
