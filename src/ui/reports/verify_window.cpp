#include "ui/reports/verify_window.h"

#include "core/reports/verify_controller.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "ui/shell/program_font.h"
#include "ui/text_codec.h"

namespace kw {

namespace {

constexpr int kMargin = 8;
constexpr int kBoxRow = 18;
constexpr int kTextRow = 15;
constexpr int kInner = 12;  // from a group's edge to its controls
constexpr int kColumn = (TVerifyFRM::kWidth - 2 * kMargin) / 2;

constexpr int kOptionsTop = 4;
constexpr int kOptionsHeight = 256;
constexpr int kProgressTop = kOptionsTop + kOptionsHeight + 4;
constexpr int kProgressHeight = 214;
constexpr int kButtonWidth = 80;

// Where each of the verifier's options has its box, in the order of its declarations.
struct OptionPlace {
  QCheckBox* TVerifyFRM::*box;
  int column;
  int row;
  bool full_width;
};
constexpr OptionPlace kOptionPlaces[] = {
    {&TVerifyFRM::VerifyRoms, 0, 0, false},          {&TVerifyFRM::RomClones, 0, 1, false},
    {&TVerifyFRM::ReportNoGoodDump, 0, 5, true},     {&TVerifyFRM::VerifySamples, 0, 2, false},
    {&TVerifyFRM::VerifySampleQuality, 0, 3, false}, {&TVerifyFRM::SkipNotPresent, 0, 4, false},
    {&TVerifyFRM::VerifyScreenshot, 1, 0, false},    {&TVerifyFRM::VerifyCabinets, 1, 1, false},
    {&TVerifyFRM::VerifyFlyers, 1, 2, false},        {&TVerifyFRM::VerifyHardware, 1, 3, false},
    {&TVerifyFRM::ScreenshotDetail, 0, 6, true},     {&TVerifyFRM::ReportUnused, 1, 4, false},
    {&TVerifyFRM::ReportUnsupported, 0, 7, true},
};
static_assert(std::size(kOptionPlaces) == kVerifyOptionFields.size());
constexpr int kButtonHeight = 26;

// The counters' captions, in the order of VerifyCounterValues, with their column and row in the
// progress group.
struct CounterPlace {
  const char* name;
  const char* caption;
  int column;
  int row;
};
constexpr CounterPlace kCounterPlaces[TVerifyFRM::kCounterCount] = {
    {"MissingRoms", "Total missing roms:", 0, 3},
    {"CorruptRoms", "Total corrupt roms:", 0, 4},
    {"MissSpelled", "Total miss-spelled roms:", 0, 5},
    {"NoGoodMissing", "Total missing no good dumps:", 0, 6},
    {"MissingScreenshots", "Total missing screenshots:", 1, 2},
    {"MissingCabinets", "Total missing cabinets:", 1, 3},
    {"MissingFlyers", "Total missing flyers:", 1, 4},
    {"MissingHardware", "Total missing hardware:", 1, 5},
    {"MissingSamples", "Total missing samples:", 0, 7},
    {"FaultySets", "Total faulty sets:", 0, 8},
    {"UnsupportedSets", "Total unsupported sets:", 1, 6},
    {"SkippedSets", "Total skipped sets:", 0, 9},
};

std::array<std::uint32_t, TVerifyFRM::kCounterCount> InOrder(const VerifyCounterValues& c) {
  return {c.MissingRoms,        c.CorruptRoms,     c.MissSpelled,     c.NoGoodMissing,
          c.MissingScreenshots, c.MissingCabinets, c.MissingFlyers,   c.MissingHardware,
          c.MissingSamples,     c.FaultySets,      c.UnsupportedSets, c.SkippedSets};
}

}  // namespace

TVerifyFRM::TVerifyFRM(std::string program_dir, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      program_dir_(std::move(program_dir)) {
  setObjectName("VerifyFRM");
  setModal(true);
  setFixedSize(kWidth, kHeight);
  setFont(ProgramFont());
  BuildOptions();
  BuildProgress();
  BuildButtons();
}

// The options, created in the order the Tab key goes through them.
void TVerifyFRM::BuildOptions() {
  OptionsGRP = new QGroupBox(" Options ", this);
  OptionsGRP->setObjectName("OptionsGRP");
  OptionsGRP->setGeometry(kMargin, kOptionsTop, kWidth - 2 * kMargin, kOptionsHeight);
  const int full = OptionsGRP->width() - 2 * kInner;
  auto box = [&](const char* name, const char* caption, int column, int row, int width) {
    auto* b = new QCheckBox(caption, OptionsGRP);
    b->setObjectName(name);
    b->setGeometry(kInner + column * kColumn, 20 + row * kBoxRow, width, kBoxRow);
    connect(b, &QCheckBox::clicked, this, &TVerifyFRM::OptionClick);
    return b;
  };
  const int half = kColumn - kInner;
  for (std::size_t i = 0; i < kVerifyOptionFields.size(); ++i) {
    const VerifyOptionField& option = kVerifyOptionFields[i];
    const OptionPlace& place = kOptionPlaces[i];
    this->*place.box =
        box(option.name, option.caption, place.column, place.row, place.full_width ? full : half);
  }
  QuickCheck = box("QuickCheck", "Quick check: trust the CRCs stored in the archives", 0, 8, full);

  const int file_top = 20 + 9 * kBoxRow + 4;
  LogFileNameLBL = new QLabel("Save verification report as:", OptionsGRP);
  LogFileNameLBL->setObjectName("LogFileNameLBL");
  LogFileNameLBL->setGeometry(kInner, file_top, full, kTextRow);
  LogFileName = new QLineEdit(OptionsGRP);
  LogFileName->setObjectName("LogFileName");
  LogFileName->setGeometry(kInner, file_top + kTextRow + 2, full - kButtonWidth - 6, 22);
  LogFileNameLBL->setBuddy(LogFileName);
  connect(LogFileName, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (form_ != nullptr) form_->Options.LogFileName = ToSystemText(text);
  });
  LogFileBrowseBTN = new QPushButton("Browse...", OptionsGRP);
  LogFileBrowseBTN->setObjectName("LogFileBrowseBTN");
  LogFileBrowseBTN->setGeometry(kInner + full - kButtonWidth, file_top + kTextRow + 1, kButtonWidth,
                                24);
  LogFileBrowseBTN->setAutoDefault(false);
  connect(LogFileBrowseBTN, &QPushButton::clicked, this, &TVerifyFRM::LogFileBrowseBTNClick);
  OpenInEditor = new QCheckBox("Send report to text editor when done", OptionsGRP);
  OpenInEditor->setObjectName("OpenInEditor");
  OpenInEditor->setGeometry(kInner, file_top + kTextRow + 28, full, kBoxRow);
  connect(OpenInEditor, &QCheckBox::clicked, this, &TVerifyFRM::OptionClick);
}

// The progress: a caption, then its bold value.
void TVerifyFRM::BuildProgress() {
  QFont bold = font();
  bold.setBold(true);
  ProgressGRP = new QGroupBox(" Progress ", this);
  ProgressGRP->setObjectName("ProgressGRP");
  ProgressGRP->setGeometry(kMargin, kProgressTop, kWidth - 2 * kMargin, kProgressHeight);
  const int full = ProgressGRP->width() - 2 * kInner;
  // The captions of a column are as wide as the widest of them, whatever the font; counters
  // on the left need little room, so the right column starts just after them.
  const QFontMetrics metrics(font());
  auto widest = [&](int column) {
    int w = metrics.horizontalAdvance("Clones found:");
    for (const CounterPlace& p : kCounterPlaces)
      if (p.column == column) w = std::max(w, metrics.horizontalAdvance(p.caption));
    return w + 4;
  };
  const int caption_width[2] = {widest(0), widest(1)};
  constexpr int kCountWidth = 44;
  const int right_left = kInner + caption_width[0] + kCountWidth;
  const int right_end = kInner + full;
  auto value = [&](const char* name, const char* caption, int left, int caption_w, int top,
                   int end) {
    auto* c = new QLabel(caption, ProgressGRP);
    c->setObjectName(QString(name) + "LBL");
    c->setGeometry(left, top, caption_w, kTextRow);
    auto* v = new QLabel(ProgressGRP);
    v->setObjectName(name);
    v->setFont(bold);
    v->setTextFormat(Qt::PlainText);
    v->setGeometry(left + caption_w, top, end - left - caption_w, kTextRow);
    return v;
  };
  auto top_of = [](int row) { return 20 + row * kTextRow; };
  const int status_caption = metrics.horizontalAdvance("Current set:") + 8;
  PassName = value("PassName", "Pass:", kInner, status_caption, top_of(0), right_end);
  SetName = value("SetName", "Current set:", kInner, status_caption, top_of(1), right_end);
  Clones = value("Clones", "Clones found:", kInner, caption_width[0], top_of(2), right_left);
  for (int n = 0; n < kCounterCount; ++n) {
    const CounterPlace& p = kCounterPlaces[n];
    Counters[n] =
        p.column == 0
            ? value(p.name, p.caption, kInner, caption_width[0], top_of(p.row), right_left)
            : value(p.name, p.caption, right_left, caption_width[1], top_of(p.row), right_end);
  }
  ElapsedTime =
      value("ElapsedTime", "Elapsed time:", kInner, caption_width[0], top_of(10), right_end);
  ElapsedTime->setText("00:00:00");

  ProgressBAR = new QProgressBar(ProgressGRP);
  ProgressBAR->setObjectName("ProgressBAR");
  ProgressBAR->setGeometry(kInner, top_of(11) + 4, full, 20);
  ProgressBAR->setRange(0, 100);
  ProgressBAR->setValue(0);
  ProgressBAR->setFont(bold);
  ProgressBAR->setAlignment(Qt::AlignCenter);
  QPalette gauge = ProgressBAR->palette();
  gauge.setColor(QPalette::Highlight, QColor(0, 0, 255));
  ProgressBAR->setPalette(gauge);
}

// Go and Cancel, and the timer of the elapsed time.
void TVerifyFRM::BuildButtons() {
  const int buttons_top = kHeight - kMargin - kButtonHeight;
  GoBTN = new QPushButton("Go", this);
  GoBTN->setObjectName("GoBTN");
  GoBTN->setGeometry(kWidth - kMargin - 2 * kButtonWidth - 8, buttons_top, kButtonWidth,
                     kButtonHeight);
  GoBTN->setDefault(true);
  connect(GoBTN, &QPushButton::clicked, this, [this] {
    if (controller_ == nullptr) return;
    ReadOptions();
    controller_->Go();
  });
  AbortBTN = new QPushButton("Cancel", this);
  AbortBTN->setObjectName("AbortBTN");
  AbortBTN->setGeometry(kWidth - kMargin - kButtonWidth, buttons_top, kButtonWidth, kButtonHeight);
  AbortBTN->setAutoDefault(false);
  connect(AbortBTN, &QPushButton::clicked, this, &TVerifyFRM::AbortBTNClick);

  ElapsedTMR = new QTimer(this);
  ElapsedTMR->setObjectName("ElapsedTMR");
  ElapsedTMR->setInterval(1000);
  connect(ElapsedTMR, &QTimer::timeout, this, [this] {
    if (form_ != nullptr) form_->TimerTick();
  });
}

void TVerifyFRM::Attach(VerifyController& controller, const std::string& emulator_dir) {
  controller_ = &controller;
  VerifyForm& form = controller.Form();
  form_ = &form;
  closing_ = false;
  form.SetView(this);
  form.Show(emulator_dir);
  setWindowTitle(FromSystemText(form.Caption));
  LogFileName->setText(FromSystemText(form.Options.LogFileName));
}

int TVerifyFRM::Run(VerifyController& controller, const std::string& emulator_dir) {
  Attach(controller, emulator_dir);
  const int result = exec();
  controller.Form().SetView(nullptr);
  form_ = nullptr;
  controller_ = nullptr;
  return result;
}

void TVerifyFRM::WriteOptions() {
  const VerifyWindowOptions& o = form_->Options;
  for (std::size_t i = 0; i < kVerifyOptionFields.size(); ++i)
    (this->*kOptionPlaces[i].box)->setChecked(o.*kVerifyOptionFields[i].field);
  OpenInEditor->setChecked(o.OpenInEditor);
  QuickCheck->setChecked(o.QuickCheck);
}

void TVerifyFRM::ReadOptions() {
  VerifyWindowOptions& o = form_->Options;
  for (std::size_t i = 0; i < kVerifyOptionFields.size(); ++i)
    o.*kVerifyOptionFields[i].field = (this->*kOptionPlaces[i].box)->isChecked();
  o.OpenInEditor = OpenInEditor->isChecked();
  o.QuickCheck = QuickCheck->isChecked();
  o.LogFileName = ToSystemText(LogFileName->text());
}

void TVerifyFRM::OptionClick() {
  if (form_ == nullptr) return;
  ReadOptions();
  form_->OptionClicked();
}

void TVerifyFRM::ShowState() {
  if (form_ == nullptr) return;
  const VerifyForm& f = *form_;
  WriteOptions();
  const bool on = f.OptionsEnabled;
  const VerifyOptionStates& e = f.Enabled;
  for (std::size_t i = 0; i < kVerifyOptionFields.size(); ++i)
    (this->*kOptionPlaces[i].box)->setEnabled(on && e.Of(kVerifyOptionFields[i].field));
  QuickCheck->setEnabled(on && e.QuickCheck);
  LogFileNameLBL->setEnabled(on);
  LogFileName->setEnabled(on);
  LogFileBrowseBTN->setEnabled(on);
  OpenInEditor->setEnabled(on);
  // Idle: the edit has the window's colour; running: the buttons' face.
  QPalette edit = LogFileName->palette();
  const QPalette system = QApplication::palette();
  const QColor back = system.color(on ? QPalette::Base : QPalette::Button);
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    edit.setColor(g, QPalette::Base, back);
  LogFileName->setPalette(edit);
  GoBTN->setEnabled(f.GoEnabled);
  AbortBTN->setText(FromSystemText(f.AbortCaption));
  if (f.TimerOn && !ElapsedTMR->isActive()) ElapsedTMR->start();
  if (!f.TimerOn) ElapsedTMR->stop();
}

void TVerifyFRM::ShowCounters(const VerifyCounterValues& counters) {
  const auto values = InOrder(counters);
  for (int n = 0; n < kCounterCount; ++n)
    Counters[n]->setText(QString::number(values[n]));
  ProcessMessages();
}

void TVerifyFRM::ShowProgress(int percent) {
  ProgressBAR->setValue(std::clamp(percent, 0, 100));
}

void TVerifyFRM::ShowStatus(const std::string& pass_name, const std::string& set_name,
                            const std::string& clones) {
  PassName->setText(FromSystemText(pass_name));
  SetName->setText(FromSystemText(set_name));
  Clones->setText(FromSystemText(clones));
}

void TVerifyFRM::ShowElapsed(const std::string& text) {
  ElapsedTime->setText(FromSystemText(text));
}

void TVerifyFRM::ProcessMessages() {
  QCoreApplication::processEvents();
}

void TVerifyFRM::HideWindow() {
  if (isVisible()) hide();
}

void TVerifyFRM::AbortBTNClick() {
  if (form_ == nullptr) return;
  switch (form_->AbortClicked()) {
    case VerifyClose::Stay:
      break;
    case VerifyClose::Cancel:
      done(QDialog::Rejected);
      break;
    case VerifyClose::Ok:
      done(QDialog::Accepted);
      break;
  }
}

void TVerifyFRM::reject() {
  // Esc is the abort button's key; the window has no close box of its own.
  AbortBTNClick();
}

void TVerifyFRM::done(int result) {
  if (!closing_ && form_ != nullptr) {
    closing_ = true;
    ElapsedTMR->stop();
    form_->Closing();
  }
  QDialog::done(result);
}

void TVerifyFRM::LogFileBrowseBTNClick() {
  const std::string proposed = ToSystemText(LogFileName->text());
  const std::optional<std::string> chosen = browse_hook_ ? browse_hook_(program_dir_, proposed)
                                                         : ChooseReportFile(program_dir_, proposed);
  if (!chosen) return;
  LogFileName->setText(FromSystemText(*chosen));
  if (form_ != nullptr) form_->Options.LogFileName = *chosen;
}

std::optional<std::string> TVerifyFRM::ChooseReportFile(const std::string& initial_dir,
                                                        const std::string& proposed) {
  QFileDialog dialog(this, "Select report file name", FromSystemText(initial_dir));
  dialog.setOptions(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix("TXT");
  dialog.setNameFilters({"Text files (*.TXT)", "All files (*)"});
  dialog.setSizeGripEnabled(true);
  if (!proposed.empty()) dialog.selectFile(FromSystemText(proposed));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToSystemText(dialog.selectedFiles().front());
}

}  // namespace kw
