#include "core/browser/game_filter_controller.h"

#include "core/shared/log_line.h"

#include <algorithm>
#include <map>

#include "core/audit/set_status_controller.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "core/shared/settings_store.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

bool& TickOf(FilterSettings& filters, FilterTick tick) {
  switch (tick) {
    case FilterTick::kAvailable:
      return filters.AvailableOnly;
    case FilterTick::kWorking:
      return filters.WorkingOnly;
    case FilterTick::kNoClones:
      return filters.HideClones;
    case FilterTick::kNoBios:
      return filters.HideBios;
    case FilterTick::kNoMechanical:
      return filters.HideMechanical;
    case FilterTick::kFavourites:
      break;
  }
  return filters.FavouritesOnly;
}

std::vector<CategoryGroup> GroupCategories(const GameDatabase& db, const CategoryIndex& index) {
  const std::vector<std::string>& all = index.Categories();
  std::vector<bool> used(all.size(), false);
  for (const GameRecord& game : db.Games()) {
    if (const long id = index.CategoryIdOf(game.Name.View()); id >= 0)
      used[static_cast<std::size_t>(id)] = true;
  }
  std::map<std::string, std::vector<std::string>> groups;
  for (std::size_t id = 0; id < all.size(); ++id) {
    if (used[id]) groups[std::string(MainCategory(all[id]))].push_back(all[id]);
  }
  std::vector<CategoryGroup> out;
  out.reserve(groups.size());
  for (auto& [main, categories] : groups) {
    std::sort(categories.begin(), categories.end());
    out.push_back(CategoryGroup{main, std::move(categories)});
  }
  return out;
}

FilterFacts FactsOf(const SetStatusController& set_status, const Favourites& favourites,
                    const CategoryIndex& categories) {
  FilterFacts facts;
  facts.available = [&set_status](std::string_view name) {
    const SetStatus* status = set_status.Find(name);
    return status &&
           (status->verdict == AuditVerdict::kGood || status->verdict == AuditVerdict::kBest);
  };
  facts.favourites = &favourites;
  facts.categories = &categories;
  return facts;
}

std::string FindCatver(const GameDatabase& db, const AppNames& names) {
  for (const std::string& dir : {db.EmulatorDir, names.ProgramDir}) {
    if (dir.empty()) continue;
    const std::string path = fs::IncludeTrailingSeparator(dir) + std::string(kCatverName);
    if (fs::FileExists(path)) return path;
  }
  return {};
}

std::vector<std::string> LoadFilterFiles(const GameDatabase& db, const AppNames& names,
                                         Favourites& favourites, std::string& favourites_path,
                                         CategoryIndex& categories) {
  std::vector<std::string> problems;
  // A profile named on a command line is made a full path here, before the current directory
  // moves to the emulator's, as the set status does.
  favourites_path = FavouritesPath(names.ProgramDir, fs::ExpandFileName(db.ProfilePath));
  if (Status loaded = favourites.Load(favourites_path); !loaded) {
    problems.push_back("the favourite games cannot be read: " + loaded.Message());
  } else if (favourites.SkippedLines() != 0) {
    problems.push_back(favourites_path + ": " + std::to_string(favourites.SkippedLines()) +
                       " lines that are no set name were skipped");
  }
  const std::string catver = FindCatver(db, names);
  if (catver.empty()) {
    categories.Clear();
  } else if (Status loaded = categories.Load(catver); !loaded) {
    problems.push_back("the categories cannot be read: " + loaded.Message());
  } else if (categories.SkippedLines() != 0) {
    problems.push_back(catver + ": " + std::to_string(categories.SkippedLines()) +
                       " lines that are no category were skipped (the first is line " +
                       std::to_string(categories.FirstSkippedLine()) + ")");
  }
  return problems;
}

GameFilterController::GameFilterController(UserInterface& ui, SettingsStore& settings,
                                           const GameDatabase& database,
                                           const SetStatusController& set_status,
                                           const AppNames& names, GameListController& game_list,
                                           GameFilterView& view)
    : ui_(ui),
      settings_(settings),
      database_(database),
      set_status_(set_status),
      names_(names),
      game_list_(game_list),
      view_(view) {}

void GameFilterController::ProfileOpened() {
  problems_ = LoadFilterFiles(database_, names_, favourites_, favourites_path_, categories_);
  for (const std::string& line : problems_)
    LogLine(line);
  view_.ShowCategories(GroupCategories(database_, categories_));
  view_.ShowFilters(settings_.Filters());
}

void GameFilterController::ProfileStateChanged(bool profile_loaded) {
  view_.SetFiltersEnabled(profile_loaded && database_.ProfileLoaded);
}

void GameFilterController::ChooseShown(const GameDatabase& db, ShownGames& shown) const {
  ChooseShownGames(db, settings_.Filters(), FactsOf(set_status_, favourites_, categories_), shown);
}

void GameFilterController::Changed() {
  view_.ShowFilters(settings_.Filters());
  if (Status saved = settings_.Save(); !saved) ui_.Ask(saved.Message(), MsgIcon::Error);
  game_list_.Refilter();
}

void GameFilterController::SetTick(FilterTick tick, bool on) {
  TickOf(settings_.Filters(), tick) = on;
  Changed();
}

void GameFilterController::SetCategory(const std::string& category) {
  settings_.Filters().Category = category;
  Changed();
}

void GameFilterController::ShowAllGames() {
  settings_.Filters() = FilterSettings{};
  Changed();
}

bool GameFilterController::SelectedIsFavourite() const {
  const long position = game_list_.SelectedGame();
  if (!database_.ProfileLoaded || position < 0 ||
      static_cast<std::size_t>(position) >= database_.GameCount())
    return false;
  return favourites_.Contains(database_.Game(static_cast<std::size_t>(position)).Name.View());
}

void GameFilterController::ToggleFavourite() {
  const long position = game_list_.SelectedGame();
  if (!database_.ProfileLoaded || favourites_path_.empty() || position < 0 ||
      static_cast<std::size_t>(position) >= database_.GameCount())
    return;
  favourites_.Toggle(database_.Game(static_cast<std::size_t>(position)).Name.View());
  if (Status saved = favourites_.Save(favourites_path_); !saved)
    ui_.Ask("The favourite games cannot be kept: " + saved.Message(), MsgIcon::Error);
  // A game that is no longer a favourite leaves a list of the favourites only.
  if (settings_.Filters().FavouritesOnly) game_list_.Refilter();
}

void GameFilterController::StatusesChanged() {
  if (settings_.Filters().AvailableOnly) game_list_.Refilter();
}

}  // namespace kw
