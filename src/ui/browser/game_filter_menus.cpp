#include "ui/browser/game_filter_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "ui/text_codec.h"

namespace kw {

namespace {

struct TickItem {
  const char* name;
  const char* caption;
};
constexpr TickItem kTickItems[kFilterTicks] = {
    {"AvailableOPT", "Available only"},
    {"WorkingOPT", "Working only"},
    {"HideClonesOPT", "Hide clones"},
    {"HideBiosOPT", "Hide BIOS and devices"},
    {"HideMechanicalOPT", "Hide mechanical machines"},
    {"FavouritesOnlyOPT", "Favourites only"},
};

// Menu captions take '&' as the mark of a mnemonic; categories from the file show it as it is.
QString MenuCaption(const std::string& text) {
  QString caption = FromSystemText(text);
  caption.replace('&', "&&");
  return caption;
}

}  // namespace

GameFilterMenus::GameFilterMenus(QObject* parent, QMenu* menu, QMenu* pop_up) : QObject(parent) {
  FilterOPT = AddItems(menu, "");
  FilterOPT.favourite->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  pop_up->addSeparator();
  QMenu* pop_filters = pop_up->addMenu("Filters");
  pop_filters->setObjectName("_FiltersSUB");
  pop_filters->menuAction()->setObjectName("_FiltersSUB");
  PopFilterOPT = AddItems(pop_filters, "_");
  // The favourite item of the pop-up stands beside Play: it acts on the game clicked.
  pop_filters->removeAction(PopFilterOPT.favourite);
  pop_up->insertAction(pop_filters->menuAction(), PopFilterOPT.favourite);
  for (QMenu* m : {menu, pop_up})
    connect(m, &QMenu::aboutToShow, this, &GameFilterMenus::ShowFavourite);
  FillCategories(FilterOPT, "");
  FillCategories(PopFilterOPT, "_");
}

FilterMenuItems GameFilterMenus::AddItems(QMenu* menu, const QString& prefix) {
  FilterMenuItems items;
  for (int i = 0; i < kFilterTicks; ++i) {
    QAction* a = menu->addAction(kTickItems[i].caption);
    a->setObjectName(prefix + kTickItems[i].name);
    a->setCheckable(true);
    const auto tick = static_cast<FilterTick>(i);
    connect(a, &QAction::triggered, this, [this, tick](bool on) { FilterOPTClick(tick, on); });
    items.ticks[static_cast<std::size_t>(i)] = a;
  }
  items.categories = menu->addMenu("Category");
  items.categories->setObjectName(prefix + "CategorySUB");
  items.categories->menuAction()->setObjectName(prefix + "CategorySUB");
  menu->addSeparator();
  items.show_all = menu->addAction("Show all games");
  items.show_all->setObjectName(prefix + "ShowAllOPT");
  connect(items.show_all, &QAction::triggered, this, &GameFilterMenus::ShowAllOPTClick);
  menu->addSeparator();
  items.favourite = menu->addAction("Favourite game");
  items.favourite->setObjectName(prefix + "FavouriteOPT");
  items.favourite->setCheckable(true);
  connect(items.favourite, &QAction::triggered, this, &GameFilterMenus::FavouriteOPTClick);
  return items;
}

void GameFilterMenus::FillCategories(FilterMenuItems& items, const QString& prefix) {
  QMenu* menu = items.categories;
  menu->clear();  // deletes the items; the submenus of the main categories go below
  for (QMenu* sub : menu->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly))
    sub->deleteLater();
  delete items.category_group;
  items.category_group = new QActionGroup(this);
  auto add = [&](QMenu* into, const QString& caption, const std::string& category) {
    QAction* a = into->addAction(caption);
    a->setCheckable(true);
    a->setChecked(category == chosen_);
    items.category_group->addAction(a);
    connect(a, &QAction::triggered, this, [this, category] { CategoryOPTClick(category); });
    return a;
  };
  add(menu, "All categories", "")->setObjectName(prefix + "AllCategoriesOPT");
  menu->addSeparator();
  bool chosen_listed = chosen_.empty();
  for (const CategoryGroup& group : groups_) {
    if (group.categories.size() == 1 && group.categories.front() == group.main) {
      add(menu, MenuCaption(group.main), group.main);
      chosen_listed = chosen_listed || group.main == chosen_;
      continue;
    }
    QMenu* sub = menu->addMenu(MenuCaption(group.main));
    add(sub, "All " + MenuCaption(group.main), group.main);
    chosen_listed = chosen_listed || group.main == chosen_;
    sub->addSeparator();
    for (const std::string& category : group.categories) {
      add(sub, MenuCaption(category), category);
      chosen_listed = chosen_listed || category == chosen_;
    }
  }
  // A category chosen before (or given in the settings) that this profile's games lack stays
  // ticked, so that the menu says why the list is empty.
  if (!chosen_listed) add(menu, MenuCaption(chosen_), chosen_);
  menu->setEnabled(true);
}

void GameFilterMenus::ShowFilters(const FilterSettings& filters) {
  FilterSettings values = filters;
  const bool category_changed = values.Category != chosen_;
  chosen_ = values.Category;
  for (FilterMenuItems* items : {&FilterOPT, &PopFilterOPT}) {
    for (int i = 0; i < kFilterTicks; ++i)
      items->ticks[static_cast<std::size_t>(i)]->setChecked(
          TickOf(values, static_cast<FilterTick>(i)));
  }
  if (category_changed) {
    FillCategories(FilterOPT, "");
    FillCategories(PopFilterOPT, "_");
  }
}

void GameFilterMenus::ShowCategories(const std::vector<CategoryGroup>& groups) {
  groups_ = groups;
  FillCategories(FilterOPT, "");
  FillCategories(PopFilterOPT, "_");
}

void GameFilterMenus::SetFiltersEnabled(bool enabled) {
  for (FilterMenuItems* items : {&FilterOPT, &PopFilterOPT}) {
    for (QAction* a : items->ticks)
      a->setEnabled(enabled);
    items->categories->menuAction()->setEnabled(enabled);
    items->show_all->setEnabled(enabled);
    items->favourite->setEnabled(enabled);
  }
}

void GameFilterMenus::ShowFavourite() {
  const bool favourite = controller_ && controller_->SelectedIsFavourite();
  FilterOPT.favourite->setChecked(favourite);
  PopFilterOPT.favourite->setChecked(favourite);
}

void GameFilterMenus::FilterOPTClick(FilterTick tick, bool on) {
  if (controller_) controller_->SetTick(tick, on);
}
void GameFilterMenus::CategoryOPTClick(const std::string& category) {
  if (controller_) controller_->SetCategory(category);
}
void GameFilterMenus::ShowAllOPTClick() {
  if (controller_) controller_->ShowAllGames();
}
void GameFilterMenus::FavouriteOPTClick() {
  if (controller_) controller_->ToggleFavourite();
}

}  // namespace kw
