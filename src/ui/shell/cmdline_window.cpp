#include "ui/shell/cmdline_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/shared/app_names.h"
#include "core/shared/settings.h"
#include "core/shell/command_line_form.h"
#include "ui/text_codec.h"

namespace kw {

TCmdLineFRM::TCmdLineFRM(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("CmdLineFRM");
  setModal(true);
  CommandLineBOX = new QGroupBox(" Command line ", this);
  CommandLineBOX->setObjectName("CommandLineBOX");
  AddOptions = new QCheckBox("Add manually:", CommandLineBOX);
  AddOptions->setObjectName("AddOptions");
  ExtraOptions = new QLineEdit(CommandLineBOX);
  ExtraOptions->setObjectName("ExtraOptions");
  CmdLineExample = new QLineEdit(CommandLineBOX);
  CmdLineExample->setObjectName("CmdLineExample");
  CmdLineExample->setReadOnly(true);
  QFont courier("Courier New");
  courier.setStyleHint(QFont::TypeWriter);
  courier.setBold(true);
  CmdLineExample->setFont(courier);
  CmdLineExample->setStyleSheet("QLineEdit { background: black; color: silver; }");
  CmdLineExample->setMinimumHeight(24);
  auto* add = new QHBoxLayout;
  add->addWidget(AddOptions);
  add->addWidget(ExtraOptions, 1);
  auto* box = new QVBoxLayout(CommandLineBOX);
  box->addLayout(add);
  box->addWidget(CmdLineExample);

  LogMame = new QCheckBox("Log MAME text output (for advanced users)", this);
  LogMame->setObjectName("LogMame");
  IgnoreCfg = new QCheckBox("Ignore MAME.CFG and go with default values", this);
  IgnoreCfg->setObjectName("IgnoreCfg");
  IgnoreCfg->setToolTip("-ignorecfg");
  OkBTN = new QPushButton("OK", this);
  OkBTN->setObjectName("OkBTN");
  OkBTN->setDefault(true);
  auto* bottom = new QHBoxLayout;
  auto* checks = new QVBoxLayout;
  checks->addWidget(LogMame);
  checks->addWidget(IgnoreCfg);
  bottom->addLayout(checks, 1);
  bottom->addWidget(OkBTN, 0, Qt::AlignBottom);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CommandLineBOX);
  layout->addLayout(bottom);
  resize(760, 170);

  connect(OkBTN, &QPushButton::clicked, this, &QDialog::accept);
  connect(AddOptions, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_ || !form_) return;
    form_->SetAddExtraOptions(on);
    ShowExtraOptionsState();
    RefreshExample();
  });
  connect(ExtraOptions, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (filling_ || !form_) return;
    form_->SetExtraOptions(ToSystemText(text));
    RefreshExample();
  });
  connect(LogMame, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_ || !form_) return;
    form_->SetLogTextOutput(on);
    RefreshExample();
  });
  connect(IgnoreCfg, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_ || !form_) return;
    form_->SetIgnoreConfig(on);
    RefreshExample();
  });
}

void TCmdLineFRM::ShowExtraOptionsState() {
  const bool on = AddOptions->isChecked();
  ExtraOptions->setEnabled(on);
  // Ticked: the window colour; otherwise greyed.
  ExtraOptions->setStyleSheet(on ? "" : "QLineEdit { background: palette(button); }");
}

void TCmdLineFRM::RefreshExample() {
  if (!form_) return;
  CmdLineExample->setText(FromSystemText(form_->Example()));
  CmdLineExample->setCursorPosition(0);
}

void TCmdLineFRM::Show(CommandLineForm& form) {
  form_ = &form;
  setWindowTitle(QString(kProductName) + " - Show/edit command line");
  const FrontEndSettings& s = form.Settings();
  filling_ = true;
  AddOptions->setChecked(s.AddExtraOptions);
  ExtraOptions->setText(FromSystemText(s.ExtraOptions));
  IgnoreCfg->setChecked(s.IgnoreConfig);
  LogMame->setChecked(s.LogTextOutput);
  filling_ = false;
  ShowExtraOptionsState();
  RefreshExample();
}

void TCmdLineFRM::Run(CommandLineForm& form) {
  Show(form);
  exec();
}

}  // namespace kw
