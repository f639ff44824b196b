// Pictures of the windows for the documentation, taken from a real first start: the welcome, the
// profile-creation notice, then the main window without a profile; then the About and progress
// windows. Runs only when KW_SCREENSHOT_DIR names the directory to write to; with a window
// manager the pictures include the window frames:
//   xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'openbox & sleep 1;
//   KW_SCREENSHOT_DIR=docs QT_QPA_PLATFORM=xcb BUILD/tests/screenshots_test'
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <memory>

#include "app/gui_program.h"
#include "platform/system_info.h"
#include "support/temp_dir.h"
#include "ui/reports/report_window.h"
#include "ui/shell/about_window.h"
#include "ui/shell/main_window.h"
#include "ui/shell/program_font.h"
#include "ui/shell/qt_user_interface.h"
#include "ui/shell/working_window.h"

namespace {

// The window as the screen shows it, frame included when a window manager drew one.
QImage Grab(QWidget* w) {
  QTest::qWait(400);  // let the window paint
  if (QGuiApplication::platformName() != "xcb") return w->grab().toImage();
  // The window manager frames the window a little after it appears; now and then Qt reads the
  // frame while it is still being made, and showing the window again reads it anew.
  for (int attempt = 0; attempt < 5; ++attempt) {
    for (int i = 0; i < 40 && w->frameGeometry().size() == w->size(); ++i)
      QTest::qWait(50);
    const QRect frame = w->frameGeometry();
    if (frame.contains(w->geometry()))
      return w->screen()
          ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
          .toImage();
    w->hide();
    w->show();
    QTest::qWait(300);
  }
  return {};  // the frame could not be read: run the pictures again
}

bool Save(const QImage& image, const QString& path) {
  if (image.isNull()) qWarning("%s: the window's frame could not be read", qPrintable(path));
  return !image.isNull() && image.save(path);
}

}  // namespace

class ScreenshotsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (qEnvironmentVariableIsEmpty("KW_SCREENSHOT_DIR"))
      QSKIP("set KW_SCREENSHOT_DIR to take the pictures");
    out_ = QDir(qEnvironmentVariable("KW_SCREENSHOT_DIR"));
    QVERIFY(out_.mkpath("."));
    kw::InstallProgramFont();
  }

  void FirstStartWindows() {
    kw::test::TempDir home;
    qputenv("KESTRELWING_HOME", QByteArray::fromStdString(home.Path()));
    QVERIFY(kw::platform::EnsureProgramDir(kw::platform::ShippedDataDir()));

    kw::TMainFRM window;
    kw::TWorkingFRM working;
    kw::TAboutFRM about(&window);
    kw::TReportFRM report(&window);
    kw::QtUserInterface ui(working, &report);
    ui.SetParentWindow(&window);
    QStringList messages;
    ui.SetAskHook([&](const QString& text, kw::MsgIcon, kw::MsgButtons) {
      messages << text;
      return kw::MsgAnswer::Ok;
    });
    kw::GuiProgram program(
        ui, window, kw::AppNames::Compute(kw::platform::ProgramDir(), kw::platform::SystemDir()));
    kw::MainShell& shell = program.shell;
    window.SetAboutWindow(&about);

    shell.FormCreate();
    QCOMPARE(window.windowTitle(), QString("Kestrelwing"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    shell.FormShow({});
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages[0].startsWith("Hi and welcome to Kestrelwing!\n"));
    QVERIFY(messages[1].startsWith("Profile creation"));
    QCOMPARE(window.windowTitle(), QString("Kestrelwing - no profile loaded"));
    QVERIFY(Save(Grab(&window), out_.filePath("main-window.png")));

    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(Save(Grab(&about), out_.filePath("about-window.png")));
    about.hide();

    ui.SetOperation("Parsing MAME listinfo file...");
    ui.SetProgress(37);
    ui.ShowProgress();
    QVERIFY(QTest::qWaitForWindowExposed(&working));
    QVERIFY(Save(Grab(&working), out_.filePath("working-window.png")));
    ui.HideProgress();

    shell.FormDestroy();
  }

 private:
  QDir out_;
};

QTEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
