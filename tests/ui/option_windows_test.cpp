// The option windows over a real MAME.CFG: the enabling rules as the user clicks, the previews'
// drags, the directories window's normalisation, and the change landing in the file at the
// next write with its other lines kept. The Preferences window's close and its joystick box.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

#include "core/options/option_windows_controller.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/game_list_navigation.h"
#include "core/shared/settings.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "ui/options/audio_window.h"
#include "ui/options/emulator_dirs_window.h"
#include "ui/options/misc_window.h"
#include "ui/options/preview_picture.h"
#include "ui/options/video_window.h"

namespace {

struct OneGameList : kw::GameListNavigation {
  long selected = 0;
  long SelectedLine() const override { return selected; }
  long LineCount() const override { return 1; }
  void SelectLine(long line) override { selected = line; }
  void PlaySelected() override {}
  void SelectRandomGame() override {}
};

struct Fixture {
  kw::test::TempDir dir;
  kw::test::ScriptedUi ui;
  kw::FrontEndSettings settings;
  kw::GameDatabase database;
  kw::EmulatorConfigController emulator{database, "$KSTEMP$"};
  OneGameList list;
  std::vector<std::string> languages{"ENGLISH"};
  kw::OptionWindowsController options{ui,   settings,  database,     emulator,
                                      list, languages, "Kestrelwing"};

  explicit Fixture(const std::string& cfg) {
    kw::GameEntry game;
    game.Name = "WIDE";
    game.Description = "A wide game";
    game.Width = 384;
    game.Height = 224;
    database.AddGame(game);
    database.EmulatorDir = dir.Path();
    database.ProfileLoaded = true;
    dir.Write("mame.cfg", cfg);
    emulator.ReadEmulatorConfig();
  }
};

}  // namespace

class OptionWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void VideoWindowFollowsTheRulesAndTheFileGetsTheChange() {
    Fixture f(
        "; the user's own note\n[config]\ntweak=yes\nbeam=1.55\nresolution=320x240\n"
        "skipcolumns=100\nmonitor=standard\n");
    kw::TVideoFRM video(f.options);
    video.Prepare();
    QCOMPARE(video.windowTitle(), QString("Kestrelwing - MAME video settings"));
    QVERIFY(!video.VesaMode->isEnabled());
    QVERIFY(!video.TripleBuffer->isEnabled());
    QVERIFY(video.AlwaysSynced->isEnabled());
    QVERIFY(!video.Monitor2->isEnabled());  // the standard monitor
    QCOMPARE(video.Beam->value(), 15);
    QCOMPARE(video.BeamVAL->text(), QString("1.50"));
    // What the window shows is what it stores: the bar's value, the preview's limit.
    QVERIFY(video.Monitor1->isEnabled());
    QCOMPARE(video.ViewXVAL->text(), QString("32"));
    QVERIFY(!video.ViewYVAL->isEnabled());
    QCOMPARE(f.emulator.Config().config.skipcolumns, 32);
    QCOMPARE(f.emulator.Config().config.beam, 1.5f);

    video.AlwaysSynced->click();
    QVERIFY(!video.ScanRate->isEnabled());
    video.tweak->click();
    QVERIFY(video.VesaMode->isEnabled());
    QVERIFY(!video.AlwaysSynced->isEnabled());
    QVERIFY(video.ScanRate->isEnabled());

    video.CenterViewBTN->click();
    QCOMPARE(f.emulator.Config().config.skipcolumns, 0);
    QCOMPARE(video.ViewXVAL->text(), QString("0"));

    // Rotation: the buttons only with manual rotation; rol and ror never both down.
    QVERIFY(!video.rol->isEnabled());
    video.norotate->click();
    QVERIFY(video.rol->isEnabled());
    video.rol->click();
    video.ror->click();
    QVERIFY(!f.emulator.Config().config.rol);
    QVERIFY(f.emulator.Config().config.ror);
    QVERIFY(!video.rol->isChecked());

    QVERIFY(f.emulator.WriteEmulatorConfig().Ok());
    const std::string written = f.dir.Read("mame.cfg");
    QVERIFY(written.starts_with("; the user's own note\n"));
    QVERIFY(written.find("\ntweak=no\n") != std::string::npos);
    QVERIFY(written.find("\nror=yes\n") != std::string::npos);
    QVERIFY(written.find("\nbeam=1.5000000\n") != std::string::npos);  // as the bar shows it
  }

  // The view area is dragged by the distance from the press; a second drag goes on from where
  // the first left it.
  void ViewAreaDragsGoOnFromTheOffsetTheyFind() {
    Fixture f("[config]\nresolution=320x240\n");  // the game is 384 wide: X within -32 to 32
    kw::TVideoFRM video(f.options);
    video.Prepare();
    auto drag = [&video](QPoint from, QPoint to) {
      QTest::mousePress(video.Monitor1, Qt::LeftButton, {}, from);
      QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(to), Qt::NoButton, Qt::LeftButton,
                       Qt::NoModifier);
      QApplication::sendEvent(video.Monitor1, &move);
      QTest::mouseRelease(video.Monitor1, Qt::LeftButton, {}, to);
    };
    drag({50, 36}, {60, 36});
    QCOMPARE(f.emulator.Config().config.skipcolumns, 10);
    drag({20, 36}, {30, 36});
    QCOMPARE(f.emulator.Config().config.skipcolumns, 20);
    QCOMPARE(video.ViewXVAL->text(), QString("20"));
    QCOMPARE(f.emulator.Config().config.skiplines, 0);  // the game fits in height
    drag({40, 36}, {0, 36});
    QCOMPARE(f.emulator.Config().config.skipcolumns, -20);
    drag({40, 36}, {0, 36});
    QCOMPARE(f.emulator.Config().config.skipcolumns, -32);  // the limit
    QCOMPARE(video.ViewXVAL->text(), QString("-32"));
  }

  // Showing a window stores what it shows: a bar's position, the first language, the preview's
  // skip values.
  void ShowingAWindowStoresWhatItShows() {
    Fixture f(
        "[config]\nbeam=0.5\ngamma=1.3\nflicker=7.77\nvolume=12\nlanguage=klingon\n"
        "resolution=auto\nskipcolumns=7\nskiplines=-3\n");
    kw::TVideoFRM video(f.options);
    video.Prepare();
    const auto& c = f.emulator.Config().config;
    QCOMPARE(video.Beam->value(), 10);  // the minimum
    QCOMPARE(c.beam, 1.0f);
    QCOMPARE(video.Gamma->value(), 130);  // on a position: kept
    QCOMPARE(c.gamma, 1.3f);
    QCOMPARE(video.FlickerVAL->text(), QString("7.70"));
    QCOMPARE(c.flicker, 7.7f);
    QCOMPARE(c.skipcolumns, 0);  // the automatic resolution moves nothing
    QCOMPARE(c.skiplines, 0);

    f.emulator.Config().config.resolution = "640X480";  // the game fits
    f.emulator.Config().config.skipcolumns = 9;
    video.Prepare();
    QCOMPARE(c.skipcolumns, 0);

    kw::TAudioFRM audio(f.options);
    audio.Prepare();
    QCOMPARE(audio.Volume->value(), 0);  // +12 dB is beyond the bar's end
    QCOMPARE(c.volume, 0);
    f.emulator.Config().config.volume = -99;
    audio.Prepare();
    QCOMPARE(audio.VolumeVAL->text(), QString("-32 dB"));
    QCOMPARE(c.volume, -32);

    kw::TMiscFRM misc(f.options);
    misc.Prepare();
    QCOMPARE(misc.Language->currentIndex(), 0);
    QCOMPARE(c.language, std::string("ENGLISH"));

    QVERIFY(f.emulator.WriteEmulatorConfig().Ok());
    kw::EmulatorConfig reread;
    QVERIFY(kw::ReadEmulatorConfig(f.dir.Path(), reread).Ok());
    QVERIFY(reread.config == f.emulator.Config().config);  // the window and the file agree
    const std::string written = f.dir.Read("mame.cfg");
    QVERIFY(written.find("\nbeam=1.0000000\n") != std::string::npos);
    QVERIFY(written.find("\ngamma=1.3000000\n") != std::string::npos);
    QVERIFY(written.find("\nvolume=-32\n") != std::string::npos);
    QVERIFY(written.find("\nlanguage=ENGLISH\n") != std::string::npos);
  }

  // Both previews show their screen black, also where they cannot be dragged.
  void DisabledPreviewsKeepTheirBlackScreen() {
    Fixture f("[config]\nresolution=auto\nmonitor=standard\n");
    kw::TVideoFRM video(f.options);
    video.Prepare();
    QVERIFY(!video.Monitor1->isEnabled());
    QVERIFY(!video.Monitor2->isEnabled());
    for (kw::PreviewPicture* preview : {video.Monitor1, video.Monitor2}) {
      const QImage shot = preview->grab().toImage();
      QCOMPARE(shot.pixelColor(51, 36), QColor(Qt::black));
      QCOMPARE(shot.pixelColor(10, 60), QColor(Qt::black));
    }
  }

  // Today's emulator: only the options it has are offered; the era's profile gets them back.
  void TodaysEmulatorOffersOnlyItsOwnOptions() {
    Fixture f("[config]\nnorotate=yes\n");
    f.database.Dialect = kw::EmulatorDialect::kListxml;
    kw::TVideoFRM video(f.options);
    video.Prepare();
    QVERIFY(!video.Stretch->isEnabled());
    QVERIFY(!video.VesaMode->isEnabled());
    QVERIFY(!video.Beam->isEnabled() && !video.BeamVAL->isEnabled());
    QVERIFY(video.Gamma->isEnabled() && video.Res->isEnabled() && video.rol->isEnabled());
    video.tweak->click();  // disabled: a click does nothing, the rules enable nothing
    QVERIFY(!video.VesaMode->isEnabled() && !video.TripleBuffer->isEnabled());

    kw::TMiscFRM misc(f.options);
    misc.Prepare();
    QVERIFY(!misc.Emulate3->isEnabled() && !misc.HotRod->isEnabled());
    QVERIFY(!misc.CheatFile->isEnabled() && !misc.CheatFileBrowseBTN->isEnabled());
    QVERIFY(misc.log->isEnabled() && misc.Joystick->isEnabled());

    kw::TMAMEDirFRM dirs(f.options);
    dirs.Prepare();
    QVERIFY(!dirs.Memcard->isEnabled() && !dirs.BrowseButtons[4]->isEnabled());
    QVERIFY(dirs.Rompath->isEnabled() && dirs.BrowseButtons[6]->isEnabled());

    f.database.Dialect = kw::EmulatorDialect::kListinfo;
    video.Prepare();
    dirs.Prepare();
    QVERIFY(video.Stretch->isEnabled() && video.Beam->isEnabled());
    QVERIFY(dirs.Memcard->isEnabled() && dirs.BrowseButtons[4]->isEnabled());
  }

  void AudioAndMiscWindowsDisableWhatCannotApply() {
    Fixture f("[config]\nsoundcard=0\ncheat=no\nlanguage=klingon\n");
    kw::TAudioFRM audio(f.options);
    audio.Prepare();
    QCOMPARE(audio.SoundCard->currentText(), QString("None (silence)"));
    QVERIFY(!audio.SampleRate->isEnabled());
    QVERIFY(!audio.Volume->isEnabled());
    emit audio.SoundCard->activated(2);
    QCOMPARE(f.emulator.Config().config.soundcard, 1);
    QVERIFY(audio.Volume->isEnabled());

    kw::TMiscFRM misc(f.options);
    f.settings.ErrorLog = true;
    misc.Prepare();
    QVERIFY(misc.log->isChecked());  // the front-end's setting, each time the window shows
    QVERIFY(!misc.CheatFile->isEnabled());
    misc.cheat->click();
    QVERIFY(misc.CheatFile->isEnabled());
    QVERIFY(!misc.CheatEditBTN->isEnabled());  // no text editor
    const std::string chosen = f.dir.Write("Cheats.dat", "x");
    misc.SetFileHook([&](const QString& title, const QString&, const QString& dir,
                         const QString& proposed) -> std::optional<std::string> {
      if (title != "Select cheat file" || proposed != "CHEAT.DAT" ||
          dir != QString::fromStdString(f.dir.Path()))
        return std::nullopt;
      return chosen;
    });
    misc.CheatFileBrowseBTN->click();
    QCOMPARE(f.emulator.Config().config.cheatfile, std::string("Cheats.dat"));
    misc.log->click();
    QVERIFY(!f.settings.ErrorLog);

    // The 3-button mouse in a file without its line: switched on, the line is added to [config].
    QVERIFY(!misc.Emulate3->isChecked());
    misc.Emulate3->click();
    QVERIFY(f.emulator.WriteEmulatorConfig().Ok());
    const std::string written = f.dir.Read("mame.cfg");
    QVERIFY(written.find("\nemulate_three=YES\n") != std::string::npos);
    f.emulator.ReadEmulatorConfig();
    misc.Prepare();
    QVERIFY(misc.Emulate3->isChecked());
    misc.Emulate3->click();
    QVERIFY(f.emulator.WriteEmulatorConfig().Ok());
    QVERIFY(f.dir.Read("mame.cfg").find("\nemulate_three=NO\n") != std::string::npos);
  }

  void DirectoriesWindowNormalisesTheSearchPathsWhenItCloses() {
    Fixture f("[directory]\nrompath=.;roms\n");
    kw::TMAMEDirFRM dirs(f.options);
    dirs.Prepare();
    QCOMPARE(dirs.Rompath->text(), QString(".;roms"));
    dirs.SetDirectoryHook([](const QString& caption, const QString&) -> std::optional<std::string> {
      if (caption != "Choose roms directory:") return std::nullopt;
      return std::string("/games/roms");
    });
    dirs.BrowseButtons[6]->click();
    QCOMPARE(f.emulator.Config().directory.rompath, std::string("/games/roms"));
    dirs.SetDirectoryHook([](const QString&, const QString&) { return std::nullopt; });
    dirs.BrowseButtons[0]->click();  // cancelled: nothing changes
    QCOMPARE(f.emulator.Config().directory.inp, std::string("INP"));
    dirs.Closed();
    QCOMPARE(f.emulator.Config().directory.rompath, std::string(".;/games/roms"));
    QCOMPARE(dirs.Rompath->text(), QString(".;/games/roms"));
  }
};

QTEST_MAIN(OptionWindowsTest)
#include "option_windows_test.moc"
