// SIGTERM and SIGINT end the program the way closing its window does: the event loop quits and
// the normal shutdown runs (the settings are saved). A desktop session that ends, or a Ctrl+C
// in the terminal, must not lose them.
#pragma once

class QCoreApplication;

namespace kw {

// Installs the handlers; call once, after the application object is made.
void QuitOnTerminationSignals(QCoreApplication& app);

}  // namespace kw
