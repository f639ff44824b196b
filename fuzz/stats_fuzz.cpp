// STATS.INI is a file anyone can edit: any bytes must load, make a report in both modes, take a
// play and write back without a crash, and the play must read back as it was counted.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/launch/stats_report.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "platform/fs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/kw-stats-fuzz-" + std::to_string(getpid()) + ".ini";
  static const kw::GameDatabase database;
  static const bool cleaned = std::atexit([] { std::remove(path.c_str()); }) == 0;
  (void)cleaned;
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (!kw::platform::fs::WriteFile(path, text)) return 0;

  kw::PlayStats stats(path);
  stats.LoadStats();
  for (kw::StatsMode mode : {kw::StatsMode::Plays, kw::StatsMode::Time}) {
    kw::StatisticsReport report = kw::BuildStatisticsReport(stats.Records(), mode, database, "K");
    if (report.empty != stats.Records().empty()) std::abort();
  }
  stats.RecordPlay("FUZZ", 0, 59, 59);
  const std::uint32_t plays = stats.PlayCount("FUZZ");
  if (!stats.SaveStats()) std::abort();
  stats.LoadStats();
  if (stats.PlayCount("FUZZ") != plays) std::abort();
  return 0;
}
