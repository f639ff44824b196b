// Runs a command and collects its standard output (and error, when the command line redirects
// it) and exit status. The one way the tests start a program through the shell.
#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <string>
#include <vector>

namespace kw::test {

struct CommandResult {
  int status = -1;  // exit status, -1 when it did not exit normally
  std::string out;
};

// One word for the shell, whatever it holds.
inline std::string ShellQuoted(const std::string& word) {
  std::string q = "'";
  for (char c : word) {
    if (c == '\'') {
      q += "'\\''";
    } else {
      q += c;
    }
  }
  return q + "'";
}

// The command line that runs `args` as they are.
inline std::string CommandLine(const std::vector<std::string>& args) {
  std::string line;
  for (const auto& a : args)
    line += (line.empty() ? "" : " ") + ShellQuoted(a);
  return line;
}

inline CommandResult RunCommand(const std::string& command_line) {
  CommandResult result;
  FILE* pipe = popen(command_line.c_str(), "r");
  if (!pipe) return result;
  char buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    result.out.append(buffer, n);
  int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace kw::test
