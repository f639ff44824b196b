// The program's UserInterface on screen: message boxes, the progress window, the busy cursor
// and the report window (whose own messages come back through here).
#pragma once

#include <functional>
#include <memory>

#include <QString>

#include "core/user_interface.h"

class QWidget;

namespace kw {

class TReportFRM;
class TWorkingFRM;

class QtUserInterface : public UserInterface {
 public:
  // Answers a message box in place of the user (tests, screenshots): it receives the text as
  // shown (line breaks, not carriage returns) and never blocks.
  using AskHook = std::function<MsgAnswer(const QString& text, MsgIcon icon, MsgButtons buttons)>;
  using ReportHook = std::function<void(const ReportDocument& report)>;

  QtUserInterface(TWorkingFRM& working, TReportFRM* report);
  ~QtUserInterface() override;

  // The window the message boxes belong to (the main window once it is shown); its input is
  // held back while the busy cursor or the progress window is up.
  void SetParentWindow(QWidget* parent) { parent_ = parent; }
  // True while the main window's input is held back.
  bool InputBlocked() const { return blocking_; }
  void SetAskHook(AskHook hook) { ask_hook_ = std::move(hook); }
  void SetReportHook(ReportHook hook) { report_hook_ = std::move(hook); }

  MsgAnswer Ask(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
  MsgAnswer AskCaptioned(const std::string& caption, const std::string& text,
                         MsgIcon icon) override;
  void SetOperation(const std::string& text) override;
  void SetProgress(int percent) override;
  void ShowProgress() override;
  void HideProgress() override;
  void SetBusy(bool on) override;
  void ProcessMessages() override;
  void ShowReport(const ReportDocument& report) override;
  // The event loop runs on (the windows repaint), the main window takes no input, and after
  // kOfferEndAfterMs the progress window offers "End the emulator".
  bool AwaitProgram(const std::function<bool()>& ended, bool offer_end) override;

  static constexpr int kOfferEndAfterMs = 3000;

  // The text of a message as the box shows it: decoded, carriage returns as line breaks.
  static QString MessageText(const std::string& text);

 private:
  class InputBlocker;
  void UpdateInputBlock();
  MsgAnswer Box(const QString& caption, const std::string& text, MsgIcon icon, MsgButtons buttons);

  TWorkingFRM& working_;
  TReportFRM* report_;
  QWidget* parent_ = nullptr;
  AskHook ask_hook_;
  ReportHook report_hook_;
  int busy_depth_ = 0;
  bool awaiting_ = false;
  std::unique_ptr<InputBlocker> blocker_;
  bool blocking_ = false;
};

}  // namespace kw
