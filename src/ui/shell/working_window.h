// The progress window of long operations: a looping "searching" animation, the operation's
// text, a progress bar and its percentage. Shown without modality; it only reports and has no
// system buttons. The one way to stop anything is the button offered while the program waits
// for an emulator query that does not come back.
#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kw {

// A magnifier sweeping over a computer, drawn frame by frame.
class SearchAnimation : public QWidget {
 public:
  static constexpr int kFrames = 24;
  static constexpr int kIntervalMs = 60;

  explicit SearchAnimation(QWidget* parent = nullptr);
  // Plays in a loop from the first frame.
  void Start();
  void Stop();
  int Frame() const { return frame_; }
  bool Running() const { return timer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QTimer timer_;
  int frame_ = 0;
};

class TWorkingFRM : public QDialog {
 public:
  explicit TWorkingFRM(QWidget* parent = nullptr);

  void SetOperation(const QString& text);
  // -1 hides bar and percentage; any other value p shows both, the bar at p (0..100).
  void SetProgress(int percent);
  // Shows or hides EndBTN ("End the emulator"), the window growing to hold it.
  void OfferEnd(bool on);

  SearchAnimation* Animate;
  QLabel* Operation;
  QProgressBar* Progress;
  QLabel* ProgressPercentage;
  QPushButton* EndBTN;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kw
