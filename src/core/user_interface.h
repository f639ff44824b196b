// The seam between the program's rules and its windows. Core calls the user only through this
// interface; the Qt windows implement it for the program, a scripted stand-in for the tests.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace kw {

class ReportDocument;

enum class MsgIcon { Information, Warning, Error, Question };
enum class MsgButtons { Ok, YesNo, RetryCancel };
enum class MsgAnswer { Ok, Yes, No, Retry, Cancel };

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A message box captioned with the product name. Lines of `text` are joined by carriage
  // returns ('\r'); the windows show them as line breaks.
  virtual MsgAnswer Ask(const std::string& text, MsgIcon icon,
                        MsgButtons buttons = MsgButtons::Ok) = 0;
  // A window's own notice: the same box, captioned with that window's caption.
  virtual MsgAnswer AskCaptioned(const std::string& caption, const std::string& text,
                                 MsgIcon icon) {
    (void)caption;
    return Ask(text, icon);
  }

  // The progress window: operation text, then SetProgress(-1) to hide the bar or a whole
  // percentage, ShowProgress, work, HideProgress.
  virtual void SetOperation(const std::string& text) = 0;
  virtual void SetProgress(int percent) = 0;
  virtual void ShowProgress() = 0;
  virtual void HideProgress() = 0;

  // The busy cursor; both switches also process pending window messages once.
  virtual void SetBusy(bool on) = 0;
  // Lets pending window messages run. Long loops call it through ProgressThrottle only.
  virtual void ProcessMessages() = 0;

  // Waits for a program that the front-end runs and waits for (the emulator): `ended` is asked
  // every few milliseconds until it answers true. The windows keep repainting and take no input;
  // with `offer_end`, the user is offered, after a moment, a way to end a program that does not
  // come back. False when the user chose to end it. Without windows: a plain wait.
  virtual bool AwaitProgram(const std::function<bool()>& ended, bool offer_end) {
    (void)offer_end;
    while (!ended())
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return true;
  }

  // Shows a filled report modally; returns when the user has closed it.
  virtual void ShowReport(const ReportDocument& report) = 0;
};

}  // namespace kw
