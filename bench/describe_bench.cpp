// "Romset details" over the real 0.37b5 profile and the era's support files: the index build
// of each reader per MB, and the description of 1,000 sets in a row (the first call, which reads
// and indexes every file, and the rest, which use the indexes again). A 12 MB history file is
// made of the real one three times over, as large as the ones users keep.
//   describe_bench REALDATA_DIR
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "core/profile/listinfo_parser.h"
#include "core/reports/cheat_file.h"
#include "core/reports/hiscore_file.h"
#include "core/reports/info_file.h"
#include "core/reports/set_description.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/shared/report_document.h"
#include "platform/fs.h"

namespace {

namespace fs = kw::platform::fs;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

std::string Read(const std::string& path) {
  auto bytes = fs::ReadFile(path);
  if (!bytes) {
    std::fprintf(stderr, "describe_bench: %s: %s\n", path.c_str(), bytes.Message().c_str());
    std::exit(1);
  }
  return std::move(*bytes);
}

// The best of five builds of an index over `bytes`, in milliseconds per MB.
template <class Parsed>
void IndexBuild(const char* what, const std::string& bytes) {
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    std::string copy = bytes;
    const auto start = Clock::now();
    const Parsed parsed(std::move(copy));
    best = std::min(best, Seconds(Clock::now() - start));
  }
  const double mb = static_cast<double>(bytes.size()) / 1048576.0;
  std::printf("index build  %-28s %7.2f MB  %8.2f ms  %6.2f ms/MB\n", what, mb, best * 1e3,
              best * 1e3 / mb);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: describe_bench REALDATA_DIR\n");
    return 2;
  }
  const std::string real = fs::IncludeTrailingSeparator(argv[1]);
  const std::string history = Read(real + "history/mame4all-gcw0/history.dat");
  const std::string big_history = history + history + history;
  const std::string mameinfo = Read(real + "mameinfo/retrofire-ja/mameinfo.dat");
  const std::string hiscore = Read(real + "hiscore/mame4all-gcw0/hiscore.dat");
  const std::string cheat = Read(real + "cheat/mame2000-libretro/cheat.dat");

  IndexBuild<kw::InfoFile>("history (real, 4 MB)", history);
  IndexBuild<kw::InfoFile>("history (x3, 12 MB)", big_history);
  IndexBuild<kw::InfoFile>("mameinfo", mameinfo);
  IndexBuild<kw::HiscoreFile>("hiscore (gcw0)", hiscore);
  IndexBuild<kw::CheatFile>("cheat (0.54 era, 3.3 MB)", cheat);

  // What a description without the index would pay for its history look-up alone.
  {
    const auto start = Clock::now();
    const auto found = kw::ScanInfoFile(big_history, "zzzznone", "bio");
    std::printf("linear scan of the 12 MB history for a name it lacks: %.2f ms%s\n",
                Seconds(Clock::now() - start) * 1e3, found ? " (found?)" : "");
  }

  kw::GameDatabase db;
  auto log = kw::ParseListinfoFile(real + "listinfo/mame-0.37b5-generated/listinfo.txt", db);
  if (!log || db.GameCount() == 0) {
    std::fprintf(stderr, "describe_bench: the 0.37b5 listinfo could not be read\n");
    return 1;
  }
  const std::string dir = "/tmp/kw-describe-bench-" + std::to_string(getpid()) + "/";
  if (!fs::MakeDirectories(dir) || !fs::WriteFile(dir + "HISTORY.DAT", big_history) ||
      !fs::WriteFile(dir + "MAMEINFO.DAT", mameinfo) ||
      !fs::WriteFile(dir + "HISCORE.DAT", hiscore) || !fs::WriteFile(dir + "CHEAT.DAT", cheat)) {
    std::fprintf(stderr, "describe_bench: %s could not be written\n", dir.c_str());
    return 1;
  }
  kw::PlayStats stats(dir + "STATS.INI");
  const kw::DescriptionSources sources{db,
                                       stats,
                                       kw::SupportPaths{dir + "HISTORY.DAT", dir + "MAMEINFO.DAT",
                                                        dir + "HISCORE.DAT", dir + "CHEAT.DAT"},
                                       "Kestrelwing",
                                       dir,
                                       10,
                                       8};
  // The first call's share: each file read and indexed, on its own (twice: the first round
  // also meets the files just written).
  for (int round = 0; round < 2; ++round) {
    kw::SupportFiles cold;
    const auto timed = [](const char* what, const std::function<void()>& get) {
      const auto start = Clock::now();
      get();
      std::printf("read and index %-14s %8.2f ms\n", what, Seconds(Clock::now() - start) * 1e3);
    };
    timed("HISTORY.DAT", [&] { (void)cold.Info(sources.paths.History); });
    timed("MAMEINFO.DAT", [&] { (void)cold.Info(sources.paths.Mameinfo); });
    timed("HISCORE.DAT", [&] { (void)cold.Hiscore(sources.paths.Hiscore); });
    timed("CHEAT.DAT", [&] { (void)cold.Cheat(sources.paths.Cheat); });
    timed("(all, again)", [&] {
      (void)cold.Info(sources.paths.History);
      (void)cold.Info(sources.paths.Mameinfo);
      (void)cold.Hiscore(sources.paths.Hiscore);
      (void)cold.Cheat(sources.paths.Cheat);
    });
  }
  kw::SupportFiles files;
  kw::ReportDocument report;
  constexpr std::size_t kSets = 1000;
  std::vector<double> times;
  std::size_t lines = 0;
  for (std::size_t n = 0; n < kSets; ++n) {
    const kw::GameRecord& game = db.Game((n * 7) % db.GameCount());  // spread over the list
    const auto start = Clock::now();
    kw::DescribeSet(report, files, sources, game);
    times.push_back(Seconds(Clock::now() - start));
    if (n > 0 && times.back() > 0.005)
      std::printf("  slow: %s %.2f ms, %zu lines\n", game.Name.Str().c_str(), times.back() * 1e3,
                  report.Lines().size());
    lines += report.Lines().size();
  }
  std::vector<double> rest(times.begin() + 1, times.end());
  std::sort(rest.begin(), rest.end());
  double sum = 0;
  for (double t : rest)
    sum += t;
  std::printf("describe x%zu (%zu games in the profile, %zu report lines in all)\n", kSets,
              db.GameCount(), lines);
  std::printf("  first call (reads and indexes the four files): %8.2f ms\n", times[0] * 1e3);
  std::printf("  the other %zu: total %.2f ms, mean %.3f ms, median %.3f ms, max %.3f ms\n",
              rest.size(), sum * 1e3, sum * 1e3 / static_cast<double>(rest.size()),
              rest[rest.size() / 2] * 1e3, rest.back() * 1e3);
  std::printf("  file reads: %zu\n", files.Reads());
  for (const char* name : {"HISTORY.DAT", "MAMEINFO.DAT", "HISCORE.DAT", "CHEAT.DAT", "STATS.INI"})
    (void)fs::Delete(dir + name);
  (void)fs::DeleteTree(dir);
  return 0;
}
