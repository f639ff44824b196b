#include "core/reports/verify_controller.h"

#include "core/audit/set_status_controller.h"
#include "core/reports/status_check.h"
#include "core/reports/verifier.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "core/shown_program.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "platform/sound.h"

namespace kw {

VerifyController::VerifyController(UserInterface& ui, const FrontEndSettings& settings,
                                   const GameDatabase& database,
                                   const EmulatorConfigController& emulator_config,
                                   SetStatusController& set_status, const AppNames& names)
    : ui_(ui),
      settings_(settings),
      database_(database),
      emulator_config_(emulator_config),
      set_status_(set_status),
      names_(names),
      form_(ui, names.ProductName, names.ProgramDir) {}

const std::string& VerifyController::WorkDir() const {
  return database_.WorkDirectory();
}

const std::string& VerifyController::ProgramDir() const {
  return names_.ProgramDir;
}

void VerifyController::Go() {
  if (!form_.BeginGo()) return;
  if (status_check_ != nullptr) status_check_->Cancel();
  Run();
  form_.EndGo();
}

void VerifyController::Run() {
  // The verifier works on its own copy of the options: the end is judged by the same one.
  const VerifyOptions options = form_.Options;
  const EmulatorConfig& config = emulator_config_.Config();
  Verifier verifier(ui_, settings_, database_, names_, config.directory.rompath,
                    config.directory.samplepath, form_);
  Result<VerifyOutcome> outcome = verifier.Run(options);
  if (!outcome) ui_.Ask(outcome.Message(), MsgIcon::Error);
  // Refused at the first question, or not begun: the window stays as it was. Aborted: the form
  // has already closed the window.
  if (outcome && *outcome == VerifyOutcome::Aborted) return;
  if (outcome && *outcome == VerifyOutcome::Completed) {
    const std::string wave = names_.ProgramDir + settings_.PlayWaveAtVerifyEnd;
    // A sound that cannot be played is no failure of the run.
    if (!settings_.PlayWaveAtVerifyEnd.empty() && platform::fs::FileExists(wave))
      (void)platform::PlayWave(wave);
    if (options.OpenInEditor) OpenInTextEditor(ui_, settings_.TextEditor, options.LogFileName);
    if (!verifier.Verdicts().empty()) {
      if (Status kept = set_status_.Keep(verifier.Verdicts(), verifier.VerdictsWhole()); !kept)
        ui_.Ask(kept.Message(), MsgIcon::Warning);
    }
  }
  if (form_.State != VerifyRunState::Running) return;
  form_.ShowCounters(verifier.Counters());
  (void)form_.StopTimer();
  form_.FinishRun();
}

}  // namespace kw
