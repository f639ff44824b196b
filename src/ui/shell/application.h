// The application object. Its one rule: an error that escapes an operation (an exception out of
// an event handler) is shown in a message box with the error's text, and the program goes on.
#pragma once

#include <QApplication>

namespace kw {

class UserInterface;

class TKestrelApplication : public QApplication {
 public:
  TKestrelApplication(int& argc, char** argv);

  // Where the general error report goes; without one it goes to standard error.
  void SetErrorReport(UserInterface* ui) { ui_ = ui; }
  // Shows an escaped error as the general error report does.
  void ReportError(const char* what);

  // Runs `operation`; an error escaping it is shown as the general error report does, and the
  // program goes on. True when the operation ended normally.
  template <class Operation>
  bool RunReportingErrors(Operation&& operation) {
    try {
      operation();
      return true;
    } catch (...) {
      ReportEscapedError();
      return false;
    }
  }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  // Reports the exception being handled; called from inside a catch block only.
  void ReportEscapedError();

  UserInterface* ui_ = nullptr;
};

}  // namespace kw
