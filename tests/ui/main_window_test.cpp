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
#include <QToolBar>
#include <QToolButton>
#include <filesystem>
#include <map>
#include <memory>

#include "core/shell/main_shell.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "ui/browser/game_list_model.h"
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
    for (QLabel* caption : w.QuickInfoCaptions)
      QCOMPARE(caption->isEnabled(), loaded);
    for (QLabel* value : w.QuickInfoValues)
      QCOMPARE(value->isEnabled(), loaded);
    QCOMPARE(w.SnapShot->isVisibleTo(&w), loaded);

    // Whatever the state: no match to go on with, recording back to "none", file name cleared.
    QVERIFY(!w.NextMatchOPT->isEnabled());
    QVERIFY(w.NoneBTN->isChecked());
    QVERIFY(!w.PlayBTN->isChecked());
    QVERIFY(!w.RecordBTN->isChecked());
    QVERIFY(!w.InpFileLBL->isEnabled());
    QVERIFY(!w.InpFile->isEnabled());
    QVERIFY(!w.InpBrowseBTN->isEnabled());
    QVERIFY(w.InpFile->text().isEmpty());
    QCOMPARE(w.InpFile->palette().color(QPalette::Active, QPalette::Base),
             QApplication::palette().color(QPalette::Active, QPalette::Button));
  }

 private slots:
  void WithoutProfileEverythingProfileBoundIsOffAndTheListGreyAndEmpty() {
    TMainFRM w;
    QCOMPARE(w.windowTitle(), QString("Kestrelwing"));
    w.UpdateProfileControls(true);
    w.NextMatchOPT->setEnabled(true);
    w.PlayBTN->click();
    w.InpFile->setText("ABC");
    w.ExplorerOPT->setEnabled(true);
    w.PopExplorerOPT->setEnabled(true);
    for (QLabel* value : w.QuickInfoValues)
      value->setText("something");
    kw::GameDatabase db;
    kw::GameEntry game;
    game.Name = "ABC";
    game.Description = "A game";
    db.AddGame(game);
    w.GamesModel()->SetDatabase(&db);

    w.UpdateProfileControls(false);
    CheckProfileControls(w, false);
    QCOMPARE(w.GamesModel()->rowCount(), 0);
    QCOMPARE(w.GamesList->palette().color(QPalette::Active, QPalette::Base),
             QApplication::palette().color(QPalette::Active, QPalette::Button));
    QVERIFY(!w.ExplorerOPT->isEnabled());
    QVERIFY(!w.PopExplorerOPT->isEnabled());
    QCOMPARE(w.PopExplorerOPT->objectName(), QString("_ExplorerOPT"));
    QCOMPARE(w.windowTitle(), QString("Kestrelwing - no profile loaded"));
    QCOMPARE(w.QuickInfoValues.size(), std::size_t{12});
    for (QLabel* value : w.QuickInfoValues)
      QCOMPARE(value->text(), QString("Not available"));
  }

  void WithProfileEverythingProfileBoundIsOnAndTheListWhite() {
    TMainFRM w;
    w.UpdateProfileControls(false);
    w.SetTitle("Kestrelwing - [M.A.M.E. v0.37 BETA 5]");
    w.NextMatchOPT->setEnabled(true);
    w.RecordBTN->click();
    w.InpFile->setText("REC");

    w.UpdateProfileControls(true);
    CheckProfileControls(w, true);
    QCOMPARE(w.GamesList->palette().color(QPalette::Active, QPalette::Base),
             QApplication::palette().color(QPalette::Active, QPalette::Base));
    // The title of an open profile is the shell's to set; the window leaves it alone.
    QCOMPARE(w.windowTitle(), QString("Kestrelwing - [M.A.M.E. v0.37 BETA 5]"));
  }

  void ReopenMenusListTheFilledSlotsInBothMenus() {
    kw::test::TempDir home;
    kw::test::ScriptedUi ui;
    TMainFRM w;
    kw::MainShell shell(ui, w, kw::AppNames::Compute(home.Path(), "/usr/bin/"));
    w.SetShell(&shell);

    w.RebuildReopenMenus({});
    for (QMenu* menu : {w.ReopenSUB, w.ReopenPopUpMENU}) {
      QCOMPARE(Names(menu->actions()), QStringList{"ReopenNoneOPT"});
      QCOMPARE(Captions(menu->actions()), QStringList{"<none>"});
      QVERIFY(!menu->actions().front()->isEnabled());
    }
    QCOMPARE(w.OpenTOOL->menu(), w.ReopenPopUpMENU);

    const std::string third = home / "my&profiles/third.ksl";
    w.RebuildReopenMenus({home / "first.ksl", "", third, "", ""});
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
    // shell says so with the slot's path.
    shell.Settings().ReopenList = {"", "", third, "", ""};
    ui.answers.push_back(kw::MsgAnswer::No);
    w.ReopenPopUpMENU->actions()[1]->trigger();
    QCOMPARE(ui.messages.size(), std::size_t{1});
    QVERIFY(ui.messages[0].text.find(third) != std::string::npos);
  }

  void TextFileSubmenuListsFileNamesAndOpensTheChosenOne() {
    TMainFRM w;
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

    kw::test::ScriptedUi ui;
    kw::MainShell shell(ui, w, kw::AppNames::Compute(dir / "home", "/usr/bin/"));
    w.SetShell(&shell);
    shell.Database().EmulatorDir = dir / "emu/";
    shell.Settings().TextEditor = editor;
    shell.BuildTextFilesMenu();
    QCOMPARE(Names(w.TextFilesSUB->actions()), (QStringList{"File0", "File1"}));
    QCOMPARE(Captions(w.TextFilesSUB->actions()), (QStringList{"README.TXT", "WHATSNEW.TXT"}));

    w.TextFilesSUB->actions()[1]->trigger();
    QTRY_VERIFY(std::filesystem::exists(opened) && !dir.Read("opened").empty());
    QCOMPARE(dir.Read("opened"), dir / "emu/whatsnew.txt\n");
    QVERIFY(ui.messages.empty());
  }

  void SettingsTickSortOrdersPickTheTabAndRunTheJoystickTimer() {
    TMainFRM w;
    kw::FrontEndSettings s;
    s.SortBy = 2;
    s.ReverseSort = true;
    s.ScreenshotDisplay = 3;
    s.DXGameSelect = true;
    w.ApplySettings(s);
    for (int i = 0; i < TMainFRM::kSortOrders; ++i) {
      QCOMPARE(w.SortOPT[i]->isChecked(), i == 2);
      QCOMPARE(w.PopSortOPT[i]->isChecked(), i == 2);
    }
    QCOMPARE(w.PopSortOPT[2]->objectName(), QString("_Sort2OPT"));
    QVERIFY(w.ZAOPT->isChecked() && w.PopZAOPT->isChecked());
    QVERIFY(!w.AZOPT->isChecked() && !w.PopAZOPT->isChecked());
    QCOMPARE(w.ScreenShotPGE->currentIndex(), 3);
    QVERIFY(w.JoyCheckTMR->isActive());
    QCOMPARE(w.JoyCheckTMR->interval(), 100);

    s.SortBy = 7;
    s.ReverseSort = false;
    s.ScreenshotDisplay = 9;
    s.DXGameSelect = false;
    w.ApplySettings(s);
    for (int i = 0; i < TMainFRM::kSortOrders; ++i) {
      QVERIFY(!w.SortOPT[i]->isChecked());
      QVERIFY(!w.PopSortOPT[i]->isChecked());
    }
    QVERIFY(w.AZOPT->isChecked() && w.PopAZOPT->isChecked());
    QCOMPARE(w.ScreenShotPGE->currentIndex(), 3);  // no tab 9: the tab stays
    QVERIFY(!w.JoyCheckTMR->isActive());
  }

  void ChoosingAPictureTabStoresIt() {
    kw::test::TempDir home;
    kw::test::ScriptedUi ui;
    TMainFRM w;
    kw::MainShell shell(ui, w, kw::AppNames::Compute(home.Path(), "/usr/bin/"));
    w.SetShell(&shell);
    kw::FrontEndSettings s;
    s.ScreenshotDisplay = 1;
    w.ApplySettings(s);
    w.ScreenShotPGE->setCurrentIndex(4);
    QCOMPARE(int(shell.Settings().ScreenshotDisplay), 4);
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
    TMainFRM w;
    w.UpdateProfileControls(true);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.centralWidget()->size(), QSize(744, 520));
    QCOMPARE(w.size().width(), 744);

    QWidget* body = w.findChild<QWidget*>("Body");
    const QRect area = body->rect();
    const QList<QWidget*> parts = {w.GamesList, w.QuickInfoBOX, w.ScreenShotPGE,
                                   w.GameRecordingBOX};
    for (QWidget* a : parts) {
      QVERIFY2(area.contains(a->geometry()), qPrintable(a->objectName()));
      for (QWidget* b : parts)
        if (a != b) QVERIFY2(!a->geometry().intersects(b->geometry()), qPrintable(a->objectName()));
    }
    // Left column over right column: list and quick info left of the pictures and recordings.
    QVERIFY(w.GamesList->geometry().bottom() < w.QuickInfoBOX->geometry().top());
    QVERIFY(w.ScreenShotPGE->geometry().bottom() < w.GameRecordingBOX->geometry().top());
    QVERIFY(w.GamesList->geometry().right() < w.ScreenShotPGE->geometry().left());

    // The picture's frame lies inside the tab control below its tabs.
    QCOMPARE(w.SnapShot->geometry(), QRect(8, 29, 320, 320));
    QVERIFY(w.ScreenShotPGE->rect().contains(w.SnapShot->geometry()));
    QVERIFY(w.ScreenShotPGE->findChild<QTabBar*>()->geometry().bottom() < 29);

    // Every quick-information line gets its full height and the longest caption its width.
    for (int i = 0; i < TMainFRM::kQuickInfoRows; ++i) {
      QLabel* caption = w.QuickInfoCaptions[i];
      QVERIFY2(caption->height() >= caption->sizeHint().height(), qPrintable(caption->text()));
      QVERIFY2(caption->width() >= caption->sizeHint().width(), qPrintable(caption->text()));
      QVERIFY(w.QuickInfoValues[i]->height() >= w.QuickInfoValues[i]->sizeHint().height());
    }
    // A long controls line of a two-player game fits on its line.
    w.Controls->setText("2 players, 2 joysticks+2 buttons each player");
    QVERIFY(w.Controls->width() >= w.Controls->fontMetrics().horizontalAdvance(w.Controls->text()));
    for (QWidget* c : w.GameRecordingBOX->findChildren<QWidget*>())
      QVERIFY2(w.GameRecordingBOX->rect().contains(c->geometry()), qPrintable(c->objectName()));
  }

  void GameListShowsTheDescriptionsOfTheGames() {
    kw::GameDatabase db;
    for (const char* description : {"Alpha", "Caf\xe9 Racer", "Gamma"}) {
      kw::GameEntry game;
      game.Description = description;
      db.AddGame(game);
    }
    kw::GameListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.SetDatabase(&db);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.data(model.index(1)).toString(), QString::fromUtf8("Café Racer"));
    model.Clear();
    QCOMPARE(model.rowCount(), 0);
    model.Reload();
    QCOMPARE(model.rowCount(), 3);
    // Games dropped behind the model's back are not read.
    db.ClearDatabase();
    QVERIFY(!model.data(model.index(2)).isValid());
  }

  void RecordingFileNameOpensForPlaybackAndIsUpperCase() {
    TMainFRM w;
    kw::GameDatabase db;
    kw::GameEntry game;
    game.Name = "ABC";
    db.AddGame(game);
    w.UpdateProfileControls(true);
    w.GamesModel()->SetDatabase(&db);
    w.PlayBTN->click();
    QVERIFY(w.InpFile->isEnabled() && w.InpBrowseBTN->isEnabled() && w.InpFileLBL->isEnabled());
    QCOMPARE(w.InpFile->maxLength(), 12);
    QTest::keyClicks(w.InpFile, "myrec.inp");
    QCOMPARE(w.InpFile->text(), QString("MYREC.INP"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
