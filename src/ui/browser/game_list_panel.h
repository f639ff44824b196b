// The game list of the main window with its pop-up menu, the sort items of both menus and the
// joystick timer. It shows what GameListController decides and forwards its events to it.
#pragma once

#include <QObject>
#include <array>

#include "core/browser/game_list_controller.h"

class QAction;
class QActionGroup;
class QLabel;
class QListView;
class QMenu;
class QTimer;
class QWidget;

namespace kw {

class GameListModel;

// The sort items of one menu: the five orders, then the two directions.
struct SortMenuItems {
  std::array<QAction*, kSortOrders> orders{};
  QAction* az = nullptr;
  QAction* za = nullptr;
};

class GameListPanel : public QObject, public GameListView {
  Q_OBJECT

 public:
  // Makes the list in `parent` and the Options menu's sort items in `sort_menu`.
  GameListPanel(QWidget* parent, QMenu* sort_menu);

  void Bind(GameListController* controller) { controller_ = controller; }
  // The pop-up's first items are twins of these main-menu items: they trigger them.
  void AddPopUpTwins(QAction* run_game, QAction* details, QMenu* delete_menu);

  // GameListView
  void ShowSortOrder(int sort_by, bool reverse) override;
  void SetJoystickPolling(bool on) override;
  void ShowGames(bool profile_loaded) override;
  void ShowLines(const GameListLines& lines) override;
  long SelectedLine() const override;
  void SelectLine(long line) override;
  void RunSelectedGame() override;
  void ShowShownCount(const std::string& text) override;

  GameListModel* GamesModel() const { return games_model_; }

  // Handlers
  void GamesListClick();
  void GamesListKeyPress(char key);
  void SortOPTClick(int sort_by);
  void AZOPTClick();
  void ZAOPTClick();
  void JoyCheckTMRTimer();

  QListView* GamesList;
  QMenu* GamesPopUpMENU;
  QAction* RunGameOPT = nullptr;
  QAction* DetailsOPT = nullptr;
  QMenu* PopDeleteSUB = nullptr;
  // Options > Sort games by... (Sort0OPT .. Sort4OPT, AZOPT, ZAOPT) and the pop-up's twins
  // (_Sort0OPT ...). The pop-up twins are called Pop... here: a leading underscore is reserved.
  SortMenuItems SortOPT;
  SortMenuItems PopSortOPT;
  QTimer* JoyCheckTMR;
  // Under the list while a filter hides games: "N of M games shown".
  QLabel* ShownLBL;

 signals:
  // ShownLBL appeared, changed or went: the window places the list again.
  void ShownCountChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The sort items of one menu under names with `prefix` ("" or "_").
  SortMenuItems AddSortItems(QMenu* menu, const char* const captions[], const char* az_caption,
                             const char* za_caption, const QString& prefix);

  GameListController* controller_ = nullptr;
  GameListModel* games_model_;
  QAction* run_game_ = nullptr;  // the main menu's play command
  bool selecting_ = false;       // a selection of the program's, not a click of the user's
};

}  // namespace kw
