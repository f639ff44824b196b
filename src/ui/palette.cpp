#include "ui/palette.h"

#include <QApplication>
#include <QWidget>

namespace kw {

void SetBaseColour(QWidget* widget, QPalette::ColorRole from) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, QApplication::palette().color(QPalette::Active, from));
  widget->setPalette(palette);
}

}  // namespace kw
