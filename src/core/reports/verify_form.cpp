#include "core/reports/verify_form.h"

#include "core/duration_text.h"
#include "core/shared/set_archives.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw {

VerifyOptionStates UpdateOptionStates(const VerifyWindowOptions& o) {
  const bool pictures =
      o.VerifyScreenshot || o.VerifyCabinets || o.VerifyFlyers || o.VerifyHardware;
  VerifyOptionStates s;
  s.RomClones = o.VerifyRoms;
  s.ReportNoGoodDump = o.VerifyRoms;
  s.ScreenshotDetail = pictures;
  s.SkipNotPresent = o.VerifyRoms || o.VerifySamples;
  s.ReportUnused = o.VerifyRoms || o.VerifySamples;
  s.VerifySampleQuality = o.VerifySamples;
  s.QuickCheck = o.VerifyRoms || o.VerifySamples;
  s.GoBTN = o.VerifyRoms || o.VerifySamples || pictures || o.ReportUnsupported;
  return s;
}

bool VerifyOptionStates::Of(bool VerifyOptions::*field) const {
  using O = VerifyOptions;
  if (field == &O::RomClones) return RomClones;
  if (field == &O::ReportNoGoodDump) return ReportNoGoodDump;
  if (field == &O::SkipNotPresent) return SkipNotPresent;
  if (field == &O::ReportUnused) return ReportUnused;
  if (field == &O::VerifySampleQuality) return VerifySampleQuality;
  if (field == &O::ScreenshotDetail) return ScreenshotDetail;
  if (field == &O::QuickCheck) return QuickCheck;
  return true;
}

std::string ElapsedTimeText(std::chrono::seconds elapsed) {
  return DayClockText(elapsed.count());
}

VerifyForm::VerifyForm(UserInterface& ui, std::string product_name, std::string program_dir)
    : ui_(ui), product_name_(std::move(product_name)) {
  Options.LogFileName = platform::fs::IncludeTrailingSeparator(program_dir) + "REPORT.TXT";
  Enabled = UpdateOptionStates(Options);
  GoEnabled = Enabled.GoBTN;
}

std::chrono::steady_clock::time_point VerifyForm::Now() const {
  return clock_ ? clock_() : std::chrono::steady_clock::now();
}

void VerifyForm::Changed() {
  if (view_ != nullptr) view_->ShowState();
}

void VerifyForm::Show(const std::string& emulator_dir) {
  temp_dir_ = platform::fs::IncludeTrailingSeparator(
      platform::fs::IncludeTrailingSeparator(emulator_dir) + "$KSTEMP$");
  Caption = product_name_ + " - Verify sets";
  ElapsedTime = "00:00:00";
  aborted_ = false;
  close_pending_ = false;
  TimerOn = false;
  State = VerifyRunState::Idle;
  SetOptionsEnabled(true);
  if (view_ != nullptr) {
    view_->ShowElapsed(ElapsedTime);
    view_->ShowStatus("", "", "0");
    view_->ShowCounters({});
    view_->ShowProgress(0);
  }
}

void VerifyForm::SetOptionsEnabled(bool enabled) {
  OptionsEnabled = enabled;
  if (enabled) {
    Enabled = UpdateOptionStates(Options);
    GoEnabled = Enabled.GoBTN;
    AbortCaption = "Cancel";
  } else {
    GoEnabled = false;
    AbortCaption = "Abort";
  }
  Changed();
}

void VerifyForm::OptionClicked() {
  if (!OptionsEnabled) return;
  Enabled = UpdateOptionStates(Options);
  GoEnabled = Enabled.GoBTN;
  Changed();
}

bool VerifyForm::BeginGo() {
  if (!GoEnabled || in_go_) return false;
  in_go_ = true;
  return true;
}

void VerifyForm::EndGo() {
  in_go_ = false;
  // The window was closed while the run was still on its way out: clean up behind it now.
  if (close_pending_) {
    close_pending_ = false;
    CleanUp();
  }
}

void VerifyForm::Started() {
  State = VerifyRunState::Running;
  started_ = Now();
  ElapsedTime = "00:00:00";
  TimerOn = true;
  SetOptionsEnabled(false);
}

void VerifyForm::TimerTick() {
  if (!TimerOn) return;
  ElapsedTime = ElapsedTimeText(std::chrono::duration_cast<std::chrono::seconds>(Now() - started_));
  if (view_ != nullptr) view_->ShowElapsed(ElapsedTime);
}

std::string VerifyForm::StopTimer() {
  TimerTick();
  TimerOn = false;
  Changed();
  return ElapsedTime;
}

void VerifyForm::FinishRun() {
  if (TimerOn) StopTimer();
  State = VerifyRunState::Finished;
  GoEnabled = false;
  AbortCaption = "Close";
  Changed();
}

bool VerifyForm::CheckAbort() {
  if (view_ != nullptr) view_->ProcessMessages();
  if (!aborted_) return false;
  State = VerifyRunState::Aborted;
  TimerOn = false;
  if (view_ != nullptr) view_->HideWindow();
  return true;
}

void VerifyForm::ShowCounters(const VerifyCounterValues& counters) {
  if (view_ != nullptr) view_->ShowCounters(counters);
}

void VerifyForm::Update(const VerifyStatus& status, const VerifyCounters& counters) {
  if (view_ == nullptr) return;
  view_->ShowStatus(status.PassName, status.SetName, std::to_string(status.Clones));
  view_->ShowProgress(status.Maximum > 0 ? static_cast<int>(status.Position * 100 / status.Maximum)
                                         : 0);
  view_->ShowCounters(counters);
}

VerifyClose VerifyForm::AbortClicked() {
  if (AbortCaption == "Cancel") return VerifyClose::Cancel;
  if (AbortCaption == "Close") return VerifyClose::Ok;
  if (ui_.Ask(kVerifyAbortQuestion, MsgIcon::Warning, MsgButtons::YesNo) == MsgAnswer::Yes) {
    aborted_ = true;
    return VerifyClose::Cancel;
  }
  aborted_ = false;
  return VerifyClose::Stay;
}

void VerifyForm::Closing() {
  TimerOn = false;
  if (in_go_) {
    close_pending_ = true;
    return;
  }
  CleanUp();
}

void VerifyForm::CleanUp() {
  if (!DeleteTempDir(temp_dir_)) ui_.Ask(kVerifyTempDirError, MsgIcon::Error);
  // The run wrote nothing more after the abort and has closed its file by now; only a regular
  // file is removed, whatever the edit was made to say.
  if (aborted_ && platform::fs::FileExists(Options.LogFileName))
    (void)platform::fs::Delete(Options.LogFileName);
}

}  // namespace kw
