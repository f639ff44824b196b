// The main window's side of the statistics: shows the statistics window modally.
#pragma once

#include <QObject>

#include "core/launch/stats_controller.h"

class QWidget;

namespace kw {

class TStatFRM;

class StatsPanel : public QObject, public StatsView {
 public:
  // Makes the statistics window over `parent`, once for the whole run.
  explicit StatsPanel(QWidget* parent);

  TStatFRM& Window() const { return *StatFRM; }

  // StatsView
  void ShowStatistics(const StatisticsReport& report) override;

  TStatFRM* StatFRM;
};

}  // namespace kw
