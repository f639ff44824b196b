// The About window: its title, and the logo running through its twelve frames and back.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ui/shell/about_window.h"

class AboutWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowingSetsTheTitleAndStartsTheLogoAtFrameOne() {
    kw::TAboutFRM w;
    w.show();
    QCOMPARE(w.windowTitle(), QString("Kestrelwing - About"));
    QVERIFY(w.LogoTMR->isActive());
    QCOMPARE(w.LogoTMR->interval(), 55);
    QCOMPARE(w.LogoFrame(), 1);
    QVERIFY(!w.Logo->pixmap().isNull());
    QVERIFY(w.findChild<QWidget*>("OkBTN"));
  }

  void TicksShowEveryFrameUpAndBackAndClosingStopsThem() {
    kw::TAboutFRM w;
    w.show();
    QList<int> frames;
    for (int i = 0; i < 24; ++i) {
      w.LogoTMRTimer();
      frames << w.LogoFrame();
      QVERIFY2(!w.Logo->pixmap().isNull(), qPrintable(QString::number(w.LogoFrame())));
    }
    QCOMPARE(frames, (QList<int>{1,  2,  3, 4, 5, 6, 7, 8, 9, 10, 11, 12,
                                 11, 10, 9, 8, 7, 6, 5, 4, 3, 2,  1,  2}));
    w.OkBTN->click();
    QVERIFY(!w.isVisible());
    QVERIFY(!w.LogoTMR->isActive());

    // Shown again, it starts over at frame 1 going up.
    w.show();
    w.LogoTMRTimer();
    w.LogoTMRTimer();
    QCOMPARE(w.LogoFrame(), 2);
  }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
