#include "core/reports/status_check.h"

#include "core/audit/set_status_controller.h"
#include "core/reports/verifier.h"
#include "core/shared/app_names.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/set_archives.h"
#include "core/shared/settings.h"
#include "core/silent_user_interface.h"

namespace kw {

namespace {

// Answers every question No: the check never waits for anyone.
class NoAnswers final : public SilentUserInterface {
 public:
  MsgAnswer Ask(const std::string&, MsgIcon, MsgButtons) override { return MsgAnswer::No; }
};

// The temporary directory of the check: never the one a launch or a verification uses.
constexpr const char* kCheckTempDir = "$KSSTAT$";

}  // namespace

// Everything the check reads is its own copy, made on the program's thread: the window may sort
// the games or change the settings while it runs.
struct StatusCheck::Run : VerifyProgress {
  GameDatabase database;
  FrontEndSettings settings;
  AppNames names;
  std::string rompath;
  NoAnswers ui;
  std::atomic<bool> stop{false};
  std::atomic<bool> ended{false};
  bool completed = false;
  SetVerdicts verdicts;
  bool whole = false;

  bool CheckAbort() override { return stop.load(std::memory_order_relaxed); }

  void Check() {
    Verifier verifier(ui, settings, database, names, rompath, "", *this);
    verifier.SetReadingThreads(1);  // the window's thread keeps a core
    VerifyOptions options;
    options.VerifySamples = false;
    options.VerifyScreenshot = false;
    options.OpenInEditor = false;
    options.QuickCheck = true;
    options.StatusOnly = true;
    Result<VerifyOutcome> outcome = verifier.Run(options);
    completed = outcome && *outcome == VerifyOutcome::Completed && !stop;
    if (!completed) return;
    verdicts = verifier.Verdicts();
    whole = verifier.VerdictsWhole();
  }
};

StatusCheck::StatusCheck(const FrontEndSettings& settings, const GameDatabase& database,
                         const AppNames& names, const EmulatorConfigController& emulator_config,
                         SetStatusController& set_status)
    : settings_(settings),
      database_(database),
      names_(names),
      emulator_config_(emulator_config),
      set_status_(set_status) {}

StatusCheck::~StatusCheck() {
  Cancel();
}

void StatusCheck::ProfileOpened() {
  if (settings_.StatusCheckAtOpen && !settings_.MameCd) Start();
}

void StatusCheck::ProfileStateChanged(bool profile_loaded) {
  if (!profile_loaded) Cancel();
}

void StatusCheck::Start() {
  Cancel();
  if (!end_hook_ || !database_.ProfileLoaded) return;
  run_ = std::make_unique<Run>();
  Run& run = *run_;
  run.database = database_;
  run.settings = settings_;
  run.names = names_;
  run.names.TempDirName = kCheckTempDir;
  // Relative folders are the emulator directory's, the current one now; the thread must not
  // depend on the current directory, which the program's own operations change for a while.
  for (const std::string& dir : SearchDirectories(emulator_config_.Config().directory.rompath))
    run.rompath += (run.rompath.empty() ? "" : ";") + dir;
  thread_ = std::thread([&run, hook = end_hook_] {
    run.Check();
    run.ended = true;
    hook();
  });
}

void StatusCheck::Join() {
  if (thread_.joinable()) thread_.join();
}

void StatusCheck::Cancel() {
  if (!run_) return;
  run_->stop = true;
  Join();
  run_.reset();
}

bool StatusCheck::Collect() {
  // Cancelled since its end was posted, or the end of a check cancelled before this one.
  if (!run_ || !run_->ended) return false;
  Join();
  std::unique_ptr<Run> run = std::move(run_);
  if (!run->completed || run->verdicts.empty()) return false;
  // A verdict that cannot be written is still shown; the next check writes it again.
  (void)set_status_.Keep(run->verdicts, run->whole);
  return true;
}

}  // namespace kw
