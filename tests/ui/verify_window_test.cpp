// The verify window: its layout, the boxes that enable each other through clicks, and a run
// driven through the window's buttons with the abort question answered by the user interface.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "support/temp_dir.h"
#include "ui/reports/verify_window.h"
#include "ui/shell/qt_user_interface.h"
#include "ui/shell/working_window.h"

class VerifyWindowTest : public QObject {
  Q_OBJECT

 private:
  kw::test::TempDir dir_;
  kw::TWorkingFRM working_;
  kw::QtUserInterface ui_{working_, nullptr};

  static void Click(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, 8)); }
  // Runs `action` once the modal window is on screen.
  static void WhenShown(QWidget& window, std::function<void()> action) {
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, [poll, &window, action] {
      if (!window.isVisible()) return;
      poll->deleteLater();
      poll->stop();
      action();
    });
    poll->start(10);
  }

 private slots:
  void TheWindowIsLaidOutAsTheProgramShowsIt() {
    kw::VerifyForm form(ui_, "Kestrelwing", dir_.Path());
    kw::TVerifyFRM window(dir_.Path());
    window.Attach(form, dir_ / "emu");
    QCOMPARE(window.size(), QSize(424, 526));
    QCOMPARE(window.windowTitle(), QString("Kestrelwing - Verify sets"));
    QVERIFY(!(window.windowFlags() & Qt::WindowSystemMenuHint));
    QVERIFY(!(window.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(window.OptionsGRP->title(), QString(" Options "));
    QCOMPARE(window.ProgressGRP->title(), QString(" Progress "));
    QCOMPARE(window.ReportNoGoodDump->text(),
             QString("Report \"no good dump known\" missing files"));
    QCOMPARE(window.LogFileName->text(), QString::fromStdString(dir_ / "REPORT.TXT"));
    // The check marks a new window starts with, in the order Tab goes through them.
    const QList<QCheckBox*> boxes = window.OptionsGRP->findChildren<QCheckBox*>();
    QString marks;
    for (QCheckBox* b : boxes)
      marks += b->isChecked() ? '1' : '0';
    QCOMPARE(marks, QString("110111100000001"));  // quick check off
    QCOMPARE(boxes.front(), window.VerifyRoms);
    QCOMPARE(window.VerifyRoms->nextInFocusChain(), window.RomClones);
    for (QWidget* w : window.findChildren<QWidget*>())
      QVERIFY2(QRect(0, 0, 424, 526).contains(w->geometry()) || w->parentWidget() != &window,
               qPrintable(w->objectName()));

    QVERIFY(window.PassName->font().bold() && window.Counters[11]->font().bold());
    QCOMPARE(window.Counters[3]->objectName(), QString("NoGoodMissing"));
    QCOMPARE(window.findChild<QLabel*>("NoGoodMissingLBL")->text(),
             QString("Total missing no good dumps:"));
    QCOMPARE(window.Clones->text(), QString("0"));
    QCOMPARE(window.Counters[0]->text(), QString("0"));
    QCOMPARE(window.ElapsedTime->text(), QString("00:00:00"));
    QVERIFY(window.ProgressBAR->font().bold());
    QCOMPARE(window.ProgressBAR->palette().color(QPalette::Highlight), QColor(0, 0, 255));
    QVERIFY(window.GoBTN->isDefault() && window.GoBTN->isEnabled());
    QCOMPARE(window.AbortBTN->text(), QString("Cancel"));
    QCOMPARE(window.ElapsedTMR->interval(), 1000);
    QVERIFY(!window.ElapsedTMR->isActive());
  }

  void ClickedBoxesEnableTheirDependents() {
    kw::VerifyForm form(ui_, "Kestrelwing", dir_.Path());
    kw::TVerifyFRM window(dir_.Path());
    window.Attach(form, dir_ / "emu");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    Click(window.VerifyRoms);
    QVERIFY(!window.VerifyRoms->isChecked());
    QVERIFY(!window.RomClones->isEnabled() && window.RomClones->isChecked());
    QVERIFY(window.SkipNotPresent->isEnabled());
    Click(window.VerifySamples);
    QVERIFY(!window.SkipNotPresent->isEnabled() && window.SkipNotPresent->isChecked());
    QVERIFY(!window.VerifySampleQuality->isEnabled() && !window.ReportUnused->isEnabled());
    QVERIFY(window.GoBTN->isEnabled());  // screenshots are still verified
    Click(window.VerifyScreenshot);
    QVERIFY(!window.GoBTN->isEnabled() && !window.ScreenshotDetail->isEnabled());
    Click(window.ReportUnsupported);
    QVERIFY(window.GoBTN->isEnabled());
    Click(window.ReportUnsupported);
    Click(window.VerifyFlyers);
    QVERIFY(window.GoBTN->isEnabled() && window.ScreenshotDetail->isEnabled());
    QVERIFY(form.Options.VerifyFlyers && form.Options.SkipNotPresent && !form.Options.VerifyRoms);

    std::string initial, proposed;
    window.SetBrowseHook([&](const std::string& in, const std::string& name) {
      initial = in;
      proposed = name;
      return std::optional<std::string>(dir_ / "other.TXT");
    });
    window.LogFileBrowseBTN->click();
    QCOMPARE(initial, dir_.Path());
    QCOMPARE(proposed, dir_ / "REPORT.TXT");
    QCOMPARE(window.LogFileName->text(), QString::fromStdString(dir_ / "other.TXT"));
    QCOMPARE(form.Options.LogFileName, dir_ / "other.TXT");
  }

  void AnAbortIsConfirmedAndCleansUpAfterTheRun() {
    kw::VerifyForm form(ui_, "Kestrelwing", dir_.Path());
    kw::TVerifyFRM window(dir_.Path());
    QStringList questions;
    bool asked_as_warning = true;
    QList<kw::MsgAnswer> answers{kw::MsgAnswer::No, kw::MsgAnswer::Yes};
    ui_.SetAskHook([&](const QString& text, kw::MsgIcon icon, kw::MsgButtons buttons) {
      asked_as_warning &= icon == kw::MsgIcon::Warning && buttons == kw::MsgButtons::YesNo;
      questions << text;
      return answers.takeFirst();
    });
    const std::string report = dir_ / "REPORT.TXT";
    const std::string temp = dir_.Write("emu/$KSTEMP$/a.rom", "x");
    bool stopped = false;
    int checks_after_no = 0;
    form.SetGoHook([&](kw::VerifyForm& f) {
      dir_.Write("REPORT.TXT", "begun");
      f.BeginRun();
      QCOMPARE(window.AbortBTN->text(), QString("Abort"));
      QVERIFY(!window.GoBTN->isEnabled() && !window.VerifyRoms->isEnabled());
      QVERIFY(!window.LogFileName->isEnabled() && !window.OpenInEditor->isEnabled());
      QCOMPARE(window.LogFileName->palette().color(QPalette::Base),
               QApplication::palette().color(QPalette::Button));
      QVERIFY(window.ElapsedTMR->isActive());
      f.ShowCounters({.MissingRoms = 4});
      // The user presses Abort, then Esc: "No", then "Yes".
      QTimer::singleShot(0, window.AbortBTN, &QPushButton::click);
      while (questions.size() < 1)
        stopped = f.CheckAbort();
      QVERIFY(!stopped && window.isVisible());
      QTimer::singleShot(0, &window, [&] { QTest::keyClick(&window, Qt::Key_Escape); });
      while (!stopped) {
        stopped = f.CheckAbort();
        ++checks_after_no;
      }
      QVERIFY(std::filesystem::exists(report) && std::filesystem::exists(temp));
    });
    WhenShown(window, [&] { window.GoBTN->click(); });
    QCOMPARE(window.Run(form, dir_ / "emu"), int(QDialog::Rejected));
    QCOMPARE(questions.size(), 2);
    QVERIFY(asked_as_warning);
    QVERIFY(questions[0].startsWith("This will terminate the rom scanning") &&
            questions[0].contains("\nAre you sure"));
    QVERIFY(stopped && checks_after_no >= 1);
    QCOMPARE(window.Counters[0]->text(), QString("4"));
    QVERIFY(!std::filesystem::exists(report));
    QVERIFY(!std::filesystem::exists(dir_ / "emu/$KSTEMP$"));
    ui_.SetAskHook(nullptr);
  }

  void AFinishedRunClosesWithOkAndTheNextShowingStartsAfresh() {
    kw::VerifyForm form(ui_, "Kestrelwing", dir_.Path());
    kw::TVerifyFRM window(dir_.Path());
    form.SetGoHook([&](kw::VerifyForm& f) {
      f.BeginRun();
      f.ShowCounters({.SkippedSets = 7});
      f.ShowStatus("Done", "", "0");
      f.ShowProgress(100);
      f.StopTimer();
      f.FinishRun();
      QCOMPARE(window.AbortBTN->text(), QString("Close"));
      QVERIFY(!window.GoBTN->isEnabled() && !window.VerifyRoms->isEnabled());
      QVERIFY(!window.ElapsedTMR->isActive());
      QTimer::singleShot(0, window.AbortBTN, &QPushButton::click);
    });
    WhenShown(window, [&] {
      window.OpenInEditor->click();
      window.GoBTN->click();
    });
    QCOMPARE(window.Run(form, dir_ / "emu"), int(QDialog::Accepted));
    QCOMPARE(window.Counters[11]->text(), QString("7"));
    QCOMPARE(window.PassName->text(), QString("Done"));
    QCOMPARE(window.ProgressBAR->value(), 100);

    window.Attach(form, dir_ / "emu");
    QCOMPARE(window.Counters[11]->text(), QString("0"));
    QCOMPARE(window.PassName->text(), QString());
    QCOMPARE(window.ProgressBAR->value(), 0);
    QCOMPARE(window.AbortBTN->text(), QString("Cancel"));
    QVERIFY(window.GoBTN->isEnabled() && window.VerifyRoms->isEnabled());
    QVERIFY(!window.OpenInEditor->isChecked());  // the options outlive the showing
  }
};

QTEST_MAIN(VerifyWindowTest)
#include "verify_window_test.moc"
