#include "ui/shell/application.h"

#include <cstdio>
#include <exception>
#include <new>

#include "core/user_interface.h"

namespace kw {

TKestrelApplication::TKestrelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void TKestrelApplication::ReportError(const char* what) {
  if (ui_) {
    ui_->Ask(what, MsgIcon::Error);
    return;
  }
  std::fprintf(stderr, "kestrelwing: %s\n", what);
}

void TKestrelApplication::ReportEscapedError() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    ReportError("Out of memory.");
  } catch (const std::exception& error) {
    ReportError(error.what());
  } catch (...) {
    ReportError("An unexpected error occurred.");
  }
}

bool TKestrelApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunReportingErrors([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace kw
