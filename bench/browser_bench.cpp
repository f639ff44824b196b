// Timings of the game browser on a whole profile, each the best of several runs, with the
// process's peak memory at the end:
//
//   browser_bench make-stats PROFILE.KSL OUT.INI [RECORDS=10000]
//       writes a STATS.INI with RECORDS records, most of them for games of the profile
//   browser_bench fill PROFILE.KSL [STATS.INI]
//       FillGameList (sort + every line) for each key and direction, the type-ahead searches
//   browser_bench load PROFILE.KSL
//       LoadProfile alone, with the file's size and the process's peak memory
//   browser_bench click PROFILE.KSL SNAP_DIR
//       GamesListClick of one game: its twelve texts, the look-up of its picture in SNAP_DIR
//       and the decoding of that picture (PNG), as a selection change costs it
//
// bench/run_browser_bench.sh makes the inputs and runs them.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "core/browser/game_list.h"
#include "core/browser/game_list_controller.h"
#include "core/browser/quick_info.h"
#include "core/browser/quick_info_controller.h"
#include "core/profile/profile_file.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings.h"
#include "core/shared/settings_store.h"
#include "core/silent_user_interface.h"
#include "platform/fs.h"
#include "platform/ini.h"
#include "platform/picture_decode.h"

namespace {

using Clock = std::chrono::steady_clock;

class QuietUi : public kw::SilentUserInterface {
 public:
  kw::MsgAnswer Ask(const std::string& text, kw::MsgIcon, kw::MsgButtons) override {
    std::fprintf(stderr, "%s\n", text.c_str());
    return kw::MsgAnswer::Ok;
  }
};

// A list that only keeps the selection, as the window's would.
class BenchView : public kw::GameListView, public kw::GameSelectionListener {
 public:
  long selected = -1;
  void ShowSortOrder(int, bool) override {}
  void SetJoystickPolling(bool) override {}
  void ShowGames(bool) override {}
  void ShowLines(const kw::GameListLines&) override {}
  long SelectedLine() const override { return selected; }
  void SelectLine(long line) override { selected = line; }
  void RunSelectedGame() override {}
  void GameSelected(long) override {}
};

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// The best of `runs` runs of `work`, in milliseconds; `setup` runs untimed before each.
template <class Work, class Setup = void (*)()>
double BestMs(
    int runs, Work&& work, Setup setup = [] {}) {
  double best = 1e99;
  for (int i = 0; i < runs; ++i) {
    setup();
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

bool Load(kw::GameDatabase& db, const char* path) {
  QuietUi ui;
  kw::Status loaded = kw::LoadProfile(db, path, ui, kw::ProfileFileContext{});
  if (!loaded) std::fprintf(stderr, "%s\n", loaded.Message().c_str());
  db.ProfileLoaded = loaded.Ok();
  return loaded.Ok();
}

int MakeStats(const char* profile, const char* out, long records) {
  kw::GameDatabase db;
  if (!Load(db, profile)) return 1;
  std::string text;
  for (long i = 0; i < records; ++i) {
    // Nine in ten name a game of the profile; the rest sets it does not know.
    const std::size_t n = static_cast<std::size_t>(i * 7919) % db.GameCount();
    const std::string name = i % 10 == 9 ? "ZZ" + std::to_string(i) : db.Game(n).Name.Str();
    text += "[" + name + "]\nTotHours=" + std::to_string(i % 5) +
            "\nTotMinutes=" + std::to_string(i % 60) + "\nTotSeconds=" + std::to_string(i % 59) +
            "\nTotTimes=" + std::to_string(1 + (i * 31) % 500) + "\n";
  }
  FILE* f = std::fopen(out, "wb");
  if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "cannot write %s\n", out);
    return 1;
  }
  return 0;
}

int Fill(const char* profile, const char* stats_path) {
  kw::GameDatabase db;
  if (!Load(db, profile)) return 1;
  QuietUi ui;
  kw::SettingsStore settings("/nonexistent/KESTREL.INI");  // never saved here
  kw::PlayStats stats(stats_path ? stats_path : "/nonexistent/STATS.INI");
  const double load_ms = BestMs(1, [&] { stats.LoadStats(); });
  BenchView view;
  kw::platform::Joystick joystick;
  kw::GameListController list(ui, settings, db, stats, joystick, view, view);
  std::printf("games %zu, play records %zu (LoadStats %.1f ms)\n", db.GameCount(),
              stats.Records().size(), load_ms);
  // Every sort starts from the same shuffled order, not from the order the last one left.
  auto shuffle = [&db] {
    db.ReorderGames([](std::vector<kw::GameRecord>& games) {
      std::shuffle(games.begin(), games.end(), std::mt19937(42));
    });
  };
  static const char* const kKeys[] = {"no sorting", "description", "manufacturer", "year",
                                      "most played"};
  for (int key = 0; key < 5; ++key) {
    for (bool reverse : {false, true}) {
      settings.Values().SortBy = static_cast<std::uint8_t>(key);
      settings.Values().ReverseSort = reverse;
      const double ms = BestMs(
          5, [&] { list.FillGameList(); }, shuffle);
      std::printf("FillGameList %-13s %-7s %8.1f ms\n", kKeys[key], reverse ? "Z ... A" : "A ... Z",
                  ms);
    }
  }
  settings.Values().SortBy = kw::kSortDescription;
  settings.Values().ReverseSort = false;
  settings.Values().ListRomsetName = settings.Values().ListYear =
      settings.Values().ListManufacturer = true;
  std::printf("FillGameList description, every listing option %8.1f ms\n",
              BestMs(
                  5, [&] { list.FillGameList(); }, shuffle));
  // The worst key: nothing starts with it, so both searches run through every game.
  std::printf("type-ahead, a key no description starts with %8.3f ms\n",
              BestMs(20, [&] { list.GamesListKeyPress('~'); }));
  std::printf("type-ahead, P A C %8.3f ms\n", BestMs(20, [&] {
                for (char c : {'P', 'A', 'C'})
                  list.GamesListKeyPress(c);
              }));
  std::printf("peak %ld MB\n", PeakMegabytes());
  return 0;
}

int Click(const char* profile, const char* snap) {
  kw::GameDatabase db;
  if (!Load(db, profile)) return 1;
  kw::FrontEndSettings settings;
  settings.ScreenShots = snap;
  kw::PlayStats stats("/nonexistent/STATS.INI");
  const kw::GameRecord& game = db.Game(db.GameCount() / 2);
  std::size_t pixels = 0;
  auto decode = [&pixels](const kw::GamePicture& found) {
    kw::Result<std::string> bytes = kw::ReadPicture(found);
    if (!bytes) return false;
    auto picture = kw::platform::DecodePng(*bytes);
    if (picture) pixels = picture->pixels.size();
    return picture.Ok();
  };
  std::string file;
  std::size_t text_bytes = 0;
  const double ms = BestMs(20, [&] {
    for (const std::string& text :
         kw::QuickInfoTexts(db, game, stats.FindPlayRecord(game.Name.View())))
      text_bytes += text.size();
    file = kw::ChoosePicture(settings, game, decode).file;
  });
  std::printf("GamesListClick of %s: %s (%zu pixels, %zu text bytes) %8.2f ms\n",
              game.Name.Str().c_str(), file.c_str(), pixels, text_bytes / 20, ms);
  std::printf("peak %ld MB\n", PeakMegabytes());
  return 0;
}

int LoadOnly(const char* profile) {
  kw::GameDatabase db;
  const double first_ms = BestMs(1, [&] { Load(db, profile); });
  if (!db.ProfileLoaded) return 1;
  const double best_ms = BestMs(5, [&] { Load(db, profile); });
  const auto file_bytes = kw::platform::fs::FileSize(profile).value_or(0);
  std::printf("games %zu, resources %zu, file %.1f MB\n", db.GameCount(), db.ResourceCount(),
              static_cast<double>(file_bytes) / (1024.0 * 1024.0));
  std::printf("LoadProfile first %.1f ms, best of 5 %.1f ms\n", first_ms, best_ms);
  std::printf("peak %ld MB\n", PeakMegabytes());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "make-stats" && argc >= 4)
    return MakeStats(argv[2], argv[3], argc > 4 ? std::atol(argv[4]) : 10000);
  if (what == "fill" && argc >= 3) return Fill(argv[2], argc > 3 ? argv[3] : nullptr);
  if (what == "click" && argc >= 4) return Click(argv[2], argv[3]);
  if (what == "load" && argc >= 3) return LoadOnly(argv[2]);
  std::fprintf(stderr,
               "usage: browser_bench make-stats PROFILE.KSL OUT.INI [RECORDS]\n"
               "       browser_bench fill PROFILE.KSL [STATS.INI]\n"
               "       browser_bench click PROFILE.KSL SNAP_DIR\n"
               "       browser_bench load PROFILE.KSL\n");
  return 2;
}
