// The Filters menu of the main window and its twin in the game list's pop-up menu: the ticks,
// the category submenu and the favourite item. It shows what GameFilterController decides and
// forwards its commands to it.
#pragma once

#include <QObject>
#include <array>
#include <string>
#include <vector>

#include "core/browser/game_filter_controller.h"

class QAction;
class QActionGroup;
class QMenu;

namespace kw {

// The items of one menu.
struct FilterMenuItems {
  std::array<QAction*, kFilterTicks> ticks{};
  QMenu* categories = nullptr;
  QActionGroup* category_group = nullptr;
  QAction* show_all = nullptr;
  QAction* favourite = nullptr;
};

class GameFilterMenus : public QObject, public GameFilterView {
  Q_OBJECT

 public:
  // Fills `menu` (the main menu's Filters) and adds the twins to the list's `pop_up`.
  GameFilterMenus(QObject* parent, QMenu* menu, QMenu* pop_up);

  void Bind(GameFilterController* controller) { controller_ = controller; }

  // GameFilterView
  void ShowFilters(const FilterSettings& filters) override;
  void ShowCategories(const std::vector<CategoryGroup>& groups) override;
  void SetFiltersEnabled(bool enabled) override;

  // Handlers
  void FilterOPTClick(FilterTick tick, bool on);
  void CategoryOPTClick(const std::string& category);
  void ShowAllOPTClick();
  void FavouriteOPTClick();

  // Filters (AvailableOPT, WorkingOPT, HideClonesOPT, HideBiosOPT, HideMechanicalOPT,
  // FavouritesOnlyOPT, CategorySUB, ShowAllOPT, FavouriteOPT) and the pop-up's twins (Pop...).
  FilterMenuItems FilterOPT;
  FilterMenuItems PopFilterOPT;

 private:
  FilterMenuItems AddItems(QMenu* menu, const QString& prefix);
  void FillCategories(FilterMenuItems& items, const QString& prefix);
  // Ticks the favourite items for the selected game, as a menu opens.
  void ShowFavourite();

  GameFilterController* controller_ = nullptr;
  std::vector<CategoryGroup> groups_;
  std::string chosen_;  // the chosen category, listed even when the profile has none of it
};

}  // namespace kw
