#include "core/profile/dialect_detection.h"

#include "core/profile/emulator_query.h"
#include "core/shared/game_database.h"
#include "platform/fs.h"
#include "platform/process.h"

namespace kw {

std::string NotAnEmulatorMessage(const std::string& program) {
  return "The program " + program +
         " does not answer as the emulator does.\rPlease choose the emulator's executable file.";
}

bool AnswersAsTodaysEmulator(std::string_view help) {
  // "MAME v0.251 (unknown)": a first word ending in MAME, then "v" and a digit.
  const std::string first = FirstLine(help);
  const std::size_t blank = first.find(' ');
  if (blank == std::string::npos || blank < 4 || first.compare(blank - 4, 4, "MAME") != 0 ||
      first.size() < blank + 3 || first[blank + 1] != 'v' || first[blank + 2] < '0' ||
      first[blank + 2] > '9')
    return false;
  for (std::size_t at = 0; at < help.size();) {
    const std::size_t end = std::min(help.find('\n', at), help.size());
    if (help.substr(at, end - at).starts_with("Usage:")) return true;
    at = end + 1;
  }
  return false;
}

Result<DetectedDialect> DetectDialect(const std::string& program, int limit_ms,
                                      const std::function<void()>& tick) {
  // An answer counts only from a program that ended by itself within the limit.
  auto ask = [&](std::string_view argument) -> std::optional<std::string> {
    Result<platform::CapturedRun> run =
        platform::RunCaptured(QuestionCommand(program, argument), limit_ms, kAnswerMaxBytes, tick);
    if (!run || run->timed_out) return std::nullopt;
    return std::move(run->output);
  };
  // Both emulators answer -help at once (the era's takes it for a set it does not know): a
  // program still running at the limit is neither, and is not asked again.
  std::optional<std::string> help = ask("-help");
  if (!help) return Failure(NotAnEmulatorMessage(program));
  if (AnswersAsTodaysEmulator(*help)) {
    std::optional<std::string> version = ask("-version");
    return DetectedDialect{EmulatorDialect::kListxml, version ? FirstLine(*version) : ""};
  }
  if (std::optional<std::string> banner = ask(""); banner) {
    std::string version = FirstLine(*banner);
    if (!version.empty()) return DetectedDialect{EmulatorDialect::kListinfo, std::move(version)};
  }
  return Failure(NotAnEmulatorMessage(program));
}

std::string WorkDirOf(const GameDatabase& database, const std::string& program_dir) {
  if (database.Dialect == EmulatorDialect::kListinfo || program_dir.empty() ||
      platform::fs::CanWriteIn(database.EmulatorDir))
    return database.EmulatorDir;
  return platform::fs::IncludeTrailingSeparator(program_dir) + "WORK" + platform::fs::kSeparator;
}

Status EnterWorkDir(GameDatabase& database, const std::string& program_dir) {
  const std::string dir = WorkDirOf(database, program_dir);
  if (dir != database.EmulatorDir && !platform::fs::DirectoryExists(dir)) {
    if (Status made = platform::fs::MakeDirectories(dir); !made) return made;
  }
  if (Status entered = platform::fs::SetCurrentDirectory(dir); !entered) return entered;
  database.WorkDir = dir;
  return Success();
}

}  // namespace kw
