// The command-line window (TCmdLineFRM): the command the emulator is started with, after the
// current directory like a prompt, and the settings that shape it, each stored at once.
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace kw {

class CommandLineForm;

class TCmdLineFRM : public QDialog {
 public:
  explicit TCmdLineFRM(QWidget* parent = nullptr);

  // FormShow over the form, then the window modally.
  void Show(CommandLineForm& form);
  void Run(CommandLineForm& form);

  QGroupBox* CommandLineBOX;
  QCheckBox* AddOptions;
  QLineEdit* ExtraOptions;
  QLineEdit* CmdLineExample;
  QCheckBox* LogMame;
  QCheckBox* IgnoreCfg;
  QPushButton* OkBTN;

 private:
  void ShowExtraOptionsState();
  void RefreshExample();

  CommandLineForm* form_ = nullptr;
  bool filling_ = false;
};

}  // namespace kw
