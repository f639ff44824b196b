// The program: makes the windows, joins them to the rules and runs the message loop.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "app/gui_program.h"
#include "app/user_demo.h"
#include "core/shared/app_names.h"
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

  // An install that lost a file says which at once, rather than failing later where it is used.
  const std::string shipped = kw::platform::ShippedDataDir();
  if (kw::Status found = kw::platform::CheckShippedData(shipped); !found) {
    std::fprintf(stderr, "kestrelwing: %s\n", found.Message().c_str());
    QMessageBox::critical(nullptr, kw::kProductName, kw::FromSystemText(found.Message()));
    return 1;
  }
  if (kw::Status made = kw::platform::EnsureProgramDir(shipped); !made) {
    QMessageBox::critical(nullptr, kw::kProductName,
                          "The program's directory " +
                              kw::FromSystemText(kw::platform::ProgramDir()) +
                              " could not be made:\n" + kw::FromSystemText(made.Message()));
    return 1;
  }
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i)
    args.emplace_back(argv[i]);
  if (!args.empty() && args.front() == "--demo") {
    std::string tried;
    kw::Result<std::string> demo =
        kw::EnsureUserDemo(kw::platform::ProgramDir(),
                           kw::platform::FindHelperProgram(kw::platform::ExecutableDir(),
                                                           "kestrelwing-cli", "src/app", tried));
    if (!demo) {
      std::fprintf(stderr, "kestrelwing: %s\n", demo.Message().c_str());
      QMessageBox::critical(nullptr, kw::kProductName, kw::FromSystemText(demo.Message()));
      return 1;
    }
    args = {*demo};
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
  kw::GuiProgram program(ui, window, std::move(names));
  window.SetAboutWindow(&about);

  app.RunReportingErrors([&program] { program.shell.FormCreate(); });
  // The first showing's work (the first-run welcome and profile creation, or opening the last
  // profile) runs as the window is about to appear, and the window shows its state after it. It
  // runs inside the message loop; an error escaping it is shown, and the window still appears.
  window.CentreOnScreen();
  QTimer::singleShot(0, &window, [&app, &program, &window, args] {
    app.RunReportingErrors([&program, &args] { program.shell.FormShow(args); });
    window.show();
  });

  const int result = QApplication::exec();
  app.RunReportingErrors([&program] { program.shell.FormDestroy(); });
  return result;
}
