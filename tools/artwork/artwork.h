// The drawings of the program's artwork, one file per kind: the kestrel and the pictures made
// of it (kestrel.cpp), the tool-bar and button icons (icons.cpp), the video window's previews
// (previews.cpp). make_artwork.cpp writes them all.
#pragma once

#include <QImage>
#include <QPainter>
#include <functional>
#include <numbers>
#include <vector>

namespace artwork {

constexpr double kPi = std::numbers::pi;

// The product picture shown when a game has no picture (320 x 320).
QImage ProductPicture();
// The About window's logo, frame 1 to 12 of the kestrel beating its wings.
QImage LogoFrame(int frame);
// The logo's frame drawn in a 128 x 128 space: a blue disc with the kestrel.
void PaintLogo(QPainter& p, int frame);
// The frame the desktop's program icon shows: wings half raised.
constexpr int kAppIconFrame = 4;
// The desktop's program icon, `size` pixels square.
QImage AppIcon(int size);
// The small error sign drawn on pictures that failed (25 x 25).
QImage ErrorSign();

using IconPainter = std::function<void(QPainter&)>;
struct IconDef {
  const char* file;
  IconPainter paint;
};
// Every icon with the file name it is written under (24 x 24; 16 x 16 for rec_, rot_, flip_).
std::vector<IconDef> Icons();

// The video window's preview monitor (100 x 100).
QImage MonitorPicture();
// The emulator's name as the preview's screen shows it, turned `degrees` clockwise, mirrored
// left to right first when `mirrored` (56 x 56).
QImage Overlay(bool mirrored, int degrees);

}  // namespace artwork
