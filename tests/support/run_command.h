// Runs a shell command line and collects its standard output (and error, when the command line
// redirects it) and exit status.
#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <string>

namespace kw::test {

struct CommandResult {
  int status = -1;  // exit status, -1 when it did not exit normally
  std::string out;
};

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
