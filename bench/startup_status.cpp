// Times the start of the window on a profile with the status check running behind it, as the
// program starts: the first showing opens the profile (loaded, its emulator asked, the list
// filled) and starts the check, the window appears and takes a key; the check ends later and
// its verdicts are shown. Run under QT_QPA_PLATFORM=offscreen by bench/status_check_bench.sh.
//
//   startup_status PROFILE.KSL
//
// Prints one line of key=value pairs, times in milliseconds from the window's making:
// shown (the window exposed after the profile opened), input (a Down key handled by the list),
// running_at_input (whether the check was still running then), check_done (its verdicts kept and
// shown; -1 when it is switched off), judged (sets with a kept verdict), and
// archives_remembered / archives_judged of a separate timed check run after it.
#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QTest>
#include <cstdio>

#include "app/gui_program.h"
#include "core/reports/verifier.h"
#include "core/silent_user_interface.h"
#include "platform/system_info.h"
#include "ui/shell/main_window.h"
#include "ui/shell/qt_user_interface.h"
#include "ui/shell/working_window.h"

namespace {

class Answers final : public kw::SilentUserInterface {
 public:
  kw::MsgAnswer Ask(const std::string& text, kw::MsgIcon, kw::MsgButtons) override {
    std::fprintf(stderr, "asked: %s\n", text.c_str());
    return kw::MsgAnswer::Yes;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: startup_status PROFILE.KSL\n");
    return 2;
  }
  if (!kw::platform::EnsureProgramDir(kw::platform::ShippedDataDir()).Ok()) return 1;
  QElapsedTimer clock;
  clock.start();
  kw::TMainFRM window;
  kw::TWorkingFRM working;
  kw::QtUserInterface ui(working, nullptr);
  ui.SetParentWindow(&window);
  ui.SetAskHook([](const QString& text, kw::MsgIcon, kw::MsgButtons) {
    std::fprintf(stderr, "asked: %s\n", text.toLocal8Bit().constData());
    return kw::MsgAnswer::Yes;
  });
  kw::GuiProgram program(
      ui, window, kw::AppNames::Compute(kw::platform::ProgramDir(), kw::platform::SystemDir()));
  program.shell.FormCreate();
  program.shell.FormShow({argv[1]});
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  const qint64 shown = clock.elapsed();
  QListView* list = window.GameList().GamesList;
  const int row = list->currentIndex().row();
  QTest::keyClick(list, Qt::Key_Down);
  const qint64 input = list->currentIndex().row() == row + 1 ? clock.elapsed() : -1;
  const bool running = program.status_check.Running();
  qint64 done = -1;
  if (running) {
    while (program.status_check.Running())
      QTest::qWait(5);
    done = clock.elapsed();
  }
  // The same check's reading, counted: how much of the collection the memory spared.
  Answers quiet;
  kw::VerifyProgress unwatched;
  kw::Verifier verifier(quiet, program.settings.Values(), program.database, program.names,
                        program.emulator_config.Config().directory.rompath, "", unwatched);
  kw::VerifyOptions options;
  options.VerifySamples = options.VerifyScreenshot = false;
  options.QuickCheck = options.StatusOnly = true;
  QElapsedTimer alone;
  alone.start();
  (void)verifier.Run(options);
  std::printf(
      "games=%zu shown=%lld input=%lld running_at_input=%d check_done=%lld judged=%zu "
      "alone=%lld archives_remembered=%llu archives_judged=%llu\n",
      program.database.GameCount(), static_cast<long long>(shown), static_cast<long long>(input),
      running ? 1 : 0, static_cast<long long>(done), program.set_status.Book().Size(),
      static_cast<long long>(alone.elapsed()),
      static_cast<unsigned long long>(verifier.ArchivesRemembered()),
      static_cast<unsigned long long>(verifier.ArchivesJudged()));
  program.shell.FormDestroy();
  return 0;
}
