#include "core/profile/emulator_query.h"

#include <fstream>

#include "core/launch/emulator_run.h"
#include "platform/fs.h"
#include "platform/process.h"

namespace kw {

namespace {

// A bare name would be searched in PATH by the interpreter: the emulator is the file here.
std::string InCurrentDirectory(const std::string& executable) {
  if (executable.find('/') != std::string::npos) return executable;
  return "./" + executable;
}

RunOutcome RunQuery(UserInterface& ui, const ShellCommandLine& line,
                    const EmulatorQueryContext& context) {
  DeletePifFile(context.KillPifFile, context.PifPath);
  return RunEmulator(ui, line, platform::kShowHidden, true);
}

}  // namespace

ShellCommandLine VersionQueryLine(const std::string& executable, const std::string& capture) {
  ShellCommandLine line;
  line.Program(InCurrentDirectory(executable)).RedirectOutputTo(capture);
  return line;
}

ShellCommandLine ListinfoQueryLine(const std::string& executable, const std::string& capture) {
  ShellCommandLine line;
  line.Program(InCurrentDirectory(executable)).Word("-listinfo").RedirectOutputTo(capture);
  return line;
}

Result<std::string> ReadFirstLine(const std::string& path) {
  const std::string resolved = platform::fs::Resolve(path);
  if (!platform::fs::FileExists(resolved)) return Failure(path + ": No such file");
  std::ifstream file(resolved, std::ios::binary);
  if (!file.is_open()) return Failure(path + ": cannot be read");
  std::string line;
  char c;
  while (line.size() < kMaxVersionLine && file.get(c) && c != '\n')
    line += c;
  if (file.bad()) return Failure(path + ": cannot be read");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

Result<std::string> QueryEmulatorVersion(UserInterface& ui, const std::string& executable,
                                         const EmulatorQueryContext& context) {
  const RunOutcome outcome =
      RunQuery(ui, VersionQueryLine(executable, context.CaptureFileName), context);
  Result<std::string> version = ReadFirstLine(context.CaptureFileName);
  (void)platform::fs::Delete(platform::fs::Resolve(context.CaptureFileName));
  if (outcome == RunOutcome::EndedByUser) return Failure("The emulator was ended.");
  return version;
}

Status QueryListinfo(UserInterface& ui, const std::string& executable,
                     const EmulatorQueryContext& context) {
  const RunOutcome outcome =
      RunQuery(ui, ListinfoQueryLine(executable, context.CaptureFileName), context);
  if (outcome == RunOutcome::EndedByUser) {
    (void)platform::fs::Delete(platform::fs::Resolve(context.CaptureFileName));
    return Failure("The emulator was ended.");
  }
  return Success();
}

}  // namespace kw
