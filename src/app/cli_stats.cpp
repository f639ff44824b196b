// stats: the statistics window's rows and totals of STATS.INI, for scripts and checks.
#include <cstdio>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "core/launch/play_stats.h"
#include "core/launch/stats_report.h"
#include "core/profile/game_database.h"
#include "core/shell/app_names.h"
#include "platform/system_info.h"

namespace kw::cli {

namespace {

constexpr const char* kStatsUsage =
    "Usage: kestrelwing-cli stats [--by plays|time] [--profile PROFILE.KSL]\n";

}  // namespace

int Stats(const Args& args) {
  StatsMode mode = StatsMode::Plays;
  std::string profile;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool has_value = i + 1 < args.size();
    if (a == "--by" && has_value && (args[i + 1] == "plays" || args[i + 1] == "time")) {
      mode = args[++i] == "plays" ? StatsMode::Plays : StatsMode::Time;
    } else if (a == "--profile" && has_value && profile.empty()) {
      profile = args[++i];
    } else {
      std::fputs(kStatsUsage, stderr);
      return 2;
    }
  }
  // Without a profile no game is known: every record says it is not supported.
  GameDatabase db;
  if (!profile.empty() && !LoadProfileFile(db, profile)) return 1;
  const AppNames names = AppNames::Compute(platform::ProgramDir(), platform::SystemDir());
  PlayStats stats(names.StatsPath);
  stats.SetNameWidth(NameWidthsOf(db.Dialect).set);
  stats.LoadStats();
  const StatisticsReport report = BuildStatisticsReport(stats.Records(), mode, db, kProductName);

  std::string out;
  for (const StatisticsRow& row : report.rows)
    out += row.caption + '\t' + row.label + '\n';
  out += "Total number of plays: " + report.total_plays + '\n';
  out += "Total playing time: " + report.total_time + '\n';
  return WriteOut(out) && FlushOut() ? 0 : 1;
}

}  // namespace kw::cli
