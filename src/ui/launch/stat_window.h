// The statistics window: the pie chart of the most played games, their eight coloured rows and
// the totals, painted from a report that the statistics controller computed.
#pragma once

#include <QDialog>
#include <array>

#include "core/launch/stats_report.h"

class QLabel;
class QPushButton;

namespace kw {

class TStatFRM : public QDialog {
 public:
  explicit TStatFRM(QWidget* parent = nullptr);

  // Fills the window (title, picture, rows, totals); showing it is the caller's.
  void ShowReport(const StatisticsReport& report);

  QLabel* Graph;
  std::array<QLabel*, kStatsRows> GamePNL;  // Game1PNL ... Game8PNL
  std::array<QLabel*, kStatsRows> GameLBL;  // Game1LBL ... Game8LBL
  QLabel* NplaysLBL;
  QLabel* NPlays;
  QLabel* TotTimeLBL;
  QLabel* TotTime;
  QPushButton* CloseBTN;

 private:
  void PaintGraph(const StatisticsReport& report);
};

}  // namespace kw
