#include "ui/profile/new_profile_window.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/shared/app_names.h"
#include "ui/resources.h"
#include "ui/shell/qt_user_interface.h"
#include "ui/text_codec.h"

namespace kw {

namespace {

// The file dialogs of the program look alike everywhere: Qt's own, not the desktop's, so that
// they behave the same under every desktop and in the tests.
QFileDialog::Options DialogOptions() {
  return QFileDialog::DontUseNativeDialog;
}

std::optional<std::string> RunDialog(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToSystemText(dialog.selectedFiles().front());
}

}  // namespace

TNewMameFRM::TNewMameFRM(QWidget* parent) : QDialog(parent) {
  InitResources();
  setObjectName("NewMameFRM");
  setFixedSize(kWidth, kHeight);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  KestrelImage = new QLabel(this);
  KestrelImage->setObjectName("KestrelImage");
  KestrelImage->setPixmap(QPixmap(":/pictures/KESTREL.png")
                              .scaled(112, 112, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  KestrelImage->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  KestrelImage->setFixedWidth(120);

  FileNameLBL = new QLabel(this);
  FileNameLBL->setObjectName("FileNameLBL");
  FileName = new QLineEdit(this);
  FileName->setObjectName("FileName");
  BrowseBTN = new QPushButton("Browse...", this);
  BrowseBTN->setObjectName("BrowseBTN");
  FileNameLBL->setBuddy(FileName);
  HintLBL = new QLabel(this);
  HintLBL->setObjectName("HintLBL");
  HintLBL->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  HintLBL->setWordWrap(false);

  NextBTN = new QPushButton("Next >>", this);
  NextBTN->setObjectName("NextBTN");
  GoBTN = new QPushButton("Go", this);
  GoBTN->setObjectName("GoBTN");
  CancelBTN = new QPushButton("Cancel", this);
  CancelBTN->setObjectName("CancelBTN");
  CancelBTN->setDefault(true);
  for (QPushButton* button : {NextBTN, GoBTN, CancelBTN, BrowseBTN}) {
    button->setAutoDefault(false);
    button->setMinimumWidth(84);
  }
  CancelBTN->setDefault(true);

  auto* file_row = new QHBoxLayout;
  file_row->addWidget(FileName, 1);
  file_row->addWidget(BrowseBTN);
  auto* right = new QVBoxLayout;
  right->addWidget(FileNameLBL);
  right->addLayout(file_row);
  right->addSpacing(8);
  right->addWidget(HintLBL, 1);
  auto* top = new QHBoxLayout;
  top->addWidget(KestrelImage);
  top->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(NextBTN);
  buttons->addWidget(GoBTN);
  buttons->addWidget(CancelBTN);
  auto* all = new QVBoxLayout(this);
  all->addLayout(top, 1);
  all->addLayout(buttons);

  connect(FileName, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (form_) form_->FileName = ToSystemText(text);
  });
  connect(BrowseBTN, &QPushButton::clicked, this, &TNewMameFRM::BrowseBTNClick);
  connect(NextBTN, &QPushButton::clicked, this, &TNewMameFRM::NextBTNClick);
  connect(GoBTN, &QPushButton::clicked, this, &TNewMameFRM::GoBTNClick);
  connect(CancelBTN, &QPushButton::clicked, this, &QDialog::reject);
}

void TNewMameFRM::Attach(NewProfileForm& form) {
  form_ = &form;
  ShowForm();
}

bool TNewMameFRM::Run(NewProfileForm& form) {
  Attach(form);
  const bool ok = exec() == QDialog::Accepted;
  form_ = nullptr;
  return ok;
}

void TNewMameFRM::ShowForm() {
  if (!form_) return;
  setWindowTitle(FromSystemText(form_->Caption));
  FileNameLBL->setText(FromSystemText(form_->FileNameLabel));
  FileName->setText(FromSystemText(form_->FileName));
  HintLBL->setText(QtUserInterface::MessageText(form_->Hint));
  NextBTN->setEnabled(form_->NextEnabled);
  GoBTN->setEnabled(form_->GoEnabled);
}

void TNewMameFRM::BrowseBTNClick() {
  if (!form_) return;
  form_->FileName = ToSystemText(FileName->text());
  form_->Browse(*this);
  ShowForm();
}

void TNewMameFRM::NextBTNClick() {
  if (!form_) return;
  form_->FileName = ToSystemText(FileName->text());
  form_->Next();
  ShowForm();
}

void TNewMameFRM::GoBTNClick() {
  if (!form_) return;
  form_->FileName = ToSystemText(FileName->text());
  if (form_->Go()) accept();
}

std::optional<std::string> TNewMameFRM::ChooseEmulator(const std::string& initial_dir,
                                                       const std::string& proposed) {
  QFileDialog dialog(this, "Select emulator file", FromSystemText(initial_dir));
  dialog.setOptions(DialogOptions());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // Programs here have no extension to filter on: the first filter lists executable files.
  dialog.setNameFilters({"Emulator programs (*)", "All files (*)"});
  dialog.setFilter(QDir::Files | QDir::Executable | QDir::AllDirs | QDir::NoDotAndDotDot);
  connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    const QDir::Filters files = QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot;
    dialog.setFilter(filter.startsWith("Emulator") ? files | QDir::Executable : files);
  });
  if (!proposed.empty()) dialog.selectFile(FromSystemText(proposed));
  return RunDialog(dialog);
}

std::optional<std::string> TNewMameFRM::ChooseProfileFile(const std::string& initial_dir,
                                                          const std::string& proposed) {
  QFileDialog dialog(this, "Save profile as...", FromSystemText(initial_dir));
  dialog.setOptions(DialogOptions());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter("Emulator profile files (*.KSL *.ksl)");
  dialog.setDefaultSuffix("KSL");
  if (!proposed.empty()) dialog.selectFile(FromSystemText(proposed));
  return RunDialog(dialog);
}

bool ProfileWindows::RunNewProfileWindow(NewProfileForm& form) {
  TNewMameFRM window(parent_);
  return window.Run(form);
}

std::optional<std::string> ProfileWindows::ChooseProfileToOpen(const std::string& initial_dir) {
  QFileDialog dialog(parent_, "Select a profile", FromSystemText(initial_dir));
  dialog.setOptions(DialogOptions() | QFileDialog::ReadOnly);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(QString(kProductName) + " profiles (*.KSL *.ksl)");
  dialog.setDefaultSuffix("KSL");
  dialog.selectFile("MAME.KSL");
  return RunDialog(dialog);
}

}  // namespace kw
