// The status check at the opening of a profile: the verifier's quick ROM check over the
// collection on a thread of its own, so that the window is usable at once. It reads only the
// archives whose size or time changed since the quick check's memory of them, writes no report,
// and when it ends the program keeps its verdicts and shows them.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "core/shared/profile_listener.h"

namespace kw {

class EmulatorConfigController;
class GameDatabase;
class SetStatusController;
struct AppNames;
struct FrontEndSettings;

class StatusCheck : public ProfileListener {
 public:
  StatusCheck(const FrontEndSettings& settings, const GameDatabase& database, const AppNames& names,
              const EmulatorConfigController& emulator_config, SetStatusController& set_status);
  ~StatusCheck() override;
  StatusCheck(const StatusCheck&) = delete;
  StatusCheck& operator=(const StatusCheck&) = delete;

  // Run on the check's thread when it has ended; the window posts Collect to its own thread.
  // Without one (the console program) no check is started.
  void SetEndHook(std::function<void()> hook) { end_hook_ = std::move(hook); }

  // Starts the check of the profile just opened, unless StatusCheckAtOpen is off or the sets
  // are on CD-ROM (MameCd), where reading them all would take too long.
  void ProfileOpened() override;
  void ProfileStateChanged(bool profile_loaded) override;

  // Starts a check of the open profile, after cancelling one that runs.
  void Start();
  // Stops a running check and waits for its thread; nothing of it is kept. A verification the
  // user starts, and every change of the open profile, come after this.
  void Cancel();
  // On the program's thread, once the end hook has run: keeps the verdicts of a check that
  // completed. True when the kept verdicts changed (the list and the quick information are
  // then shown again).
  bool Collect();
  // Whether a check was started and not yet collected or cancelled.
  bool Running() const { return run_ != nullptr; }

 private:
  struct Run;
  void Join();

  const FrontEndSettings& settings_;
  const GameDatabase& database_;
  const AppNames& names_;
  const EmulatorConfigController& emulator_config_;
  SetStatusController& set_status_;
  std::function<void()> end_hook_;
  std::unique_ptr<Run> run_;
  std::thread thread_;
};

}  // namespace kw
