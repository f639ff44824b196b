#include "ui/options/misc_window.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/options/option_windows_controller.h"
#include "core/shared/settings.h"
#include "ui/options/option_window_parts.h"
#include "ui/text_codec.h"

namespace kw {

namespace opt = emulator_option;

using namespace option_parts;

TMiscFRM::TMiscFRM(OptionWindowsController& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
  SetUpWindow(this, "MiscFRM");
  binders_ = OptionBinders(controller_.Config(),
                           [this](const EmulatorKey& key) { return controller_.Offers(key); });
  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(8, 8, 8, 8);
  top->setSpacing(6);

  top->addWidget(BuildInput());
  top->addWidget(BuildDebugging());
  top->addWidget(BuildFiles());
  top->addLayout(BuildOther());
  BindControls();
  FixSize(this);
}

QGroupBox* TMiscFRM::BuildInput() {
  QGroupBox* input = Group(this, "InputGRP", " Input devices ");
  auto* input_box = new QVBoxLayout(input);
  input_box->setSpacing(2);
  auto* joy_row = new QFormLayout;
  Joystick = List(input, "Joystick", "-joy");
  joy_row->addRow("Joystick:", Joystick);
  input_box->addLayout(joy_row);
  Mouse = Check(input, "Mouse", "Enable mouse support", "-mouse");
  Emulate3 = Check(input, "Emulate3", "Emulate 3-button mouse (mouse buttons won't work correctly)",
                   "emulate_three= (MAME.CFG)");
  HotRod = Check(input, "HotRod", "Remap keyboard for Hot Rod console", "-hotrod");
  HotRodSE =
      Check(input, "HotRodSE", "Special Hot Rod key mapping with Neo Geo games", "-hotrodse");
  for (QWidget* w : std::initializer_list<QWidget*>{Mouse, Emulate3, HotRod, HotRodSE})
    input_box->addWidget(w);
  return input;
}

QGroupBox* TMiscFRM::BuildDebugging() {
  QGroupBox* debugging = Group(this, "DebugGRP", " Debugging ");
  auto* debug_box = new QVBoxLayout(debugging);
  debug_box->setSpacing(2);
  debug =
      Check(debugging, "debug", "Activate debugger (tilde menu doesn't work anymore) ", "-debug");
  log = Check(debugging, "log", "Create a log of illegal memory accesses in \"ERROR.LOG\"", "-log");
  debug_box->addWidget(debug);
  debug_box->addWidget(log);
  return debugging;
}

// The cheat, history and information files.
QGroupBox* TMiscFRM::BuildFiles() {
  QGroupBox* files = Group(this, "FilesGRP", " Cheats and data files ");
  auto* files_grid = new QGridLayout(files);
  files_grid->setVerticalSpacing(4);
  cheat = Check(files, "cheat", "Enable cheat engine", "-cheat");
  CheatFile = Named(new QLineEdit(files), "CheatFile", "CheatFile= (MAME.CFG)");
  CheatFileBrowseBTN = Button(files, "CheatFileBrowseBTN", "Browse...");
  CheatEditBTN = Button(files, "CheatEditBTN", "Edit...");
  HistoryFile = Named(new QLineEdit(files), "HistoryFile", "HistoryFile= (MAME.CFG)");
  HistoryFileBrowseBTN = Button(files, "HistoryFileBrowseBTN", "Browse...");
  MameInfoFile = Named(new QLineEdit(files), "MameInfoFile", "MameInfoFile= (MAME.CFG)");
  MameInfoFileBrowseBTN = Button(files, "MameInfoFileBrowseBTN", "Browse...");
  files_grid->addWidget(cheat, 0, 0, 1, 4);
  files_grid->addWidget(Label(files, "CheatFileLBL", "Cheat file:"), 1, 0);
  files_grid->addWidget(CheatFile, 1, 1);
  files_grid->addWidget(CheatFileBrowseBTN, 1, 2);
  files_grid->addWidget(CheatEditBTN, 1, 3);
  files_grid->addWidget(Label(files, "HistoryFileLBL", "History file:"), 2, 0);
  files_grid->addWidget(HistoryFile, 2, 1);
  files_grid->addWidget(HistoryFileBrowseBTN, 2, 2);
  files_grid->addWidget(Label(files, "MameInfoFileLBL", "MAME info file:"), 3, 0);
  files_grid->addWidget(MameInfoFile, 3, 1);
  files_grid->addWidget(MameInfoFileBrowseBTN, 3, 2);
  CheatFile->setMinimumWidth(200);
  return files;
}

// The MMX choice, the tiles mapping and the language.
QHBoxLayout* TMiscFRM::BuildOther() {
  auto* bottom = new QHBoxLayout;
  QGroupBox* mmx_box = Group(this, "MmxGRP", " Use MMX instruction set ");
  auto* mmx_layout = new QHBoxLayout(mmx_box);
  mmx = List(mmx_box, "mmx", "Mmx= (MAME.CFG)");
  mmx_layout->addWidget(mmx);
  bottom->addWidget(mmx_box);
  QGroupBox* other = Group(this, "OtherGRP", " Other ");
  auto* other_form = new QFormLayout(other);
  Dirty = List(other, "Dirty", "dirty= (MAME.CFG)");
  DirtyLBL = Label(other, "DirtyLBL", "New \"Dirty\" tiles mapping:");
  other_form->addRow(DirtyLBL, Dirty);
  Language = List(other, "Language", nullptr);
  other_form->addRow("Language:", Language);
  bottom->addWidget(other, 1);
  return bottom;
}

// Each control bound to its option; the file buttons connected.
void TMiscFRM::BindControls() {
  EmulatorConfig& config = controller_.Config();
  auto refresh = [this] { ShowConfigInWindows(); };
  binders_.ComboBox(Joystick, opt::kJoystick(config), JoystickList());
  binders_.CheckBox(Mouse, opt::kMouse(config));
  binders_.CheckBox(Emulate3, opt::kEmulateThree(config));
  binders_.CheckBox(HotRod, opt::kHotrod(config));
  binders_.CheckBox(HotRodSE, opt::kHotrodse(config));
  binders_.CheckBox(debug, opt::kDebug(config));
  binders_.CheckBox(log, setting::kErrorLog.Of(controller_.Settings()));
  binders_.CheckBox(cheat, opt::kCheat(config), refresh);
  binders_.LineEdit(CheatFile, opt::kCheatfile(config));
  binders_.Tie(CheatFileBrowseBTN, &opt::kCheatfile(config));
  binders_.Tie(CheatEditBTN, &opt::kCheatfile(config));
  binders_.LineEdit(HistoryFile, opt::kHistoryfile(config));
  binders_.LineEdit(MameInfoFile, opt::kMameinfofile(config));
  binders_.ComboBox(Dirty, opt::kDirty(config), DirtyList());
  binders_.ComboBox(mmx, opt::kMmx(config), MmxList());
  binders_.ComboBox(Language, opt::kLanguage(config), controller_.Languages());

  connect(CheatFileBrowseBTN, &QPushButton::clicked, this,
          [this] { Browse(CheatFile, "Select cheat file", "Cheat files"); });
  connect(HistoryFileBrowseBTN, &QPushButton::clicked, this,
          [this] { Browse(HistoryFile, "Select history file", "History files"); });
  connect(MameInfoFileBrowseBTN, &QPushButton::clicked, this,
          [this] { Browse(MameInfoFile, "Select MAME info file", "MAME info files"); });
  connect(CheatEditBTN, &QPushButton::clicked, this, [this] { controller_.CheatEditBTNClick(); });
}

void TMiscFRM::Prepare() {
  setWindowTitle(FromSystemText(controller_.Title(" - MAME misc settings")));
  ShowConfigInWindows();
}

void TMiscFRM::Run() {
  Prepare();
  exec();
}

void TMiscFRM::ShowConfigInWindows() {
  controller_.ShowConfigInWindows();
  binders_.Show();
  const bool cheats = OptionEnablingOf(controller_.Config()).CheatFile;
  CheatFile->setEnabled(cheats);
  CheatFileBrowseBTN->setEnabled(cheats);
  CheatEditBTN->setEnabled(cheats && controller_.CheatEditAvailable());
  binders_.DisableMissing();
}

// An existing file; one in the emulator's directory is named as the emulator finds it there, by
// its name alone. The current directory is not changed.
void TMiscFRM::Browse(QLineEdit* field, const char* title, const char* kind) {
  const QString dir = FromSystemText(controller_.EmulatorDir());
  const QString filter = QString("%1 (*.DAT *.dat);;All files (*)").arg(kind);
  std::optional<std::string> chosen;
  if (file_hook_) {
    chosen = file_hook_(title, filter, dir, field->text());
  } else {
    const QString name =
        QFileDialog::getOpenFileName(this, title, QDir(dir).filePath(field->text()), filter,
                                     nullptr, QFileDialog::DontResolveSymlinks);
    if (!name.isEmpty()) chosen = ToSystemText(name);
  }
  if (!chosen) return;
  QFileInfo info(FromSystemText(*chosen));
  if (!info.isFile()) return;
  const bool beside = QDir(info.absolutePath()) == QDir(dir);
  field->setText(beside ? info.fileName() : info.absoluteFilePath());
}

}  // namespace kw
