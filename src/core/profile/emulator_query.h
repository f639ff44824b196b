// The two hidden questions put to the emulator when a profile is made or opened: its version
// line and its -listinfo text. Both run in the current directory (the emulator's), with the
// output redirected into the capture file there.
#pragma once

#include <cstddef>
#include <string>

#include "core/launch/command_line.h"
#include "platform/result.h"

namespace kw {

class UserInterface;

struct EmulatorQueryContext {
  std::string CaptureFileName = "$KSTEMP$.NFO";
  bool KillPifFile = true;
  std::string PifPath;  // PifFilePath(ProgramDir)
};

// The version line is cut at this length: a line no real build prints, and a capture with no
// line break in its first gigabyte must not be taken whole.
inline constexpr std::size_t kMaxVersionLine = 4096;

// The command lines: the executable (a name in the current directory, run as "./NAME") with no
// argument, or with -listinfo, its standard output into the capture file.
ShellCommandLine VersionQueryLine(const std::string& executable, const std::string& capture);
ShellCommandLine ListinfoQueryLine(const std::string& executable, const std::string& capture);

// Runs the version query and returns the first line of the capture, which is then deleted. Fails
// when the capture cannot be read, and when the user ended a query that did not come back.
Result<std::string> QueryEmulatorVersion(UserInterface& ui, const std::string& executable,
                                         const EmulatorQueryContext& context);

// Runs the game list query, leaving the capture for the parser. Fails (the capture deleted) when
// the user ended the query before the emulator came back.
Status QueryListinfo(UserInterface& ui, const std::string& executable,
                     const EmulatorQueryContext& context);

// The first line of a text file (up to its first line break, a CR LF counting as one), at most
// kMaxVersionLine bytes. Fails when the file cannot be read.
Result<std::string> ReadFirstLine(const std::string& path);

}  // namespace kw
