#include "ui/browser/game_list_panel.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QTimer>

#include "ui/browser/game_list_model.h"
#include "ui/palette.h"

namespace kw {

namespace {

constexpr int kJoystickIntervalMs = 100;

const char* const kSortCaptions[kSortOrders] = {"No sorting", "Description", "Manufacturer", "Year",
                                                "Most played"};
const char* const kPopupSortCaptions[kSortOrders] = {"No sorting", "Sort by description",
                                                     "Sort by manufacturer", "Sort by year",
                                                     "Sort by most played"};

// The list's own type-ahead would search the line numbers; the program's search on the
// descriptions stands in its place.
class GamesListBox : public QListView {
 public:
  using QListView::QListView;
  void keyboardSearch(const QString&) override {}
};

}  // namespace

GameListPanel::GameListPanel(QWidget* parent, QMenu* sort_menu) : QObject(parent) {
  games_model_ = new GameListModel(this);

  GamesList = new GamesListBox(parent);
  GamesList->setObjectName("GamesList");
  GamesList->setModel(games_model_);
  GamesList->setSelectionMode(QAbstractItemView::SingleSelection);
  GamesList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GamesList->setUniformItemSizes(true);  // 65,535 rows lay out at once
  GamesList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  GamesList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  GamesList->installEventFilter(this);
  connect(GamesList, &QListView::clicked, this, [this] { GamesListClick(); });
  // Arrow keys, Page Up, Page Down, Home and End move the selection as a click does.
  connect(GamesList->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
    if (!selecting_) GamesListClick();
  });

  SortOPT = AddSortItems(sort_menu, kSortCaptions, "A ... Z order", "Z ... A order", "");

  GamesPopUpMENU = new QMenu(GamesList);
  GamesPopUpMENU->setObjectName("GamesPopUpMENU");
  GamesList->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(GamesList, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    GamesPopUpMENU->popup(GamesList->viewport()->mapToGlobal(pos));
  });

  ShownLBL = new QLabel(parent);
  ShownLBL->setObjectName("ShownLBL");
  ShownLBL->hide();

  JoyCheckTMR = new QTimer(this);
  JoyCheckTMR->setObjectName("JoyCheckTMR");
  JoyCheckTMR->setInterval(kJoystickIntervalMs);
  connect(JoyCheckTMR, &QTimer::timeout, this, &GameListPanel::JoyCheckTMRTimer);
}

void GameListPanel::AddPopUpTwins(QAction* run_game, QAction* details, QMenu* delete_menu) {
  run_game_ = run_game;
  RunGameOPT = GamesPopUpMENU->addAction("Play");
  RunGameOPT->setObjectName("RunGameOPT");
  connect(RunGameOPT, &QAction::triggered, run_game, &QAction::trigger);
  // The menu's default item, as a double click plays: shown in bold.
  GamesPopUpMENU->setDefaultAction(RunGameOPT);
  connect(GamesList, &QListView::doubleClicked, run_game, &QAction::trigger);
  DetailsOPT = GamesPopUpMENU->addAction("Romset details");
  DetailsOPT->setObjectName("DetailsOPT");
  connect(DetailsOPT, &QAction::triggered, details, &QAction::trigger);
  PopDeleteSUB = GamesPopUpMENU->addMenu("Delete...");
  PopDeleteSUB->setObjectName("_DeleteSUB");
  PopDeleteSUB->menuAction()->setObjectName("_DeleteSUB");
  for (QAction* twin : delete_menu->actions()) {
    if (twin->isSeparator()) {
      PopDeleteSUB->addSeparator();
      continue;
    }
    QAction* a = PopDeleteSUB->addAction(twin->text());
    a->setObjectName("_" + twin->objectName());
    connect(a, &QAction::triggered, twin, &QAction::trigger);
  }
  GamesPopUpMENU->addSeparator();
  PopSortOPT = AddSortItems(GamesPopUpMENU, kPopupSortCaptions, "Sort in A ... Z order",
                            "Sort in Z ... A order", "_");
}

SortMenuItems GameListPanel::AddSortItems(QMenu* menu, const char* const captions[],
                                          const char* az_caption, const char* za_caption,
                                          const QString& prefix) {
  SortMenuItems items;
  auto* orders = new QActionGroup(this);
  for (int i = 0; i < kSortOrders; ++i) {
    QAction* a = menu->addAction(captions[i]);
    a->setObjectName(prefix + QString("Sort%1OPT").arg(i));
    a->setCheckable(true);
    orders->addAction(a);
    connect(a, &QAction::triggered, this, [this, i] { SortOPTClick(i); });
    items.orders[i] = a;
  }
  menu->addSeparator();
  auto* directions = new QActionGroup(this);
  items.az = menu->addAction(az_caption);
  items.az->setObjectName(prefix + "AZOPT");
  connect(items.az, &QAction::triggered, this, &GameListPanel::AZOPTClick);
  items.za = menu->addAction(za_caption);
  items.za->setObjectName(prefix + "ZAOPT");
  connect(items.za, &QAction::triggered, this, &GameListPanel::ZAOPTClick);
  for (QAction* a : {items.az, items.za}) {
    a->setCheckable(true);
    directions->addAction(a);
  }
  return items;
}

void GameListPanel::ShowSortOrder(int sort_by, bool reverse) {
  for (const SortMenuItems* items : {&SortOPT, &PopSortOPT}) {
    for (int i = 0; i < kSortOrders; ++i) {
      if (items->orders[i]) items->orders[i]->setChecked(sort_by == i);
    }
    if (items->az) items->az->setChecked(!reverse);
    if (items->za) items->za->setChecked(reverse);
  }
}

void GameListPanel::SetJoystickPolling(bool on) {
  if (!on) {
    JoyCheckTMR->stop();
  } else if (!JoyCheckTMR->isActive()) {
    JoyCheckTMR->start();
  }
}

void GameListPanel::ShowGames(bool profile_loaded) {
  GamesList->setEnabled(profile_loaded);
  SetBaseColour(GamesList, profile_loaded ? QPalette::Base : QPalette::Button);
  if (!profile_loaded) games_model_->Clear();
}

void GameListPanel::ShowLines(const GameListLines& lines) {
  games_model_->SetLines(&lines);
}

long GameListPanel::SelectedLine() const {
  const QModelIndex current = GamesList->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void GameListPanel::SelectLine(long line) {
  const QModelIndex index = games_model_->index(static_cast<int>(line));
  if (!index.isValid()) return;
  selecting_ = true;
  GamesList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  selecting_ = false;
  GamesList->scrollTo(index);
}

void GameListPanel::ShowShownCount(const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (shown == ShownLBL->text() && ShownLBL->isHidden() == shown.isEmpty()) return;
  ShownLBL->setText(shown);
  ShownLBL->setVisible(!shown.isEmpty());
  emit ShownCountChanged();
}

void GameListPanel::RunSelectedGame() {
  if (run_game_) run_game_->trigger();
}

bool GameListPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == GamesList && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      GamesListKeyPress('\r');
    } else if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() <= 126) {
      GamesListKeyPress(static_cast<char>(text[0].unicode()));
    }
  }
  return QObject::eventFilter(watched, event);
}

void GameListPanel::GamesListClick() {
  if (controller_) controller_->GamesListClick();
}
void GameListPanel::GamesListKeyPress(char key) {
  if (controller_) controller_->GamesListKeyPress(key);
}
void GameListPanel::SortOPTClick(int sort_by) {
  if (controller_) controller_->SetSortKey(sort_by);
}
void GameListPanel::AZOPTClick() {
  if (controller_) controller_->SetSortDirection(false);
}
void GameListPanel::ZAOPTClick() {
  if (controller_) controller_->SetSortDirection(true);
}
void GameListPanel::JoyCheckTMRTimer() {
  if (controller_)
    controller_->JoyCheckTMRTimer(QGuiApplication::applicationState() == Qt::ApplicationActive);
}

}  // namespace kw
