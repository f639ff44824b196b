#include "ui/options/preferences_window.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/options/option_window_parts.h"
#include "ui/text_codec.h"

namespace kw {

using namespace option_parts;

namespace {

constexpr int kJoyPollMs = 25;

QLineEdit* Edit(QWidget* parent, const char* name) {
  auto* edit = Named(new QLineEdit(parent), name);
  edit->setMinimumWidth(230);
  return edit;
}

// A directory box: the field and its Browse... button on one line.
QGroupBox* DirectoryBox(QWidget* parent, const char* name, const char* caption, QLineEdit*& edit,
                        const char* edit_name, QPushButton*& browse, const char* browse_name) {
  QGroupBox* box = Group(parent, name, caption);
  auto* row = new QHBoxLayout(box);
  edit = Edit(box, edit_name);
  browse = Button(box, browse_name, "Browse...");
  row->addWidget(edit, 1);
  row->addWidget(browse);
  return box;
}

}  // namespace

TDirectoriesFRM::TDirectoriesFRM(PreferencesController& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
  SetUpWindow(this, "DirectoriesFRM");
  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(8, 8, 8, 8);
  auto* columns = new QHBoxLayout;
  top->addLayout(columns);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);

  BuildPictureBoxes(left);
  left->addWidget(BuildJoystickBox());
  left->addStretch(1);
  BuildTestAndListBoxes(right);
  right->addStretch(1);
  top->addLayout(BuildButtons());

  JoyTMR = new QTimer(this);
  JoyTMR->setObjectName("JoyTMR");
  JoyTMR->setInterval(kJoyPollMs);
  connect(JoyTMR, &QTimer::timeout, this, &TDirectoriesFRM::JoyTimerTick);

  BindControls();
  ConnectBrowseButtons();
  FixSize(this);
}

// The picture directories and the editor.
void TDirectoriesFRM::BuildPictureBoxes(QVBoxLayout* left) {
  QGroupBox* image = Group(this, "ImageDirGRP", " Image directory ");
  auto* image_grid = new QGridLayout(image);
  MameDefImageDir =
      Named(new QRadioButton("MAME's default (not available)", image), "MameDefImageDir");
  CustomImageDir = Named(new QRadioButton(image), "CustomImageDir");
  ImageDir = Edit(image, "ImageDir");
  ImgDirBrowseBTN = Button(image, "ImgDirBrowseBTN", "Browse...");
  image_grid->addWidget(MameDefImageDir, 0, 0, 1, 3);
  image_grid->addWidget(CustomImageDir, 1, 0);
  image_grid->addWidget(ImageDir, 1, 1);
  image_grid->addWidget(ImgDirBrowseBTN, 1, 2);
  image_grid->setColumnStretch(1, 1);
  left->addWidget(image);
  left->addWidget(DirectoryBox(this, "CabinetGRP", " Cabinet photo directory ", cabinetdir,
                               "cabinetdir", CabinetDirBrowseBTN, "CabinetDirBrowseBTN"));
  left->addWidget(DirectoryBox(this, "FlyersGRP", " Flyers photo directory ", FlyersDir,
                               "FlyersDir", FlyersDirBrowseBTN, "FlyersDirBrowseBTN"));
  left->addWidget(DirectoryBox(this, "HardwareGRP", " Hardware photo directory ", HardwareDir,
                               "HardwareDir", HardwareDirBrowseBTN, "HardwareDirBrowseBTN"));
  left->addWidget(DirectoryBox(this, "TextEditorGRP", " Text editor ", TextEditor, "TextEditor",
                               TextEditorBrowseBTN, "TextEditorBrowseBTN"));
}

// The joystick switch and the six buttons that wait for a joystick button.
QGroupBox* TDirectoriesFRM::BuildJoystickBox() {
  QGroupBox* joystick = Group(this, "JoystickGRP", " Joystick game selection ");
  auto* joy_grid = new QGridLayout(joystick);
  joy_grid->setVerticalSpacing(3);
  UseDirectX =
      Check(joystick, "UseDirectX",
            "Allow game selection using joystick (requires SDL joystick support)", nullptr);
  joy_grid->addWidget(UseDirectX, 0, 0, 1, 2);
  const char* names[6] = {"PlayBTN", "RandomBTN", "PgUpBTN", "PgDnBTN", "TopBTN", "BottomBTN"};
  for (int i = 0; i < 6; ++i) {
    QPushButton* button = Button(joystick, names[i], "");
    button->setCheckable(true);
    button->setToolTip(QString::fromUtf8(kJoystickHint.data(), kJoystickHint.size()));
    joy_grid->addWidget(button, 1 + i / 2, i % 2);
    JoystickButtons[static_cast<std::size_t>(i)] = button;
    // One group: at most one waits for its joystick button.
    connect(button, &QPushButton::clicked, this, [this, button] {
      for (QPushButton* other : JoystickButtons)
        if (other != button) other->setChecked(false);
    });
  }
  PlayBTN = JoystickButtons[0];
  RandomBTN = JoystickButtons[1];
  PgUpBTN = JoystickButtons[2];
  PgDnBTN = JoystickButtons[3];
  TopBTN = JoystickButtons[4];
  BottomBTN = JoystickButtons[5];
  return joystick;
}

// The set test, the CD, the list's lines, the report fonts and the other settings.
void TDirectoriesFRM::BuildTestAndListBoxes(QVBoxLayout* right) {
  QGroupBox* test = Group(this, "RomsetTestGRP", " Romset test on run ");
  auto* test_box = new QVBoxLayout(test);
  test_box->setSpacing(2);
  TestCRC = Check(test, "TestCRC", "Force rom CRC/size check", nullptr);
  TestSamples = Check(test, "TestSamples", "Check samples too", nullptr);
  DynamicRename = Check(test, "DynamicRename", "Fix miss-spelled filenames", nullptr);
  CreateMissingFiles = Check(test, "CreateMissingFiles",
                             "Create fake rom files if required files are missing (MAME may "
                             "crash with this)",
                             nullptr);
  for (QWidget* w :
       std::initializer_list<QWidget*>{TestCRC, TestSamples, DynamicRename, CreateMissingFiles})
    test_box->addWidget(w);
  right->addWidget(test);

  QGroupBox* cd = Group(this, "MameCdGRP", " MAME CD ");
  auto* cd_grid = new QGridLayout(cd);
  MameCd = Check(cd, "MameCd", "Use MAMECD compliant discs", nullptr);
  CdRom = List(cd, "CdRom", nullptr);
  CdRom->setMinimumWidth(150);
  cd_grid->addWidget(MameCd, 0, 0, 1, 2);
  cd_grid->addWidget(Label(cd, "CdRomLBL", "CD-ROM drive:"), 1, 0);
  cd_grid->addWidget(CdRom, 1, 1);
  cd_grid->setColumnStretch(1, 1);
  right->addWidget(cd);

  QGroupBox* list = Group(this, "ListGRP", " Game list options ");
  auto* list_box = new QVBoxLayout(list);
  list_box->setSpacing(2);
  ListRomsetName = Check(list, "ListRomsetName", "Include romset name", nullptr);
  ListYear = Check(list, "ListYear", "Include year", nullptr);
  ListManufacturer = Check(list, "ListManufacturer", "Include manufacturer", nullptr);
  for (QWidget* w : std::initializer_list<QWidget*>{ListRomsetName, ListYear, ListManufacturer})
    list_box->addWidget(w);
  right->addWidget(list);

  QGroupBox* fonts = Group(this, "FontsGRP", " Report fonts size ");
  auto* fonts_row = new QHBoxLayout(fonts);
  BoldText = List(fonts, "BoldText", nullptr);
  NormalText = List(fonts, "NormalText", nullptr);
  fonts_row->addWidget(Label(fonts, "BoldTextLBL", "Headers:"));
  fonts_row->addWidget(BoldText);
  fonts_row->addSpacing(12);
  fonts_row->addWidget(Label(fonts, "NormalTextLBL", "Normal text:"));
  fonts_row->addWidget(NormalText);
  fonts_row->addStretch(1);
  right->addWidget(fonts);

  QGroupBox* other = Group(this, "OtherGRP", " Other settings ");
  auto* other_box = new QVBoxLayout(other);
  other_box->setSpacing(2);
  Stats = Check(other, "Stats", "Enable statistics functions", nullptr);
  KillPif = Check(other, "KillPif",
                  "Delete the shell's COMMAND.PIF settings file before running a game", nullptr);
  StatusCheck = Check(other, "StatusCheck", "Check the sets' status when a profile opens", nullptr);
  other_box->addWidget(Stats);
  other_box->addWidget(KillPif);
  other_box->addWidget(StatusCheck);
  right->addWidget(other);
}

QHBoxLayout* TDirectoriesFRM::BuildButtons() {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  OkBTN = Button(this, "OkBTN", "OK");
  OkBTN->setDefault(true);
  OkBTN->setMinimumWidth(80);
  buttons->addWidget(OkBTN);
  connect(OkBTN, &QPushButton::clicked, this, &QDialog::accept);
  return buttons;
}

// The fields are stored when the window closes; the joystick switch at once.
void TDirectoriesFRM::BindControls() {
  FrontEndSettings& v = form_.values;
  binders_.RadioGroup<bool>({MameDefImageDir, CustomImageDir}, form_.custom_image_dir,
                            {false, true}, [this] { ShowImageChoice(); });
  binders_.LineEdit(ImageDir, setting::kScreenShots.Of(v));
  binders_.LineEdit(cabinetdir, setting::kCabinets.Of(v));
  binders_.LineEdit(FlyersDir, setting::kFlyers.Of(v));
  binders_.LineEdit(HardwareDir, setting::kHardware.Of(v));
  binders_.LineEdit(TextEditor, setting::kTextEditor.Of(v));
  binders_.CheckBox(TestCRC, setting::kCheckCRCOnRun.Of(v));
  binders_.CheckBox(TestSamples, setting::kCheckSamplesOnRun.Of(v));
  binders_.CheckBox(DynamicRename, setting::kDynamicRename.Of(v));
  binders_.CheckBox(CreateMissingFiles, setting::kCreateFakeFiles.Of(v));
  binders_.CheckBox(MameCd, setting::kMameCd.Of(v),
                    [this] { CdRom->setEnabled(MameCd->isChecked()); });
  binders_.CheckBox(ListRomsetName, setting::kListRomsetName.Of(v));
  binders_.CheckBox(ListYear, setting::kListYear.Of(v));
  binders_.CheckBox(ListManufacturer, setting::kListManufacturer.Of(v));
  binders_.ComboBox(BoldText, setting::kBoldFontSize.Of(v), FontSizeList());
  binders_.ComboBox(NormalText, setting::kNormalFontSize.Of(v), FontSizeList());
  binders_.CheckBox(Stats, setting::kUseStats.Of(v));
  binders_.CheckBox(KillPif, setting::kKillPifFile.Of(v));
  binders_.CheckBox(StatusCheck, setting::kStatusCheckAtOpen.Of(v));
  // At once, on the settings themselves.
  binders_.CheckBox(UseDirectX, setting::kDXGameSelect.Of(controller_.Settings()), [this] {
    controller_.SetJoystickSelect(UseDirectX->isChecked());
    ShowJoystick();
  });
  connect(CdRom, &QComboBox::activated, this, [this](int index) { form_.drive_index = index; });
}

void TDirectoriesFRM::ConnectBrowseButtons() {
  connect(ImgDirBrowseBTN, &QPushButton::clicked, this,
          [this] { Choose(ImageDir, "Choose image directory:", false); });
  connect(CabinetDirBrowseBTN, &QPushButton::clicked, this,
          [this] { Choose(cabinetdir, "Choose cabinet directory:", false); });
  connect(FlyersDirBrowseBTN, &QPushButton::clicked, this,
          [this] { Choose(FlyersDir, "Choose flyers directory:", false); });
  connect(HardwareDirBrowseBTN, &QPushButton::clicked, this,
          [this] { Choose(HardwareDir, "Choose hardware directory:", false); });
  connect(TextEditorBrowseBTN, &QPushButton::clicked, this,
          [this] { Choose(TextEditor, "Select text editor", true); });
}

void TDirectoriesFRM::Prepare() {
  setWindowTitle(FromSystemText(controller_.Title()));
  controller_.WindowShown();
  form_ = controller_.Show();
  MameDefImageDir->setText(FromSystemText(form_.mame_default_caption));
  CdRom->clear();
  for (const std::string& drive : form_.drives)
    CdRom->addItem(FromSystemText(drive));
  binders_.Show();
  CdRom->setCurrentIndex(form_.drive_index);
  CdRom->setEnabled(MameCd->isChecked());
  ShowImageChoice();
  ShowJoystick();
}

void TDirectoriesFRM::Apply() {
  controller_.Apply(form_);
}

void TDirectoriesFRM::Run() {
  Prepare();
  exec();
  Apply();
}

void TDirectoriesFRM::ShowImageChoice() {
  ImageDir->setEnabled(form_.custom_image_dir);
  ImgDirBrowseBTN->setEnabled(form_.custom_image_dir);
}

void TDirectoriesFRM::ShowJoystick() {
  const bool on = UseDirectX->isChecked();
  ReleaseButtons();
  for (QPushButton* button : JoystickButtons)
    button->setEnabled(on);
  if (on && !JoyTMR->isActive()) JoyTMR->start();
  if (!on) JoyTMR->stop();
}

void TDirectoriesFRM::ReleaseButtons() {
  for (std::size_t i = 0; i < JoystickButtons.size(); ++i) {
    JoystickButtons[i]->setChecked(false);
    JoystickButtons[i]->setText(QString::fromStdString(
        JoystickButtonCaption(controller_.Settings(), kJoystickFunctions[i])));
  }
}

void TDirectoriesFRM::JoyTimerTick() {
  std::optional<JoystickFunction> waiting;
  for (std::size_t i = 0; i < JoystickButtons.size(); ++i)
    if (JoystickButtons[i]->isChecked()) waiting = kJoystickFunctions[i];
  if (controller_.PollJoystick(waiting) == 0) return;
  ReleaseButtons();
}

void TDirectoriesFRM::hideEvent(QHideEvent* event) {
  JoyTMR->stop();
  ReleaseButtons();
  controller_.WindowHidden();
  QDialog::hideEvent(event);
}

void TDirectoriesFRM::Choose(QLineEdit* field, const char* caption, bool executable) {
  std::optional<std::string> chosen;
  if (executable) {
    // On this system a program is a file that may be run, whatever its name.
    QFileDialog dialog(this, caption, FromSystemText(editor_dir_));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
    dialog.selectFile(FromSystemText(editor_proposed_));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      chosen = ToSystemText(dialog.selectedFiles().front());
  } else {
    const QString dir = QFileDialog::getExistingDirectory(this, caption, field->text());
    if (!dir.isEmpty()) chosen = ToSystemText(dir);
  }
  if (chosen) field->setText(FromSystemText(*chosen));
}

}  // namespace kw
