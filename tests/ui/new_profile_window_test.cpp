// The new-profile window shows its form's steps and forwards its buttons; the user interface
// waits for a program with the windows alive and offers to end one that does not come back.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "ui/profile/new_profile_window.h"
#include "ui/reports/report_window.h"
#include "ui/shell/qt_user_interface.h"
#include "ui/shell/working_window.h"

class NewProfileWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void TheButtonsTakeTheWindowThroughItsTwoSteps() {
    kw::test::TempDir home;
    const std::string emulator = home.Write("emu/mame", "");
    kw::test::ScriptedUi ui;
    kw::NewProfileForm form(ui, "Kestrelwing", home.Path(), "", home.Path());
    form.Show();
    kw::TNewMameFRM window;
    window.Attach(form);
    QCOMPARE(window.windowTitle(), QString("Kestrelwing - New emulator file"));
    QCOMPARE(window.FileNameLBL->text(), QString("Emulator executable file:"));
    QVERIFY(window.HintLBL->text().startsWith("In order to run games"));
    QVERIFY(window.HintLBL->text().contains('\n'));
    QVERIFY(window.NextBTN->isEnabled() && !window.GoBTN->isEnabled());
    QVERIFY(window.CancelBTN->isDefault());

    QTest::keyClicks(window.FileName, QString::fromStdString(home / "emu/none"));
    window.NextBTN->click();
    QCOMPARE(ui.messages.size(), std::size_t{1});
    QVERIFY(window.NextBTN->isEnabled());

    window.FileName->setText(QString::fromStdString(emulator));
    window.NextBTN->click();
    QCOMPARE(window.FileNameLBL->text(), QString("Profile file name:"));
    QCOMPARE(window.FileName->text(), QString::fromStdString(home / "mame.KSL"));
    QVERIFY(!window.NextBTN->isEnabled() && window.GoBTN->isEnabled());
    window.GoBTN->click();
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(form.ProfilePath, home / "mame.KSL");
  }

  void AProgramThatDoesNotComeBackCanBeEnded() {
    kw::TWorkingFRM working;
    kw::QtUserInterface ui(working, nullptr);
    bool offered = false;
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
      if (!working.EndBTN->isVisible()) return;
      offered = true;
      working.EndBTN->click();
    });
    press.start(50);
    QVERIFY(!ui.AwaitProgram([] { return false; }, true));
    QVERIFY(offered);
    QVERIFY(!working.isVisible() && !working.EndBTN->isVisible());
    int polls = 0;
    QVERIFY(ui.AwaitProgram([&polls] { return ++polls > 3; }, false));
  }
};

QTEST_MAIN(NewProfileWindowTest)
#include "new_profile_window_test.moc"
