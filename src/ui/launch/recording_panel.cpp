#include "ui/launch/recording_panel.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/palette.h"
#include "ui/text_codec.h"

namespace kw {

RecordingPanel::RecordingPanel(QWidget* parent) : QObject(parent) {
  GameRecordingBOX = new QGroupBox(" Game recordings ", parent);
  GameRecordingBOX->setObjectName("GameRecordingBOX");

  auto speed_button = [this](const char* name, const char* icon, const char* text,
                             const char* hint) {
    auto* button = new QToolButton(GameRecordingBOX);
    button->setObjectName(name);
    button->setIcon(QIcon(QString(":/icons/%1.png").arg(icon)));
    button->setIconSize(QSize(16, 16));
    button->setText(text);
    button->setToolTip(hint);
    button->setCheckable(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setMinimumHeight(26);
    return button;
  };
  NoneBTN = speed_button("NoneBTN", "rec_none", "None", "Neither record nor play back");
  PlayBTN = speed_button("PlayBTN", "rec_play", "Playback", "Play back a recorded game");
  RecordBTN = speed_button("RecordBTN", "rec_record", "Record", "Record the game");
  RecordingGroup = new QButtonGroup(this);
  RecordingGroup->setObjectName("RecordingGroup");
  RecordingGroup->setExclusive(true);
  RecordingGroup->addButton(NoneBTN);
  RecordingGroup->addButton(PlayBTN);
  RecordingGroup->addButton(RecordBTN);
  NoneBTN->setChecked(true);
  connect(NoneBTN, &QToolButton::clicked, this, &RecordingPanel::NoneRDOClick);
  connect(PlayBTN, &QToolButton::clicked, this, &RecordingPanel::PlayRDOClick);
  connect(RecordBTN, &QToolButton::clicked, this, &RecordingPanel::RecordRDOClick);

  InpFileLBL = new QLabel("Filename:", GameRecordingBOX);
  InpFileLBL->setObjectName("InpFileLBL");
  InpFile = new QLineEdit(GameRecordingBOX);
  InpFile->setObjectName("InpFile");
  InpFile->setMaxLength(static_cast<int>(kRecordingNameWidth));
  InpFileLBL->setBuddy(InpFile);
  connect(InpFile, &QLineEdit::textEdited, this, [this](const QString& text) {
    const std::string typed = ToSystemText(text);
    const QString shown =
        FromSystemText(controller_ ? controller_->Typed(typed) : RecordingFileNameTyped(typed));
    if (shown != text) {
      const int cursor = InpFile->cursorPosition();
      InpFile->setText(shown);
      InpFile->setCursorPosition(cursor);
    }
    if (controller_) controller_->FileNameEdited(ToSystemText(shown));
  });
  InpBrowseBTN = new QPushButton("Browse...", GameRecordingBOX);
  InpBrowseBTN->setObjectName("InpBrowseBTN");
  connect(InpBrowseBTN, &QPushButton::clicked, this, &RecordingPanel::InpBrowseBTNClick);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(4);
  buttons->addWidget(NoneBTN);
  buttons->addWidget(PlayBTN);
  buttons->addWidget(RecordBTN);
  auto* file_row = new QHBoxLayout;
  file_row->setSpacing(6);
  file_row->addWidget(InpFileLBL);
  file_row->addWidget(InpFile, 1);
  file_row->addWidget(InpBrowseBTN);
  // The two rows share the box's height evenly, whatever the font makes of it.
  auto* box = new QVBoxLayout(GameRecordingBOX);
  box->setContentsMargins(8, 4, 8, 6);
  box->setSpacing(0);
  box->addStretch(1);
  box->addLayout(buttons);
  box->addStretch(1);
  box->addLayout(file_row);
  box->addStretch(1);
  SetFileNameEnabled(false);
}

void RecordingPanel::SetRecordingEnabled(bool enabled) {
  for (QWidget* w : {static_cast<QWidget*>(GameRecordingBOX), static_cast<QWidget*>(NoneBTN),
                     static_cast<QWidget*>(PlayBTN), static_cast<QWidget*>(RecordBTN)})
    w->setEnabled(enabled);
}

void RecordingPanel::ShowRecordingMode(RecordingMode mode) {
  switch (mode) {
    case RecordingMode::None:
      NoneBTN->setChecked(true);
      break;
    case RecordingMode::Playback:
      PlayBTN->setChecked(true);
      break;
    case RecordingMode::Record:
      RecordBTN->setChecked(true);
      break;
  }
}

void RecordingPanel::SetFileNameEnabled(bool enabled) {
  InpFileLBL->setEnabled(enabled);
  InpFile->setEnabled(enabled);
  InpBrowseBTN->setEnabled(enabled);
  SetBaseColour(InpFile, enabled ? QPalette::Base : QPalette::Button);
}

void RecordingPanel::SetFileName(const std::string& name) {
  InpFile->setText(FromSystemText(name));
}

void RecordingPanel::SetFileNameWidth(std::size_t width) {
  InpFile->setMaxLength(static_cast<int>(width));
}

void RecordingPanel::NoneRDOClick() {
  if (controller_) controller_->SelectNone();
}
void RecordingPanel::PlayRDOClick() {
  if (controller_) controller_->SelectPlayback();
}
void RecordingPanel::RecordRDOClick() {
  if (controller_) controller_->SelectRecord();
}
void RecordingPanel::InpBrowseBTNClick() {
  if (controller_) controller_->InpBrowseBTNClick();
}

std::optional<std::string> RecordingPanel::ChooseRecordingFile(const std::string& initial_dir,
                                                               const std::string& name) {
  QFileDialog dialog(GameRecordingBOX->window(), "Select a game recording file",
                     FromSystemText(initial_dir));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::ReadOnly);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({"MAME Input files (*.INP *.inp)", "All files (*)"});
  dialog.setDefaultSuffix("INP");
  if (!name.empty()) dialog.selectFile(FromSystemText(name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToSystemText(dialog.selectedFiles().front());
}

}  // namespace kw
