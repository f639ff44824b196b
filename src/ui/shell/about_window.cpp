#include "ui/shell/about_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/shared/app_names.h"
#include "core/shell/logo_animation.h"
#include "core/shell/program_version.h"
#include "ui/resources.h"

namespace kw {

namespace {

constexpr int kLogoSize = 128;

QString CreditsText() {
  const QString product = kProductName;
  return product + " " + QString::fromStdString(ProgramVersion()) +
         "\n"
         "A front-end for the MAME arcade emulator.\n"
         "Tested with MAME 0.37 beta 5.\n"
         "\n"
         "Thanks to\n"
         "\n"
         "- the MAME team and everybody who contributes drivers, fixes and documentation to "
         "the emulator: it does all the real work, this program only helps you find your way "
         "to it;\n"
         "- the authors of Qt, the library this program is built on;\n"
         "- everybody who tried the early versions and said what went wrong.\n"
         "\n" +
         product +
         " is not connected with the MAME team; please send your questions about this "
         "program to its author, not to them.";
}

}  // namespace

TAboutFRM::TAboutFRM(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  InitResources();
  setObjectName("AboutFRM");
  setModal(true);
  setWindowTitle(QString(kProductName) + " - About");

  Logo = new QLabel(this);
  Logo->setObjectName("Logo");
  Logo->setFixedSize(kLogoSize, kLogoSize);
  Logo->setAlignment(Qt::AlignCenter);

  TitleLBL = new QLabel(this);
  TitleLBL->setObjectName("TitleLBL");
  TitleLBL->setTextFormat(Qt::RichText);
  TitleLBL->setText(QString("<span style='font-size:16pt; font-weight:bold'>%1</span><br>"
                            "version %2")
                        .arg(kProductName, QString::fromStdString(ProgramVersion())));

  CreditsMemo = new QPlainTextEdit(this);
  CreditsMemo->setObjectName("CreditsMemo");
  CreditsMemo->setReadOnly(true);
  CreditsMemo->setPlainText(CreditsText());
  CreditsMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  OkBTN = new QPushButton("OK", this);
  OkBTN->setObjectName("OkBTN");
  OkBTN->setDefault(true);
  connect(OkBTN, &QPushButton::clicked, this, &QDialog::accept);

  LogoTMR = new QTimer(this);
  LogoTMR->setObjectName("LogoTMR");
  LogoTMR->setInterval(kLogoIntervalMs);
  connect(LogoTMR, &QTimer::timeout, this, &TAboutFRM::LogoTMRTimer);

  auto* left = new QVBoxLayout;
  left->addWidget(Logo);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->setSpacing(8);
  right->addWidget(TitleLBL);
  right->addWidget(CreditsMemo, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OkBTN);
  right->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(14);
  layout->addLayout(left);
  layout->addLayout(right, 1);
  setFixedSize(460, 300);

  ShowLogoFrame(1);
}

void TAboutFRM::ShowLogoFrame(int frame) {
  shown_frame_ = frame;
  Logo->setPixmap(QPixmap(QString(":/logo/LOGO%1.png").arg(frame, 2, 10, QChar('0'))));
}

void TAboutFRM::LogoTMRTimer() {
  ShowLogoFrame(next_frame_);
  next_frame_ = NextLogoFrame(next_frame_, direction_);
}

void TAboutFRM::showEvent(QShowEvent* event) {
  setWindowTitle(QString(kProductName) + " - About");
  OkBTN->setFocus();
  next_frame_ = 1;
  direction_ = 1;
  ShowLogoFrame(1);
  LogoTMR->start();
  QDialog::showEvent(event);
}

void TAboutFRM::hideEvent(QHideEvent* event) {
  LogoTMR->stop();
  QDialog::hideEvent(event);
}

}  // namespace kw
