// The progress window: its bar and percentage, its title, and the animation that starts over at
// every showing.
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include "ui/shell/working_window.h"

class WorkingWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void MinusOneHidesBarAndPercentage() {
    kw::TWorkingFRM w;
    w.SetProgress(50);
    w.show();
    QVERIFY(w.Progress->isVisible() && w.ProgressPercentage->isVisible());
    w.SetProgress(-1);
    QVERIFY(!w.Progress->isVisible());
    QVERIFY(!w.ProgressPercentage->isVisible());
  }

  void PercentShowsBarAtThatPositionAndTheNumber() {
    kw::TWorkingFRM w;
    w.SetOperation("Loading profile...");
    w.SetProgress(-1);
    w.show();
    w.SetProgress(37);
    QVERIFY(w.Progress->isVisible() && w.ProgressPercentage->isVisible());
    QCOMPARE(w.Progress->minimum(), 0);
    QCOMPARE(w.Progress->maximum(), 100);
    QCOMPARE(w.Progress->value(), 37);
    QCOMPARE(w.ProgressPercentage->text(), QString("37%"));
    QVERIFY(w.ProgressPercentage->alignment() & Qt::AlignRight);
    QCOMPARE(w.Operation->text(), QString("Loading profile..."));
  }

  void ShowingSetsTheTitleAndStartsTheAnimationFromItsFirstFrame() {
    kw::TWorkingFRM w;
    w.setWindowTitle("something else");
    w.show();
    QCOMPARE(w.windowTitle(), QString("Kestrelwing - Please wait..."));
    QVERIFY(w.Animate->Running());
    QCOMPARE(w.Animate->Frame(), 0);
    // A window without system buttons: no close button.
    QVERIFY(!(w.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(w.windowFlags() & Qt::WindowSystemMenuHint));

    QTRY_VERIFY(w.Animate->Frame() > 0);
    w.hide();
    QVERIFY(!w.Animate->Running());
    w.show();
    QCOMPARE(w.Animate->Frame(), 0);
    QVERIFY(w.Animate->Running());
  }

  void TheUserCannotCloseIt() {
    kw::TWorkingFRM w;
    w.show();
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(w.isVisible());
  }
};

QTEST_MAIN(WorkingWindowTest)
#include "working_window_test.moc"
