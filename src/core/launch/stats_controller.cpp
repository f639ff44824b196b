#include "core/launch/stats_controller.h"

#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw {

StatsController::StatsController(UserInterface& ui, PlayStats& stats, const GameDatabase& database,
                                 const std::string& product_name, StatsView& view)
    : ui_(ui), stats_(stats), database_(database), product_name_(product_name), view_(view) {}

void StatsController::Load() {
  stats_.LoadStats();
}

void StatsController::ProfileOpened() {
  const std::size_t width = NameWidthsOf(database_.Dialect).set;
  if (width == stats_.NameWidth()) return;
  stats_.SetNameWidth(width);
  stats_.LoadStats();
}

bool StatsController::Save() {
  Status saved = stats_.SaveStats();
  if (!saved) ui_.Ask(saved.Message(), MsgIcon::Error);
  return saved.Ok();
}

bool StatsController::RecordRun(bool use_stats, std::string_view name, unsigned hours,
                                unsigned minutes, unsigned seconds) {
  if (!use_stats) return false;
  stats_.RecordPlay(name, hours, minutes, seconds);
  Save();
  return true;
}

void StatsController::ShowStatistics(StatsMode mode) {
  const bool sorting = !stats_.Records().empty();
  if (sorting) {
    ui_.SetOperation("Sorting statistics...");
    ui_.SetProgress(-1);
    ui_.ShowProgress();
  }
  const StatisticsReport report =
      BuildStatisticsReport(stats_.Records(), mode, database_, product_name_);
  if (sorting) ui_.HideProgress();
  view_.ShowStatistics(report);
}

void StatsController::ResetStatsOPTClick() {
  if (ui_.Ask("This will permanently delete the\r"
              "statistics data gathered until now!\r"
              "\r"
              "Are you sure?",
              MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
    return;
  const std::string& path = stats_.Path();
  // A file that stays would come back with the next load: the reset would look done and not be.
  if (platform::fs::FileExists(path)) {
    if (Status deleted = platform::fs::Delete(path); !deleted) {
      ui_.Ask("Unable to delete " + path + "\r" + deleted.Message(), MsgIcon::Error);
      return;
    }
  }
  stats_.LoadStats();
  for (StatsResetListener* listener : listeners_)
    listener->StatsReset();
}

}  // namespace kw
