// stats: the statistics window's rows and totals of STATS.INI, for scripts and checks.
#include <cstdio>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "core/launch/stats_report.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
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
    auto bad = [](const std::string& why) { return BadUsage("stats", why, kStatsUsage); };
    if ((a == "--by" || a == "--profile") && i + 1 == args.size()) {
      return bad(a + " needs a value");
    } else if (a == "--by") {
      const std::string& by = args[++i];
      if (by != "plays" && by != "time") return bad("--by takes plays or time, not '" + by + "'");
      mode = by == "plays" ? StatsMode::Plays : StatsMode::Time;
    } else if (a == "--profile") {
      if (!profile.empty()) return bad("--profile given twice");
      profile = args[++i];
    } else if (IsOption(a)) {
      return bad("unknown option '" + a + "'");
    } else {
      return bad("unexpected argument '" + a + "'");
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
