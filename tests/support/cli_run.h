// Runs kestrelwing-cli as the real program, in a program directory of the test's own.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace kw::test {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the program with `args`; its program directory ($KESTRELWING_HOME) is `home` when given.
// Standard error is collected through a file in `dir`.
inline CliRun RunCli(std::vector<std::string> args, const TempDir& dir,
                     const std::string& home = "") {
  args.insert(args.begin(), KW_CLI_PATH);
  const std::string env = home.empty() ? "" : "KESTRELWING_HOME=" + ShellQuoted(home) + " ";
  CommandResult run = RunCommand(env + CommandLine(args) + " 2>" + ShellQuoted(dir / "stderr.txt"));
  return {run.status, run.out, dir.Read("stderr.txt")};
}

// RunCli under a watchdog: a run still going after two minutes is killed, and its exit status
// is then the watchdog's (137), which no command of the program gives.
inline CliRun RunCliWatched(const std::vector<std::string>& args, const TempDir& dir,
                            const std::string& home) {
  std::vector<std::string> words = {"timeout", "-s", "KILL", "120", KW_CLI_PATH};
  words.insert(words.end(), args.begin(), args.end());
  const CommandResult run =
      RunCommand("KESTRELWING_HOME=" + ShellQuoted(home) + " " + CommandLine(words) + " 2>" +
                 ShellQuoted(dir / "stderr.txt"));
  return {run.status, run.out, dir.Read("stderr.txt")};
}

// The test listinfo's profile at `profile`, its emulator directory `emulator_dir`; the exit
// status of parse-listinfo.
inline int MakeSampleProfile(const std::string& profile, const std::string& emulator_dir,
                             const TempDir& dir, const std::string& home = "") {
  return RunCli({"parse-listinfo", std::string(KW_TEST_DATA_DIR) + "/listinfo/listinfo.txt",
                 profile, "--emulator-dir", emulator_dir},
                dir, home)
      .status;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

}  // namespace kw::test
