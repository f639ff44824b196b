#include "core/profile/emulator_query.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "core/shared/emulator_run.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/input_file.h"
#include "platform/process.h"
#include "platform/scratch.h"

namespace kw {

namespace {

// A bare name would be searched in PATH by the interpreter: the emulator is the file here.
std::string InCurrentDirectory(const std::string& executable) {
  if (executable.find('/') != std::string::npos) return executable;
  return "./" + executable;
}

RunOutcome RunQuery(UserInterface& ui, const ShellCommandLine& line,
                    const EmulatorQueryContext& context, std::string* start_failure = nullptr) {
  DeletePifFile(context.KillPifFile, context.PifPath);
  return RunEmulator(ui, line, platform::kShowHidden, true, start_failure);
}

}  // namespace

std::string ListTooLargeMessage(std::uint64_t max_bytes) {
  constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
  std::string size;
  if (max_bytes >= (kMiB << 10) && max_bytes % (kMiB << 10) == 0) {
    size = std::to_string(max_bytes >> 30) + " GiB";
  } else if (max_bytes >= kMiB && max_bytes % kMiB == 0) {
    size = std::to_string(max_bytes >> 20) + " MiB";
  } else {
    size = std::to_string(max_bytes) + " bytes";
  }
  return "The emulator's list of machines passes " + size + ": it was not read.";
}

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

ShellCommandLine ListxmlQueryLine(const std::string& executable, const std::string& capture) {
  ShellCommandLine line;
  line.Program(InCurrentDirectory(executable)).Word("-listxml").RedirectOutputTo(capture);
  return line;
}

platform::Command QuestionCommand(const std::string& executable, std::string_view argument) {
  std::vector<std::string> words{platform::fs::Resolve(InCurrentDirectory(executable))};
  if (!argument.empty()) words.emplace_back(argument);
  return DirectCommand(std::move(words));
}

std::string FirstLine(std::string_view text) {
  std::string_view line = text.substr(0, std::min(text.find('\n'), kMaxVersionLine));
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return std::string(line);
}

Result<std::string> QueryTodaysVersion(const std::string& executable, int limit_ms,
                                       const std::function<void()>& tick) {
  Result<platform::CapturedRun> run = platform::RunCaptured(QuestionCommand(executable, "-version"),
                                                            limit_ms, kAnswerMaxBytes, tick);
  if (!run) return Failure(run.Message());
  if (run->timed_out) return Failure("The emulator did not answer in time.");
  return FirstLine(run->output);
}

Result<std::string> QueryVersionOf(EmulatorDialect dialect, UserInterface& ui,
                                   const std::string& executable,
                                   const EmulatorQueryContext& context) {
  if (dialect == EmulatorDialect::kListinfo) return QueryEmulatorVersion(ui, executable, context);
  return QueryTodaysVersion(executable, context.AnswerLimitMs, [&ui] { ui.ProcessMessages(); });
}

Result<std::string> QueryListxml(UserInterface& ui, const std::string& executable,
                                 const EmulatorQueryContext& context) {
  std::string capture = context.CaptureFileName;
  if (!context.SpareDir.empty() && !platform::fs::CanWriteIn(".")) {
    // The console program may be the user's first: the program directory is made here.
    (void)platform::fs::MakeDirectories(context.SpareDir);
    capture = platform::fs::IncludeTrailingSeparator(context.SpareDir) + context.CaptureFileName;
  }
  auto discard = [&capture](const std::string& message) -> Result<std::string> {
    (void)platform::fs::Delete(platform::fs::Resolve(capture));
    return Failure(message);
  };
  DeletePifFile(context.KillPifFile, context.PifPath);
  Result<platform::ChildProcess> child =
      StartEmulator(ui, ListxmlQueryLine(executable, capture), platform::kShowHidden);
  if (!child) return discard(kNoGameInfo);
  // The capture's size is looked at on every poll: a list that passes the maximum is stopped
  // within a few milliseconds of doing so.
  bool too_large = false;
  const bool came_back = ui.AwaitProgram(
      [&] {
        if (child->HasEnded()) return true;
        const std::optional<std::uint64_t> size = platform::fs::FileSize(capture);
        too_large = size && *size > context.MaxListCapture;
        return too_large;
      },
      true);
  child->Kill();
  if (!too_large) {
    const std::optional<std::uint64_t> size = platform::fs::FileSize(capture);
    too_large = size && *size > context.MaxListCapture;
  }
  if (too_large) return discard(ListTooLargeMessage(context.MaxListCapture));
  if (!came_back) return discard(kNoGameInfo);
  const std::optional<std::uint64_t> size = platform::fs::FileSize(capture);
  if (!size || *size == 0) return discard(kNoGameInfo);
  return capture;
}

Result<std::string> ReadFirstLine(const std::string& path) {
  const std::string resolved = platform::fs::Resolve(path);
  if (!platform::fs::FileExists(resolved)) return Failure(path + ": No such file");
  Result<platform::InputFile> file = platform::InputFile::Open(resolved);
  if (!file) return Failure(path + ": " + file.Message());
  std::string line;
  char block[512];
  for (;;) {
    const long n = file->Read(block, sizeof block);
    if (n < 0) return Failure(path + ": " + std::strerror(errno));
    const std::string_view got(block, static_cast<std::size_t>(n));
    const std::size_t end = std::min(got.find('\n'), kMaxVersionLine - line.size());
    line += got.substr(0, end);
    if (end < got.size() || static_cast<std::size_t>(n) < sizeof block) break;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string CaptureFailureMessage(const std::string& path, const std::string& reason) {
  return "Unable to capture the emulator's version in " + path + ": " + reason;
}

std::string CaptureFailureOf(EmulatorDialect dialect, const Result<std::string>& answer) {
  if (answer || dialect != EmulatorDialect::kListinfo || answer.Message() == kEmulatorEnded)
    return "";
  return answer.Message();
}

Result<std::string> QueryEmulatorVersion(UserInterface& ui, const std::string& executable,
                                         const EmulatorQueryContext& context) {
  const std::string& capture = context.CaptureFileName;
  const std::string shown = platform::fs::ExpandFileName(capture);
  std::string start_failure;
  const RunOutcome outcome =
      RunQuery(ui, VersionQueryLine(executable, capture), context, &start_failure);
  // A capture that cannot be made fails the start with "CAPTURE: reason".
  if (outcome == RunOutcome::NotStarted && start_failure.starts_with(capture + ": "))
    return Failure(CaptureFailureMessage(shown, start_failure.substr(capture.size() + 2)));
  Result<std::string> version = ReadFirstLine(capture);
  // An empty capture is the emulator's silence only when the capture could take a line: on a
  // full disk the emulator's line was lost.
  if (version && version->empty() && outcome != RunOutcome::EndedByUser) {
    if (Status writable = platform::AppendToScratchFile(capture, "\n"); !writable)
      version = Failure(CaptureFailureMessage(shown, writable.Message()));
  } else if (!version) {
    std::string reason = version.Message();
    if (reason.starts_with(capture + ": ")) reason.erase(0, capture.size() + 2);
    version = Failure(CaptureFailureMessage(shown, reason));
  }
  (void)platform::fs::Delete(platform::fs::Resolve(capture));
  if (outcome == RunOutcome::EndedByUser) return Failure(kEmulatorEnded);
  return version;
}

Status QueryListinfo(UserInterface& ui, const std::string& executable,
                     const EmulatorQueryContext& context) {
  const RunOutcome outcome =
      RunQuery(ui, ListinfoQueryLine(executable, context.CaptureFileName), context);
  if (outcome == RunOutcome::EndedByUser) {
    (void)platform::fs::Delete(platform::fs::Resolve(context.CaptureFileName));
    return Failure(kEmulatorEnded);
  }
  return Success();
}

}  // namespace kw
