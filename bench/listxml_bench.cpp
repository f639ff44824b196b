// One parse of today's emulator's -listxml output into the game database, for
// bench/listxml_bench.sh to time:
//
//   listxml_bench LISTXML    ParseListxmlFile, then the counts, the log, the database's own
//                            size, and the process's peak resident memory
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "core/profile/listxml_parser.h"
#include "core/shared/game_database.h"
#include "core/silent_user_interface.h"

namespace {

class CountingUi : public kw::SilentUserInterface {
 public:
  int updates = 0;
  kw::MsgAnswer Ask(const std::string&, kw::MsgIcon, kw::MsgButtons) override {
    return kw::MsgAnswer::Ok;
  }
  void SetProgress(int) override { ++updates; }
};

// What the records of `db` take, counted as DatabaseSize counts it.
kw::DatabaseSize SizeOf(const kw::GameDatabase& db) {
  kw::DatabaseSize size{db.GameCount(), db.ResourceCount(), 0, 0, 0, 1};
  const auto text = [&](kw::TextId id) {
    if (id != 0) size.text_bytes += 1 + db.Text(id).size();
  };
  for (const auto* list : {&db.Games(), &db.Resources()}) {
    for (const kw::GameRecord& r : *list) {
      text(r.Description);
      text(r.Manufacturer);
      text(r.Freq);
      size.roms += r.RomRange.Count;
      size.chips += r.ChipRange.Count;
      size.samples += r.SampleRange.Count;
      for (const kw::RomRecord& rom : db.Roms(r)) {
        text(rom.Name);
        text(rom.Merge);
        text(rom.Region);
      }
      for (const kw::ChipRecord& chip : db.Chips(r)) {
        text(chip.Name);
        text(chip.Clock);
      }
      for (kw::TextId sample : db.Samples(r))
        text(sample);
    }
  }
  return size;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: listxml_bench LISTXML\n");
    return 2;
  }
  kw::GameDatabase db;
  CountingUi ui;
  const auto start = std::chrono::steady_clock::now();
  const auto log = kw::ParseListxmlFile(argv[1], db, &ui);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!log) {
    std::fprintf(stderr, "%s\n", log.Message().c_str());
    return 1;
  }
  for (const auto& entry : *log)
    std::printf("log: %s\n", kw::ListinfoLogLine(entry).c_str());
  const kw::DatabaseSize size = SizeOf(db);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf(
      "parse %.3f s  games %zu resources %zu roms %zu chips %zu samples %zu text %.1f MB  "
      "records %.1f MB  progress updates %d  peak %ld MB\n",
      seconds, size.games, size.resources, size.roms, size.chips, size.samples,
      static_cast<double>(size.text_bytes) / 1e6, static_cast<double>(size.MemoryBytes()) / 1e6,
      ui.updates, usage.ru_maxrss / 1024);
  return kw::LogRefusesProfile(*log) ? 1 : 0;
}
