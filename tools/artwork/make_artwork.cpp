// Draws the program's own artwork and writes it as PNG files under resources/:
//   pictures/KESTREL.png      the product picture shown when a game has no picture (320 x 320)
//   pictures/WINERR.png       the small error sign drawn on pictures that failed (25 x 25)
//   logo/LOGO01..LOGO12.png   the About window's logo, a kestrel beating its wings
//   icons/*.png               the tool-bar, recording-button and rotation-button images
//   pictures/MONITOR.png      the video window's preview monitor (100 x 100)
//   pictures/MAME0..3MAM270   the rotation preview's screens (56 x 56)
//   hicolor/*/apps/           the desktop's program icon, PNG in six sizes and SVG
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
#include <QSvgGenerator>
#include <QTransform>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "artwork.h"

namespace {

using namespace artwork;

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

constexpr const char* kAppId = "org.kestrelwing.Kestrelwing";

// The program icon as a drawing: the same painting, recorded as SVG.
bool SaveSvgIcon(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(QSize(128, 128));
  svg.setViewBox(QRect(0, 0, 128, 128));
  svg.setTitle("Kestrelwing");
  QPainter p;
  if (!p.begin(&svg)) {
    std::fprintf(stderr, "make_artwork: cannot write %s\n", qPrintable(path));
    return false;
  }
  PaintLogo(p, kAppIconFrame);
  return p.end();
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
  for (int size : {16, 32, 48, 64, 128, 256}) {
    ok = Save(AppIcon(size), root + QString("/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId)) &&
         ok;
  }
  ok = SaveSvgIcon(root + QString("/hicolor/scalable/apps/%1.svg").arg(kAppId)) && ok;
  if (argc == 4) ok = Save(ReviewSheet(root), QString::fromLocal8Bit(argv[3])) && ok;
  return ok ? 0 : 1;
}
