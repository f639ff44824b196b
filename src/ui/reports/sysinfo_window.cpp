#include "ui/reports/sysinfo_window.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>

#include "core/reports/system_info_form.h"
#include "core/shared/app_names.h"
#include "ui/resources.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"

namespace kw {

TSysInfoFRM::TSysInfoFRM(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint) {
  InitResources();
  setObjectName("SysInfoFRM");
  setModal(true);
  setFixedSize(kClientWidth, kClientHeight);

  Picture = new QLabel(this);
  Picture->setObjectName("Picture");
  Picture->setGeometry(8, 8, 32, 32);
  Picture->setPixmap(
      QPixmap(":/icons/info.png").scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  QLabel** values[5] = {&TotPhis, &AvailPhis, &TotVirtual, &AvailVirtual, &Processor};
  const char* names[5] = {"TotPhis", "AvailPhis", "TotVirtual", "AvailVirtual", "Processor"};
  QFont bold = font();
  bold.setBold(true);
  for (int i = 0; i < 5; ++i) {
    Captions[i] = new QLabel(this);
    // The caption may run under its value's label: Fill keeps the value clear of its text.
    Captions[i]->setGeometry(48, 10 + i * 22, kClientWidth - 56, 18);
    *values[i] = new QLabel(this);
    (*values[i])->setObjectName(names[i]);
    (*values[i])->setFont(bold);
    (*values[i])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    (*values[i])->setGeometry(150, 10 + i * 22, kClientWidth - 158, 18);
  }
  Separator = new QFrame(this);
  Separator->setFrameShape(QFrame::HLine);
  Separator->setFrameShadow(QFrame::Sunken);
  Separator->setGeometry(8, 124, kClientWidth - 16, 4);
  QLabel** lines[4] = {&Os1, &Os2, &Os3, &Os4};
  for (int i = 0; i < 4; ++i) {
    *lines[i] = new QLabel(this);
    (*lines[i])->setObjectName(QString("Os%1").arg(i + 1));
    (*lines[i])->setGeometry(8, 132 + i * 17, kClientWidth - 16, 16);
  }
  OkBTN = new QPushButton("Ok", this);
  OkBTN->setObjectName("OkBTN");
  OkBTN->setDefault(true);
  OkBTN->setGeometry((kClientWidth - 75) / 2, kClientHeight - 33, 75, 25);
  connect(OkBTN, &QPushButton::clicked, this, &QDialog::accept);
}

void TSysInfoFRM::Fill(const SystemInfoText& text) {
  setWindowTitle(QString(kProductName) + " - System info");
  QLabel* values[5] = {TotPhis, AvailPhis, TotVirtual, AvailVirtual, Processor};
  for (int i = 0; i < 5; ++i) {
    Captions[i]->setText(FromSystemText(text.values[i].first));
    // A value is right-aligned: one longer than the room right of its caption (a processor's
    // full name) is cut at its end, as the lines below are, never at its start; the tip holds it
    // all.
    const QString value = FromSystemText(text.values[i].second);
    const int caption_end =
        Captions[i]->x() + Captions[i]->fontMetrics().horizontalAdvance(Captions[i]->text()) + 6;
    const int room = std::min(values[i]->width(), values[i]->geometry().right() + 1 - caption_end);
    values[i]->setText(values[i]->fontMetrics().elidedText(value, Qt::ElideRight, room));
    values[i]->setToolTip(value);
  }
  QLabel* lines[4] = {Os1, Os2, Os3, Os4};
  for (int i = 0; i < 4; ++i) {
    // A long kernel build text is cut to the window, the whole of it in the tip.
    lines[i]->setText(
        fontMetrics().elidedText(FromSystemText(text.lines[i]), Qt::ElideRight, lines[i]->width()));
    lines[i]->setToolTip(FromSystemText(text.lines[i]));
  }
}

void TSysInfoFRM::Run() {
  Fill(FormatSystemInfo(ReadSystemFacts()));
  kw::CentreOnScreen(this);
  exec();
}

}  // namespace kw
