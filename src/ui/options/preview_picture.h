// A picture of the video window's previews that reports the left button's press, moves and
// release in its own pixels. It is drawn as it is when disabled too: a preview that cannot be
// dragged still shows its black screen, not a greyed one.
#pragma once

#include <QLabel>
#include <functional>

namespace kw {

class PreviewPicture : public QLabel {
 public:
  using MouseHook = std::function<void(QPoint)>;

  explicit PreviewPicture(QWidget* parent) : QLabel(parent) {
    setFixedSize(100, 100);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }

  MouseHook on_press;
  MouseHook on_drag;  // moves with only the left button held
  MouseHook on_release;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace kw
