// The Filters menu: the ticks and the category that choose which games the list shows, the
// favourite games of the open profile, and the categories of its catver.ini.
#pragma once

#include <string>
#include <vector>

#include "core/browser/catver.h"
#include "core/browser/favourites.h"
#include "core/browser/game_filter.h"
#include "core/browser/game_list_controller.h"
#include "core/shared/profile_listener.h"

namespace kw {

class SetStatusController;
class SettingsStore;
class UserInterface;
struct AppNames;

// The ticks of the Filters menu.
enum class FilterTick {
  kAvailable,
  kWorking,
  kNoClones,
  kNoBios,
  kNoMechanical,
  kFavourites,
};
inline constexpr int kFilterTicks = 6;

// The tick's field of the settings.
bool& TickOf(FilterSettings& filters, FilterTick tick);

// A main category and its categories, as the category menu lists them.
struct CategoryGroup {
  std::string main;
  std::vector<std::string> categories;  // the full texts ("Shooter / Flying Vertical")
  bool operator==(const CategoryGroup&) const = default;
};

// The categories the games of the open profile have, grouped by main category, sorted.
std::vector<CategoryGroup> GroupCategories(const GameDatabase& db, const CategoryIndex& index);

class GameFilterView {
 public:
  virtual ~GameFilterView() = default;
  // Ticks the menus' items and the chosen category ("" for every category).
  virtual void ShowFilters(const FilterSettings& filters) = 0;
  // Rebuilds the category menus.
  virtual void ShowCategories(const std::vector<CategoryGroup>& groups) = 0;
  // Enables the menus with a profile.
  virtual void SetFiltersEnabled(bool enabled) = 0;
};

class GameFilterController : public ProfileListener, public GameListFilter {
 public:
  GameFilterController(UserInterface& ui, SettingsStore& settings, const GameDatabase& database,
                       const SetStatusController& set_status, const AppNames& names,
                       GameListController& game_list, GameFilterView& view);

  // The menus' commands: stored, ticked, saved, and the list filtered again.
  void SetTick(FilterTick tick, bool on);
  void SetCategory(const std::string& category);
  // Every filter off.
  void ShowAllGames();
  // Ctrl+D: the selected game becomes a favourite, or no longer one; the file is written.
  void ToggleFavourite();
  // Whether the selected game is a favourite (the check mark of the menus' item).
  bool SelectedIsFavourite() const;
  // The kept statuses changed (a check ended): a list of the available sets only follows them.
  void StatusesChanged();

  void ProfileOpened() override;
  void ProfileStateChanged(bool profile_loaded) override;
  void ChooseShown(const GameDatabase& db, ShownGames& shown) const override;

  const Favourites& Favourite() const { return favourites_; }
  const CategoryIndex& Categories() const { return categories_; }
  // The problems found in the outside files at the last opening.
  const std::vector<std::string>& Problems() const { return problems_; }
  const std::string& FavouritesFile() const { return favourites_path_; }

 private:
  void Changed();

  UserInterface& ui_;
  SettingsStore& settings_;
  const GameDatabase& database_;
  const SetStatusController& set_status_;
  const AppNames& names_;
  GameListController& game_list_;
  GameFilterView& view_;
  Favourites favourites_;
  std::string favourites_path_;
  CategoryIndex categories_;
  std::vector<std::string> problems_;
};

// The facts the filter asks of a profile's files: the kept statuses, the favourites and the
// categories (for the console's list as for the window).
FilterFacts FactsOf(const SetStatusController& set_status, const Favourites& favourites,
                    const CategoryIndex& categories);
// The catver.ini of a profile: in the emulator's directory, else in the program directory; ""
// when neither holds one.
std::string FindCatver(const GameDatabase& db, const AppNames& names);
// Reads the open profile's favourites and categories; the problems found, a line each.
std::vector<std::string> LoadFilterFiles(const GameDatabase& db, const AppNames& names,
                                         Favourites& favourites, std::string& favourites_path,
                                         CategoryIndex& categories);

}  // namespace kw
