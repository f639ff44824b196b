// The statistics window: rows and picture as the report says, and the main window's menu items
// that show it.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <vector>

#include "app/gui_program.h"
#include "core/launch/stats_report.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "ui/launch/stat_window.h"
#include "ui/launch/stats_panel.h"
#include "ui/shell/main_window.h"

namespace {

kw::PlayRecord Rec(const char* name, unsigned times) {
  kw::PlayRecord r;
  r.StatSetName = name;
  r.TotTimes = times;
  return r;
}

kw::StatisticsReport Report(std::vector<kw::PlayRecord> records) {
  static const kw::GameDatabase db = [] {
    kw::GameDatabase d;
    kw::GameEntry e;
    e.Name = "PACMAN";
    e.Description = "Pac-Man";
    d.AddGame(e);
    return d;
  }();
  return kw::BuildStatisticsReport(records, kw::StatsMode::Plays, db, "Kestrelwing");
}

QImage Picture(const kw::TStatFRM& w) {
  return w.Graph->pixmap().toImage();
}

// The pixel of the picture at `degrees` (counter-clockwise from the right) and `radius`.
QColor At(const QImage& image, double degrees, int radius) {
  const double a = degrees * 3.14159265358979 / 180.0;
  return image.pixelColor(92 + static_cast<int>(std::lround(radius * std::cos(a))),
                          92 - static_cast<int>(std::lround(radius * std::sin(a))));
}

}  // namespace

class StatWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void RowsTakeTheirCaptionsAndColours() {
    kw::TStatFRM w;
    w.ShowReport(Report({Rec("PACMAN", 3), Rec("GALAGA", 1)}));
    QCOMPARE(w.windowTitle(), QString("Kestrelwing - Statistics report by number of plays"));
    QCOMPARE(w.GamePNL[0]->text(), QString("75.00%"));
    QCOMPARE(w.GamePNL[0]->palette().color(QPalette::Window), QColor(0, 0, 255));
    QCOMPARE(w.GamePNL[0]->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QCOMPARE(w.GameLBL[0]->text(), QString("3 - [PACMAN] = Pac-Man"));
    QCOMPARE(w.GamePNL[2]->text(), QString("0%"));
    QCOMPARE(w.GamePNL[2]->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Button));
    QCOMPARE(w.GameLBL[2]->text(), QString("Not available"));
    QCOMPARE(w.NPlays->text(), QString("4"));
    QCOMPARE(w.Graph->size(), QSize(185, 185));
    QVERIFY(w.findChild<QLabel*>("Game8PNL") && w.findChild<QLabel*>("Game8LBL"));

    // The slices: blue from the right-hand middle round to the bottom, fuchsia after it.
    const QImage picture = Picture(w);
    QCOMPARE(At(picture, 45, 60), QColor(0, 0, 255));
    QCOMPARE(At(picture, 225, 60), QColor(0, 0, 255));
    QCOMPARE(At(picture, 315, 60), QColor(255, 0, 255));
    QCOMPARE(picture.pixelColor(2, 2), w.palette().color(QPalette::Window));  // outside
  }

  void TheOtherGamesAreHatched() {
    std::vector<kw::PlayRecord> nine(9, Rec("G", 1));  // the last 2 of 9: 280 to 360 degrees
    kw::TStatFRM w;
    w.ShowReport(Report(nine));
    QCOMPARE(w.GameLBL[7]->text(), QString("2 - Other games"));
    const QImage picture = Picture(w);
    const QColor window = w.palette().color(QPalette::Window);
    int grey = 0, gaps = 0;
    for (int radius = 40; radius < 60; ++radius) {
      const QColor c = At(picture, 320, radius);
      if (c == QColor(128, 128, 128)) ++grey;
      if (c == window) ++gaps;
    }
    QVERIFY2(grey > 0 && gaps > 0, "a cross of grey lines with the window between them");
    QCOMPARE(At(picture, 20, 50), QColor(0, 0, 255));  // a solid slice has no gaps
  }

  void ZeroTotalsAndNoRecordsDrawNoSlices() {
    kw::TStatFRM w;
    w.ShowReport(Report({Rec("PACMAN", 0), Rec("GALAGA", 0)}));
    QCOMPARE(w.GamePNL[0]->text(), QString("0.00%"));
    QCOMPARE(w.GamePNL[1]->text(), QString("0.00%"));
    const QColor window = w.palette().color(QPalette::Window);
    QCOMPARE(At(Picture(w), 45, 40), window);
    QCOMPARE(At(Picture(w), 225, 40), window);

    w.ShowReport(Report({}));  // the full grey hatched circle
    QCOMPARE(w.GamePNL[0]->text(), QString("0%"));
    QCOMPARE(w.GamePNL[0]->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Button));
    int grey = 0;
    for (int radius = 0; radius < 90; ++radius)
      grey += At(Picture(w), 100, radius) == QColor(128, 128, 128);
    QVERIFY(grey > 0);
  }

  void TheMenuItemsShowTheWindowAndResetAsks() {
    kw::test::TempDir home;
    home.Write("STATS.INI", "[PACMAN]\nTotTimes=2\nTotHours=1\n");
    kw::test::ScriptedUi ui;
    kw::TMainFRM main;
    kw::GuiProgram program{ui, main, kw::AppNames::Compute(home.Path(), "/usr/bin/")};
    program.statistics.Load();
    kw::TStatFRM& w = main.Stats().Window();
    QString shown;
    QTimer::singleShot(0, &w, [&] {
      shown = w.windowTitle() + " " + w.GameLBL[0]->text();
      w.CloseBTN->click();
    });
    main.PlayTimeOPT->trigger();
    QCOMPARE(shown, QString("Kestrelwing - Statistics report by playing time "
                            "01:00:00 - [PACMAN] (game not supported by current profile)"));
    QVERIFY(!w.isVisible());

    ui.answers = {kw::MsgAnswer::Yes};
    main.ResetStatsOPTClick();
    QCOMPARE(ui.messages.size(), std::size_t{1});
    QVERIFY(program.stats.Records().empty());
  }
};

QTEST_MAIN(StatWindowTest)
#include "stat_window_test.moc"
