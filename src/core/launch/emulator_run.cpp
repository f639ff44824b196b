#include "core/launch/emulator_run.h"

#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "platform/scratch.h"

namespace kw {

std::string LinkRemovedMessage(const std::string& path) {
  return "A link was found where the program keeps its temporary files: " + path +
         "\rIt was removed, and nothing was written through it.";
}

Result<platform::ChildProcess> StartEmulator(UserInterface& ui, const ShellCommandLine& line,
                                             std::uint16_t show) {
  platform::Command command = line.Build();
  if (line.OutputFile().empty()) return platform::StartProgram(command, show);
  bool removed_link = false;
  Result<platform::ScratchFile> capture =
      platform::CreateScratchFile(line.OutputFile(), removed_link);
  if (removed_link) ui.Ask(LinkRemovedMessage(line.OutputFile()), MsgIcon::Warning);
  if (!capture) return Failure(line.OutputFile() + ": " + capture.Message());
  command.output_fd = capture->Fd();
  return platform::StartProgram(command, show);
}

RunOutcome RunEmulator(UserInterface& ui, const ShellCommandLine& line, std::uint16_t show,
                       bool offer_end, std::string* start_failure) {
  Result<platform::ChildProcess> child = StartEmulator(ui, line, show);
  if (!child) {
    if (start_failure) *start_failure = child.Message();
    return RunOutcome::NotStarted;
  }
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
