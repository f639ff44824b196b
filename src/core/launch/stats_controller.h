// The play statistics of the program's run: read at start-up, written at the end, shown in the
// statistics window by number of plays or by playing time, and reset on request.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/launch/stats_report.h"
#include "core/shared/play_stats.h"
#include "core/shared/profile_listener.h"

namespace kw {

class GameDatabase;
class PlayStats;
class UserInterface;

// The statistics window.
class StatsView {
 public:
  virtual ~StatsView() = default;
  // Shows the report modally; returns when the user has closed the window.
  virtual void ShowStatistics(const StatisticsReport& report) = 0;
};

class StatsController : public ProfileListener {
 public:
  StatsController(UserInterface& ui, PlayStats& stats, const GameDatabase& database,
                  const std::string& product_name, StatsView& view);

  void AddResetListener(StatsResetListener& listener) { listeners_.push_back(&listener); }

  // Reads STATS.INI (start-up).
  void Load();
  // A profile opened: names are kept at its dialect's width, read again when that changed.
  void ProfileOpened() override;
  // Writes STATS.INI (shutdown); a failure is said. True when written.
  bool Save();
  // After a game ran for h:m:s: with statistics on (UseStats), one more play of `name`, written
  // at once. False when nothing was recorded.
  bool RecordRun(bool use_stats, std::string_view name, unsigned hours, unsigned minutes,
                 unsigned seconds);

  // NPlaysOPTClick and PlayTimeOPTClick: sorts the records by the mode (the order stays) and
  // shows the window.
  void ShowStatistics(StatsMode mode);
  // Asks, then deletes STATS.INI and reads it again (an empty list), and tells the listeners.
  void ResetStatsOPTClick();

 private:
  UserInterface& ui_;
  PlayStats& stats_;
  const GameDatabase& database_;
  std::string product_name_;
  StatsView& view_;
  std::vector<StatsResetListener*> listeners_;
};

}  // namespace kw
