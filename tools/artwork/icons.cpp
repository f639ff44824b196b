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

}  // namespace

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

}  // namespace artwork
