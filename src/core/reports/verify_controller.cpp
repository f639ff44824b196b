#include "core/reports/verify_controller.h"

#include "core/audit/set_status_controller.h"
#include "core/reports/verifier.h"
#include "core/shared/command_line.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shown_program.h"
#include "core/user_interface.h"
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
      form_(ui, names.ProductName, names.ProgramDir) {
  form_.SetGoHook([this](VerifyForm& form) { Run(form); });
}

const std::string& VerifyController::WorkDir() const {
  return database_.WorkDirectory();
}

const std::string& VerifyController::ProgramDir() const {
  return names_.ProgramDir;
}

void VerifyController::Run(VerifyForm& form) {
  VerifyHooks hooks;
  hooks.Started = [&form] { form.BeginRun(); };
  hooks.Show = [&form](const VerifyStatus& status, const VerifyCounters& counters) {
    form.ShowStatus(status.PassName, status.SetName, std::to_string(status.Clones));
    form.ShowProgress(status.Maximum > 0 ? static_cast<int>(status.Position * 100 / status.Maximum)
                                         : 0);
    form.ShowCounters(counters);
  };
  hooks.CheckAbort = [&form] { return form.CheckAbort(); };
  hooks.PlayEndSound = [](const std::string& wave) { (void)platform::PlayWave(wave); };
  hooks.OpenInEditor = [this](const std::string& editor, const std::string& report) {
    Result<platform::Command> command = EditorCommand(editor, report);
    std::optional<ShowFailure> failed =
        command ? StartShowingProgram(ui_, *command) : ShowFailure{false, command.Message()};
    if (failed) ui_.Ask(EditorFailureText(editor, report, *failed), MsgIcon::Error);
  };
  const EmulatorConfig& config = emulator_config_.Config();
  Verifier verifier(ui_, settings_, database_, names_, config.directory.rompath,
                    config.directory.samplepath, std::move(hooks));
  Result<VerifyOutcome> outcome = verifier.Run(form.Options);
  if (!outcome) ui_.Ask(outcome.Message(), MsgIcon::Error);
  // Refused at the first question, or not begun: the window stays as it was. Aborted: the form
  // has already closed the window.
  if (outcome && *outcome == VerifyOutcome::Aborted) return;
  if (outcome && *outcome == VerifyOutcome::Completed && !verifier.Verdicts().empty()) {
    if (Status kept = set_status_.Keep(verifier.Verdicts(), true); !kept)
      ui_.Ask(kept.Message(), MsgIcon::Warning);
  }
  if (form.State != VerifyRunState::Running) return;
  form.ShowCounters(verifier.Counters());
  (void)form.StopTimer();
  form.FinishRun();
}

}  // namespace kw
