// The statistics window's work over a large STATS.INI: reading the file, and the report (the
// sort by each mode, the rows with their descriptions, the totals). 10,000 records, most of
// them for games of the profile, with plays and times spread as a long use gives them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/launch/stats_report.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "platform/fs.h"

namespace {

constexpr int kRecords = 10000;

std::string SetName(int n) {
  char name[16];
  std::snprintf(name, sizeof name, "G%07d", n);
  return name;
}

// The STATS.INI of the benches, written once; removed at the end.
const std::string& StatsFile() {
  static const std::string path = [] {
    std::string p = "/tmp/kw-stats-bench-" + std::to_string(getpid()) + ".ini";
    std::mt19937 random(1);
    std::string text;
    for (int n = 0; n < kRecords; ++n) {
      text += "[" + SetName(n) + "]\r\nTotHours=" + std::to_string(random() % 40) +
              "\r\nTotMinutes=" + std::to_string(random() % 60) +
              "\r\nTotSeconds=" + std::to_string(random() % 60) +
              "\r\nTotTimes=" + std::to_string(random() % 500) + "\r\n";
    }
    if (!kw::platform::fs::WriteFile(p, text)) std::abort();
    return p;
  }();
  // Registered after the path is made, so that it runs before the path is destroyed.
  static const bool removed_at_exit = std::atexit([] { std::remove(path.c_str()); }) == 0;
  (void)removed_at_exit;
  return path;
}

// A profile that knows nine in ten of the played sets.
const kw::GameDatabase& Profile() {
  static const kw::GameDatabase db = [] {
    kw::GameDatabase d;
    for (int n = 0; n < kRecords; ++n) {
      if (n % 10 == 9) continue;
      kw::GameEntry e;
      e.Name = SetName(n);
      e.Description = "Game number " + std::to_string(n) + " (World, set 1)";
      d.AddGame(e);
    }
    return d;
  }();
  return db;
}

void BM_LoadStats(benchmark::State& state) {
  kw::PlayStats stats(StatsFile());
  for (auto _ : state) {
    stats.LoadStats();
    benchmark::DoNotOptimize(stats.Records().data());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_LoadStats)->Unit(benchmark::kMillisecond);

// Each run starts from the file's order, as the window does the first time.
void BM_StatisticsReport(benchmark::State& state) {
  const auto mode = static_cast<kw::StatsMode>(state.range(0));
  kw::PlayStats stats(StatsFile());
  stats.LoadStats();
  const std::vector<kw::PlayRecord> file_order = stats.Records();
  const kw::GameDatabase& db = Profile();
  std::vector<kw::PlayRecord> records;
  for (auto _ : state) {
    state.PauseTiming();
    records = file_order;
    state.ResumeTiming();
    kw::StatisticsReport report = kw::BuildStatisticsReport(records, mode, db, "Kestrelwing");
    benchmark::DoNotOptimize(report);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_StatisticsReport)
    ->ArgName("mode")
    ->Arg(static_cast<int>(kw::StatsMode::Plays))
    ->Arg(static_cast<int>(kw::StatsMode::Time))
    ->Unit(benchmark::kMillisecond);

}  // namespace
