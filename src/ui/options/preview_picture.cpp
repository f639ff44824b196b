#include "ui/options/preview_picture.h"

#include <QMouseEvent>
#include <QPainter>

namespace kw {

void PreviewPicture::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && isEnabled() && on_press)
    on_press(event->position().toPoint());
}

void PreviewPicture::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::LeftButton && isEnabled() && on_drag)
    on_drag(event->position().toPoint());
}

void PreviewPicture::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && on_release) on_release(event->position().toPoint());
}

void PreviewPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, pixmap());
}

}  // namespace kw
