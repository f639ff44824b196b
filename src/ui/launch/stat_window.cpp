#include "ui/launch/stat_window.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <cmath>

#include "ui/text_codec.h"

namespace kw {

namespace {

constexpr int kMargin = 8;
constexpr int kRowHeight = 21;
constexpr int kRowGap = 3;
constexpr int kPanelWidth = 64;
constexpr int kLabelWidth = 330;
constexpr int kRowsLeft = kMargin + kStatsGraphWidth + 12;
constexpr int kLabelLeft = kRowsLeft + kPanelWidth + 8;
constexpr int kWidth = kLabelLeft + kLabelWidth + kMargin;
constexpr int kTotalsTop = kMargin + kStatsGraphHeight + 10;
constexpr int kHeight = kTotalsTop + 2 * kRowHeight + 44;

QColor ColourOf(StatsColour c) {
  return QColor(c.red, c.green, c.blue);
}

}  // namespace

TStatFRM::TStatFRM(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("StatFRM");
  setModal(true);
  setFixedSize(kWidth, kHeight);

  Graph = new QLabel(this);
  Graph->setObjectName("Graph");
  Graph->setGeometry(kMargin, kMargin, kStatsGraphWidth, kStatsGraphHeight);

  for (std::size_t n = 0; n < kStatsRows; ++n) {
    const int top = kMargin + static_cast<int>(n) * (kRowHeight + kRowGap);
    QLabel* panel = new QLabel("0%", this);
    panel->setObjectName(QString("Game%1PNL").arg(n + 1));
    panel->setGeometry(kRowsLeft, top, kPanelWidth, kRowHeight);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    GamePNL[n] = panel;
    QLabel* label = new QLabel("Not available", this);
    label->setObjectName(QString("Game%1LBL").arg(n + 1));
    label->setGeometry(kLabelLeft, top, kLabelWidth, kRowHeight);
    label->setTextFormat(Qt::PlainText);
    GameLBL[n] = label;
  }

  auto text = [this](const char* name, const char* caption, int left, int top, int width) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    l->setGeometry(left, top, width, kRowHeight);
    return l;
  };
  NplaysLBL = text("NplaysLBL", "Total number of plays:", kRowsLeft, kTotalsTop, 150);
  NPlays = text("NPlays", "0", kRowsLeft + 154, kTotalsTop, 200);
  TotTimeLBL = text("TotTimeLBL", "Total playing time:", kRowsLeft, kTotalsTop + kRowHeight, 150);
  TotTime = text("TotTime", "00:00:00", kRowsLeft + 154, kTotalsTop + kRowHeight, 200);

  CloseBTN = new QPushButton("Ok", this);
  CloseBTN->setObjectName("CloseBTN");
  CloseBTN->setGeometry(kWidth - kMargin - 80, kHeight - kMargin - 26, 80, 26);
  CloseBTN->setDefault(true);
  connect(CloseBTN, &QPushButton::clicked, this, &QDialog::accept);
}

void TStatFRM::ShowReport(const StatisticsReport& report) {
  setWindowTitle(FromSystemText(report.title));
  const QPalette system = QApplication::palette();
  for (std::size_t n = 0; n < kStatsRows; ++n) {
    const StatisticsRow& row = report.rows[n];
    QPalette colours = GamePNL[n]->palette();
    colours.setColor(QPalette::Window, row.system_colours ? system.color(QPalette::Button)
                                                          : ColourOf(row.background));
    colours.setColor(QPalette::WindowText,
                     row.system_colours ? system.color(QPalette::WindowText) : ColourOf(row.text));
    GamePNL[n]->setPalette(colours);
    GamePNL[n]->setText(FromSystemText(row.caption));
    GameLBL[n]->setText(FromSystemText(row.label));
  }
  NPlays->setText(FromSystemText(report.total_plays));
  TotTime->setText(FromSystemText(report.total_time));
  PaintGraph(report);
}

void TStatFRM::PaintGraph(const StatisticsReport& report) {
  QImage picture(kStatsGraphWidth, kStatsGraphHeight, QImage::Format_ARGB32_Premultiplied);
  picture.fill(palette().color(QPalette::Window));
  QPainter painter(&picture);
  painter.setPen(QPen(Qt::black, 1));
  // The ellipse that fills the picture; its centre is where the report's points turn round.
  const QRect ellipse(0, 0, kStatsGraphWidth - 1, kStatsGraphHeight - 1);
  if (report.empty) {
    painter.setBrush(QBrush(QColor(128, 128, 128), Qt::DiagCrossPattern));
    painter.drawEllipse(ellipse);
  }
  for (const StatisticsRow& row : report.rows) {
    if (!row.slice) continue;
    painter.setBrush(
        QBrush(ColourOf(row.background), row.hatched ? Qt::DiagCrossPattern : Qt::SolidPattern));
    if (row.full_circle) {
      painter.drawEllipse(ellipse);
    } else {
      painter.drawPie(ellipse, static_cast<int>(std::lround(row.start_degrees * 16)),
                      static_cast<int>(std::lround(row.span_degrees * 16)));
    }
  }
  painter.end();
  Graph->setPixmap(QPixmap::fromImage(picture));
}

}  // namespace kw
