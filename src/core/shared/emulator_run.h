// Running the emulator: through the command interpreter (for the redirection of its text output
// into the capture file), waited for while the windows stay alive.
#pragma once

#include <cstdint>
#include <string>

#include "common/result.h"
#include "core/shared/command_line.h"
#include "platform/process.h"

namespace kw {

class UserInterface;

enum class RunOutcome {
  NotStarted,   // the interpreter could not be started: the caller goes on as if it had ended
  Ended,        // the program ended by itself
  EndedByUser,  // the user ended a program that did not come back
};

// How a run of the emulator ended.
struct EmulatorEnd {
  RunOutcome Outcome = RunOutcome::NotStarted;
  int ExitCode = -1;  // its exit status when it Ended by itself
};

// What the user is told of a link found in the place of a scratch file or directory.
std::string LinkRemovedMessage(const std::string& path);

// Starts `line`. Its capture file, when it has one, is made anew by the program and given to it
// as its standard output: a link found in its place is removed (the user is told), never
// written through. A capture that cannot be made fails the start, as the interpreter's
// redirection did.
// With `error_file`, its standard error goes into that file, made the same way.
Result<platform::ChildProcess> StartEmulator(UserInterface& ui, const ShellCommandLine& line,
                                             std::uint16_t show,
                                             const std::string& error_file = "");

// Starts `line` (StartEmulator) and waits for its end through the user interface (AwaitProgram).
// `start_failure`, when given, receives the reason of a start that failed.
RunOutcome RunEmulator(UserInterface& ui, const ShellCommandLine& line, std::uint16_t show,
                       bool offer_end, std::string* start_failure = nullptr);

// RunEmulator for a game: its standard error kept in `error_file` (when given) and its exit
// status told.
EmulatorEnd RunGameEmulator(UserInterface& ui, const ShellCommandLine& line,
                            const std::string& error_file);

// The command interpreter of this platform has no program-information file. The call and the
// KillPifFile setting stay; the file it names lies in the program's own directory, so nothing
// outside the program's files is ever deleted. A missing file is no error.
std::string PifFilePath(const std::string& program_dir);
void DeletePifFile(bool kill_pif_file, const std::string& pif_path);

}  // namespace kw
