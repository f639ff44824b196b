// Whole-operation timings of the profile's readers and writer, one operation per process so
// that the peak memory (ru_maxrss) belongs to that operation:
//
//   listinfo_bench parse LISTINFO          ParseListinfoFile: read the file a piece at a time
//   listinfo_bench save LISTINFO OUT.KSL   SaveProfile of the parsed database (parse untimed)
//   listinfo_bench load PROFILE.KSL        LoadProfile: read the file and fill the database;
//                                          also what the database holds resident afterwards
//
// bench/run_listinfo_bench.sh runs them all beside `LC_ALL=C wc -w`.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/profile/listinfo_parser.h"
#include "core/profile/profile_file.h"
#include "core/shared/game_database.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace {

// Counts what the windows would be asked to do.
class CountingUi : public kw::UserInterface {
 public:
  int updates = 0;
  kw::MsgAnswer Ask(const std::string& text, kw::MsgIcon, kw::MsgButtons) override {
    std::fprintf(stderr, "%s\n", text.c_str());
    return kw::MsgAnswer::Ok;
  }
  void SetOperation(const std::string&) override {}
  void SetProgress(int) override { ++updates; }
  void ShowProgress() override {}
  void HideProgress() override {}
  void SetBusy(bool) override {}
  void ProcessMessages() override {}
  void ShowReport(const kw::ReportDocument&) override {}
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

void Report(const char* what, const std::string& file, double bytes, double seconds,
            const kw::GameDatabase& db, int updates) {
  std::printf(
      "%-6s %-40s %8.1f MB %8.3f s %8.1f MB/s  games %zu resources %zu  progress "
      "updates %d  peak %ld MB\n",
      what, kw::platform::fs::ExtractFileName(file).c_str(), bytes / 1e6, seconds,
      bytes / 1e6 / seconds, db.GameCount(), db.ResourceCount(), updates, PeakMegabytes());
}

// The process's resident memory now (VmRSS), for what a loaded database holds.
long ResidentKilobytes() {
  long kilobytes = 0;
  if (FILE* f = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, f)) {
      if (std::sscanf(line, "VmRSS: %ld kB", &kilobytes) == 1) break;
    }
    std::fclose(f);
  }
  return kilobytes;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "parse" && argc == 3) {
    // Timed from the reading of the file, as the program loads the capture whole and parses
    // it, and as wc -w reads it too.
    auto start = std::chrono::steady_clock::now();
    kw::GameDatabase db;
    CountingUi ui;
    auto log = kw::ParseListinfoFile(argv[2], db, &ui);
    double seconds = Seconds(start);
    if (!log) {
      std::fprintf(stderr, "%s: %s\n", argv[2], log.Message().c_str());
      return 1;
    }
    auto size = kw::platform::fs::FileSize(argv[2]).value_or(0);
    Report("parse", argv[2], static_cast<double>(size), seconds, db, ui.updates);
    if (!log->empty()) std::printf("       log entries: %zu\n", log->size());
    return 0;
  }
  if (mode == "save" && argc == 4) {
    kw::GameDatabase db;
    if (!kw::ParseListinfoFile(argv[2], db)) return 1;
    CountingUi ui;
    auto start = std::chrono::steady_clock::now();
    if (!kw::SaveProfile(db, argv[3], ui, {}).Ok()) return 1;
    double seconds = Seconds(start);
    auto size = kw::platform::fs::FileSize(argv[3]).value_or(0);
    Report("save", argv[3], static_cast<double>(size), seconds, db, ui.updates);
    return 0;
  }
  if (mode == "load" && argc == 3) {
    const long before = ResidentKilobytes();
    kw::GameDatabase db;
    CountingUi ui;
    auto start = std::chrono::steady_clock::now();
    if (!kw::LoadProfile(db, argv[2], ui, {}).Ok()) return 1;
    db.FindSet("", true);  // the look-up index, as the program builds it on first use
    double seconds = Seconds(start);
    auto size = kw::platform::fs::FileSize(argv[2]).value_or(0);
    Report("load", argv[2], static_cast<double>(size), seconds, db, ui.updates);
    // What the loaded database holds resident, once the file's bytes are gone.
    const double held = static_cast<double>(ResidentKilobytes() - before) * 1024.0;
    std::printf("       resident after loading: %.1f MB, %.2f times the file's size\n", held / 1e6,
                held / static_cast<double>(size));
    return 0;
  }
  std::fprintf(stderr,
               "usage: listinfo_bench parse LISTINFO | save LISTINFO OUT.KSL | load PROFILE.KSL\n");
  return 2;
}
