// Starting outside programs with fork and exec, from their argument list as it is. A program
// started without waiting is started by a short-lived intermediate child, so it is adopted by init
// and never stays a zombie.
#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>
#include <utility>

#include "platform/fs.h"
#include "platform/input_file.h"

namespace kw::platform {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::vector<std::string> PathDirectories() {
  std::vector<std::string> directories;
  const char* path = std::getenv("PATH");
  std::string_view text = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find(':', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view dir = text.substr(pos, end - pos);
    directories.push_back(dir.empty() ? "./" : fs::IncludeTrailingSeparator(dir));
    pos = end + 1;
  }
  return directories;
}

// The program file that a first word names: a path resolved without regard to case, a bare
// name searched in PATH (exact names first). Empty when nothing is found.
std::string FindProgram(const std::string& word) {
  if (word.find('/') != std::string::npos) return fs::Resolve(word);
  const std::vector<std::string> directories = PathDirectories();
  for (const std::string& dir : directories) {
    if (IsExecutableFile(dir + word)) return dir + word;
  }
  for (const std::string& dir : directories) {
    std::string resolved = fs::Resolve(dir + word);
    if (IsExecutableFile(resolved)) return resolved;
  }
  return {};
}

// The program file that a command's first word names; ENOENT's text when there is none.
Result<std::string> ProgramOf(const Command& command) {
  if (command.words.empty() || command.words.front().empty()) {
    return Failure(std::strerror(ENOENT));
  }
  std::string program = FindProgram(command.words.front());
  if (program.empty()) return Failure(std::strerror(ENOENT));
  return program;
}

// The exec argument vector of `args` (args[0] included): pointers into them, ended by a null.
std::vector<char*> ArgumentVector(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  return argv;
}

// In the child: sends `code` through the close-on-exec report pipe. Async-signal-safe.
void ReportToParent(int report_fd, int code) {
  ssize_t ignored = write(report_fd, &code, sizeof code);
  (void)ignored;
}

// Reads and closes the child's close-on-exec report pipe: the exec's error code, or 0 when the
// pipe closed without one (the exec succeeded).
int ReadExecReport(int fd) {
  int code = 0;
  ssize_t got;
  do {
    got = read(fd, &code, sizeof code);
  } while (got < 0 && errno == EINTR);
  close(fd);
  return got == static_cast<ssize_t>(sizeof code) ? code : 0;
}

int WaitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

// In the child: stdin from /dev/null when hidden, default signal state, then exec. On failure
// the error code goes through the close-on-exec pipe. Only async-signal-safe calls here.
[[noreturn]] void ExecChild(const char* program, char* const* argv, bool hidden, int report_fd,
                            bool own_group = false, int output_fd = -1, int error_fd = -1) {
  if (own_group) setpgid(0, 0);
  sigset_t all;
  sigemptyset(&all);
  sigprocmask(SIG_SETMASK, &all, nullptr);
  signal(SIGPIPE, SIG_DFL);
  if (hidden) {
    int null_fd = open("/dev/null", O_RDONLY);
    if (null_fd >= 0 && null_fd != STDIN_FILENO) {
      dup2(null_fd, STDIN_FILENO);
      close(null_fd);
    }
  }
  if (output_fd == STDOUT_FILENO) {
    fcntl(STDOUT_FILENO, F_SETFD, 0);  // kept across the exec
  } else if (output_fd >= 0 && dup2(output_fd, STDOUT_FILENO) < 0) {
    ReportToParent(report_fd, errno);
    _exit(127);
  }
  if (error_fd == STDERR_FILENO) {
    fcntl(STDERR_FILENO, F_SETFD, 0);
  } else if (error_fd >= 0 && dup2(error_fd, STDERR_FILENO) < 0) {
    ReportToParent(report_fd, errno);
    _exit(127);
  }
  execv(program, argv);
  ReportToParent(report_fd, errno);
  _exit(127);
}

// Starts `program` with `args` (args[0] included). 0 when it was started, else errno.
int Spawn(const std::string& program, const Command& command, bool hidden, bool wait,
          pid_t* started = nullptr) {
  std::vector<char*> argv = ArgumentVector(command.words);
  const int out = command.output_fd;
  const int err = command.error_fd;
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return errno;
  pid_t pid = fork();
  if (pid < 0) {
    int code = errno;
    close(report[0]);
    close(report[1]);
    return code;
  }
  if (pid == 0) {
    close(report[0]);
    if (started) ExecChild(program.c_str(), argv.data(), hidden, report[1], true, out, err);
    if (wait) ExecChild(program.c_str(), argv.data(), hidden, report[1], false, out, err);
    pid_t grandchild = fork();
    if (grandchild == 0)
      ExecChild(program.c_str(), argv.data(), hidden, report[1], false, out, err);
    if (grandchild < 0) {
      ReportToParent(report[1], errno);
    }
    _exit(0);
  }
  close(report[1]);
  // Set from both sides, so that the group exists before anyone signals it.
  if (started) setpgid(pid, pid);
  if (!wait && !started) WaitFor(pid);  // the intermediate child ends at once
  int code = ReadExecReport(report[0]);
  if (started) {
    if (code != 0) {
      WaitFor(pid);
    } else {
      *started = pid;
    }
    return code;
  }
  if (wait) {
    int wait_error = WaitFor(pid);
    if (code == 0 && wait_error != 0 && wait_error != ECHILD) code = wait_error;
  }
  return code;
}

}  // namespace

std::string CommandPrefix() {
  return std::string(kCommandInterpreter) + " -c ";
}

Status RunProgram(const Command& command, std::uint16_t show, bool wait) {
  const Result<std::string> program = ProgramOf(command);
  if (!program) return Failure(program.Message());
  if (int code = Spawn(*program, command, show == kShowHidden, wait); code != 0) {
    return Failure(std::strerror(code));
  }
  return Success();
}

bool ProgramExists(const std::string& program) {
  return !program.empty() && !FindProgram(program).empty();
}

Result<int> RunQuietly(const Command& command, const std::string& working_dir) {
  const Result<std::string> program = ProgramOf(command);
  if (!program) return Failure(program.Message());
  std::vector<char*> argv = ArgumentVector(command.words);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return Failure(std::strerror(errno));
  pid_t pid = fork();
  if (pid < 0) {
    int code = errno;
    close(report[0]);
    close(report[1]);
    return Failure(std::strerror(code));
  }
  if (pid == 0) {
    close(report[0]);
    int null_fd = open("/dev/null", O_WRONLY);
    if (null_fd >= 0) dup2(null_fd, STDOUT_FILENO);
    if (!working_dir.empty() && chdir(working_dir.c_str()) != 0) {
      ReportToParent(report[1], errno);
      _exit(127);
    }
    ExecChild(program->c_str(), argv.data(), true, report[1]);
  }
  close(report[1]);
  const int code = ReadExecReport(report[0]);
  int status = 0;
  pid_t waited;
  do {
    waited = waitpid(pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (code != 0) return Failure(std::strerror(code));
  if (waited < 0) return Failure(std::strerror(errno));
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

Result<CapturedRun> RunCaptured(const Command& command, int limit_ms, std::size_t max_bytes,
                                const std::function<void()>& tick) {
  const Result<std::string> program = ProgramOf(command);
  if (!program) return Failure(program.Message());
  std::vector<char*> argv = ArgumentVector(command.words);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return Failure(std::strerror(errno));
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) {
    int code = errno;
    close(report[0]);
    close(report[1]);
    return Failure(std::strerror(code));
  }
  pid_t pid = fork();
  if (pid < 0) {
    int code = errno;
    for (int fd : {report[0], report[1], out[0], out[1]})
      close(fd);
    return Failure(std::strerror(code));
  }
  if (pid == 0) {
    close(report[0]);
    close(out[0]);
    dup2(out[1], STDOUT_FILENO);  // the copy is kept open across the exec
    int null_fd = open("/dev/null", O_WRONLY);
    if (null_fd >= 0) dup2(null_fd, STDERR_FILENO);
    ExecChild(program->c_str(), argv.data(), true, report[1], true);
  }
  close(report[1]);
  close(out[1]);
  setpgid(pid, pid);  // from both sides, so that the group exists before it is signalled
  if (int code = ReadExecReport(report[0]); code != 0) {
    close(out[0]);
    WaitFor(pid);
    return Failure(std::strerror(code));
  }
  fcntl(out[0], F_SETFL, fcntl(out[0], F_GETFL) | O_NONBLOCK);

  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline =
      Clock::now() + std::chrono::milliseconds(std::max(limit_ms, 0));
  constexpr int kTickMs = 15;
  Clock::time_point next_tick = Clock::now() + std::chrono::milliseconds(kTickMs);
  CapturedRun run;
  bool ended = false;
  bool closed = false;  // the output pipe reached its end: nothing writes into it any more
  char block[65536];
  for (;;) {
    if (!ended) {
      int status = 0;
      pid_t got;
      do {
        got = waitpid(pid, &status, WNOHANG);
      } while (got < 0 && errno == EINTR);
      if (got != 0) {
        ended = true;
        if (got > 0)
          run.exit_code = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
      }
    }
    if (ended && closed) break;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    if (!closed) {
      pollfd watched{out[0], POLLIN, 0};
      if (poll(&watched, 1, static_cast<int>(std::min<long long>(left, kTickMs))) > 0) {
        // Read what is there; the end of the pipe ends the reading.
        for (;;) {
          ssize_t got = read(out[0], block, sizeof block);
          if (got > 0) {
            const std::size_t keep = std::min(static_cast<std::size_t>(got),
                                              max_bytes - std::min(max_bytes, run.output.size()));
            run.output.append(block, keep);
            if (keep < static_cast<std::size_t>(got)) run.truncated = true;
            continue;
          }
          if (got == 0) closed = true;
          if (got < 0 && errno == EINTR) continue;
          break;
        }
      }
    } else {
      // The output is closed but the program still runs: look again in a moment.
      poll(nullptr, 0, static_cast<int>(std::min<long long>(left, kTickMs)));
    }
    if (tick && Clock::now() >= next_tick) {
      tick();
      next_tick = Clock::now() + std::chrono::milliseconds(kTickMs);
    }
  }
  close(out[0]);
  if (!ended || !closed) {
    // Still running at the limit, or something it started still holds its output.
    kill(-pid, SIGKILL);
    if (!ended) {
      kill(pid, SIGKILL);
      WaitFor(pid);
      run.timed_out = true;
    }
  }
  return run;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Kill();
    pid_ = other.pid_;
    exit_code_ = other.exit_code_;
    other.pid_ = -1;
  }
  return *this;
}

ChildProcess::~ChildProcess() {
  Kill();
}

bool ChildProcess::HasEnded() {
  if (pid_ <= 0) return true;
  int status = 0;
  pid_t got;
  do {
    got = waitpid(pid_, &status, WNOHANG);
  } while (got < 0 && errno == EINTR);
  if (got == 0) return false;
  if (got == pid_) {
    if (WIFEXITED(status)) exit_code_ = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) exit_code_ = 128 + WTERMSIG(status);
  }
  pid_ = -1;  // ended and reaped (or not ours any more)
  return true;
}

void ChildProcess::Kill() {
  if (pid_ <= 0) return;
  kill(-pid_, SIGKILL);
  kill(pid_, SIGKILL);
  WaitFor(pid_);
  pid_ = -1;
}

void PassOnToStandardError(const std::string& path) {
  if (Result<InputFile> kept = InputFile::Open(path)) {
    std::vector<char> block(64 * 1024);
    for (long n; (n = kept->Read(block.data(), block.size())) > 0;) {
      for (long done = 0; done < n;) {
        const ssize_t written = write(STDERR_FILENO, block.data() + done, n - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break;
        done += written;
      }
    }
  }
  unlink(path.c_str());
}

Result<ChildProcess> StartProgram(const Command& command, std::uint16_t show) {
  const Result<std::string> program = ProgramOf(command);
  if (!program) return Failure(program.Message());
  pid_t pid = -1;
  if (int code = Spawn(*program, command, show == kShowHidden, false, &pid); code != 0) {
    return Failure(std::strerror(code));
  }
  return ChildProcess(pid);
}

Result<Command> DesktopOpenCommand(const std::string& target) {
  const std::string opener = FindProgram("xdg-open");
  if (opener.empty()) return Failure("No program to open it was found");
  return Command{{opener, target}};
}

namespace {

constexpr std::size_t kKeptErrorBytes = 4096;

std::int64_t SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

// The last line of what a program wrote, without its line end; empty when it wrote nothing.
std::string LastLine(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.remove_suffix(1);
  const std::size_t start = text.find_last_of('\n');
  return std::string(start == std::string_view::npos ? text : text.substr(start + 1));
}

// After the watch: passes the program's standard error on until nothing holds it any more, then
// reaps the program (when it was not reaped yet). Blocking, so on a thread of its own.
void RunOn(int pid, int error_fd) {
  if (error_fd >= 0) {
    fcntl(error_fd, F_SETFL, fcntl(error_fd, F_GETFL) & ~O_NONBLOCK);
    char block[4096];
    for (;;) {
      const ssize_t got = read(error_fd, block, sizeof block);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      WriteAll(STDERR_FILENO, block, static_cast<std::size_t>(got));
    }
    close(error_fd);
  }
  if (pid > 0) WaitFor(pid);
}

}  // namespace

WatchedProgram::WatchedProgram(WatchedProgram&& other) noexcept {
  *this = std::move(other);
}

WatchedProgram& WatchedProgram::operator=(WatchedProgram&& other) noexcept {
  if (this != &other) {
    Release();
    pid_ = std::exchange(other.pid_, -1);
    error_fd_ = std::exchange(other.error_fd_, -1);
    until_ms_ = other.until_ms_;
    ended_ = other.ended_;
    exit_code_ = other.exit_code_;
    errors_ = std::move(other.errors_);
  }
  return *this;
}

WatchedProgram::~WatchedProgram() {
  Release();
}

void WatchedProgram::Drain() {
  if (error_fd_ < 0) return;
  char block[4096];
  for (;;) {
    const ssize_t got = read(error_fd_, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got == 0) {  // nothing holds it any more
      close(error_fd_);
      error_fd_ = -1;
      return;
    }
    if (got < 0) return;  // nothing more for now
    WriteAll(STDERR_FILENO, block, static_cast<std::size_t>(got));
    errors_.append(block, static_cast<std::size_t>(got));
    if (errors_.size() > kKeptErrorBytes) errors_.erase(0, errors_.size() - kKeptErrorBytes);
  }
}

bool WatchedProgram::Settled() {
  Drain();
  if (!ended_ && pid_ > 0) {
    int status = 0;
    pid_t got;
    do {
      got = waitpid(pid_, &status, WNOHANG);
    } while (got < 0 && errno == EINTR);
    if (got != 0) {
      ended_ = true;
      pid_ = -1;
      if (got > 0) exit_code_ = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
      Drain();  // what it wrote before it ended
    }
  }
  return ended_ || pid_ <= 0 || SteadyMs() >= until_ms_;
}

Status WatchedProgram::Outcome() const {
  if (!ended_ || exit_code_ == 0) return Success();
  std::string reason = LastLine(errors_);
  if (reason.empty()) reason = "It ended with exit code " + std::to_string(exit_code_) + ".";
  return Failure(reason);
}

void WatchedProgram::Release() {
  if (pid_ <= 0 && error_fd_ < 0) return;
  // Detached: it ends with the program or with what the program started.
  std::thread(RunOn, ended_ ? -1 : pid_, error_fd_).detach();
  pid_ = -1;
  error_fd_ = -1;
}

Result<WatchedProgram> StartWatched(const Command& command, std::uint16_t show, int moment_ms) {
  const Result<std::string> program = ProgramOf(command);
  if (!program) return Failure(program.Message());
  std::vector<char*> argv = ArgumentVector(command.words);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return Failure(std::strerror(errno));
  int errors[2];
  if (pipe2(errors, O_CLOEXEC) != 0) {
    const int code = errno;
    close(report[0]);
    close(report[1]);
    return Failure(std::strerror(code));
  }
  const pid_t pid = fork();
  if (pid < 0) {
    const int code = errno;
    for (int fd : {report[0], report[1], errors[0], errors[1]})
      close(fd);
    return Failure(std::strerror(code));
  }
  if (pid == 0) {
    close(report[0]);
    close(errors[0]);
    dup2(errors[1], STDERR_FILENO);  // the copy is kept open across the exec
    ExecChild(program->c_str(), argv.data(), show == kShowHidden, report[1]);
  }
  close(report[1]);
  close(errors[1]);
  if (const int code = ReadExecReport(report[0]); code != 0) {
    close(errors[0]);
    WaitFor(pid);
    return Failure(std::strerror(code));
  }
  fcntl(errors[0], F_SETFL, fcntl(errors[0], F_GETFL) | O_NONBLOCK);
  WatchedProgram watched;
  watched.pid_ = pid;
  watched.error_fd_ = errors[0];
  watched.until_ms_ = SteadyMs() + std::max(moment_ms, 0);
  return watched;
}

}  // namespace kw::platform
