// The verify window's work: its form (kept for the life of the program, so that the options
// stay from one showing to the next) and the verifier run that its Go button starts, with the
// end sound and the report opened in the text editor after a completed run.
#pragma once

#include "core/reports/verify_form.h"
#include "core/shared/app_names.h"

namespace kw {

class EmulatorConfigController;
class GameDatabase;
class SetStatusController;
class StatusCheck;
class UserInterface;
struct FrontEndSettings;

class VerifyController {
 public:
  VerifyController(UserInterface& ui, const FrontEndSettings& settings,
                   const GameDatabase& database, const EmulatorConfigController& emulator_config,
                   SetStatusController& set_status, const AppNames& names);

  VerifyForm& Form() { return form_; }
  // The background status check, stopped before every run so that the two never read and keep
  // at once.
  void SetStatusCheck(StatusCheck* check) { status_check_ = check; }
  const std::string& WorkDir() const;
  const std::string& ProgramDir() const;

  // The Go button: the run over the open profile with the form's options, the form watching it.
  void Go();

 private:
  void Run();

  UserInterface& ui_;
  const FrontEndSettings& settings_;
  const GameDatabase& database_;
  const EmulatorConfigController& emulator_config_;
  SetStatusController& set_status_;
  const AppNames& names_;
  VerifyForm form_;
  StatusCheck* status_check_ = nullptr;
};

}  // namespace kw
