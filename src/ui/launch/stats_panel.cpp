#include "ui/launch/stats_panel.h"

#include "ui/launch/stat_window.h"

namespace kw {

StatsPanel::StatsPanel(QWidget* parent) : QObject(parent), StatFRM(new TStatFRM(parent)) {}

void StatsPanel::ShowStatistics(const StatisticsReport& report) {
  StatFRM->ShowReport(report);
  StatFRM->exec();
}

}  // namespace kw
