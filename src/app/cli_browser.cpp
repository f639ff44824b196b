// list and quick-info: the game list and the quick information of a profile as the main window
// shows them, for scripts and for checks against other tools.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "core/browser/game_list.h"
#include "core/browser/game_list_controller.h"
#include "core/browser/quick_info.h"
#include "core/browser/quick_info_controller.h"
#include "core/browser/search.h"
#include "core/launch/play_stats.h"
#include "core/profile/game_database.h"
#include "core/shell/app_names.h"
#include "core/shell/settings.h"
#include "platform/fs.h"
#include "platform/ini.h"
#include "platform/system_info.h"
#include "ui/browser/picture_loader.h"

namespace kw::cli {

namespace {

constexpr const char* kQuickInfoUsage = "Usage: kestrelwing-cli quick-info PROFILE.KSL SET\n";
constexpr const char* kListUsage =
    "Usage: kestrelwing-cli list PROFILE.KSL [--sort N] [--reverse] [--romset] [--year] "
    "[--manufacturer]\n"
    "  N: 0 no sorting, 1 description, 2 manufacturer, 3 year, 4 most played.\n";

// The program directory's names and settings, as the window reads them at start-up.
struct ProgramFiles {
  AppNames names = AppNames::Compute(platform::ProgramDir(), platform::SystemDir());
  FrontEndSettings settings;
  ProgramFiles() {
    platform::IniFile ini(names.SettingsPath);
    ini.Load();  // a missing file gives every default
    settings = LoadSettings(ini, names.SystemDir);
  }
};

// The picture the window would show, as a full path on disk, or the message drawn instead.
std::string PictureLine(const GameDatabase& db, const GameRecord& game,
                        const FrontEndSettings& settings) {
  // Relative picture directories are taken from the emulator's directory, as the window does.
  if (!platform::fs::SetCurrentDirectory(db.EmulatorDir)) {
    std::fprintf(stderr, "kestrelwing-cli quick-info: %s directory does not exist\n",
                 db.EmulatorDir.c_str());
  }
  const PictureChoice choice = ChoosePicture(
      settings, game, [](const std::string& file) { return !LoadPictureFile(file).isNull(); });
  if (choice.file.empty()) return choice.message;
  return platform::fs::Resolve(platform::fs::ExpandFileName(choice.file));
}

}  // namespace

int List(const Args& args) {
  std::string profile;
  bool flags = false;
  FrontEndSettings chosen;  // what the flags give: the defaults, then each flag
  chosen.SortBy = kSortDescription;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--sort" && i + 1 < args.size() && args[i + 1].size() == 1 && args[i + 1][0] >= '0' &&
        args[i + 1][0] <= '4') {
      chosen.SortBy = static_cast<std::uint8_t>(args[++i][0] - '0');
    } else if (a == "--reverse") {
      chosen.ReverseSort = true;
    } else if (a == "--romset") {
      chosen.ListRomsetName = true;
    } else if (a == "--year") {
      chosen.ListYear = true;
    } else if (a == "--manufacturer") {
      chosen.ListManufacturer = true;
    } else if (profile.empty() && !(a.size() > 1 && a[0] == '-')) {
      profile = a;
      continue;
    } else {
      std::fputs(kListUsage, stderr);
      return 2;
    }
    flags = true;
  }
  if (profile.empty()) {
    std::fputs(kListUsage, stderr);
    return 2;
  }
  ProgramFiles files;
  const FrontEndSettings& s = flags ? chosen : files.settings;
  GameDatabase db;
  if (!LoadProfileFile(db, profile)) return 1;
  PlayStats stats(files.names.StatsPath);
  stats.SetNameWidth(NameWidthsOf(db.Dialect).set);
  if (s.SortBy == kSortMostPlayed) stats.LoadStats();
  SortGames(db, s.SortBy, s.ReverseSort, stats);

  const ListingOptions listing = ListingOf(s);
  std::string out;
  for (std::size_t n = 0; n < db.GameCount(); ++n) {
    AppendGameListLine(db, n, listing, out);
    out += '\n';
    if (out.size() > (1 << 20)) {
      if (!WriteOut(out)) return 1;
      out.clear();
    }
  }
  return WriteOut(out) && FlushOut() ? 0 : 1;
}

int QuickInfo(const Args& args) {
  if (args.size() != 2 || (args[0].size() > 1 && args[0][0] == '-')) {
    std::fputs(kQuickInfoUsage, stderr);
    return 2;
  }
  ProgramFiles files;
  GameDatabase db;
  if (!LoadProfileFile(db, args[0])) return 1;
  const long position = db.FindGamePosition(args[1]);
  if (position < 0) {
    std::fprintf(stderr, "kestrelwing-cli quick-info: the profile has no game named '%s'\n",
                 args[1].c_str());
    return 1;
  }
  PlayStats stats(files.names.StatsPath);
  stats.SetNameWidth(NameWidthsOf(db.Dialect).set);
  stats.LoadStats();
  const GameRecord& game = db.Game(static_cast<std::size_t>(position));
  const auto values = QuickInfoTexts(db, game, stats.FindPlayRecord(game.Name.View()));
  std::string out;
  for (std::size_t i = 0; i < kQuickInfoLines; ++i)
    out += std::string(kQuickInfoCaptions[i]) + " " + values[i] + "\n";
  out += "Picture: " + PictureLine(db, game, files.settings) + "\n";
  return WriteOut(out) && FlushOut() ? 0 : 1;
}

}  // namespace kw::cli

namespace kw::cli {

namespace {

constexpr const char* kSearchUsage =
    "Usage: kestrelwing-cli search PROFILE.KSL --target game|romset|clones|manufacturer\n"
    "                              --mode exact|start|contain [--case] TEXT\n";

}  // namespace

int Search(const Args& args) {
  std::string profile;
  std::string text;
  bool have_text = false;
  bool case_sensitive = false;
  std::optional<SearchTarget> target;
  std::optional<SearchMode> mode;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--target" && i + 1 < args.size()) {
      const std::string& t = args[++i];
      if (t == "game") target = SearchTarget::Game;
      if (t == "romset") target = SearchTarget::RomSet;
      if (t == "clones") target = SearchTarget::Clones;
      if (t == "manufacturer") target = SearchTarget::Manufacturer;
      if (!target) break;
    } else if (a == "--mode" && i + 1 < args.size()) {
      const std::string& m = args[++i];
      if (m == "exact") mode = SearchMode::Exact;
      if (m == "start") mode = SearchMode::StartingWith;
      if (m == "contain") mode = SearchMode::Containing;
      if (!mode) break;
    } else if (a == "--case") {
      case_sensitive = true;
    } else if (a == "--" && i + 1 < args.size() && !have_text) {
      text = args[++i];
      have_text = true;
    } else if (profile.empty() && !(a.size() > 1 && a[0] == '-')) {
      profile = a;
    } else if (!have_text && !profile.empty()) {
      text = a;
      have_text = true;
    } else {
      std::fputs(kSearchUsage, stderr);
      return 2;
    }
  }
  // Blank texts cannot be searched for, as the window's OK button says.
  SearchForm probe;
  probe.Text2find = text;
  if (profile.empty() || !target || !mode || !have_text || !probe.OkEnabled()) {
    std::fputs(kSearchUsage, stderr);
    return 2;
  }
  ProgramFiles files;
  GameDatabase db;
  if (!LoadProfileFile(db, profile)) return 1;
  PlayStats stats(files.names.StatsPath);
  stats.SetNameWidth(NameWidthsOf(db.Dialect).set);
  if (files.settings.SortBy == kSortMostPlayed) stats.LoadStats();
  SortGames(db, files.settings.SortBy, files.settings.ReverseSort, stats);
  const ListingOptions listing = ListingOf(files.settings);
  std::string out;
  for (long n : FindMatches(db, *target, *mode, case_sensitive, text)) {
    AppendGameListLine(db, static_cast<std::size_t>(n - 1), listing, out);
    out += '\n';
  }
  return WriteOut(out) && FlushOut() ? 0 : 1;
}

}  // namespace kw::cli
