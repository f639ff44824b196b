#include "ui/shell/working_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

#include "core/shared/app_names.h"
#include "ui/window_placement.h"

namespace kw {

namespace {

constexpr QSize kAnimationSize(200, 64);

// The computer the magnifier searches: a monitor with a list of files on its screen and a
// tower beside it.
void DrawComputer(QPainter& p) {
  p.setPen(QPen(QColor(70, 70, 76), 1));
  // tower
  QLinearGradient tower(136, 0, 160, 0);
  tower.setColorAt(0, QColor(226, 222, 206));
  tower.setColorAt(1, QColor(184, 180, 164));
  p.setBrush(tower);
  p.drawRoundedRect(QRectF(136.5, 8.5, 26, 50), 2, 2);
  p.setBrush(QColor(120, 118, 110));
  p.drawRect(QRectF(141.5, 15.5, 16, 3));
  p.drawRect(QRectF(141.5, 22.5, 16, 3));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(80, 200, 90));
  p.drawEllipse(QPointF(144, 50), 1.6, 1.6);
  // monitor: stand, bezel, screen
  p.setPen(QPen(QColor(70, 70, 76), 1));
  p.setBrush(QColor(196, 192, 176));
  p.drawRect(QRectF(78.5, 50.5, 20, 5));
  p.drawRoundedRect(QRectF(68.5, 55.5, 40, 5), 1.5, 1.5);
  QLinearGradient bezel(0, 4, 0, 52);
  bezel.setColorAt(0, QColor(236, 232, 216));
  bezel.setColorAt(1, QColor(194, 190, 174));
  p.setBrush(bezel);
  p.drawRoundedRect(QRectF(48.5, 4.5, 80, 47), 4, 4);
  QRectF screen(55.5, 9.5, 66, 36);
  QLinearGradient glass(screen.topLeft(), screen.bottomRight());
  glass.setColorAt(0, QColor(24, 90, 120));
  glass.setColorAt(1, QColor(10, 40, 64));
  p.setBrush(glass);
  p.drawRoundedRect(screen, 2, 2);
  // the files listed on the screen
  p.setPen(Qt::NoPen);
  for (int row = 0; row < 5; ++row) {
    const double y = screen.top() + 5 + row * 6;
    p.setBrush(QColor(250, 210, 80));
    p.drawRect(QRectF(screen.left() + 5, y, 4, 3.5));
    p.setBrush(QColor(180, 230, 240));
    const double w = 18 + ((row * 7) % 5) * 6;
    p.drawRect(QRectF(screen.left() + 12, y + 1, w, 1.6));
  }
}

}  // namespace

SearchAnimation::SearchAnimation(QWidget* parent) : QWidget(parent) {
  setObjectName("Animate");
  setFixedSize(kAnimationSize);
  timer_.setInterval(kIntervalMs);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] {
    frame_ = (frame_ + 1) % kFrames;
    update();
  });
}

void SearchAnimation::Start() {
  frame_ = 0;
  timer_.start();
  update();
}

void SearchAnimation::Stop() {
  timer_.stop();
}

void SearchAnimation::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  DrawComputer(p);

  // The lens sweeps over the screen in a flat figure of eight.
  const double t = 2 * std::numbers::pi * frame_ / kFrames;
  const QPointF lens(88 + 30 * std::sin(t), 26 + 8 * std::sin(2 * t));
  const double radius = 12;

  // What the lens shows: the scene, magnified around the lens centre.
  p.save();
  QPainterPath circle;
  circle.addEllipse(lens, radius, radius);
  p.setClipPath(circle);
  p.translate(lens);
  p.scale(1.7, 1.7);
  p.translate(-lens);
  p.fillRect(QRectF(lens.x() - radius, lens.y() - radius, 2 * radius, 2 * radius),
             palette().window());
  DrawComputer(p);
  p.restore();

  // glass tint, rim and handle
  const QPointF dir(0.7071, 0.7071);
  p.setPen(QPen(QColor(60, 40, 28), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(lens + dir * (radius + 1), lens + dir * (radius + 15));
  p.setPen(QPen(QColor(150, 100, 60), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(lens + dir * (radius + 3), lens + dir * (radius + 14));
  p.setBrush(QColor(200, 230, 255, 50));
  p.setPen(QPen(QColor(40, 44, 56), 2.5));
  p.drawEllipse(lens, radius, radius);
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(lens.x() - 8, lens.y() - 8, 16, 16), 100 * 16, 70 * 16);
}

TWorkingFRM::TWorkingFRM(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("WorkingFRM");
  setModal(false);
  setWindowTitle(QString(kProductName) + " - Please wait...");

  Animate = new SearchAnimation(this);
  Operation = new QLabel(this);
  Operation->setObjectName("Operation");
  Progress = new QProgressBar(this);
  Progress->setObjectName("Progress");
  Progress->setRange(0, 100);
  Progress->setTextVisible(false);
  Progress->setFixedHeight(16);
  // Blocks rather than a smooth bar, whatever the style draws by itself.
  Progress->setStyleSheet(
      "QProgressBar { border: 1px solid palette(dark); background: palette(base); padding: 1px; }"
      "QProgressBar::chunk { background: palette(highlight); width: 8px; margin-right: 2px; }");
  ProgressPercentage = new QLabel(this);
  ProgressPercentage->setObjectName("ProgressPercentage");
  ProgressPercentage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ProgressPercentage->setFixedWidth(ProgressPercentage->fontMetrics().horizontalAdvance("100%") +
                                    4);

  // Keep their room when hidden, so that the window does not change shape.
  for (QWidget* w : {static_cast<QWidget*>(Progress), static_cast<QWidget*>(ProgressPercentage)}) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
  }

  auto* bar_row = new QHBoxLayout;
  bar_row->setSpacing(8);
  bar_row->addWidget(Progress, 1);
  bar_row->addWidget(ProgressPercentage);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 14);
  layout->setSpacing(8);
  layout->addWidget(Animate, 0, Qt::AlignHCenter);
  layout->addWidget(Operation);
  layout->addLayout(bar_row);
  EndBTN = new QPushButton("End the emulator", this);
  EndBTN->setObjectName("EndBTN");
  EndBTN->setAutoDefault(false);
  EndBTN->hide();
  layout->addWidget(EndBTN, 0, Qt::AlignRight);
  setFixedSize(340, sizeHint().height());

  SetProgress(-1);
}

void TWorkingFRM::SetOperation(const QString& text) {
  Operation->setText(text);
}

void TWorkingFRM::SetProgress(int percent) {
  if (percent == -1) {
    Progress->hide();
    ProgressPercentage->hide();
    return;
  }
  Progress->setRange(0, 100);
  Progress->setValue(percent);
  Progress->show();
  ProgressPercentage->setText(QString::number(percent) + "%");
  ProgressPercentage->show();
}

void TWorkingFRM::showEvent(QShowEvent* event) {
  setWindowTitle(QString(kProductName) + " - Please wait...");
  CentreOnScreen(this);
  Animate->Start();
  QDialog::showEvent(event);
}

void TWorkingFRM::hideEvent(QHideEvent* event) {
  Animate->Stop();
  QDialog::hideEvent(event);
}

void TWorkingFRM::OfferEnd(bool on) {
  EndBTN->setVisible(on);
  layout()->activate();
  setFixedSize(340, sizeHint().height());
}

void TWorkingFRM::closeEvent(QCloseEvent* event) {
  // Only the operation that showed the window hides it.
  event->ignore();
}

void TWorkingFRM::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->ignore();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kw
