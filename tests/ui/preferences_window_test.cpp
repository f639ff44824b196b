// The Preferences window: filled from the settings when shown, stored by the close rules, the
// joystick switch at once; a size no entry stands for is shown as "10" and stored so.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "core/browser/game_list_controller.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings_store.h"
#include "platform/fs.h"
#include "platform/ini.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "ui/options/preferences_window.h"

namespace {

struct NoSelection : kw::GameSelectionListener {
  void GameSelected(long) override {}
};

struct Fixture {
  kw::test::TempDir dir;
  kw::test::ScriptedUi ui;
  kw::SettingsStore settings{dir.Path() + "KESTREL.INI"};
  kw::GameDatabase database;
  kw::PlayStats stats{dir.Path() + "STATS.INI"};
  kw::platform::Joystick joystick;
  kw::test::RecordingViews view;
  NoSelection selection;
  kw::GameListController list{ui, settings, database, stats, joystick, view, selection};
  kw::EmulatorConfigController emulator{database, "$KSTEMP$"};
  std::vector<std::string> drives;
  kw::PreferencesController preferences{ui,   settings, database, emulator,
                                        list, joystick, drives,   "Kestrelwing"};
};

}  // namespace

class PreferencesWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheSettingsAndStoresThemWhenItCloses() {
    Fixture f;
    f.settings.Values().BoldFontSize = 11;
    f.settings.Values().MameCd = true;
    kw::TDirectoriesFRM window(f.preferences);
    window.Prepare();
    QCOMPARE(window.windowTitle(), QString("Kestrelwing - Preferences"));
    QCOMPARE(window.MameDefImageDir->text(), QString("MAME's default (not available)"));
    QVERIFY(window.CustomImageDir->isChecked());
    QVERIFY(window.ImageDir->isEnabled());
    QCOMPARE(window.BoldText->currentText(), QString("10"));
    QCOMPARE(window.NormalText->currentText(), QString("8"));
    QVERIFY(!window.MameCd->isChecked());  // no optical drive
    QVERIFY(!window.CdRom->isEnabled());
    QCOMPARE(window.PlayBTN->text(), QString("Play: B3"));
    QVERIFY(!window.PlayBTN->isEnabled());

    window.Apply();  // closed untouched: the strange size becomes the entry shown
    QCOMPARE(f.settings.Values().BoldFontSize, 10);

    window.Prepare();
    emit window.BoldText->activated(3);
    window.MameDefImageDir->click();
    QVERIFY(!window.ImageDir->isEnabled());
    window.ListYear->click();
    QVERIFY(!f.settings.Values().ListYear);  // stored only when the window closes
    window.Apply();
    QCOMPARE(f.settings.Values().BoldFontSize, 14);
    QVERIFY(f.settings.Values().ListYear);
    QCOMPARE(f.settings.Values().ScreenShots, kw::platform::fs::ExpandFileName("SNAP"));
    kw::platform::IniFile ini(f.dir / "KESTREL.INI");
    QVERIFY(ini.Load());
    QCOMPARE(ini.Read("Fonts", "BoldFontSize"), std::optional<std::string>("14"));
    QVERIFY(!ini.Read("General", "StatusCheckAtOpen"));  // on, as it always was: not written

    // The status check at opening switched off, then on again.
    window.Prepare();
    QVERIFY(window.StatusCheck->isChecked());
    window.StatusCheck->click();
    window.Apply();
    QVERIFY(!f.settings.Values().StatusCheckAtOpen);
    QVERIFY(ini.Load());
    QCOMPARE(ini.Read("General", "StatusCheckAtOpen"), std::optional<std::string>("0"));
    window.Prepare();
    QVERIFY(!window.StatusCheck->isChecked());
    window.StatusCheck->click();
    window.Apply();
    QVERIFY(ini.Load());
    QVERIFY(!ini.Read("General", "StatusCheckAtOpen"));
  }

  void TheJoystickSwitchActsAtOnce() {
    Fixture f;
    kw::TDirectoriesFRM window(f.preferences);
    window.Prepare();
    window.UseDirectX->click();
    QVERIFY(f.settings.Values().DXGameSelect);
    QVERIFY(!f.view.joystick);  // the game list reads it once the window is closed
    QVERIFY(window.PgUpBTN->isEnabled());
    QVERIFY(window.JoyTMR->isActive());
    window.PgUpBTN->click();
    window.PlayBTN->click();  // one group: the other is released
    QVERIFY(window.PlayBTN->isChecked());
    QVERIFY(!window.PgUpBTN->isChecked());
    window.UseDirectX->click();
    QVERIFY(!f.settings.Values().DXGameSelect);
    QVERIFY(!window.JoyTMR->isActive());
    QVERIFY(!window.PlayBTN->isChecked());
    QVERIFY(!window.PlayBTN->isEnabled());
  }
};

QTEST_MAIN(PreferencesWindowTest)
#include "preferences_window_test.moc"
