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

namespace {

// ---------------------------------------------------------------------------------------------
// The kestrel, seen from below in flight. `wing` runs from 0 (wings raised high) to 1 (wings
// pulled down); the drawing is centred on (0, 0) and about 200 units wide at scale 1.

QColor Rufous() {
  return QColor(196, 104, 44);
}
QColor DarkBrown() {
  return QColor(58, 38, 28);
}
QColor Buff() {
  return QColor(238, 214, 170);
}
QColor BlueGrey() {
  return QColor(112, 128, 150);
}

// One wing pointing right from the shoulder at the origin, horizontal, length `len`.
QPainterPath WingShape(double len) {
  QPainterPath path;
  path.moveTo(0, -6);
  // leading edge: up to the wrist, then out to the pointed tip
  path.cubicTo(len * 0.25, -len * 0.16, len * 0.50, -len * 0.17, len * 0.62, -len * 0.12);
  path.cubicTo(len * 0.78, -len * 0.07, len * 0.92, -len * 0.02, len, len * 0.04);
  // trailing edge: the primaries as scallops, then the secondaries back to the body
  const double tips[][2] = {{0.93, 0.10}, {0.86, 0.15}, {0.78, 0.20}, {0.69, 0.24}, {0.59, 0.27},
                            {0.48, 0.28}, {0.37, 0.28}, {0.26, 0.27}, {0.15, 0.25}};
  QPointF prev(len, len * 0.04);
  for (const auto& t : tips) {
    QPointF next(len * t[0], len * t[1]);
    QPointF mid = (prev + next) / 2;
    QPointF normal(-(next.y() - prev.y()), next.x() - prev.x());
    double n = std::hypot(normal.x(), normal.y());
    if (n > 0) normal /= n;
    path.quadTo(mid + normal * len * 0.03, next);
    prev = next;
  }
  path.cubicTo(len * 0.08, len * 0.24, 0, len * 0.18, 0, len * 0.12);
  path.closeSubpath();
  return path;
}

void DrawWing(QPainter& p, double len, bool left, double angle_deg) {
  p.save();
  if (left) p.scale(-1, 1);
  p.rotate(-angle_deg);
  // The wing foreshortens a little as it swings away from the horizontal.
  double squash = 0.75 + 0.25 * std::cos(angle_deg * kPi / 180.0);
  p.scale(1.0, squash);
  QPainterPath wing = WingShape(len);
  QLinearGradient grad(0, 0, len, 0);
  grad.setColorAt(0.0, Rufous().lighter(115));
  grad.setColorAt(0.45, Rufous());
  grad.setColorAt(0.62, QColor(120, 70, 40));
  grad.setColorAt(0.80, DarkBrown());
  grad.setColorAt(1.0, QColor(30, 22, 18));
  p.setPen(QPen(QColor(40, 26, 18), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(grad);
  p.drawPath(wing);
  // covert spots and the pale underside band
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(70, 40, 24, 170));
  for (int i = 0; i < 6; ++i) {
    double x = len * (0.12 + 0.075 * i);
    double y = len * (0.02 + 0.035 * (i % 2));
    p.drawEllipse(QPointF(x, y), len * 0.022, len * 0.016);
  }
  p.setBrush(QColor(255, 236, 200, 28));
  QPainterPath band;
  band.moveTo(len * 0.08, len * 0.14);
  band.quadTo(len * 0.35, len * 0.10, len * 0.60, len * 0.06);
  band.lineTo(len * 0.58, len * 0.13);
  band.quadTo(len * 0.35, len * 0.19, len * 0.08, len * 0.21);
  band.closeSubpath();
  p.drawPath(band);
  // primary feather lines
  p.setPen(QPen(QColor(20, 14, 10, 150), 1.0));
  for (int i = 0; i < 5; ++i) {
    double x0 = len * (0.60 + 0.05 * i);
    p.drawLine(QPointF(x0, -len * 0.02 + len * 0.02 * i * 0.4),
               QPointF(x0 + len * 0.10, len * (0.10 + 0.02 * (4 - i))));
  }
  p.restore();
}

void DrawKestrel(QPainter& p, QPointF centre, double scale, double wing) {
  p.save();
  p.translate(centre);
  p.scale(scale, scale);
  p.setRenderHint(QPainter::Antialiasing);

  // wing angle in degrees: raised high at 0, pulled down at 1 (eased at both ends)
  double eased = (1 - std::cos(kPi * wing)) / 2;
  double angle = 48 - eased * 78;

  // tail: a fan with a black band and a white tip
  QPainterPath tail;
  tail.moveTo(-6, 22);
  tail.lineTo(-15, 58);
  tail.quadTo(0, 66, 15, 58);
  tail.lineTo(6, 22);
  tail.closeSubpath();
  QLinearGradient tail_grad(0, 22, 0, 63);
  tail_grad.setColorAt(0.0, Rufous().lighter(110));
  tail_grad.setColorAt(0.74, Rufous());
  tail_grad.setColorAt(0.78, QColor(25, 18, 14));
  tail_grad.setColorAt(0.88, QColor(25, 18, 14));
  tail_grad.setColorAt(0.92, QColor(250, 246, 236));
  p.setPen(QPen(QColor(40, 26, 18), 1.6));
  p.setBrush(tail_grad);
  p.drawPath(tail);

  // wings behind the body
  const double wing_len = 100;
  p.save();
  p.translate(8, -4);
  DrawWing(p, wing_len, false, angle);
  p.restore();
  p.save();
  p.translate(-8, -4);
  DrawWing(p, wing_len, true, angle);
  p.restore();

  // body: a buff teardrop with streaks
  QPainterPath body;
  body.moveTo(0, -26);
  body.cubicTo(17, -24, 16, 12, 8, 30);
  body.quadTo(0, 36, -8, 30);
  body.cubicTo(-16, 12, -17, -24, 0, -26);
  QLinearGradient body_grad(-15, 0, 15, 0);
  body_grad.setColorAt(0.0, Buff().darker(115));
  body_grad.setColorAt(0.5, Buff());
  body_grad.setColorAt(1.0, Buff().darker(115));
  p.setBrush(body_grad);
  p.drawPath(body);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(110, 70, 40, 180));
  const double streaks[][2] = {{-6, -8}, {5, -6}, {-3, 2}, {6, 6}, {-7, 10}, {2, 14}, {-2, 22}};
  for (const auto& s : streaks)
    p.drawEllipse(QPointF(s[0], s[1]), 1.6, 3.0);

  // head: blue-grey crown, pale cheeks, the dark moustache stripe, eyes and hooked beak
  p.setPen(QPen(QColor(40, 26, 18), 1.6));
  QRadialGradient head_grad(QPointF(-3, -40), 18);
  head_grad.setColorAt(0.0, BlueGrey().lighter(125));
  head_grad.setColorAt(1.0, BlueGrey());
  p.setBrush(head_grad);
  p.drawEllipse(QPointF(0, -34), 13, 12);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 244, 230));
  p.drawEllipse(QPointF(-6, -29), 5, 5);
  p.drawEllipse(QPointF(6, -29), 5, 5);
  p.setBrush(QColor(30, 26, 30));
  QPainterPath stripe_l;
  stripe_l.moveTo(-7, -35);
  stripe_l.quadTo(-10, -29, -8, -23);
  stripe_l.lineTo(-6, -23);
  stripe_l.quadTo(-7, -29, -5, -34);
  p.drawPath(stripe_l);
  p.drawPath(QTransform::fromScale(-1, 1).map(stripe_l));
  p.setBrush(QColor(250, 200, 40));
  p.drawEllipse(QPointF(-6, -37), 3.2, 3.2);
  p.drawEllipse(QPointF(6, -37), 3.2, 3.2);
  p.setBrush(QColor(15, 12, 12));
  p.drawEllipse(QPointF(-6, -37), 2.0, 2.0);
  p.drawEllipse(QPointF(6, -37), 2.0, 2.0);
  QPainterPath beak;
  beak.moveTo(-3.5, -33);
  beak.quadTo(0, -35, 3.5, -33);
  beak.quadTo(2, -27, 0, -25);
  beak.quadTo(-2, -27, -3.5, -33);
  p.setBrush(QColor(245, 190, 50));
  p.setPen(QPen(QColor(60, 40, 20), 1.0));
  p.drawPath(beak);
  p.restore();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Product picture and logo

QImage ProductPicture() {
  QImage image(320, 320, QImage::Format_RGB888);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient sky(0, 0, 0, 320);
  sky.setColorAt(0.0, QColor(16, 34, 78));
  sky.setColorAt(0.55, QColor(60, 96, 160));
  sky.setColorAt(0.80, QColor(236, 150, 84));
  sky.setColorAt(1.0, QColor(250, 196, 110));
  p.fillRect(image.rect(), sky);

  // the sun behind the bird
  QRadialGradient sun(QPointF(160, 150), 120);
  sun.setColorAt(0.0, QColor(255, 240, 200, 230));
  sun.setColorAt(0.35, QColor(255, 214, 150, 120));
  sun.setColorAt(1.0, QColor(255, 200, 140, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(sun);
  p.drawEllipse(QPointF(160, 150), 120, 120);

  // a few wisps of cloud
  p.setBrush(QColor(255, 255, 255, 36));
  p.drawEllipse(QRectF(10, 60, 110, 18));
  p.drawEllipse(QRectF(200, 40, 100, 14));
  p.drawEllipse(QRectF(226, 96, 80, 10));

  // distant hills
  QPainterPath hills;
  hills.moveTo(0, 320);
  hills.lineTo(0, 262);
  hills.cubicTo(60, 240, 100, 256, 150, 248);
  hills.cubicTo(210, 238, 260, 262, 320, 246);
  hills.lineTo(320, 320);
  hills.closeSubpath();
  p.setBrush(QColor(44, 40, 62));
  p.drawPath(hills);

  // The bottom strip stays free: the "Image not found" and "Unsupported format" messages go there.
  DrawKestrel(p, QPointF(160, 120), 1.2, 0.25);

  QFont title("DejaVu Sans");
  title.setBold(true);
  title.setPixelSize(38);
  title.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
  p.setFont(title);
  QRectF title_box(0, 220, 320, 46);
  p.setPen(QColor(0, 0, 0, 150));
  p.drawText(title_box.translated(2, 2), Qt::AlignCenter, "Kestrelwing");
  p.setPen(QColor(255, 248, 232));
  p.drawText(title_box, Qt::AlignCenter, "Kestrelwing");
  QFont sub("DejaVu Sans");
  sub.setPixelSize(12);
  sub.setLetterSpacing(QFont::AbsoluteSpacing, 3);
  p.setFont(sub);
  p.setPen(QColor(255, 236, 200, 220));
  p.drawText(QRectF(0, 260, 320, 18), Qt::AlignCenter, "ARCADE FRONT-END");
  return image;
}

void PaintLogo(QPainter& p, int frame) {
  const int size = 128;
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient disc(QPointF(52, 44), 80);
  disc.setColorAt(0.0, QColor(120, 164, 220));
  disc.setColorAt(0.6, QColor(46, 84, 150));
  disc.setColorAt(1.0, QColor(18, 36, 80));
  p.setPen(QPen(QColor(14, 26, 58), 2));
  p.setBrush(disc);
  p.drawEllipse(QRectF(3, 3, size - 6, size - 6));
  p.setClipRegion(QRegion(QRect(4, 4, size - 8, size - 8), QRegion::Ellipse));
  double wing = (frame - 1) / 11.0;
  DrawKestrel(p, QPointF(64, 58), 0.54, wing);
}

QImage LogoFrame(int frame) {
  const int size = 128;
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  PaintLogo(p, frame);
  return image;
}

QImage AppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.scale(size / 128.0, size / 128.0);
  PaintLogo(p, kAppIconFrame);
  return image;
}

QImage ErrorSign() {
  // No smoothing: the picture code treats the top-left colour as transparent and copies the
  // other pixels exactly, so blended edge pixels would show as a fringe.
  QImage image(25, 25, QImage::Format_RGB888);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  p.setPen(QColor(128, 0, 0));
  p.setBrush(QColor(220, 30, 30));
  p.drawEllipse(QRect(1, 1, 22, 22));
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap));
  p.drawLine(8, 8, 16, 16);
  p.drawLine(16, 8, 8, 16);
  return image;
}

}  // namespace artwork
