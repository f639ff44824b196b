// Starting outside programs from an argument list: the program and its words, each reaching the
// program as it is. Nothing here splits or interprets a command line; core's command-line
// builder makes every Command (through the command interpreter where one is needed).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/result.h"

namespace kw::platform {

constexpr std::uint16_t kShowHidden = 0;
constexpr std::uint16_t kShowNormal = 5;

// words[0] names the program: a path, resolved without regard to case, or a bare name searched
// in PATH (exact names first, then without regard to case). It is also the program's argv[0].
struct Command {
  std::vector<std::string> words;
  // When set, the program's standard output: a descriptor the caller opened (and keeps open
  // until the program is started), in place of a redirection by the command interpreter.
  int output_fd = -1;
  // The same for its standard error.
  int error_fd = -1;
};

// The command interpreter that runs a script given after "-c".
inline constexpr const char* kCommandInterpreter = "/bin/sh";

// "/bin/sh -c " — how a command through the interpreter is shown to the user.
std::string CommandPrefix();

// Starts the command as a new process that inherits the current directory and the environment;
// with `wait`, returns after it ended. Fails (with the system's reason) when the process cannot
// be started: no such program, not executable... A hidden process gets /dev/null as standard
// input. A process not waited for is never left behind as a zombie.
Status RunProgram(const Command& command, std::uint16_t show, bool wait);

// Runs the command, as RunProgram does, with standard input and output on /dev/null, waits for
// it and gives its exit code (128 + the signal number when a signal ended it). For tools whose
// answer is their exit code (the ACE extractor). A non-empty `working_dir` is the program's
// current directory.
Result<int> RunQuietly(const Command& command, const std::string& working_dir = "");

// What a program run under a time limit answered.
struct CapturedRun {
  bool timed_out = false;  // still running at the limit: it was killed with its process group
  int exit_code = 0;       // when it ended by itself: 128 + the signal number for a signal
  std::string output;      // the first bytes of its standard output, at most the maximum asked
  bool truncated = false;  // it printed more than that; the rest was read and dropped
};

// Runs the command with standard input on /dev/null, standard error on /dev/null and standard
// output captured, in a process group of its own, for at most `limit_ms` milliseconds: a program
// that is still running then is killed with everything it started. `tick`, when given, is
// called about every 15 ms while the program runs (for the windows to repaint). Fails (with the
// system's reason) when the program cannot be started.
Result<CapturedRun> RunCaptured(const Command& command, int limit_ms, std::size_t max_bytes,
                                const std::function<void()>& tick = {});

// True when words[0] of such a command would be found (a path, or a name in PATH).
bool ProgramExists(const std::string& program);

// A program started without waiting, for callers that wait for it themselves while the windows
// keep repainting. It runs in a process group of its own, so that ending it also ends what it
// started (the command interpreter and the emulator under it).
class ChildProcess {
 public:
  ChildProcess() = default;
  explicit ChildProcess(int pid) : pid_(pid) {}
  ChildProcess(ChildProcess&& other) noexcept : pid_(other.pid_), exit_code_(other.exit_code_) {
    other.pid_ = -1;
  }
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  // A process neither ended nor waited for is ended (killed) and reaped.
  ~ChildProcess();

  // True once the process has ended (it is then reaped); never blocks.
  bool HasEnded();
  // Once it has ended: its exit status, or 128 plus the signal that ended it; -1 before, or when
  // it was killed here or reaped elsewhere.
  int ExitCode() const { return exit_code_; }
  // Ends the process and its group at once and reaps it.
  void Kill();

 private:
  int pid_ = -1;
  int exit_code_ = -1;
};

// A file a child's standard error was kept in, written on to the program's own standard error
// as the child would have written it, then deleted. A missing file writes nothing.
void PassOnToStandardError(const std::string& path);

// Starts the command as RunProgram does, in a new process group, and returns at once.
Result<ChildProcess> StartProgram(const Command& command, std::uint16_t show);

// A program started to show the user something (a text editor, the desktop's opener, the file
// manager), watched for a short moment so that one that fails at once can be said with its
// reason, without waiting for one that keeps running. Its standard error goes on to ours as it
// comes and is kept for the reason. Once the watch is over the program runs on unwatched: it is
// reaped when it ends and its standard error is still passed on, so that nothing it started
// loses its standard error either.
class WatchedProgram {
 public:
  WatchedProgram() = default;
  WatchedProgram(WatchedProgram&& other) noexcept;
  WatchedProgram& operator=(WatchedProgram&& other) noexcept;
  ~WatchedProgram();

  // Looks once, without blocking: true when the program has ended or the moment is over.
  bool Settled();
  // Once settled: a failure when the program ended within the moment with a non-zero exit code
  // or by a signal, its reason the last line it wrote on standard error (else its exit code);
  // success for one that ended well or still runs.
  Status Outcome() const;

 private:
  friend Result<WatchedProgram> StartWatched(const Command& command, std::uint16_t show,
                                             int moment_ms);
  void Drain();
  void Release();

  int pid_ = -1;
  int error_fd_ = -1;
  std::int64_t until_ms_ = 0;  // on the steady clock
  bool ended_ = false;
  int exit_code_ = 0;
  std::string errors_;  // the last bytes of its standard error
};

// A file a child's standard error was kept in, written on to the program's own standard error
// as the child would have written it, then deleted. A missing file writes nothing.
void PassOnToStandardError(const std::string& path);

// Starts the command as RunProgram does, without waiting, and watches it for `moment_ms`
// milliseconds. Fails (with the system's reason) when it cannot be started.
Result<WatchedProgram> StartWatched(const Command& command, std::uint16_t show, int moment_ms);
// The moment a program that shows something is watched for: longer than the desktop's opener
// takes to find that it has nothing to open a file with.
inline constexpr int kOpenWatchMs = 1500;

// The command that opens a document, URL or mailto: address, or shows a directory, with the
// desktop's opener (xdg-open); fails when there is no opener.
Result<Command> DesktopOpenCommand(const std::string& target);

}  // namespace kw::platform
