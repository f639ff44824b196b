// The game list's filter on a whole profile: each tick alone and all of them at once, the
// choice of the shown games alone and with the lines written (what a tick in the Filters menu
// costs), the best of several runs each. The facts are made up: a category for every game from
// a catver.ini text of 40 categories, every third game checked good, every fiftieth a favourite.
//
//   filter_bench PROFILE.KSL
//
// bench/filter_bench.sh runs it on the profile of today's emulator.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "core/audit/set_status.h"
#include "core/browser/catver.h"
#include "core/browser/favourites.h"
#include "core/browser/game_filter.h"
#include "core/browser/game_list.h"
#include "core/profile/profile_file.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/silent_user_interface.h"

namespace {

using Clock = std::chrono::steady_clock;

class QuietUi : public kw::SilentUserInterface {
 public:
  kw::MsgAnswer Ask(const std::string& text, kw::MsgIcon, kw::MsgButtons) override {
    std::fprintf(stderr, "%s\n", text.c_str());
    return kw::MsgAnswer::Ok;
  }
};

double BestMs(int runs, const std::function<void()>& work) {
  double best = 1e99;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: filter_bench PROFILE.KSL\n");
    return 2;
  }
  QuietUi ui;
  kw::GameDatabase db;
  if (!kw::LoadProfile(db, argv[1], ui, kw::ProfileFileContext{})) return 1;
  kw::PlayStats stats("/nonexistent/STATS.INI");
  kw::SortGames(db, kw::kSortDescription, false, stats);

  std::string catver = "[Category]\n";
  kw::Favourites favourites;
  kw::SetStatusBook statuses;
  for (std::size_t n = 0; n < db.GameCount(); ++n) {
    const std::string name(db.Game(n).Name.View());
    catver += name + "=Main" + std::to_string(n % 8) + " / Sub" + std::to_string(n % 5) + "\n";
    if (n % 3 == 0) statuses.Record(name, kw::AuditVerdict::kGood, 0);
    if (n % 50 == 0) favourites.Toggle(name);
  }
  kw::CategoryIndex categories;
  const double parse_ms = BestMs(5, [&] { categories.Parse(catver); });
  kw::FilterFacts facts;
  facts.available = [&](std::string_view name) {
    const kw::SetStatus* status = statuses.Find(name);
    return status && (status->verdict == kw::AuditVerdict::kGood ||
                      status->verdict == kw::AuditVerdict::kBest);
  };
  facts.favourites = &favourites;
  facts.categories = &categories;
  std::printf("games %zu; catver.ini of %zu KB read in %.1f ms\n", db.GameCount(),
              catver.size() / 1024, parse_ms);

  struct Case {
    const char* name;
    kw::FilterSettings filters;
  };
  std::vector<Case> cases(9);
  cases[0].name = "no filter";
  cases[1] = {"available only", {}};
  cases[1].filters.AvailableOnly = true;
  cases[2] = {"working only", {}};
  cases[2].filters.WorkingOnly = true;
  cases[3] = {"hide clones", {}};
  cases[3].filters.HideClones = true;
  cases[4] = {"hide BIOS and devices", {}};
  cases[4].filters.HideBios = true;
  cases[5] = {"hide mechanical", {}};
  cases[5].filters.HideMechanical = true;
  cases[6] = {"favourites only", {}};
  cases[6].filters.FavouritesOnly = true;
  cases[7] = {"category Main3", {}};
  cases[7].filters.Category = "Main3";
  cases[8] = {"every tick and a category", {}};
  cases[8].filters = {true, true, true, true, true, false, "Main3"};

  const kw::ListingOptions listing{true, true, true};
  for (const Case& c : cases) {
    kw::ShownGames shown;
    const double choose_ms = BestMs(15, [&] { kw::ChooseShownGames(db, c.filters, facts, shown); });
    kw::GameListLines lines;
    const double refill_ms = BestMs(15, [&] {
      kw::ChooseShownGames(db, c.filters, facts, shown);
      kw::BuildGameListLines(db, shown, listing, lines);
    });
    std::printf("%-28s %6zu shown  choose %7.2f ms  choose + lines %7.2f ms\n", c.name,
                shown.size(), choose_ms, refill_ms);
  }
  return 0;
}
