// The About window: the animated logo, the version and credits, and OK.
#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kw {

class TAboutFRM : public QDialog {
 public:
  static constexpr int kLogoIntervalMs = 55;

  explicit TAboutFRM(QWidget* parent = nullptr);

  // The frame the logo shows now (1..12).
  int LogoFrame() const { return shown_frame_; }
  void LogoTMRTimer();

  QLabel* Logo;
  QLabel* TitleLBL;
  QPlainTextEdit* CreditsMemo;
  QPushButton* OkBTN;
  QTimer* LogoTMR;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ShowLogoFrame(int frame);

  int next_frame_ = 1;
  int direction_ = 1;
  int shown_frame_ = 1;
};

}  // namespace kw
