#include "ui/shell/quit_on_signal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace kw {
namespace {

// The handler may only make async-signal-safe calls: it writes one byte into a pipe, and the
// event loop, watching the other end, does the quitting.
int signal_pipe[2] = {-1, -1};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] ssize_t ignored = write(signal_pipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

void QuitOnTerminationSignals(QCoreApplication& app) {
  if (signal_pipe[0] >= 0) return;
  if (pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;  // then the default action stays
  auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
    char bytes[64];
    while (read(signal_pipe[0], bytes, sizeof bytes) > 0) {
    }
    // exit(), not quit(): quit() asks the windows first, and the progress window refuses to
    // close. exit() leaves every running loop, a modal dialog's included.
    QCoreApplication::exit(0);
  });
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace kw
