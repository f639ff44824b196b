#include "core/launch/emulator_run.h"

#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/process.h"

namespace kw {

RunOutcome RunEmulator(UserInterface& ui, const ShellCommandLine& line, std::uint16_t show,
                       bool offer_end) {
  Result<platform::ChildProcess> child = platform::StartProgram(line.Build(), show);
  if (!child) return RunOutcome::NotStarted;
  if (ui.AwaitProgram([&child] { return child->HasEnded(); }, offer_end)) return RunOutcome::Ended;
  child->Kill();
  return RunOutcome::EndedByUser;
}

std::string PifFilePath(const std::string& program_dir) {
  return platform::fs::IncludeTrailingSeparator(program_dir) + "COMMAND.PIF";
}

void DeletePifFile(bool kill_pif_file, const std::string& pif_path) {
  if (!kill_pif_file) return;
  if (platform::fs::FileExists(pif_path)) (void)platform::fs::Delete(pif_path);
}

}  // namespace kw
