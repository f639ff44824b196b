// The verify window's rules: the options the user picks (kept for the life of the program), which
// of them can be changed, the idle / running / finished / aborted states with the captions of the
// abort button, the elapsed time, the abort question and what closing the window cleans up.
// The window shows this state and forwards its clicks here; the run itself is the verifier's,
// started by the controller, and the form watches it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "core/reports/verifier.h"

namespace kw {

class UserInterface;

// What the window's check boxes and edit hold: the verifier's own options.
using VerifyWindowOptions = VerifyOptions;

// Which controls take input while the window is idle. A disabled box keeps its check mark, and
// the run reads the marks as they are.
struct VerifyOptionStates {
  bool RomClones = true;
  bool ReportNoGoodDump = true;
  bool SkipNotPresent = true;
  bool ReportUnused = true;
  bool VerifySampleQuality = true;
  bool ScreenshotDetail = true;
  bool QuickCheck = true;  // only set reading has two modes
  bool GoBTN = true;

  // Whether the box of the option `field` takes input (those not named above always do).
  bool Of(bool VerifyOptions::*field) const;
};
VerifyOptionStates UpdateOptionStates(const VerifyWindowOptions& options);

// The twelve counters the progress group shows: the verifier's own.
using VerifyCounterValues = VerifyCounters;

// "hh:mm:ss" of a duration; beyond a day only the time of day is shown, as a clock would.
std::string ElapsedTimeText(std::chrono::seconds elapsed);

// The window as the form and the run see it.
class VerifyView {
 public:
  virtual ~VerifyView() = default;
  // The form's state changed: enabling, captions, the timer.
  virtual void ShowState() = 0;
  // The twelve counters as decimal numbers; then the window's pending messages run.
  virtual void ShowCounters(const VerifyCounterValues& counters) = 0;
  virtual void ShowProgress(int percent) = 0;
  // The current step, the current set's tag and the clone count, as the labels show them.
  virtual void ShowStatus(const std::string& pass_name, const std::string& set_name,
                          const std::string& clones) = 0;
  virtual void ShowElapsed(const std::string& text) = 0;
  virtual void ProcessMessages() = 0;
  virtual void HideWindow() = 0;
};

enum class VerifyRunState { Idle, Running, Finished, Aborted };
// What the abort button (or Esc) does to the window: nothing, or close it with its modal result.
enum class VerifyClose { Stay, Cancel, Ok };

// The Go button's run, between BeginGo and EndGo: the verifier asks its own questions, then
// calls Started, reports through Update and CheckAbort, and the run ends with FinishRun (or
// returns at once when CheckAbort said true; a run that never began leaves the window idle).
class VerifyForm : public VerifyProgress {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  // The options start with their defaults and the report file in `program_dir`. One form lasts
  // as long as the program, so that the options are kept from one showing to the next.
  VerifyForm(UserInterface& ui, std::string product_name, std::string program_dir);

  void SetView(VerifyView* view) { view_ = view; }
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  // Showing the window for the open profile's emulator directory (with or without trailing
  // separator): idle, counters zeroed, the options as the user last left them.
  void Show(const std::string& emulator_dir);
  // A check box was clicked (its new mark is already in Options).
  void OptionClicked();
  // The Go button is pressed: false when it does nothing now (disabled, or a run is still
  // returning); otherwise the run follows, and EndGo once it has returned.
  bool BeginGo();
  void EndGo();
  // The abort button, by its caption: "Cancel" and "Close" close, "Abort" asks first.
  VerifyClose AbortClicked();
  // However the window closes: the timer stops, the temporary directory goes, and so does an
  // aborted run's report file. While the run is still returning this waits for it to end.
  void Closing();
  // The one-second timer while running.
  void TimerTick();

  // For the run.
  void Started() override;
  // The status labels, the progress bar and the counters.
  void Update(const VerifyStatus& status, const VerifyCounters& counters) override;
  // Stops the elapsed-time timer and gives the time the run took ("hh:mm:ss").
  std::string StopTimer();
  // The button becomes "Close"; the options stay disabled until the window is shown again.
  void FinishRun();
  // Lets the window's messages run; true (with the window hidden) once the user confirmed abort.
  bool CheckAbort() override;
  void ShowCounters(const VerifyCounterValues& counters);
  bool Aborted() const { return aborted_; }
  // EmulatorDir + "$KSTEMP$" + separator, where the run extracts.
  const std::string& TempDir() const { return temp_dir_; }

  // What the window shows.
  std::string Caption;
  VerifyWindowOptions Options;
  VerifyOptionStates Enabled;
  bool OptionsEnabled = true;  // every box, the report file's label, edit and button
  bool GoEnabled = true;
  std::string AbortCaption = "Cancel";
  bool TimerOn = false;
  std::string ElapsedTime = "00:00:00";
  VerifyRunState State = VerifyRunState::Idle;

 private:
  void SetOptionsEnabled(bool enabled);
  void Changed();
  void CleanUp();
  std::chrono::steady_clock::time_point Now() const;

  UserInterface& ui_;
  std::string product_name_;
  std::string temp_dir_;
  VerifyView* view_ = nullptr;
  Clock clock_;
  std::chrono::steady_clock::time_point started_{};
  bool aborted_ = false;
  bool in_go_ = false;
  bool close_pending_ = false;
};

inline constexpr char kVerifyAbortQuestion[] =
    "This will terminate the rom scanning and discard the verification results.\rAre you sure "
    "you want to abort this process now?";
inline constexpr char kVerifyTempDirError[] =
    "The temporary directory could not be deleted!\rThis means one or more rom files of the game "
    "you ran could not be deleted.\rPlease solve the problem and try again.";

}  // namespace kw
