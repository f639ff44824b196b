// Starting outside programs. A command line that begins with CommandPrefix() runs through the
// command interpreter (/bin/sh -c); any other is started directly, its first word (quoted or
// not) resolved without regard to case, the rest split into arguments at blanks and quotes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kw::platform {

constexpr std::uint16_t kShowHidden = 0;
constexpr std::uint16_t kShowNormal = 5;

// "/bin/sh -c " — what the program puts in front of every emulator command line.
std::string CommandPrefix();

// Starts the command line as a new process that inherits the current directory and the
// environment; with `wait`, returns after it ended. Result: 0 when the process was created,
// else the system's error code (errno). A hidden process gets /dev/null as standard input.
int RunProgram(std::string_view command_line, std::uint16_t show, bool wait);

// Opens a document, URL or mailto: address with the desktop's opener (xdg-open), without
// waiting. False when no opener exists or it cannot be started.
bool OpenWithDesktop(std::string_view target);

// Splits a command line into words: blanks separate, double quotes group (and are removed).
std::vector<std::string> SplitCommandLine(std::string_view command_line);

}  // namespace kw::platform
