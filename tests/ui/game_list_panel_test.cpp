// The game list in the main window: keys, clicks and menus reach the controller, and the
// selection that the program makes is no click of the user's.
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "app/gui_program.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "ui/browser/game_list_model.h"
#include "ui/browser/quick_info_panel.h"
#include "ui/shell/main_window.h"

namespace {

struct Fixture {
  kw::test::TempDir home;
  kw::test::ScriptedUi ui;
  kw::TMainFRM w;
  kw::GuiProgram program{ui, w, kw::AppNames::Compute(home.Path(), "/usr/bin/")};

  explicit Fixture(std::initializer_list<const char*> names) {
    std::uint16_t index = 0;
    for (const char* name : names) {
      kw::GameEntry game;
      game.Index = index++;
      game.Name = name;
      game.Description = std::string("The game ") + name;
      program.database.AddGame(game);
    }
    program.database.ProfileLoaded = true;
    program.game_list.ProfileOpened();
    program.profiles.UpdateProfileControls();
  }
  QListView* List() { return w.GameList().GamesList; }
  int Row() { return List()->currentIndex().row(); }
  QString Line(int row) { return List()->model()->index(row, 0).data().toString(); }
  const std::string& LastSelected() { return program.settings.Values().LastSelected; }
};

}  // namespace

class GameListPanelTest : public QObject {
  Q_OBJECT

 private slots:
  // The kept status is a mark beside each line: the lines stay those the console lists, a set
  // never judged has a blank mark, and before any check there is no mark at all.
  void StatusMarksLeaveTheLinesAsTheyAre() {
    Fixture f({"ALPHA", "BETA", "GAMMA", "ZETA"});  // in this order by description
    f.program.database.ProfilePath = f.home / "MARKS.KSL";
    f.program.set_status.ProfileOpened();
    QStringList before;
    for (int row = 0; row < 4; ++row)
      before << f.Line(row);
    auto mark = [&](int row) { return f.List()->model()->index(row, 0).data(Qt::DecorationRole); };
    QVERIFY(!mark(0).isValid());

    QVERIFY(f.program.set_status
                .Keep({{"alpha", kw::AuditVerdict::kGood},
                       {"beta", kw::AuditVerdict::kBad},
                       {"gamma", kw::AuditVerdict::kNotFound}},
                      true)
                .Ok());
    f.w.GameList().GamesModel()->StatusChanged();
    for (int row = 0; row < 4; ++row)
      QCOMPARE(f.Line(row), before[row]);
    const auto centre = [&](int row) {
      const QImage image = mark(row).value<QImage>();
      return image.pixelColor(image.width() / 2, image.height() / 2);
    };
    const QColor good = centre(0), bad = centre(1), absent = centre(2), unknown = centre(3);
    QVERIFY(good.green() > good.red());
    QVERIFY(bad.red() > bad.green());
    QCOMPARE(absent.red(), absent.green());
    QCOMPARE(unknown.alpha(), 0);
    QCOMPARE(mark(3).value<QImage>().size(), mark(0).value<QImage>().size());
  }

  void KeysSearchMoveAndPlay() {
    Fixture f({"ALPHA", "BETA", "GAMMA"});
    QCOMPARE(f.Row(), 0);
    QCOMPARE(f.Line(2), QString("00003 - The game GAMMA"));
    // Type-ahead searches the descriptions, not the numbered lines.
    for (char c : std::string("the game g"))
      QTest::keyClick(f.List(), c);
    QCOMPARE(f.Row(), 2);
    QCOMPARE(f.LastSelected(), std::string("GAMMA"));
    QCOMPARE(f.w.QuickInfo().RomSetName->text(), QString("GAMMA"));
    QTest::keyClick(f.List(), Qt::Key_Up);  // the list's own keys refresh as a click does
    QCOMPARE(f.Row(), 1);
    QCOMPARE(f.LastSelected(), std::string("BETA"));

    QSignalSpy plays(f.w.PlayGameOPT, &QAction::triggered);
    QTest::keyClick(f.List(), Qt::Key_Return);
    QCOMPARE(plays.count(), 1);
    f.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.w));
    const QRect row = f.List()->visualRect(f.List()->model()->index(0, 0));
    QTest::mouseClick(f.List()->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(f.List()->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(plays.count(), 2);
  }

  void SortItemsOfBothMenusRefillTheList() {
    Fixture f({"GAMMA", "ALPHA"});
    QCOMPARE(f.Line(0), QString("00001 - The game ALPHA"));
    kw::GameListPanel& p = f.w.GameList();
    p.PopSortOPT.orders[0]->trigger();  // no sorting: parse order
    QVERIFY(p.SortOPT.orders[0]->isChecked());
    QCOMPARE(f.Line(0), QString("00001 - The game GAMMA"));
    p.SortOPT.za->trigger();
    QVERIFY(p.PopSortOPT.za->isChecked());
    QCOMPARE(f.Line(0), QString("00001 - The game ALPHA"));
    QCOMPARE(f.Row(), 0);
  }

  // The pop-up's default item is the one a double click gives: drawn in bold.
  void PopUpMenuShowsPlayAsItsDefault() {
    Fixture f({"ALPHA"});
    kw::GameListPanel& p = f.w.GameList();
    QVERIFY(p.RunGameOPT != nullptr);
    QCOMPARE(p.GamesPopUpMENU->defaultAction(), p.RunGameOPT);
    QCOMPARE(p.GamesPopUpMENU->actions().front(), p.RunGameOPT);
    QCOMPARE(p.RunGameOPT->text(), QString("Play"));
  }
};

QTEST_MAIN(GameListPanelTest)
#include "game_list_panel_test.moc"
