#include "ui/shell/qt_user_interface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "core/shared/app_names.h"
#include "ui/reports/report_window.h"
#include "ui/shell/working_window.h"
#include "ui/text_codec.h"

namespace kw {

namespace {

QMessageBox::Icon BoxIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Warning:
      return QMessageBox::Warning;
    case MsgIcon::Error:
      return QMessageBox::Critical;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::Information:
      break;
  }
  return QMessageBox::Information;
}

}  // namespace

// While work runs, pending messages are let through so that the windows repaint; the user's
// input to the main window is not, so no second command starts in the middle of the first.
class QtUserInterface::InputBlocker : public QObject {
 public:
  QWidget* window = nullptr;

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
      case QEvent::ContextMenu:
      case QEvent::Close:
        break;
      default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && window && widget->window() == window;
  }
};

QtUserInterface::QtUserInterface(TWorkingFRM& working, TReportFRM* report)
    : working_(working), report_(report), blocker_(std::make_unique<InputBlocker>()) {
  if (report_) report_->SetUserInterface(this);
}

QtUserInterface::~QtUserInterface() {
  if (blocking_) QCoreApplication::instance()->removeEventFilter(blocker_.get());
}

void QtUserInterface::UpdateInputBlock() {
  const bool block = parent_ && (busy_depth_ > 0 || awaiting_ || working_.isVisible());
  if (block == blocking_ || !QCoreApplication::instance()) return;
  blocking_ = block;
  blocker_->window = parent_;
  if (block)
    QCoreApplication::instance()->installEventFilter(blocker_.get());
  else
    QCoreApplication::instance()->removeEventFilter(blocker_.get());
}

QString QtUserInterface::MessageText(const std::string& text) {
  QString shown = FromSystemText(text);
  shown.replace("\r\n", "\n");
  shown.replace('\r', '\n');
  return shown;
}

MsgAnswer QtUserInterface::Ask(const std::string& text, MsgIcon icon, MsgButtons buttons) {
  return Box(kProductName, text, icon, buttons);
}

MsgAnswer QtUserInterface::AskCaptioned(const std::string& caption, const std::string& text,
                                        MsgIcon icon) {
  return Box(FromSystemText(caption), text, icon, MsgButtons::Ok);
}

MsgAnswer QtUserInterface::Box(const QString& caption, const std::string& text, MsgIcon icon,
                               MsgButtons buttons) {
  const QString shown = MessageText(text);
  if (ask_hook_) return ask_hook_(shown, icon, buttons);

  QMessageBox box(BoxIcon(icon), caption, shown, QMessageBox::NoButton, parent_);
  switch (buttons) {
    case MsgButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MsgButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      break;
    case MsgButtons::RetryCancel:
      box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Retry);
      break;
  }
  // A busy cursor must not hide the arrow the user needs to answer.
  const bool busy = QApplication::overrideCursor() != nullptr;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int result = box.exec();
  if (busy) QApplication::restoreOverrideCursor();
  switch (result) {
    case QMessageBox::Yes:
      return MsgAnswer::Yes;
    case QMessageBox::No:
      return MsgAnswer::No;
    case QMessageBox::Retry:
      return MsgAnswer::Retry;
    case QMessageBox::Cancel:
      return MsgAnswer::Cancel;
    default:
      break;
  }
  // Closing the box with Escape or the window's close button.
  switch (buttons) {
    case MsgButtons::YesNo:
      return MsgAnswer::No;
    case MsgButtons::RetryCancel:
      return MsgAnswer::Cancel;
    case MsgButtons::Ok:
      break;
  }
  return MsgAnswer::Ok;
}

void QtUserInterface::SetOperation(const std::string& text) {
  working_.SetOperation(FromSystemText(text));
}

void QtUserInterface::SetProgress(int percent) {
  working_.SetProgress(percent);
}

void QtUserInterface::ShowProgress() {
  working_.show();
  working_.raise();
  UpdateInputBlock();
  QCoreApplication::processEvents();
}

void QtUserInterface::HideProgress() {
  working_.hide();
  UpdateInputBlock();
}

void QtUserInterface::SetBusy(bool on) {
  // The switches come in pairs; an extra "off" must not take away a cursor someone else set.
  if (on) {
    ++busy_depth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busy_depth_ > 0) {
    --busy_depth_;
    QApplication::restoreOverrideCursor();
  }
  UpdateInputBlock();
  QCoreApplication::processEvents();
}

void QtUserInterface::ProcessMessages() {
  QCoreApplication::processEvents();
}

void QtUserInterface::ShowReport(const ReportDocument& report) {
  if (report_hook_) {
    report_hook_(report);
    return;
  }
  if (report_) report_->ShowReport(report);
}

}  // namespace kw

namespace kw {

bool QtUserInterface::AwaitProgram(const std::function<bool()>& ended, bool offer_end) {
  if (ended()) return true;
  awaiting_ = true;
  UpdateInputBlock();
  const bool was_visible = working_.isVisible();
  bool end_requested = false;
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer poll;
  poll.setInterval(15);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (end_requested || ended()) {
      loop.quit();
      return;
    }
    if (offer_end && !working_.EndBTN->isVisible() && clock.elapsed() >= kOfferEndAfterMs) {
      working_.OfferEnd(true);
      if (!working_.isVisible()) working_.show();
      working_.raise();
    }
  });
  const QMetaObject::Connection end_clicked = QObject::connect(
      working_.EndBTN, &QPushButton::clicked, &loop, [&end_requested] { end_requested = true; });
  poll.start();
  loop.exec();
  QObject::disconnect(end_clicked);
  working_.OfferEnd(false);
  if (!was_visible) working_.hide();
  awaiting_ = false;
  UpdateInputBlock();
  return !end_requested;
}

}  // namespace kw
