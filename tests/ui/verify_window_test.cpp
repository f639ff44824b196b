// The verify window: its layout, the boxes that enable each other through clicks, and a run
// driven through the window's buttons and the controller, with the abort question answered by
// the user interface.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "core/audit/set_status_controller.h"
#include "core/profile/listinfo_parser.h"
#include "core/reports/verify_controller.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "support/temp_dir.h"
#include "ui/reports/verify_window.h"
#include "ui/shell/qt_user_interface.h"
#include "ui/shell/working_window.h"

// The window's controller over a profile of one set, ALPHA, whose one ROM is not there: a run
// finds one missing ROM when absent sets are not skipped.
struct Verification {
  Verification(kw::UserInterface& ui, const std::string& dir) {
    names.ProgramDir = dir;
    (void)kw::ParseListinfoText("game (\n name alpha\n\trom ( name a.1 size 4 crc 12345678 )\n)\n",
                                db);
    db.EmulatorDir = dir + "emu/";
    db.EmulatorExe = "mame";
    db.ProfileLoaded = true;
    config.Config().directory.rompath = dir + "roms";
    config.Config().directory.samplepath = dir + "samples";
    controller =
        std::make_unique<kw::VerifyController>(ui, settings, db, config, set_status, names);
  }
  kw::VerifyForm& Form() { return controller->Form(); }

  kw::FrontEndSettings settings;
  kw::AppNames names;
  kw::GameDatabase db;
  kw::EmulatorConfigController config{db, "$KSTEMP$"};
  kw::SetStatusController set_status{db, names};
  std::unique_ptr<kw::VerifyController> controller;
};

// The window with the user's clicks played whenever the run lets its messages run.
class ScriptedVerifyWindow : public kw::TVerifyFRM {
 public:
  using TVerifyFRM::TVerifyFRM;
  void ProcessMessages() override {
    TVerifyFRM::ProcessMessages();
    if (on_messages) on_messages();
  }
  std::function<void()> on_messages;
};

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
    Verification verification(ui_, dir_.Path());
    kw::TVerifyFRM window(dir_.Path());
    window.Attach(*verification.controller, dir_ / "emu");
    QCOMPARE(window.size(), QSize(424, 526));
    QCOMPARE(window.windowTitle(), QString("Kestrelwing - Verify sets"));
    QVERIFY(!(window.windowFlags() & Qt::WindowSystemMenuHint));
    QVERIFY(!(window.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(window.OptionsGRP->title(), QString(" Options "));
    QCOMPARE(window.ProgressGRP->title(), QString(" Progress "));
    QCOMPARE(window.ReportNoGoodDump->text(),
             QString("Report \"no good dump known\" missing files"));
    QCOMPARE(window.LogFileName->text(), QString::fromStdString(dir_ / "REPORT.TXT"));
    // Each member holds the box of the option it is named after.
    const std::pair<QCheckBox*, const char*> members[] = {
        {window.VerifyRoms, "VerifyRoms"},
        {window.RomClones, "RomClones"},
        {window.ReportNoGoodDump, "ReportNoGoodDump"},
        {window.VerifySamples, "VerifySamples"},
        {window.VerifySampleQuality, "VerifySampleQuality"},
        {window.SkipNotPresent, "SkipNotPresent"},
        {window.VerifyScreenshot, "VerifyScreenshot"},
        {window.VerifyCabinets, "VerifyCabinets"},
        {window.VerifyFlyers, "VerifyFlyers"},
        {window.VerifyHardware, "VerifyHardware"},
        {window.ScreenshotDetail, "ScreenshotDetail"},
        {window.ReportUnused, "ReportUnused"},
        {window.ReportUnsupported, "ReportUnsupported"},
        {window.QuickCheck, "QuickCheck"}};
    for (const auto& [box, name] : members)
      QCOMPARE(box->objectName(), QString(name));
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
    Verification verification(ui_, dir_.Path());
    kw::TVerifyFRM window(dir_.Path());
    window.Attach(*verification.controller, dir_ / "emu");
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
    const kw::VerifyForm& form = verification.Form();
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
    Verification verification(ui_, dir_.Path());
    verification.Form().Options.SkipNotPresent = false;
    ScriptedVerifyWindow window(dir_.Path());
    QStringList questions;
    bool asked_as_warning = true;
    QList<kw::MsgAnswer> answers{kw::MsgAnswer::No, kw::MsgAnswer::Yes};
    ui_.SetAskHook([&](const QString& text, kw::MsgIcon icon, kw::MsgButtons buttons) {
      asked_as_warning &= icon == kw::MsgIcon::Warning && buttons == kw::MsgButtons::YesNo;
      questions << text;
      return answers.takeFirst();
    });
    const std::string report = dir_.Write("REPORT.TXT", "an old report");
    dir_.Write("emu/$KSTEMP$/a.rom", "x");
    bool report_kept_until_return = false;
    // The user presses Abort as the run begins and says "No"; once the missing ROM shows, Esc
    // and "Yes".
    window.on_messages = [&] {
      if (verification.Form().State != kw::VerifyRunState::Running) return;
      if (questions.empty()) {
        QCOMPARE(window.AbortBTN->text(), QString("Abort"));
        QVERIFY(!window.GoBTN->isEnabled() && !window.VerifyRoms->isEnabled());
        QVERIFY(!window.LogFileName->isEnabled() && !window.OpenInEditor->isEnabled());
        QCOMPARE(window.LogFileName->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Button));
        QVERIFY(window.ElapsedTMR->isActive());
        window.AbortBTN->click();
        QVERIFY(window.isVisible());
      } else if (questions.size() == 1 && window.Counters[0]->text() == "1") {
        QTest::keyClick(&window, Qt::Key_Escape);
        report_kept_until_return = std::filesystem::exists(report);
      }
    };
    WhenShown(window, [&] { window.GoBTN->click(); });
    QCOMPARE(window.Run(*verification.controller, dir_ / "emu"), int(QDialog::Rejected));
    QCOMPARE(questions.size(), 2);
    QVERIFY(asked_as_warning);
    QVERIFY(questions[0].startsWith("This will terminate the rom scanning") &&
            questions[0].contains("\nAre you sure"));
    QVERIFY(report_kept_until_return);
    QCOMPARE(window.Counters[0]->text(), QString("1"));
    QVERIFY(!std::filesystem::exists(report));
    QVERIFY(!std::filesystem::exists(dir_ / "emu/$KSTEMP$"));
    ui_.SetAskHook(nullptr);
  }

  void AFinishedRunClosesWithOkAndTheNextShowingStartsAfresh() {
    Verification verification(ui_, dir_.Path());
    verification.Form().Options.SkipNotPresent = false;
    kw::TVerifyFRM window(dir_.Path());
    WhenShown(window, [&] {
      window.OpenInEditor->click();
      window.GoBTN->click();  // returns when the run has
      QCOMPARE(window.AbortBTN->text(), QString("Close"));
      QVERIFY(!window.GoBTN->isEnabled() && !window.VerifyRoms->isEnabled());
      QVERIFY(!window.ElapsedTMR->isActive());
      window.AbortBTN->click();
    });
    QCOMPARE(window.Run(*verification.controller, dir_ / "emu"), int(QDialog::Accepted));
    QCOMPARE(window.Counters[0]->text(), QString("1"));
    QCOMPARE(window.PassName->text(), QString("Done"));
    QCOMPARE(window.ProgressBAR->value(), 100);
    QVERIFY(std::filesystem::exists(dir_ / "REPORT.TXT"));

    window.Attach(*verification.controller, dir_ / "emu");
    QCOMPARE(window.Counters[0]->text(), QString("0"));
    QCOMPARE(window.PassName->text(), QString());
    QCOMPARE(window.ProgressBAR->value(), 0);
    QCOMPARE(window.AbortBTN->text(), QString("Cancel"));
    QVERIFY(window.GoBTN->isEnabled() && window.VerifyRoms->isEnabled());
    QVERIFY(!window.OpenInEditor->isChecked());  // the options outlive the showing
  }
};

QTEST_MAIN(VerifyWindowTest)
#include "verify_window_test.moc"
