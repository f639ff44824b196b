// list and quick-info: the game list and the quick information of a profile as the main window
// shows them, for scripts and for checks against other tools.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "common/ascii.h"
#include "core/audit/set_status_controller.h"
#include "core/browser/game_filter.h"
#include "core/browser/game_filter_controller.h"
#include "core/browser/game_list.h"
#include "core/browser/game_list_controller.h"
#include "core/browser/quick_info.h"
#include "core/browser/quick_info_controller.h"
#include "core/browser/search.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings.h"
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
    "                            [--available] [--working] [--no-clones] [--no-bios]\n"
    "                            [--no-mechanical] [--favourites] [--category TEXT]\n"
    "  N: 0 no sorting, 1 description, 2 manufacturer, 3 year, 4 most played.\n"
    "  The filters show only the games that pass them, numbered from 1: sets whose kept status\n"
    "  is good or best available, drivers of good status, no clones, no BIOS or device\n"
    "  machines, no mechanical machines, the profile's favourite games, and the games of a\n"
    "  category of catver.ini (TEXT or its sub-categories).\n";

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

// The picture the window would show, as a full path on disk ("MEMBER in ARCHIVE" for a picture
// kept in an archive), or the message drawn instead.
std::string PictureLine(const GameDatabase& db, const GameRecord& game,
                        const FrontEndSettings& settings) {
  // Relative picture directories are taken from the emulator's directory, as the window does.
  if (!platform::fs::SetCurrentDirectory(db.EmulatorDir)) {
    std::fprintf(stderr, "kestrelwing-cli quick-info: %s directory does not exist\n",
                 db.EmulatorDir.c_str());
  }
  const PictureChoice choice = ChoosePicture(
      settings, game, [](const GamePicture& found) { return !LoadPicture(found).isNull(); });
  if (choice.file.empty()) return choice.message;
  const std::string file = platform::fs::Resolve(platform::fs::ExpandFileName(choice.file));
  return choice.member.empty() ? file : choice.member + " in " + file;
}

}  // namespace

int List(const Args& args) {
  std::string profile;
  bool flags = false;
  FrontEndSettings chosen;  // what the flags give: the defaults, then each flag
  chosen.SortBy = kSortDescription;
  FilterSettings filters;  // only those given here: the list of the settings is the whole one
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--available" || a == "--working" || a == "--no-clones" || a == "--no-bios" ||
        a == "--no-mechanical" || a == "--favourites") {
      bool& tick = a == "--available"    ? filters.AvailableOnly
                   : a == "--working"    ? filters.WorkingOnly
                   : a == "--no-clones"  ? filters.HideClones
                   : a == "--no-bios"    ? filters.HideBios
                   : a == "--favourites" ? filters.FavouritesOnly
                                         : filters.HideMechanical;
      tick = true;
      continue;
    }
    if (a == "--category") {
      if (i + 1 == args.size()) return BadUsage("list", "--category needs a value", kListUsage);
      filters.Category = args[++i];
      if (filters.Category.empty())
        return BadUsage("list", "--category needs a category, not an empty text", kListUsage);
      continue;
    }
    if (a == "--sort") {
      if (i + 1 == args.size()) return BadUsage("list", "--sort needs a value", kListUsage);
      const std::string& n = args[++i];
      if (n.size() != 1 || n[0] < '0' || n[0] > '4')
        return BadUsage("list", "--sort takes a number from 0 to 4, not '" + n + "'", kListUsage);
      chosen.SortBy = static_cast<std::uint8_t>(n[0] - '0');
    } else if (a == "--reverse") {
      chosen.ReverseSort = true;
    } else if (a == "--romset") {
      chosen.ListRomsetName = true;
    } else if (a == "--year") {
      chosen.ListYear = true;
    } else if (a == "--manufacturer") {
      chosen.ListManufacturer = true;
    } else if (IsOption(a)) {
      return BadUsage("list", "unknown option '" + a + "'", kListUsage);
    } else if (profile.empty()) {
      profile = a;
      continue;
    } else {
      return BadUsage("list", "unexpected argument '" + a + "'", kListUsage);
    }
    flags = true;
  }
  if (profile.empty()) return BadUsage("list", "missing PROFILE.KSL", kListUsage);
  ProgramFiles files;
  const FrontEndSettings& s = flags ? chosen : files.settings;
  GameDatabase db;
  if (!LoadProfileFile(db, profile)) return 1;
  SortAsList(db, s, files.names.StatsPath);

  ShownGames shown;
  if (filters.On()) {
    SetStatusController set_status(db, files.names);
    set_status.ProfileOpened();
    Favourites favourites;
    std::string favourites_path;
    CategoryIndex categories;
    std::vector<std::string> problems =
        LoadFilterFiles(db, files.names, favourites, favourites_path, categories);
    if (filters.AvailableOnly && !set_status.LoadProblem().empty())
      problems.insert(problems.begin(), set_status.LoadProblem());
    for (const std::string& problem : problems)
      std::fprintf(stderr, "kestrelwing-cli list: %s\n", problem.c_str());
    ChooseShownGames(db, filters, FactsOf(set_status, favourites, categories), shown);
  } else {
    shown.ShowAll(db.GameCount());
  }

  const ListingOptions listing = ListingOf(s);
  std::string out;
  for (std::size_t n = 0; n < shown.size(); ++n) {
    AppendGameListLine(db, static_cast<std::size_t>(shown.Position(static_cast<long>(n))), n + 1,
                       listing, out);
    out += '\n';
    if (out.size() > (1 << 20)) {
      if (!WriteOut(out)) return 1;
      out.clear();
    }
  }
  return WriteOut(out) && FlushOut() ? 0 : 1;
}

int QuickInfo(const Args& args) {
  if (!FixedArguments("quick-info", args, {"PROFILE.KSL", "SET"}, kQuickInfoUsage)) return 2;
  ProgramFiles files;
  GameDatabase db;
  if (!LoadProfileFile(db, args[0])) return 1;
  const long position = db.FindGamePosition(args[1]);
  if (position < 0) return UnknownSet("quick-info", args[1]);
  PlayStats stats(files.names.StatsPath);
  stats.SetNameWidth(NameWidthsOf(db.Dialect).set);
  stats.LoadStats();
  const GameRecord& game = db.Game(static_cast<std::size_t>(position));
  SetStatusController set_status(db, files.names);
  set_status.ProfileOpened();
  if (!set_status.LoadProblem().empty())
    std::fprintf(stderr, "kestrelwing-cli quick-info: %s\n", set_status.LoadProblem().c_str());
  const auto values = QuickInfoTexts(db, game, stats.FindPlayRecord(game.Name.View()),
                                     set_status.Find(game.Name.View()));
  std::string out;
  for (std::size_t i = 0; i < kQuickInfoLines; ++i) {
    if (!values[i].empty()) out += std::string(kQuickInfoCaptions[i]) + " " + values[i] + "\n";
  }
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
  auto bad = [](const std::string& why) { return BadUsage("search", why, kSearchUsage); };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--target" || a == "--mode" || a == "--") && i + 1 == args.size()) {
      return bad(a == "--" ? "-- needs the TEXT after it" : a + " needs a value");
    } else if (a == "--target") {
      const std::string& t = args[++i];
      if (t == "game") target = SearchTarget::Game;
      if (t == "romset") target = SearchTarget::RomSet;
      if (t == "clones") target = SearchTarget::Clones;
      if (t == "manufacturer") target = SearchTarget::Manufacturer;
      if (!target)
        return bad("--target takes game, romset, clones or manufacturer, not '" + t + "'");
    } else if (a == "--mode") {
      const std::string& m = args[++i];
      if (m == "exact") mode = SearchMode::Exact;
      if (m == "start") mode = SearchMode::StartingWith;
      if (m == "contain") mode = SearchMode::Containing;
      if (!mode) return bad("--mode takes exact, start or contain, not '" + m + "'");
    } else if (a == "--case") {
      case_sensitive = true;
    } else if (a == "--" && !have_text) {
      text = args[++i];  // a TEXT that begins with '-'
      have_text = true;
    } else if (IsOption(a)) {
      return bad("unknown option '" + a + "'");
    } else if (profile.empty()) {
      profile = a;
    } else if (!have_text) {
      text = a;
      have_text = true;
    } else {
      return bad("unexpected argument '" + a + "'");
    }
  }
  if (profile.empty()) return bad("missing PROFILE.KSL");
  if (!target) return bad("missing --target");
  if (!mode) return bad("missing --mode");
  if (!have_text) return bad("missing TEXT");
  // Blank texts cannot be searched for, as the window's OK button says.
  SearchForm probe;
  probe.Text2find = text;
  if (!probe.OkEnabled()) return bad("TEXT holds only blanks and control characters");
  ProgramFiles files;
  GameDatabase db;
  if (!LoadProfileFile(db, profile)) return 1;
  SortAsList(db, files.settings, files.names.StatsPath);
  const ListingOptions listing = ListingOf(files.settings);
  std::string out;
  for (long n : FindMatches(db, *target, *mode, case_sensitive, text)) {
    AppendGameListLine(db, static_cast<std::size_t>(n - 1), listing, out);
    out += '\n';
  }
  return WriteOut(out) && FlushOut() ? 0 : 1;
}

}  // namespace kw::cli

namespace kw::cli {

namespace {

constexpr const char* kStatusUsage = "Usage: kestrelwing-cli status PROFILE.KSL [SET ...]\n";

// "NAME VERDICT YYYY-MM-DD HH:MM" (local time of the check), or "NAME unknown".
std::string StatusLine(const std::string& name, const SetStatus* status) {
  if (status == nullptr || status->verdict == AuditVerdict::kNoneNeeded) return name + " unknown\n";
  const std::time_t when = static_cast<std::time_t>(status->checked);
  std::tm local{};
  char stamp[32] = "";
  if (localtime_r(&when, &local) != nullptr)
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M", &local);
  return name + " " + std::string(AuditWord(status->verdict)) + " " + stamp + "\n";
}

}  // namespace

int StatusCommand(const Args& args) {
  if (args.empty() || IsOption(args[0]))
    return BadUsage("status",
                    args.empty() ? "missing PROFILE.KSL" : "unknown option '" + args[0] + "'",
                    kStatusUsage);
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (IsOption(args[i]))
      return BadUsage("status", "unknown option '" + args[i] + "'", kStatusUsage);
  }
  ProgramFiles files;
  GameDatabase db;
  if (!LoadProfileFile(db, args[0])) return 1;
  SetStatusController set_status(db, files.names);
  set_status.ProfileOpened();
  if (!set_status.LoadProblem().empty())
    std::fprintf(stderr, "kestrelwing-cli status: %s\n", set_status.LoadProblem().c_str());
  std::string out;
  int result = 0;
  if (args.size() == 1) {
    for (const auto& [name, status] : set_status.Book().Sorted())
      out += StatusLine(name, &status);
  } else {
    for (std::size_t i = 1; i < args.size(); ++i) {
      const GameRecord* set = db.FindSet(args[i], true);
      if (set == nullptr) set = db.FindSet(AsciiUpperCase(args[i]), true);
      if (set == nullptr) set = db.FindSet(AsciiLowerCase(args[i]), true);
      if (set == nullptr) {
        (void)UnknownSet("status", args[i]);
        result = 1;
        continue;
      }
      out += StatusLine(AsciiLowerCase(set->Name.View()), set_status.Find(set->Name.View()));
    }
  }
  return WriteOut(out) && FlushOut() ? result : 1;
}

}  // namespace kw::cli
