// The hidden questions put to the emulator when a profile is made or opened: its version line
// and its list of games. The era's emulator is asked for both in the current directory (the
// emulator's), with the output redirected into the capture file there. Today's emulator is
// asked its version directly, under a time limit (-version), and its list with -listxml into
// the capture file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "core/profile/dialect_detection.h"
#include "core/shared/command_line.h"

namespace kw {

class UserInterface;

// A game list query that gave nothing to read: no capture, an empty one, or the user ended it.
inline constexpr const char* kNoGameInfo = "Cannot read game info file!";

// Today's emulator lists some 50,000 machines in about 300 MB; a capture that grows past this
// is not a list to read, and is stopped before it fills the disk.
inline constexpr std::uint64_t kMaxListxmlCapture = std::uint64_t{2} << 30;

struct EmulatorQueryContext {
  std::string CaptureFileName = "$KSTEMP$.NFO";
  bool KillPifFile = true;
  std::string PifPath;  // PifFilePath(ProgramDir)
  // Today's emulator: how long it has to answer -version, and the most its -listxml may write.
  int AnswerLimitMs = kAnswerLimitMs;
  std::uint64_t MaxListCapture = kMaxListxmlCapture;
  // Where today's list goes when the current directory cannot be written (an emulator
  // installed with the system, /usr/games/): the program's own directory.
  std::string SpareDir;
};

// "The emulator's list of machines passes 2 GiB: it was not read."
std::string ListTooLargeMessage(std::uint64_t max_bytes);

// The version line is cut at this length: a line no real build prints, and a capture with no
// line break in its first gigabyte must not be taken whole.
inline constexpr std::size_t kMaxVersionLine = 4096;

// The command lines: the executable (a name in the current directory, run as "./NAME") with no
// argument, or with -listinfo, its standard output into the capture file.
ShellCommandLine VersionQueryLine(const std::string& executable, const std::string& capture);
ShellCommandLine ListinfoQueryLine(const std::string& executable, const std::string& capture);

// Today's: the executable with -listxml, its standard output into the capture file.
ShellCommandLine ListxmlQueryLine(const std::string& executable, const std::string& capture);
// A question asked directly, under the time limit: the executable with `argument` (nothing when
// empty), a bare name being a file in the current directory.
platform::Command QuestionCommand(const std::string& executable, std::string_view argument);

// The first line of `text` (up to its first line break, a CR LF counting as one; the whole
// text when it has none), at most kMaxVersionLine bytes.
std::string FirstLine(std::string_view text);

// A query the user ended because it did not come back.
inline constexpr const char* kEmulatorEnded = "The emulator was ended.";

// "Unable to capture the emulator's version in PATH: REASON".
std::string CaptureFailureMessage(const std::string& path, const std::string& reason);

// Runs the version query and returns the first line of the capture, which is then deleted. Fails
// with kEmulatorEnded when the user ended a query that did not come back, and with
// CaptureFailureMessage (the capture's full path and the system's reason) when the capture
// could not be made, written or read; an empty capture that could still be written is the
// emulator's own silence, an empty line.
Result<std::string> QueryEmulatorVersion(UserInterface& ui, const std::string& executable,
                                         const EmulatorQueryContext& context);

// Runs the game list query, leaving the capture for the parser. Fails (the capture deleted) when
// the user ended the query before the emulator came back.
Status QueryListinfo(UserInterface& ui, const std::string& executable,
                     const EmulatorQueryContext& context);

// Today's version query: the first line of what `executable -version` prints within
// `limit_ms` ("0.251 (unknown)", perhaps without a line break). Fails when the program cannot
// be started or does not end in time (it is then killed).
Result<std::string> QueryTodaysVersion(const std::string& executable, int limit_ms,
                                       const std::function<void()>& tick = {});

// The message of a version query's answer (QueryVersionOf) that failed for its capture, or empty:
// the era's emulator answers through the capture; today's is asked directly.
std::string CaptureFailureOf(EmulatorDialect dialect, const Result<std::string>& answer);

// The version query of the dialect: the era's through the capture file, today's under the
// limit of `context` with the windows kept alive.
Result<std::string> QueryVersionOf(EmulatorDialect dialect, UserInterface& ui,
                                   const std::string& executable,
                                   const EmulatorQueryContext& context);

// Runs today's game list query and gives the path of the capture for the parser: the capture
// file in the current directory, or in context.SpareDir when the current directory cannot be
// written. Fails with the message to show (the capture deleted): kNoGameInfo when the list is
// missing or empty or the user ended the query; ListTooLargeMessage when the capture grew past
// context.MaxListCapture (the emulator is then stopped).
Result<std::string> QueryListxml(UserInterface& ui, const std::string& executable,
                                 const EmulatorQueryContext& context);

// The first line of a text file (up to its first line break, a CR LF counting as one), at most
// kMaxVersionLine bytes. Fails when the file cannot be read.
Result<std::string> ReadFirstLine(const std::string& path);

}  // namespace kw
