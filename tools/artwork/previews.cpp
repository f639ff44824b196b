#include "artwork.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace artwork {

// ---------------------------------------------------------------------------------------------
// The video window's previews: a monitor (100 x 100) whose screen runs from (7, 7) to (93, 63),
// and the emulator's name as the screen shows it in each rotation and mirror form (56 x 56,
// drawn at (22, 7) over the screen). MAMEn is turned n degrees clockwise; 3MAMn is mirrored
// left to right first.

QImage MonitorPicture() {
  QImage image(100, 100, QImage::Format_RGB32);
  image.fill(QColor(212, 208, 200));  // the window colour around the set
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // The stand, then the cabinet around the screen.
  QLinearGradient stand(0, 72, 0, 98);
  stand.setColorAt(0, QColor(150, 146, 136));
  stand.setColorAt(1, QColor(96, 92, 86));
  p.setPen(QPen(QColor(70, 66, 60), 1));
  p.setBrush(stand);
  QPainterPath foot;
  foot.moveTo(38, 70);
  foot.lineTo(62, 70);
  foot.lineTo(66, 88);
  foot.lineTo(34, 88);
  foot.closeSubpath();
  p.drawPath(foot);
  p.drawRoundedRect(QRectF(22, 87.5, 56, 8), 3, 3);
  QLinearGradient bezel(0, 0, 0, 72);
  bezel.setColorAt(0, QColor(236, 230, 214));
  bezel.setColorAt(1, QColor(186, 178, 160));
  p.setBrush(bezel);
  p.setPen(QPen(QColor(90, 84, 72), 1));
  p.drawRoundedRect(QRectF(0.5, 0.5, 99, 72), 5, 5);
  // The power light and the vents under the screen.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 200, 60));
  p.drawEllipse(QPointF(88, 67.5), 1.8, 1.8);
  p.setBrush(QColor(120, 112, 98));
  for (int i = 0; i < 6; ++i)
    p.drawRect(QRectF(10 + i * 5, 66, 3, 3));
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRect(7, 7, 87, 57), Qt::black);
  p.setPen(QColor(70, 66, 60));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(6, 6, 88, 58));
  return image;
}

namespace {

// The emulator's name on a dark screen, with a bar under it, so that every turn and mirror
// can be told apart.
QImage NameScreen() {
  QImage image(56, 56, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient g(0, 0, 0, 56);
  g.setColorAt(0, QColor(20, 30, 90));
  g.setColorAt(1, QColor(6, 8, 30));
  p.fillRect(image.rect(), g);
  QFont font("Liberation Sans", 1, QFont::Black);
  font.setPixelSize(19);
  p.setFont(font);
  p.setPen(QColor(255, 214, 40));
  p.drawText(QRectF(0, 8, 56, 26), Qt::AlignCenter, "MAME");
  // A bar on the bottom left and a dot on the top right: the way up and the left side.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 60, 50));
  p.drawRect(QRectF(5, 40, 30, 6));
  p.setBrush(QColor(90, 220, 120));
  p.drawEllipse(QPointF(48, 8), 3.5, 3.5);
  return image;
}

}  // namespace

QImage Overlay(bool mirrored, int degrees) {
  QImage image = NameScreen();
  if (mirrored) image = image.mirrored(true, false);
  return image.transformed(QTransform().rotate(degrees));
}

}  // namespace artwork
