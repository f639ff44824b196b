// The main window's two states, its generated menus, the controls that follow the settings, the
// tool bar and the layout of its parts.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>
#include <map>
#include <memory>

#include "app/gui_program.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "ui/browser/game_list_model.h"
#include "ui/browser/game_list_panel.h"
#include "ui/shell/main_window.h"

using kw::TMainFRM;

namespace {

QStringList Names(const QList<QAction*>& actions) {
  QStringList names;
  for (QAction* a : actions)
    if (!a->isSeparator()) names << a->objectName();
  return names;
}

QStringList Captions(const QList<QAction*>& actions) {
  QStringList captions;
  for (QAction* a : actions)
    if (!a->isSeparator()) captions << a->text();
  return captions;
}

// Controls that follow ProfileLoaded, by their names in the window.
const char* const kProfileWidgets[] = {
    "InfoTOOL",        "PlayTOOL",       "DetailTOOL",           "VideoSetupTOOL",
    "AudioSetupTOOL",  "MiscSetupTOOL",  "DirectoriesTOOL",      "FindGameTOOL",
    "FindRomSetTOOL",  "FindClonesTOOL", "FindManufacturerTOOL", "RandomGameTOOL",
    "CommandLineTOOL", "QuickInfoBOX",   "GameRecordingBOX",     "NoneBTN",
    "PlayBTN",         "RecordBTN",      "ScreenShotPGE",        "SnapShot",
    "GamesList"};
const char* const kProfileActions[] = {"ResetStatsOPT",   "PlayGameOPT",
                                       "DetailOPT",       "VideoOPT",
                                       "AudioOPT",        "MiscOPT",
                                       "MAMEdirOPT",      "VerifySetOPT",
                                       "ProfileInfoOPT",  "GameOPT",
                                       "RomSetOPT",       "CloneOPT",
                                       "ManufacturerOPT", "SelectRandomGameOPT",
                                       "ShowCmdLineOPT",  "SysInfoOPT",
                                       "SortTypeSUB",     "ShowStatSUB",
                                       "TextFilesSUB",    "DeleteSUB"};
// Available in both states.
const char* const kAlwaysWidgets[] = {"NewTOOL", "OpenTOOL", "EmulatorTOOL", "AboutTOOL"};
const char* const kAlwaysActions[] = {"NewOPT",      "OpenOPT",        "ReopenSUB",
                                      "QuitOPT",     "DirectoriesOPT", "VisitMameOPT",
                                      "VisitWebOPT", "EmailOPT",       "AboutOPT"};

// The window over the whole program, as the GUI builds it, in a home of its own.
struct Fixture {
  kw::test::TempDir home;
  kw::test::ScriptedUi ui;
  TMainFRM w;
  kw::GuiProgram program{ui, w, kw::AppNames::Compute(home.Path(), "/usr/bin/")};

  // Shows the state of the window with or without a profile of the given games.
  void ShowProfile(bool loaded, std::vector<std::string> games = {}) {
    program.database.ClearDatabase();
    for (const std::string& name : games) {
      kw::GameEntry game;
      game.Name = name;
      game.Description = "The game " + name;
      program.database.AddGame(game);
    }
    program.database.ProfileLoaded = loaded;
    if (loaded) program.game_list.ProfileOpened();
    program.profiles.UpdateProfileControls();
  }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QAction* Action(TMainFRM& w, const char* name) {
    for (QAction* a : w.findChildren<QAction*>())
      if (a->objectName() == name) return a;
    return nullptr;
  }

  void CheckProfileControls(TMainFRM& w, bool loaded) {
    for (const char* name : kProfileWidgets) {
      QWidget* c = w.findChild<QWidget*>(name);
      QVERIFY2(c, name);
      QVERIFY2(c->isEnabled() == loaded, name);
    }
    for (const char* name : kProfileActions) {
      QAction* a = Action(w, name);
      QVERIFY2(a, name);
      QVERIFY2(a->isEnabled() == loaded, name);
    }
    for (const char* name : kAlwaysWidgets)
      QVERIFY2(w.findChild<QWidget*>(name)->isEnabled(), name);
    for (const char* name : kAlwaysActions)
      QVERIFY2(Action(w, name)->isEnabled(), name);
    kw::QuickInfoPanel& q = w.QuickInfo();
    for (QLabel* caption : q.QuickInfoCaptions)
      QCOMPARE(caption->isEnabled(), loaded);
    for (QLabel* value : q.QuickInfoValues)
      QCOMPARE(value->isEnabled(), loaded);
    QCOMPARE(q.SnapShot->isVisibleTo(&w), loaded);

    // Whatever the state: no match to go on with, recording back to "none", file name cleared.
    kw::RecordingPanel& r = w.Recording();
    QVERIFY(!w.NextMatchOPT->isEnabled());
    QVERIFY(r.NoneBTN->isChecked());
    QVERIFY(!r.PlayBTN->isChecked());
    QVERIFY(!r.RecordBTN->isChecked());
    QVERIFY(!r.InpFileLBL->isEnabled());
    QVERIFY(!r.InpFile->isEnabled());
    QVERIFY(!r.InpBrowseBTN->isEnabled());
    QVERIFY(r.InpFile->text().isEmpty());
    QCOMPARE(r.InpFile->palette().color(QPalette::Active, QPalette::Base),
             QApplication::palette().color(QPalette::Active, QPalette::Button));
  }

 private slots:
  void WithoutProfileEverythingProfileBoundIsOffAndTheListGreyAndEmpty() {
    Fixture f;
    TMainFRM& w = f.w;
    QCOMPARE(w.windowTitle(), QString("Kestrelwing"));
    CheckProfileControls(w, false);  // as it is made
    f.ShowProfile(true, {"ABC"});
    w.NextMatchOPT->setEnabled(true);
    w.Recording().PlayBTN->click();
    w.Recording().InpFile->setText("ABC");
    w.ExplorerOPT->setEnabled(true);
    w.QuickInfo().PopExplorerOPT->setEnabled(true);
    for (QLabel* value : w.QuickInfo().QuickInfoValues)
      value->setText("something");
    QCOMPARE(w.GameList().GamesModel()->rowCount(), 1);

    f.ShowProfile(false);
    CheckProfileControls(w, false);
    QCOMPARE(w.GameList().GamesModel()->rowCount(), 0);
    QCOMPARE(w.GameList().GamesList->palette().color(QPalette::Active, QPalette::Base),
             QApplication::palette().color(QPalette::Active, QPalette::Button));
    QVERIFY(!w.ExplorerOPT->isEnabled());
    QVERIFY(!w.QuickInfo().PopExplorerOPT->isEnabled());
    QCOMPARE(w.QuickInfo().PopExplorerOPT->objectName(), QString("_ExplorerOPT"));
    QCOMPARE(w.windowTitle(), QString("Kestrelwing - no profile loaded"));
    QCOMPARE(w.QuickInfo().QuickInfoValues.size(), std::size_t{13});
    for (QLabel* value : w.QuickInfo().QuickInfoValues)
      QCOMPARE(value->text(), QString("Not available"));
    // The status line is only for a game of today's emulator.
    QVERIFY(!w.QuickInfo().SetStatus->isVisibleTo(w.QuickInfo().QuickInfoBOX));
  }

  void WithProfileEverythingProfileBoundIsOnAndTheListWhite() {
    Fixture f;
    TMainFRM& w = f.w;
    w.SetTitle("Kestrelwing - [M.A.M.E. v0.37 BETA 5]");
    f.ShowProfile(true, {"ABC"});
    w.NextMatchOPT->setEnabled(true);
    w.Recording().RecordBTN->click();
    w.Recording().InpFile->setText("REC");

    f.ShowProfile(true, {"ABC"});
    CheckProfileControls(w, true);
    QCOMPARE(w.GameList().GamesList->palette().color(QPalette::Active, QPalette::Base),
             QApplication::palette().color(QPalette::Active, QPalette::Base));
    // The title of an open profile is set when it opens; the state leaves it alone.
    QCOMPARE(w.windowTitle(), QString("Kestrelwing - [M.A.M.E. v0.37 BETA 5]"));
  }

  void ReopenMenusListTheFilledSlotsInBothMenus() {
    Fixture f;
    TMainFRM& w = f.w;
    w.RebuildReopenMenus({});
    for (QMenu* menu : {w.ReopenSUB, w.ReopenPopUpMENU}) {
      QCOMPARE(Names(menu->actions()), QStringList{"ReopenNoneOPT"});
      QCOMPARE(Captions(menu->actions()), QStringList{"<none>"});
      QVERIFY(!menu->actions().front()->isEnabled());
    }
    QCOMPARE(w.OpenTOOL->menu(), w.ReopenPopUpMENU);

    const std::string third = f.home / "my&profiles/third.ksl";
    f.program.settings.Values().ReopenList = {f.home / "first.ksl", "", third, "", ""};
    f.program.profiles.ShowReopenList();
    const QString upper_third = QString::fromStdString(kw::UpperCase(third));
    for (QMenu* menu : {w.ReopenSUB, w.ReopenPopUpMENU}) {
      QCOMPARE(Names(menu->actions()), (QStringList{"ReopenFile1", "ReopenFile3"}));
      // The menu shows an ampersand of the path as it is, not as a mnemonic.
      QString shown = menu->actions()[1]->text();
      shown.replace("&&", "&");
      QCOMPARE(shown, upper_third);
      for (QAction* a : menu->actions())
        QVERIFY(a->isEnabled());
    }

    // Choosing an entry opens the profile of that slot: here it does not exist, and the
    // program says so with the slot's path.
    f.ui.answers.push_back(kw::MsgAnswer::No);
    w.ReopenPopUpMENU->actions()[1]->trigger();
    QCOMPARE(f.ui.messages.size(), std::size_t{1});
    QVERIFY(f.ui.messages[0].text.find(third) != std::string::npos);
  }

  void TextFileSubmenuListsFileNamesAndOpensTheChosenOne() {
    Fixture f;
    TMainFRM& w = f.w;
    w.BuildTextFilesMenu({});
    QCOMPARE(Names(w.TextFilesSUB->actions()), QStringList{"NoneOPT"});
    QCOMPARE(Captions(w.TextFilesSUB->actions()), QStringList{"<none>"});
    QVERIFY(!w.TextFilesSUB->actions().front()->isEnabled());

    // A real emulator directory, and an "editor" that notes which file it was asked to open.
    kw::test::TempDir dir;
    dir.Write("emu/docs/readme.txt", "r");
    dir.Write("emu/whatsnew.txt", "w");
    const std::string opened = dir / "opened";
    const std::string editor = dir.Write("editor.sh", "#!/bin/sh\necho \"$1\" > " + opened + "\n");
    std::filesystem::permissions(editor, std::filesystem::perms::owner_all);

    f.program.database.EmulatorDir = dir / "emu/";
    f.program.settings.Values().TextEditor = editor;
    f.program.help.BuildTextFilesMenu();
    QCOMPARE(Names(w.TextFilesSUB->actions()), (QStringList{"File0", "File1"}));
    QCOMPARE(Captions(w.TextFilesSUB->actions()), (QStringList{"README.TXT", "WHATSNEW.TXT"}));

    w.TextFilesSUB->actions()[1]->trigger();
    QTRY_VERIFY(std::filesystem::exists(opened) && !dir.Read("opened").empty());
    QCOMPARE(dir.Read("opened"), dir / "emu/whatsnew.txt\n");
    QVERIFY(f.ui.messages.empty());
  }

  void SettingsTickSortOrdersPickTheTabAndRunTheJoystickTimer() {
    Fixture f;
    f.home.Write("KESTREL.INI",
                 "[Sort]\nSortBy=2\nReverseSort=1\n[Screenshots]\nScreenshotDisplay=3\n"
                 "[DirectX]\nDXGameSelect=1\n");
    f.program.shell.FormCreate();
    kw::GameListPanel& l = f.w.GameList();
    for (int i = 0; i < kw::kSortOrders; ++i) {
      QCOMPARE(l.SortOPT.orders[i]->isChecked(), i == 2);
      QCOMPARE(l.PopSortOPT.orders[i]->isChecked(), i == 2);
    }
    QCOMPARE(l.PopSortOPT.orders[2]->objectName(), QString("_Sort2OPT"));
    QVERIFY(l.SortOPT.za->isChecked() && l.PopSortOPT.za->isChecked());
    QVERIFY(!l.SortOPT.az->isChecked() && !l.PopSortOPT.az->isChecked());
    QCOMPARE(f.w.QuickInfo().ScreenShotPGE->currentIndex(), 3);
    QVERIFY(l.JoyCheckTMR->isActive());
    QCOMPARE(l.JoyCheckTMR->interval(), 100);

    // A choice in the pop-up menu is ticked in the main menu too, and kept.
    l.PopSortOPT.orders[4]->trigger();
    l.PopSortOPT.az->trigger();
    QVERIFY(l.SortOPT.orders[4]->isChecked() && l.SortOPT.az->isChecked());
    QCOMPARE(int(f.program.settings.Values().SortBy), 4);
    QVERIFY(!f.program.settings.Values().ReverseSort);

    f.home.Write("KESTREL.INI", "[Sort]\nSortBy=7\n[Screenshots]\nScreenshotDisplay=9\n");
    f.program.shell.FormCreate();
    for (int i = 0; i < kw::kSortOrders; ++i) {
      QVERIFY(!l.SortOPT.orders[i]->isChecked());
      QVERIFY(!l.PopSortOPT.orders[i]->isChecked());
    }
    QVERIFY(l.SortOPT.az->isChecked() && l.PopSortOPT.az->isChecked());
    QCOMPARE(f.w.QuickInfo().ScreenShotPGE->currentIndex(), 3);  // no tab 9: the tab stays
    QVERIFY(!l.JoyCheckTMR->isActive());
  }

  void ChoosingAPictureTabStoresIt() {
    Fixture f;
    f.program.shell.FormCreate();
    f.w.QuickInfo().ScreenShotPGE->setCurrentIndex(4);
    QCOMPARE(int(f.program.settings.Values().ScreenshotDisplay), 4);
  }

  void ToolBarHoldsTheSeventeenButtonsInOrderWithTheirHints() {
    TMainFRM w;
    QStringList names;
    QStringList hints;
    for (QAction* a : w.ToolBar->actions()) {
      if (auto* b = qobject_cast<QToolButton*>(w.ToolBar->widgetForAction(a))) {
        names << b->objectName();
        hints << b->toolTip();
        QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
      }
    }
    QCOMPARE(names, (QStringList{"NewTOOL", "OpenTOOL", "InfoTOOL", "PlayTOOL", "DetailTOOL",
                                 "VideoSetupTOOL", "AudioSetupTOOL", "MiscSetupTOOL",
                                 "DirectoriesTOOL", "EmulatorTOOL", "FindGameTOOL",
                                 "FindRomSetTOOL", "FindClonesTOOL", "FindManufacturerTOOL",
                                 "RandomGameTOOL", "CommandLineTOOL", "AboutTOOL"}));
    QCOMPARE(hints,
             (QStringList{"Create new profile", "Open existing profile", "Profile info",
                          "Play selected game", "Detailed romset description",
                          "Open video settings page", "Open audio settings page",
                          "Open misc. settings page", "Change MAME directories", "Preferences",
                          "Find game", "Find romset", "Find clone sets", "Find manufacturer",
                          "Select random game", "Show / edit command line", "About"}));
  }

  void NoTwoCommandsShareAShortcut() {
    TMainFRM w;
    std::map<QString, QString> seen;
    for (QAction* a : w.findChildren<QAction*>()) {
      if (a->shortcut().isEmpty()) continue;
      const QString key = a->shortcut().toString();
      QVERIFY2(!seen.count(key), qPrintable(key + ": " + seen[key] + ", " + a->objectName()));
      seen[key] = a->objectName();
    }
    QCOMPARE(w.NextMatchOPT->shortcut(), QKeySequence(Qt::Key_F3));
    QCOMPARE(w.QuitOPT->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
  }

  void PartsFitTheClientAreaWithoutOverlapping() {
    Fixture f;
    TMainFRM& w = f.w;
    f.ShowProfile(true, {"ABC"});
    kw::GameListPanel& l = w.GameList();
    kw::QuickInfoPanel& q = w.QuickInfo();
    kw::RecordingPanel& r = w.Recording();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.centralWidget()->size(), QSize(744, 520));
    QCOMPARE(w.size().width(), 744);

    QWidget* body = w.findChild<QWidget*>("Body");
    const QRect area = body->rect();
    const QList<QWidget*> parts = {l.GamesList, q.QuickInfoBOX, q.ScreenShotPGE,
                                   r.GameRecordingBOX};
    for (QWidget* a : parts) {
      QVERIFY2(area.contains(a->geometry()), qPrintable(a->objectName()));
      for (QWidget* b : parts)
        if (a != b) QVERIFY2(!a->geometry().intersects(b->geometry()), qPrintable(a->objectName()));
    }
    // Left column over right column: list and quick info left of the pictures and recordings.
    QVERIFY(l.GamesList->geometry().bottom() < q.QuickInfoBOX->geometry().top());
    QVERIFY(q.ScreenShotPGE->geometry().bottom() < r.GameRecordingBOX->geometry().top());
    QVERIFY(l.GamesList->geometry().right() < q.ScreenShotPGE->geometry().left());

    // The picture's frame lies inside the tab control below its tabs.
    QCOMPARE(q.SnapShot->geometry(), QRect(8, 29, 320, 320));
    QVERIFY(q.ScreenShotPGE->rect().contains(q.SnapShot->geometry()));
    QVERIFY(q.ScreenShotPGE->findChild<QTabBar*>()->geometry().bottom() < 29);

    // Every quick-information line gets its full height and the longest caption its width.
    for (int i = 0; i < kw::QuickInfoPanel::kQuickInfoRows; ++i) {
      QLabel* caption = q.QuickInfoCaptions[i];
      if (!caption->isVisible()) continue;
      QVERIFY2(caption->height() >= caption->sizeHint().height(), qPrintable(caption->text()));
      QVERIFY2(caption->width() >= caption->sizeHint().width(), qPrintable(caption->text()));
      QVERIFY(q.QuickInfoValues[i]->height() >= q.QuickInfoValues[i]->sizeHint().height());
    }
    // A long controls line of a two-player game fits on its line.
    q.Controls->setText("2 players, 2 joysticks+2 buttons each player");
    QVERIFY(q.Controls->width() >= q.Controls->fontMetrics().horizontalAdvance(q.Controls->text()));
    for (QWidget* c : r.GameRecordingBOX->findChildren<QWidget*>())
      QVERIFY2(r.GameRecordingBOX->rect().contains(c->geometry()), qPrintable(c->objectName()));

    // The status line: the box grows upwards into the list's room, every line still whole;
    // twelve lines take the room back.
    std::array<std::string, kw::kQuickInfoLines> values;
    values.fill("x");
    values.back().clear();
    q.ShowQuickInfo(values);
    QApplication::processEvents();
    const QRect era_box = q.QuickInfoBOX->geometry();
    values.back() = "Good (checked 12/09/26 11:37:21)";
    q.ShowQuickInfo(values);
    QApplication::processEvents();
    QVERIFY(q.SetStatus->isVisible());
    QVERIFY(q.QuickInfoBOX->geometry().top() < era_box.top());
    QCOMPARE(q.QuickInfoBOX->geometry().bottom(), era_box.bottom());
    QVERIFY(l.GamesList->geometry().bottom() < q.QuickInfoBOX->geometry().top());
    QVERIFY(q.SetStatus->height() >= q.SetStatus->sizeHint().height());
    QVERIFY(q.QuickInfoBOX->rect().contains(q.SetStatus->geometry()));
    values.back().clear();
    q.ShowQuickInfo(values);
    QApplication::processEvents();
    QVERIFY(!q.SetStatus->isVisible());
    QCOMPARE(q.QuickInfoBOX->geometry(), era_box);
  }

  // A tick of the Filters menu narrows the list, which then says how many games it shows; the
  // pop-up's twin and Ctrl+D's item act the same.
  void FiltersNarrowTheListAndSayHowManyAreShown() {
    Fixture f;
    for (const char* name : {"aaa", "bbb", "ccc"}) {
      kw::GameEntry game;
      game.Name = name;
      game.CloneOf = std::string(name) == "bbb" ? "aaa" : "";
      game.Description = std::string("The game ") + name;
      f.program.database.AddGame(game);
    }
    f.program.database.ProfilePath = f.home / "T.KSL";
    f.program.database.ProfileLoaded = true;
    f.program.filters.ProfileOpened();
    f.program.game_list.ProfileOpened();
    f.program.profiles.UpdateProfileControls();
    TMainFRM& w = f.w;
    kw::GameListPanel& l = w.GameList();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect whole = l.GamesList->geometry();
    QVERIFY(l.ShownLBL->isHidden());

    QAction* no_clones = Action(w, "HideClonesOPT");
    QVERIFY(no_clones && no_clones->isEnabled() && !no_clones->isChecked());
    no_clones->trigger();
    QVERIFY(no_clones->isChecked());
    QVERIFY(Action(w, "_HideClonesOPT")->isChecked());
    QCOMPARE(l.GamesModel()->rowCount(), 2);
    QCOMPARE(l.GamesModel()->data(l.GamesModel()->index(1)).toString(),
             QString("00002 - The game ccc"));
    QVERIFY(l.ShownLBL->isVisible());
    QCOMPARE(l.ShownLBL->text(), QString("2 of 3 games shown"));
    // The line takes its room from the list, above the quick information.
    QVERIFY(l.GamesList->geometry().bottom() < l.ShownLBL->geometry().top());
    QCOMPARE(l.GamesList->geometry().top(), whole.top());
    QVERIFY(f.home.Read("KESTREL.INI").find("[Filters]") != std::string::npos);

    QAction* favourite = Action(w, "FavouriteOPT");
    QCOMPARE(favourite->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    l.SelectLine(1);
    favourite->trigger();
    Action(w, "_FavouritesOnlyOPT")->trigger();
    QCOMPARE(l.GamesModel()->rowCount(), 1);
    QCOMPARE(l.ShownLBL->text(), QString("1 of 3 games shown"));

    Action(w, "ShowAllOPT")->trigger();
    QCOMPARE(l.GamesModel()->rowCount(), 3);
    QVERIFY(l.ShownLBL->isHidden());
    QCOMPARE(l.GamesList->geometry(), whole);
    QVERIFY(!no_clones->isChecked());
  }

  void GameListShowsTheLinesOfTheController() {
    kw::GameListLines lines;
    for (const char* line : {"00001 - Alpha", "00002 - Caf\xe9 Racer", "00003 - Gamma"})
      lines.Add(line);
    kw::GameListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.SetLines(&lines);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.data(model.index(1)).toString(), QString::fromUtf8("00002 - Café Racer"));
    model.Clear();
    QCOMPARE(model.rowCount(), 0);
  }

  // The tool button, the menu item (Alt+T) and the list's pop-up item describe the selected set.
  void RomsetDetailsFromTheButtonTheMenuAndThePopUp() {
    Fixture f;
    f.ShowProfile(true, {"ALPHA", "BETA"});
    f.program.game_list.SelectLine(1);
    f.ui.events.clear();  // what opening the profile showed
    QCOMPARE(f.w.DetailOPT->shortcut(), QKeySequence(Qt::ALT | Qt::Key_T));
    f.w.DetailTOOL->click();
    f.w.DetailOPT->trigger();
    f.w.GameList().DetailsOPT->trigger();
    QCOMPARE(f.ui.reports.size(), std::size_t{3});
    for (const kw::ReportDocument& report : f.ui.reports) {
      QCOMPARE(report.SaveName, std::string("BETA_romset"));
      QCOMPARE(report.Lines()[2].text, std::string("Game: .............[BETA] = The game BETA"));
    }
    QCOMPARE(f.ui.events,
             (std::vector<std::string>{"busy on", "busy off", "report", "busy on", "busy off",
                                       "report", "busy on", "busy off", "report"}));
  }

  void RecordingFileNameOpensForPlaybackAndIsUpperCase() {
    Fixture f;
    f.ShowProfile(true, {"ABC"});
    kw::RecordingPanel& r = f.w.Recording();
    r.PlayBTN->click();
    QVERIFY(r.InpFile->isEnabled() && r.InpBrowseBTN->isEnabled() && r.InpFileLBL->isEnabled());
    QCOMPARE(r.InpFile->maxLength(), 12);
    QCOMPARE(r.InpFile->text(), QString("ABC"));  // an empty name takes the selected game's
    r.InpFile->clear();
    QTest::keyClicks(r.InpFile, "myrec.inp");
    QCOMPARE(r.InpFile->text(), QString("MYREC.INP"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
