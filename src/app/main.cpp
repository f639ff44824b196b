// The program: makes the windows, joins them to the rules and runs the message loop.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

#include "core/shell/app_names.h"
#include "core/shell/main_shell.h"
#include "core/shell/program_version.h"
#include "platform/system_info.h"
#include "ui/reports/report_window.h"
#include "ui/resources.h"
#include "ui/shell/about_window.h"
#include "ui/shell/application.h"
#include "ui/shell/main_window.h"
#include "ui/shell/program_font.h"
#include "ui/shell/qt_user_interface.h"
#include "ui/shell/quit_on_signal.h"
#include "ui/shell/working_window.h"
#include "ui/text_codec.h"

int main(int argc, char** argv) {
  kw::TKestrelApplication app(argc, argv);
  kw::QuitOnTerminationSignals(app);
  // Only the application name: a display name would be appended to every window title.
  QApplication::setApplicationName(kw::kProductName);
  QApplication::setApplicationVersion(QString::fromStdString(kw::ProgramVersion()));
  kw::InitResources();
  QApplication::setWindowIcon(QIcon(":/logo/LOGO01.png"));
  kw::InstallProgramFont();

  std::string error;
  if (!kw::platform::EnsureProgramDir(kw::platform::ShippedDataDir(), &error)) {
    QMessageBox::critical(nullptr, kw::kProductName,
                          "The program's directory " +
                              kw::FromSystemText(kw::platform::ProgramDir()) +
                              " could not be made:\n" + kw::FromSystemText(error));
    return 1;
  }
  kw::AppNames names = kw::AppNames::Compute(kw::platform::ProgramDir(), kw::platform::SystemDir());

  // The windows, main window first; each lives until the end.
  kw::TMainFRM window;
  kw::TWorkingFRM working;
  kw::TAboutFRM about(&window);
  kw::TReportFRM report(&window);

  kw::QtUserInterface ui(working, &report);
  ui.SetParentWindow(&window);
  app.SetErrorReport(&ui);
  kw::MainShell shell(ui, window, std::move(names));
  window.SetShell(&shell);
  window.SetAboutWindow(&about);

  try {
    shell.FormCreate();
  } catch (const std::exception& escaped) {
    app.ReportError(escaped.what());
  }
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i)
    args.emplace_back(argv[i]);
  // The first showing's work (the first-run welcome and profile creation, or opening the last
  // profile) runs as the window is about to appear, and the window shows its state after it. It
  // runs inside the message loop, so that an escaped error reaches the general error report.
  window.CentreOnScreen();
  QTimer::singleShot(0, &window, [&shell, &window, args] {
    shell.FormShow(args);
    window.show();
  });

  const int result = QApplication::exec();
  try {
    shell.FormDestroy();
  } catch (const std::exception& escaped) {
    app.ReportError(escaped.what());
  }
  return result;
}
