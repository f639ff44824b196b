// The system information window (TSysInfoFRM): memory, address space, processor and the
// system's four lines, computed each time it is shown.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace kw {

struct SystemInfoText;

class TSysInfoFRM : public QDialog {
 public:
  static constexpr int kClientWidth = 316;
  static constexpr int kClientHeight = 233;

  explicit TSysInfoFRM(QWidget* parent = nullptr);

  // FormShow: the window's labels from `text`.
  void Fill(const SystemInfoText& text);
  // Reads the facts of this machine, fills the window and shows it modally.
  void Run();

  QLabel* Picture;
  QLabel* Captions[5];
  QLabel* TotPhis;
  QLabel* AvailPhis;
  QLabel* TotVirtual;
  QLabel* AvailVirtual;
  QLabel* Processor;
  QFrame* Separator;
  QLabel* Os1;
  QLabel* Os2;
  QLabel* Os3;
  QLabel* Os4;
  QPushButton* OkBTN;
};

}  // namespace kw
