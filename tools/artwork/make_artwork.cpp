// Draws the program's own artwork and writes it as PNG files under resources/:
//   pictures/KESTREL.png      the product picture shown when a game has no picture (320 x 320)
//   pictures/WINERR.png       the small error sign drawn on pictures that failed (25 x 25)
//   logo/LOGO01..LOGO12.png   the About window's logo, a kestrel beating its wings
//   icons/*.png               the tool-bar, recording-button and rotation-button images
//   pictures/MONITOR.png      the video window's preview monitor (100 x 100)
//   pictures/MAME0..3MAM270   the rotation preview's screens (56 x 56)
// Everything is drawn from code so that it can be changed and regenerated:
//   make_artwork <repository>/resources
// It needs no display (QT_QPA_PLATFORM=offscreen is set when nothing else is).
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

namespace {

constexpr double kPi = std::numbers::pi;

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

QImage LogoFrame(int frame) {
  const int size = 128;
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
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

// ---------------------------------------------------------------------------------------------
// Icons, drawn on a 24-unit grid

const QColor kOutline(50, 50, 60);

void Page(QPainter& p, QRectF r, QColor fill = Qt::white) {
  const double fold = r.width() * 0.32;
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(QPen(kOutline, 1));
  p.setBrush(fill);
  p.drawPath(path);
  QPainterPath ear;
  ear.moveTo(r.right() - fold, r.top());
  ear.lineTo(r.right() - fold, r.top() + fold);
  ear.lineTo(r.right(), r.top() + fold);
  p.setBrush(QColor(210, 214, 222));
  p.drawPath(ear);
}

void TextLines(QPainter& p, QRectF r, int count, QColor color = QColor(140, 150, 170)) {
  p.setPen(QPen(color, 1));
  for (int i = 0; i < count; ++i) {
    double y = r.top() + i * (r.height() / std::max(1, count - 1));
    double w = (i % 3 == 2) ? r.width() * 0.6 : r.width();
    p.drawLine(QPointF(r.left(), y), QPointF(r.left() + w, y));
  }
}

void Folder(QPainter& p, QRectF r, bool open) {
  QLinearGradient back(r.topLeft(), r.bottomLeft());
  back.setColorAt(0, QColor(240, 196, 70));
  back.setColorAt(1, QColor(214, 160, 40));
  p.setPen(QPen(QColor(140, 96, 20), 1));
  p.setBrush(back);
  QPainterPath body;
  body.moveTo(r.left(), r.top() + 2);
  body.lineTo(r.left() + r.width() * 0.38, r.top() + 2);
  body.lineTo(r.left() + r.width() * 0.48, r.top() + 4.5);
  body.lineTo(r.right(), r.top() + 4.5);
  body.lineTo(r.right(), r.bottom());
  body.lineTo(r.left(), r.bottom());
  body.closeSubpath();
  p.drawPath(body);
  QLinearGradient front(r.topLeft(), r.bottomLeft());
  front.setColorAt(0, QColor(255, 226, 120));
  front.setColorAt(1, QColor(246, 190, 60));
  p.setBrush(front);
  if (open) {
    QPainterPath flap;
    flap.moveTo(r.left() + 3, r.top() + 8);
    flap.lineTo(r.right() + 2, r.top() + 8);
    flap.lineTo(r.right() - 2, r.bottom());
    flap.lineTo(r.left(), r.bottom());
    flap.closeSubpath();
    p.drawPath(flap);
  } else {
    p.drawRect(QRectF(r.left(), r.top() + 7, r.width(), r.height() - 7));
  }
}

void Magnifier(QPainter& p, QPointF c, double radius) {
  QPointF dir(0.7071, 0.7071);
  QPointF start = c + dir * radius;
  QPointF end = c + dir * (radius * 2.25);
  p.setPen(QPen(QColor(60, 40, 30), 3.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(start, end);
  p.setPen(QPen(QColor(150, 100, 60), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(start + dir * 1.2, end - dir * 0.6);
  QRadialGradient glass(c - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
  glass.setColorAt(0, QColor(240, 250, 255, 230));
  glass.setColorAt(1, QColor(140, 190, 235, 200));
  p.setPen(QPen(QColor(40, 50, 70), 1.8));
  p.setBrush(glass);
  p.drawEllipse(c, radius, radius);
  p.setPen(QPen(QColor(255, 255, 255, 220), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - radius * 0.6, c.y() - radius * 0.6, radius * 1.2, radius * 1.2),
            100 * 16, 70 * 16);
}

void Chip(QPainter& p, QRectF r) {
  p.setPen(QPen(QColor(170, 170, 180), 1.2));
  const int pins = 4;
  for (int i = 0; i < pins; ++i) {
    double x = r.left() + (i + 0.5) * r.width() / pins;
    p.drawLine(QPointF(x, r.top() - 2.5), QPointF(x, r.top()));
    p.drawLine(QPointF(x, r.bottom()), QPointF(x, r.bottom() + 2.5));
  }
  QLinearGradient body(r.topLeft(), r.bottomLeft());
  body.setColorAt(0, QColor(80, 84, 96));
  body.setColorAt(1, QColor(36, 38, 46));
  p.setPen(QPen(QColor(20, 20, 26), 1));
  p.setBrush(body);
  p.drawRoundedRect(r, 1.2, 1.2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 150, 160));
  p.drawEllipse(QPointF(r.left() + 2.2, r.top() + 2.2), 0.9, 0.9);
}

void Monitor(QPainter& p, QRectF r, bool picture) {
  p.setPen(QPen(kOutline, 1));
  p.setBrush(QColor(200, 204, 212));
  p.drawRect(QRectF(r.center().x() - 3, r.bottom(), 6, 2.5));
  p.drawRect(QRectF(r.center().x() - 6, r.bottom() + 2.5, 12, 1.5));
  QLinearGradient bezel(r.topLeft(), r.bottomLeft());
  bezel.setColorAt(0, QColor(226, 228, 234));
  bezel.setColorAt(1, QColor(176, 180, 190));
  p.setBrush(bezel);
  p.drawRoundedRect(r, 1.5, 1.5);
  QRectF screen = r.adjusted(2, 2, -2, -2.5);
  if (picture) {
    const QColor bars[] = {QColor(240, 240, 240), QColor(240, 220, 40), QColor(40, 210, 220),
                           QColor(50, 200, 60),   QColor(220, 60, 200), QColor(230, 50, 40),
                           QColor(40, 70, 220)};
    double w = screen.width() / 7;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
      p.setBrush(bars[i]);
      p.drawRect(QRectF(screen.left() + i * w, screen.top(), w + 0.2, screen.height()));
    }
    p.setPen(QPen(QColor(30, 30, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(screen);
  } else {
    QLinearGradient glass(screen.topLeft(), screen.bottomRight());
    glass.setColorAt(0, QColor(90, 150, 230));
    glass.setColorAt(1, QColor(20, 50, 130));
    p.setPen(QPen(QColor(30, 30, 40), 1));
    p.setBrush(glass);
    p.drawRect(screen);
  }
}

void Joystick(QPainter& p, QPointF base, double s) {
  p.setPen(QPen(kOutline, 1));
  p.setBrush(QColor(40, 40, 48));
  p.drawRoundedRect(QRectF(base.x() - 6 * s, base.y() - 2 * s, 12 * s, 4 * s), 1.5, 1.5);
  p.setPen(QPen(QColor(70, 70, 80), 2 * s, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(base, base + QPointF(1.5 * s, -8 * s));
  QRadialGradient ball(base + QPointF(0.5 * s, -10.5 * s), 3.5 * s);
  ball.setColorAt(0, QColor(255, 140, 130));
  ball.setColorAt(1, QColor(200, 20, 20));
  p.setPen(QPen(QColor(110, 10, 10), 1));
  p.setBrush(ball);
  p.drawEllipse(base + QPointF(1.7 * s, -9.5 * s), 3 * s, 3 * s);
}

void Cabinet(QPainter& p, QRectF r, QColor body, QColor screen) {
  QPainterPath outline;
  double w = r.width();
  double h = r.height();
  outline.moveTo(r.left() + w * 0.10, r.top());
  outline.lineTo(r.right() - w * 0.05, r.top());
  outline.lineTo(r.right() - w * 0.05, r.top() + h * 0.18);
  outline.lineTo(r.right() - w * 0.20, r.top() + h * 0.50);
  outline.lineTo(r.right(), r.top() + h * 0.62);
  outline.lineTo(r.right(), r.bottom());
  outline.lineTo(r.left(), r.bottom());
  outline.lineTo(r.left(), r.top() + h * 0.62);
  outline.lineTo(r.left() + w * 0.10, r.top() + h * 0.50);
  outline.closeSubpath();
  p.setPen(QPen(body.darker(220), 1));
  p.setBrush(body);
  p.drawPath(outline);
  p.setBrush(screen);
  p.drawRect(QRectF(r.left() + w * 0.22, r.top() + h * 0.20, w * 0.48, h * 0.26));
  p.setBrush(QColor(250, 220, 60));
  p.drawRect(QRectF(r.left() + w * 0.14, r.top() + h * 0.04, w * 0.70, h * 0.10));
}

using IconPainter = std::function<void(QPainter&)>;

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

QImage Overlay(bool mirrored, int degrees) {
  QImage image = NameScreen();
  if (mirrored) image = image.mirrored(true, false);
  return image.transformed(QTransform().rotate(degrees));
}

// The glyphs of the rotation buttons (16 x 16): turn left, turn right, flip across, flip down.
void TurnArrow(QPainter& p, bool right) {
  p.setPen(QPen(QColor(30, 60, 150), 2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(3, 3, 10, 10), right ? 200 * 16 : -20 * 16, right ? -250 * 16 : 250 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 60, 150));
  QPainterPath head;
  if (right) {
    head.moveTo(13.5, 2);
    head.lineTo(14, 8);
    head.lineTo(8.5, 5.5);
  } else {
    head.moveTo(2.5, 2);
    head.lineTo(2, 8);
    head.lineTo(7.5, 5.5);
  }
  head.closeSubpath();
  p.drawPath(head);
}

void FlipArrow(QPainter& p, bool across) {
  p.save();
  if (!across) {
    p.translate(16, 0);
    p.rotate(90);
  }
  p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DashLine));
  p.drawLine(QPointF(8, 1), QPointF(8, 15));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 60, 150));
  QPainterPath left;
  left.moveTo(1, 8);
  left.lineTo(6.5, 3.5);
  left.lineTo(6.5, 12.5);
  left.closeSubpath();
  p.drawPath(left);
  p.setBrush(QColor(150, 170, 215));
  QPainterPath right;
  right.moveTo(15, 8);
  right.lineTo(9.5, 3.5);
  right.lineTo(9.5, 12.5);
  right.closeSubpath();
  p.drawPath(right);
  p.restore();
}

struct IconDef {
  const char* file;
  IconPainter paint;
};

std::vector<IconDef> Icons() {
  std::vector<IconDef> icons;
  icons.push_back({"new", [](QPainter& p) {
                     Page(p, QRectF(4.5, 2.5, 14, 19));
                     TextLines(p, QRectF(7, 11, 9, 7), 4, QColor(190, 196, 210));
                     // a sparkle for "new"
                     p.setPen(Qt::NoPen);
                     p.setBrush(QColor(250, 200, 30));
                     QPainterPath star;
                     QPointF c(17.5, 6);
                     for (int i = 0; i < 8; ++i) {
                       double a = i * kPi / 4;
                       double rr = (i % 2 == 0) ? 5.0 : 1.6;
                       QPointF pt = c + QPointF(std::cos(a) * rr, std::sin(a) * rr);
                       if (i == 0)
                         star.moveTo(pt);
                       else
                         star.lineTo(pt);
                     }
                     star.closeSubpath();
                     p.setPen(QPen(QColor(170, 120, 0), 0.8));
                     p.drawPath(star);
                   }});
  icons.push_back({"open", [](QPainter& p) {
                     Page(p, QRectF(8.5, 3.5, 11, 12));
                     TextLines(p, QRectF(10.5, 8, 6, 4), 3);
                     Folder(p, QRectF(2.5, 6.5, 17, 14), true);
                   }});
  icons.push_back({"info", [](QPainter& p) {
                     Page(p, QRectF(3.5, 2.5, 13, 18));
                     TextLines(p, QRectF(6, 8, 8, 9), 5);
                     QRadialGradient g(QPointF(15, 14), 8);
                     g.setColorAt(0, QColor(110, 170, 250));
                     g.setColorAt(1, QColor(20, 80, 190));
                     p.setPen(QPen(QColor(10, 50, 130), 1));
                     p.setBrush(g);
                     p.drawEllipse(QPointF(16.5, 16.5), 6, 6);
                     p.setPen(Qt::NoPen);
                     p.setBrush(Qt::white);
                     p.drawEllipse(QPointF(16.5, 13.4), 1.1, 1.1);
                     p.drawRoundedRect(QRectF(15.6, 15.2, 1.8, 5), 0.5, 0.5);
                   }});
  icons.push_back({"play", [](QPainter& p) {
                     QRadialGradient g(QPointF(10, 9), 12);
                     g.setColorAt(0, QColor(140, 230, 120));
                     g.setColorAt(1, QColor(30, 140, 40));
                     p.setPen(QPen(QColor(20, 90, 25), 1));
                     p.setBrush(g);
                     p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
                     QPainterPath tri;
                     tri.moveTo(9.5, 7);
                     tri.lineTo(17.5, 12);
                     tri.lineTo(9.5, 17);
                     tri.closeSubpath();
                     p.setPen(QPen(QColor(20, 90, 25), 0.8));
                     p.setBrush(Qt::white);
                     p.drawPath(tri);
                   }});
  icons.push_back({"detail", [](QPainter& p) {
                     Chip(p, QRectF(3, 5, 14, 11));
                     Magnifier(p, QPointF(13, 12), 5);
                   }});
  icons.push_back({"video", [](QPainter& p) { Monitor(p, QRectF(2.5, 3.5, 19, 14), true); }});
  icons.push_back({"audio", [](QPainter& p) {
                     QPainterPath cone;
                     cone.moveTo(3, 9);
                     cone.lineTo(7, 9);
                     cone.lineTo(12.5, 4);
                     cone.lineTo(12.5, 20);
                     cone.lineTo(7, 15);
                     cone.lineTo(3, 15);
                     cone.closeSubpath();
                     QLinearGradient g(3, 4, 12, 20);
                     g.setColorAt(0, QColor(150, 156, 170));
                     g.setColorAt(1, QColor(60, 64, 76));
                     p.setPen(QPen(QColor(30, 32, 40), 1));
                     p.setBrush(g);
                     p.drawPath(cone);
                     p.setBrush(Qt::NoBrush);
                     p.setPen(QPen(QColor(30, 100, 200), 1.5, Qt::SolidLine, Qt::RoundCap));
                     p.drawArc(QRectF(10, 8, 8, 8), -50 * 16, 100 * 16);
                     p.drawArc(QRectF(9, 5, 13, 14), -50 * 16, 100 * 16);
                     p.drawArc(QRectF(8, 2, 18, 20), -45 * 16, 90 * 16);
                   }});
  icons.push_back({"misc", [](QPainter& p) {
                     // a wrench, diagonal
                     p.save();
                     p.translate(12, 12);
                     p.rotate(45);
                     QLinearGradient g(-2, 0, 2, 0);
                     g.setColorAt(0, QColor(200, 206, 216));
                     g.setColorAt(1, QColor(120, 126, 140));
                     p.setPen(QPen(QColor(50, 54, 64), 1));
                     p.setBrush(g);
                     p.drawRoundedRect(QRectF(-1.8, -3, 3.6, 13), 1.5, 1.5);
                     QPainterPath head;
                     head.addEllipse(QPointF(0, -6), 5, 5);
                     QPainterPath jaw;
                     jaw.addRect(QRectF(-1.6, -12, 3.2, 6.5));
                     p.drawPath(head.subtracted(jaw));
                     p.restore();
                   }});
  icons.push_back({"directories", [](QPainter& p) {
                     p.setPen(QPen(QColor(90, 90, 100), 1));
                     p.drawLine(QPointF(5.5, 9), QPointF(5.5, 19.5));
                     p.drawLine(QPointF(5.5, 14), QPointF(10, 14));
                     p.drawLine(QPointF(5.5, 19.5), QPointF(10, 19.5));
                     Folder(p, QRectF(1.5, 1.5, 11, 8), false);
                     Folder(p, QRectF(10.5, 9.5, 10, 7), false);
                     Folder(p, QRectF(10.5, 15.5, 10, 7), false);
                   }});
  icons.push_back({"preferences", [](QPainter& p) {
                     // a cog
                     QPainterPath cog;
                     const int teeth = 8;
                     for (int i = 0; i < teeth * 2; ++i) {
                       double a0 = (i - 0.5) * kPi / teeth;
                       double a1 = (i + 0.5) * kPi / teeth;
                       double rr = (i % 2 == 0) ? 10.0 : 7.5;
                       QPointF q0(12 + rr * std::cos(a0), 12 + rr * std::sin(a0));
                       QPointF q1(12 + rr * std::cos(a1), 12 + rr * std::sin(a1));
                       if (i == 0)
                         cog.moveTo(q0);
                       else
                         cog.lineTo(q0);
                       cog.lineTo(q1);
                     }
                     cog.closeSubpath();
                     QPainterPath hole;
                     hole.addEllipse(QPointF(12, 12), 3.2, 3.2);
                     QRadialGradient g(QPointF(9, 9), 14);
                     g.setColorAt(0, QColor(170, 200, 240));
                     g.setColorAt(1, QColor(50, 90, 160));
                     p.setPen(QPen(QColor(30, 50, 100), 1));
                     p.setBrush(g);
                     p.drawPath(cog.subtracted(hole));
                   }});
  icons.push_back({"find_game", [](QPainter& p) {
                     Joystick(p, QPointF(8, 19), 1.0);
                     Magnifier(p, QPointF(14, 9), 5);
                   }});
  icons.push_back({"find_romset", [](QPainter& p) {
                     // an archive box with a zip
                     QLinearGradient g(2, 6, 2, 21);
                     g.setColorAt(0, QColor(210, 170, 110));
                     g.setColorAt(1, QColor(160, 116, 60));
                     p.setPen(QPen(QColor(100, 70, 30), 1));
                     p.setBrush(g);
                     p.drawRect(QRectF(2.5, 7.5, 14, 13));
                     p.setBrush(QColor(190, 150, 90));
                     p.drawRect(QRectF(1.5, 5.5, 16, 3));
                     p.setPen(QPen(QColor(60, 60, 70), 1));
                     for (int i = 0; i < 5; ++i) {
                       double y = 9.5 + i * 2;
                       p.drawLine(QPointF(8.5, y), QPointF(10.5, y));
                     }
                     Magnifier(p, QPointF(15, 11), 4.6);
                   }});
  icons.push_back({"find_clones", [](QPainter& p) {
                     Cabinet(p, QRectF(2, 2, 11, 18), QColor(150, 170, 220), QColor(200, 220, 250));
                     Cabinet(p, QRectF(10, 5, 11, 18), QColor(40, 90, 200), QColor(30, 30, 40));
                   }});
  icons.push_back({"find_manufacturer", [](QPainter& p) {
                     // smoke
                     p.setPen(Qt::NoPen);
                     p.setBrush(QColor(160, 160, 170, 200));
                     p.drawEllipse(QPointF(18.5, 4), 2.2, 1.8);
                     p.drawEllipse(QPointF(21, 2.5), 1.6, 1.3);
                     // chimney and saw-tooth roof
                     p.setPen(QPen(QColor(70, 30, 20), 1));
                     p.setBrush(QColor(170, 70, 50));
                     p.drawRect(QRectF(16.5, 5.5, 3, 9));
                     QPainterPath hall;
                     hall.moveTo(2.5, 21.5);
                     hall.lineTo(2.5, 12);
                     hall.lineTo(7, 8.5);
                     hall.lineTo(7, 12);
                     hall.lineTo(11.5, 8.5);
                     hall.lineTo(11.5, 12);
                     hall.lineTo(16, 8.5);
                     hall.lineTo(16, 12);
                     hall.lineTo(21.5, 12);
                     hall.lineTo(21.5, 21.5);
                     hall.closeSubpath();
                     QLinearGradient g(0, 8, 0, 22);
                     g.setColorAt(0, QColor(200, 96, 70));
                     g.setColorAt(1, QColor(150, 56, 40));
                     p.setBrush(g);
                     p.drawPath(hall);
                     p.setBrush(QColor(255, 230, 120));
                     p.setPen(QPen(QColor(90, 60, 20), 0.8));
                     for (int i = 0; i < 3; ++i)
                       p.drawRect(QRectF(4.5 + i * 5.5, 14.5, 3, 3));
                     p.setBrush(QColor(90, 60, 40));
                     p.drawRect(QRectF(16.5, 17.5, 3, 4));
                   }});
  icons.push_back({"random", [](QPainter& p) {
                     auto die = [&](QPointF c, double angle, int pips) {
                       p.save();
                       p.translate(c);
                       p.rotate(angle);
                       QLinearGradient g(-6, -6, 6, 6);
                       g.setColorAt(0, Qt::white);
                       g.setColorAt(1, QColor(210, 214, 224));
                       p.setPen(QPen(QColor(60, 60, 70), 1));
                       p.setBrush(g);
                       p.drawRoundedRect(QRectF(-6, -6, 12, 12), 2.5, 2.5);
                       p.setPen(Qt::NoPen);
                       p.setBrush(QColor(190, 20, 30));
                       std::vector<QPointF> spots;
                       if (pips == 5)
                         spots = {{-3, -3}, {3, -3}, {0, 0}, {-3, 3}, {3, 3}};
                       else
                         spots = {{-3, -3}, {0, 0}, {3, 3}};
                       for (const auto& s : spots)
                         p.drawEllipse(s, 1.3, 1.3);
                       p.restore();
                     };
                     die(QPointF(8.5, 8.5), -12, 3);
                     die(QPointF(15.5, 15.5), 14, 5);
                   }});
  icons.push_back(
      {"command_line", [](QPainter& p) {
         p.setPen(QPen(QColor(30, 30, 40), 1));
         p.setBrush(QColor(80, 110, 180));
         p.drawRoundedRect(QRectF(1.5, 3.5, 21, 17), 1.5, 1.5);
         p.setBrush(QColor(20, 22, 28));
         p.drawRect(QRectF(2.5, 7, 19, 12.5));
         p.setPen(QPen(QColor(80, 240, 100), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
         p.setBrush(Qt::NoBrush);
         QPainterPath chevron;
         chevron.moveTo(5, 10);
         chevron.lineTo(8.5, 13);
         chevron.lineTo(5, 16);
         p.drawPath(chevron);
         p.drawLine(QPointF(10.5, 16.5), QPointF(15.5, 16.5));
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(220, 230, 250));
         p.drawEllipse(QPointF(19.5, 5.2), 0.9, 0.9);
         p.drawEllipse(QPointF(17, 5.2), 0.9, 0.9);
       }});
  icons.push_back({"about", [](QPainter& p) {
                     QRadialGradient g(QPointF(9, 8), 14);
                     g.setColorAt(0, QColor(130, 180, 250));
                     g.setColorAt(1, QColor(25, 80, 180));
                     p.setPen(QPen(QColor(10, 45, 120), 1));
                     p.setBrush(g);
                     p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
                     QFont f("DejaVu Sans");
                     f.setBold(true);
                     f.setPixelSize(15);
                     p.setFont(f);
                     p.setPen(Qt::white);
                     p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, "?");
                   }});
  // the recording buttons: 16 units
  icons.push_back({"rec_none", [](QPainter& p) {
                     p.setPen(QPen(QColor(60, 60, 70), 1));
                     p.setBrush(QColor(150, 154, 166));
                     p.drawRoundedRect(QRectF(3.5, 3.5, 9, 9), 1, 1);
                   }});
  icons.push_back({"rec_play", [](QPainter& p) {
                     QPainterPath tri;
                     tri.moveTo(4, 2.5);
                     tri.lineTo(13.5, 8);
                     tri.lineTo(4, 13.5);
                     tri.closeSubpath();
                     p.setPen(
                         QPen(QColor(20, 90, 25), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                     p.setBrush(QColor(60, 180, 60));
                     p.drawPath(tri);
                   }});
  icons.push_back({"rot_left", [](QPainter& p) { TurnArrow(p, false); }});
  icons.push_back({"rot_right", [](QPainter& p) { TurnArrow(p, true); }});
  icons.push_back({"flip_x", [](QPainter& p) { FlipArrow(p, true); }});
  icons.push_back({"flip_y", [](QPainter& p) { FlipArrow(p, false); }});
  icons.push_back({"rec_record", [](QPainter& p) {
                     QRadialGradient g(QPointF(6.5, 6.5), 7);
                     g.setColorAt(0, QColor(255, 130, 120));
                     g.setColorAt(1, QColor(200, 20, 20));
                     p.setPen(QPen(QColor(110, 10, 10), 1));
                     p.setBrush(g);
                     p.drawEllipse(QPointF(8, 8), 5, 5);
                   }});
  return icons;
}

// Everything written, magnified, on one page for a look by eye.
QImage ReviewSheet(const QString& root) {
  QImage sheet(1000, 760, QImage::Format_RGB888);
  sheet.fill(QColor(236, 233, 216));
  QPainter p(&sheet);
  p.drawImage(QPointF(10, 10), QImage(root + "/pictures/KESTREL.png"));
  p.drawImage(QRectF(340, 10, 100, 100), QImage(root + "/pictures/WINERR.png"));
  QDir icons(root + "/icons");
  int x = 340;
  int y = 130;
  for (const QString& name : icons.entryList({"*.png"}, QDir::Files, QDir::Name)) {
    QImage icon(icons.filePath(name));
    p.drawImage(QRectF(x, y, icon.width() * 3, icon.height() * 3), icon);
    p.drawImage(QPointF(x + 76, y + 24), icon);
    x += 110;
    if (x > 900) {
      x = 340;
      y += 84;
    }
  }
  for (int frame = 1; frame <= 12; ++frame) {
    QImage logo(root + QString("/logo/LOGO%1.png").arg(frame, 2, 10, QChar('0')));
    p.drawImage(QPointF(10 + ((frame - 1) % 6) * 140, 480 + ((frame - 1) / 6) * 140), logo);
  }
  return sheet;
}

bool Save(const QImage& image, const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "make_artwork: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--sheet")) {
    std::fprintf(stderr, "usage: make_artwork <resources directory> [--sheet <review.png>]\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  bool ok = Save(ProductPicture(), root + "/pictures/KESTREL.png");
  ok = Save(ErrorSign(), root + "/pictures/WINERR.png") && ok;
  for (int frame = 1; frame <= 12; ++frame) {
    ok = Save(LogoFrame(frame), root + QString("/logo/LOGO%1.png").arg(frame, 2, 10, QChar('0'))) &&
         ok;
  }
  for (const auto& icon : Icons()) {
    const bool small = QString(icon.file).startsWith("rec_") ||
                       QString(icon.file).startsWith("rot_") ||
                       QString(icon.file).startsWith("flip_");
    const int size = small ? 16 : 24;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    icon.paint(p);
    p.end();
    ok = Save(image, root + "/icons/" + icon.file + ".png") && ok;
  }
  ok = Save(MonitorPicture(), root + "/pictures/MONITOR.png") && ok;
  for (int degrees : {0, 90, 180, 270}) {
    ok = Save(Overlay(false, degrees), root + QString("/pictures/MAME%1.png").arg(degrees)) && ok;
    ok = Save(Overlay(true, degrees), root + QString("/pictures/3MAM%1.png").arg(degrees)) && ok;
  }
  if (argc == 4) ok = Save(ReviewSheet(root), QString::fromLocal8Bit(argv[3])) && ok;
  return ok ? 0 : 1;
}
