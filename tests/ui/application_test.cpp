// The general error report: an exception out of an event handler becomes a message box with
// its text, and the program goes on.
#include <QEvent>
#include <QTest>
#include <stdexcept>

#include "support/scripted_ui.h"
#include "ui/shell/application.h"

namespace {

class Thrower : public QObject {
 public:
  int handled = 0;
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw std::runtime_error("disk on fire");
    if (e->type() == QEvent::User + 1) throw 42;
    ++handled;
    return QObject::event(e);
  }
};

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void EscapedErrorsAreReportedAndTheProgramGoesOn() {
    auto* app = static_cast<kw::TKestrelApplication*>(QCoreApplication::instance());
    kw::test::ScriptedUi ui;
    app->SetErrorReport(&ui);
    Thrower thrower;
    QEvent user(QEvent::User);
    QEvent odd(static_cast<QEvent::Type>(QEvent::User + 1));
    QEvent other(static_cast<QEvent::Type>(QEvent::User + 2));
    QCoreApplication::sendEvent(&thrower, &user);
    QCoreApplication::sendEvent(&thrower, &odd);
    QCoreApplication::sendEvent(&thrower, &other);
    QCOMPARE(ui.messages.size(), std::size_t{2});
    QCOMPARE(ui.messages[0].text, std::string("disk on fire"));
    QCOMPARE(ui.messages[0].icon, kw::MsgIcon::Error);
    QCOMPARE(ui.messages[1].text, std::string("An unexpected error occurred."));
    QCOMPARE(thrower.handled, 1);
    app->SetErrorReport(nullptr);
  }
};

}  // namespace

int main(int argc, char** argv) {
  kw::TKestrelApplication app(argc, argv);
  ApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
