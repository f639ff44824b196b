#include "core/shared/emulator_run.h"

#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "platform/scratch.h"

namespace kw {

std::string LinkRemovedMessage(const std::string& path) {
  return "A link was found where the program keeps its temporary files: " + path +
         "\rIt was removed, and nothing was written through it.";
}

namespace {

// A scratch file made for the run's output; a link found in its place is removed and the user
// told.
Result<platform::ScratchFile> MakeOutputFile(UserInterface& ui, const std::string& name) {
  bool removed_link = false;
  Result<platform::ScratchFile> file = platform::CreateScratchFile(name, removed_link);
  if (removed_link) ui.Ask(LinkRemovedMessage(name), MsgIcon::Warning);
  if (!file) return Failure(name + ": " + file.Message());
  return file;
}

EmulatorEnd Run(UserInterface& ui, const ShellCommandLine& line, std::uint16_t show, bool offer_end,
                const std::string& error_file, std::string* start_failure) {
  Result<platform::ChildProcess> child = StartEmulator(ui, line, show, error_file);
  if (!child) {
    if (start_failure) *start_failure = child.Message();
    return {};
  }
  if (ui.AwaitProgram([&child] { return child->HasEnded(); }, offer_end))
    return {RunOutcome::Ended, child->ExitCode()};
  child->Kill();
  return {RunOutcome::EndedByUser, -1};
}

}  // namespace

Result<platform::ChildProcess> StartEmulator(UserInterface& ui, const ShellCommandLine& line,
                                             std::uint16_t show, const std::string& error_file) {
  platform::Command command = line.Build();
  Result<platform::ScratchFile> capture = Failure("");
  if (!line.OutputFile().empty()) {
    capture = MakeOutputFile(ui, line.OutputFile());
    if (!capture) return Failure(capture.Message());
    command.output_fd = capture->Fd();
  }
  Result<platform::ScratchFile> errors = Failure("");
  if (!error_file.empty()) {
    errors = MakeOutputFile(ui, error_file);
    if (!errors) return Failure(errors.Message());
    command.error_fd = errors->Fd();
  }
  return platform::StartProgram(command, show);
}

RunOutcome RunEmulator(UserInterface& ui, const ShellCommandLine& line, std::uint16_t show,
                       bool offer_end, std::string* start_failure) {
  return Run(ui, line, show, offer_end, "", start_failure).Outcome;
}

EmulatorEnd RunGameEmulator(UserInterface& ui, const ShellCommandLine& line,
                            const std::string& error_file) {
  return Run(ui, line, platform::kShowNormal, false, error_file, nullptr);
}

std::string PifFilePath(const std::string& program_dir) {
  return platform::fs::IncludeTrailingSeparator(program_dir) + "COMMAND.PIF";
}

void DeletePifFile(bool kill_pif_file, const std::string& pif_path) {
  if (!kill_pif_file) return;
  if (platform::fs::FileExists(pif_path)) (void)platform::fs::Delete(pif_path);
}

}  // namespace kw
