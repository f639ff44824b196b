// The user interface on screen: the message box the rules ask for, the busy cursor, and the
// progress and report windows it drives.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/shared/report_document.h"
#include "ui/shell/qt_user_interface.h"
#include "ui/shell/working_window.h"

namespace {

struct ShownBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
};

// Once the box is up, notes what it shows and presses the button with `answer`'s role.
void AnswerNextBox(ShownBox& shown, QMessageBox::StandardButton answer) {
  QTimer::singleShot(0, [&shown, answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    shown.title = box->windowTitle();
    shown.text = box->text();
    shown.icon = box->icon();
    for (QAbstractButton* b : box->buttons())
      shown.buttons << b->text().remove('&');
    shown.buttons.sort();
    box->button(answer)->click();
  });
}

}  // namespace

class QtUserInterfaceTest : public QObject {
  Q_OBJECT

 private slots:
  void AskShowsAProductBoxWithLinesIconAndButtons() {
    kw::TWorkingFRM working;
    kw::QtUserInterface ui(working, nullptr);

    ShownBox shown;
    AnswerNextBox(shown, QMessageBox::No);
    QCOMPARE(ui.Ask("Cannot find X.KSL profile!\rDo you want to create a new profile?\r",
                    kw::MsgIcon::Error, kw::MsgButtons::YesNo),
             kw::MsgAnswer::No);
    QCOMPARE(shown.title, QString("Kestrelwing"));
    QCOMPARE(shown.text,
             QString("Cannot find X.KSL profile!\nDo you want to create a new profile?\n"));
    QCOMPARE(shown.icon, QMessageBox::Critical);
    QCOMPARE(shown.buttons, (QStringList{"No", "Yes"}));

    ShownBox retry;
    AnswerNextBox(retry, QMessageBox::Retry);
    QCOMPARE(ui.Ask("Insert the disc", kw::MsgIcon::Question, kw::MsgButtons::RetryCancel),
             kw::MsgAnswer::Retry);
    QCOMPARE(retry.icon, QMessageBox::Question);
    QCOMPARE(retry.buttons, (QStringList{"Cancel", "Retry"}));

    ShownBox warning;
    AnswerNextBox(warning, QMessageBox::Ok);
    QCOMPARE(ui.Ask("Careful", kw::MsgIcon::Warning, kw::MsgButtons::Ok), kw::MsgAnswer::Ok);
    QCOMPARE(warning.icon, QMessageBox::Warning);
    QCOMPARE(warning.buttons, QStringList{"OK"});
  }

  void TextsAreDecodedAsUtf8OrWindows1252() {
    QCOMPARE(kw::QtUserInterface::MessageText("Caf\xc3\xa9\rB"), QString::fromUtf8("Café\nB"));
    QCOMPARE(kw::QtUserInterface::MessageText("Caf\xe9 \x80"), QString::fromUtf8("Café €"));
  }

  void TheHookAnswersInsteadOfTheUser() {
    kw::TWorkingFRM working;
    kw::QtUserInterface ui(working, nullptr);
    QString seen;
    ui.SetAskHook([&](const QString& text, kw::MsgIcon icon, kw::MsgButtons buttons) {
      seen = text;
      return icon == kw::MsgIcon::Question && buttons == kw::MsgButtons::YesNo ? kw::MsgAnswer::No
                                                                               : kw::MsgAnswer::Ok;
    });
    QCOMPARE(ui.Ask("One\rTwo", kw::MsgIcon::Question, kw::MsgButtons::YesNo), kw::MsgAnswer::No);
    QCOMPARE(seen, QString("One\nTwo"));

    std::string title;
    ui.SetReportHook([&](const kw::ReportDocument& doc) { title = doc.ReportTitle; });
    kw::ReportDocument doc;
    doc.ReportTitle = "Verify sets";
    ui.ShowReport(doc);
    QCOMPARE(title, std::string("Verify sets"));
  }

  void BusyCursorComesAndGoesInPairs() {
    kw::TWorkingFRM working;
    kw::QtUserInterface ui(working, nullptr);
    ui.SetBusy(false);  // an "off" with nothing on takes nobody's cursor away
    QVERIFY(!QApplication::overrideCursor());
    ui.SetBusy(true);
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.SetBusy(false);
    QVERIFY(!QApplication::overrideCursor());
  }

  void TheMainWindowTakesNoInputWhileWorkRuns() {
    kw::TWorkingFRM working;
    kw::QtUserInterface ui(working, nullptr);
    QWidget window;
    auto* button = new QPushButton("Play", &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ui.SetParentWindow(&window);
    int clicks = 0;
    connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });

    ui.SetOperation("Loading profile...");
    ui.ShowProgress();
    QVERIFY(ui.InputBlocked());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 0);
    ui.HideProgress();
    QVERIFY(!ui.InputBlocked());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 1);

    ui.SetBusy(true);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    ui.SetBusy(false);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
  }

  void ProgressGoesToTheProgressWindow() {
    kw::TWorkingFRM working;
    kw::QtUserInterface ui(working, nullptr);
    ui.SetOperation("Sorting games...");
    ui.SetProgress(-1);
    ui.ShowProgress();
    QVERIFY(working.isVisible());
    QCOMPARE(working.Operation->text(), QString("Sorting games..."));
    QVERIFY(!working.Progress->isVisible());
    ui.SetProgress(80);
    QCOMPARE(working.ProgressPercentage->text(), QString("80%"));
    ui.HideProgress();
    QVERIFY(!working.isVisible());
  }
};

QTEST_MAIN(QtUserInterfaceTest)
#include "qt_user_interface_test.moc"
