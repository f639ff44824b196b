#include "platform/process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <sstream>

#include "platform/fs.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace kw::platform {
namespace {

// Waits until a file written by a process that runs on its own appears.
bool WaitForFile(const std::string& path) {
  return test::WaitUntil([&] { return std::filesystem::exists(path); });
}

// Processes (running or not yet collected) whose parent is this process.
int ChildCount() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    Result<std::string> read = fs::ReadFile("/proc/" + name + "/stat");
    const std::string stat = read ? *read : std::string();
    std::size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream fields(stat.substr(close + 1));
    std::string state;
    long parent = 0;
    fields >> state >> parent;
    if (parent == getpid()) ++count;
  }
  return count;
}

// A script that writes its arguments, each followed by '|', to out.txt beside itself.
std::string MakeScript(const test::TempDir& dir, const std::string& name) {
  std::string path =
      dir.Write(name, "#!/bin/sh\nprintf '%s|' \"$@\" > \"$(dirname \"$0\")/out.txt\"\n");
  chmod(path.c_str(), 0755);
  return path;
}

Command Shell(const std::string& script) {
  return Command{{kCommandInterpreter, "-c", script}};
}

TEST(RunProgram, ShellCommandRedirectsAndWaits) {
  test::TempDir dir;
  const std::string old_cwd = fs::CurrentDirectory();
  ASSERT_TRUE(fs::SetCurrentDirectory(dir.Path()));
  Status result =
      RunProgram(Shell("\"/bin/echo\" hello > out.nfo; pwd >> out.nfo"), kShowHidden, true);
  ASSERT_TRUE(fs::SetCurrentDirectory(old_cwd));
  EXPECT_TRUE(result) << result.Message();
  EXPECT_EQ(dir.Read("out.nfo"), "hello\n" + fs::ExcludeTrailingSeparator(dir.Path()) + "\n");
  EXPECT_EQ(CommandPrefix(), "/bin/sh -c ");
}

TEST(RunProgram, HiddenProcessReadsNothingFromStandardInput) {
  test::TempDir dir;
  EXPECT_TRUE(RunProgram(Shell("cat > '" + dir / "in.txt" + "'"), kShowHidden, true));
  EXPECT_EQ(dir.Read("in.txt"), "");
}

TEST(RunProgram, WithoutWaitingReturnsAndLeavesNoZombie) {
  test::TempDir dir;
  const std::string done = dir / "done";
  const int children = ChildCount();
  EXPECT_TRUE(RunProgram(Shell("sleep 0.5; touch '" + done + "'"), kShowNormal, false));
  // The program runs on, but not as a child of this process, so nothing is left to collect.
  EXPECT_EQ(ChildCount(), children);
  EXPECT_TRUE(WaitForFile(done));
}

TEST(RunProgram, DirectProgramIsFoundWithoutRegardToCaseAndGetsItsWordsAsTheyAre) {
  test::TempDir dir;
  MakeScript(dir, "RunMe.sh");
  EXPECT_TRUE(RunProgram(Command{{dir / "RUNME.SH", "arg", "two words", "\"q\"", "$(x)", ""}},
                         kShowNormal, true));
  EXPECT_EQ(dir.Read("out.txt"), "arg|two words|\"q\"|$(x)||");
}

TEST(RunProgram, BareNameIsLookedUpInPath) {
  test::TempDir dir;
  MakeScript(dir, "Kw-Tool");
  const char* old = std::getenv("PATH");
  const std::string old_path = old ? old : "";
  setenv("PATH", (dir.Path() + ":" + old_path).c_str(), 1);
  Status result = RunProgram(Command{{"KW-TOOL", "x"}}, kShowNormal, true);
  setenv("PATH", old_path.c_str(), 1);
  EXPECT_TRUE(result) << result.Message();
  EXPECT_EQ(dir.Read("out.txt"), "x|");
}

TEST(RunProgram, MissingProgramGivesTheSystemReason) {
  test::TempDir dir;
  const std::string kMissing = "No such file or directory";
  EXPECT_EQ(RunProgram(Command{{dir / "nothing here"}}, kShowNormal, true).Message(), kMissing);
  EXPECT_EQ(RunProgram(Command{{"kw-no-such-program-anywhere"}}, kShowNormal, false).Message(),
            kMissing);
  EXPECT_EQ(RunProgram(Command{}, kShowNormal, true).Message(), kMissing);
  std::string plain = dir.Write("plain.txt", "not a program");
  EXPECT_EQ(RunProgram(Command{{plain}}, kShowNormal, true).Message(), "Permission denied");
  EXPECT_EQ(RunProgram(Command{{plain}}, kShowNormal, false).Message(), "Permission denied");
}

}  // namespace
}  // namespace kw::platform

namespace kw::platform {
namespace {

// Gone, or at most a zombie waiting for init.
bool ProcessGone(pid_t pid) {
  return test::WaitUntil([pid] {
    Result<std::string> stat = fs::ReadFile("/proc/" + std::to_string(pid) + "/stat");
    return !stat || stat->find(") Z") != std::string::npos;
  });
}

TEST(RunCaptured, GivesTheAnswerTheExitCodeAndKeepsNoMoreThanAsked) {
  Result<CapturedRun> run =
      RunCaptured(Shell("printf 'first\\nsecond'; echo noise >&2; read x; exit 4"), 5000, 1024);
  ASSERT_TRUE(run) << run.Message();
  EXPECT_FALSE(run->timed_out);
  EXPECT_EQ(run->exit_code, 4);  // the read met the end of /dev/null at once
  EXPECT_EQ(run->output, "first\nsecond");
  EXPECT_FALSE(run->truncated);

  // Read to its end, kept up to the maximum.
  run = RunCaptured(Shell("head -c 300000 /dev/zero"), 5000, 1000);
  ASSERT_TRUE(run);
  EXPECT_EQ(run->output, std::string(1000, '\0'));
  EXPECT_TRUE(run->truncated);
  EXPECT_EQ(run->exit_code, 0);

  run = RunCaptured(Shell("kill -SEGV $$"), 5000, 1000);
  ASSERT_TRUE(run);
  EXPECT_EQ(run->exit_code, 128 + SIGSEGV);
  EXPECT_FALSE(RunCaptured(Command{{"/nonexistent/program"}}, 5000, 1000));
}

TEST(RunCaptured, AProgramStillRunningAtTheLimitIsKilledWithWhatItStarted) {
  test::TempDir dir;
  const int children = ChildCount();
  int ticks = 0;
  Result<CapturedRun> run =
      RunCaptured(Shell("sleep 300 & echo $! > '" + (dir / "pid") + "'; echo started; wait"), 300,
                  1024, [&ticks] { ++ticks; });
  ASSERT_TRUE(run) << run.Message();
  EXPECT_TRUE(run->timed_out);
  EXPECT_EQ(run->output, "started\n");
  EXPECT_GT(ticks, 0);
  EXPECT_TRUE(ProcessGone(std::stoi(dir.Read("pid"))));

  // The program ends, but what it left behind still holds its output: that is ended too.
  run = RunCaptured(Shell("sleep 300 & echo $! > '" + (dir / "pid") + "'; echo left"), 300, 1024);
  ASSERT_TRUE(run);
  EXPECT_FALSE(run->timed_out);
  EXPECT_EQ(run->output, "left\n");
  EXPECT_TRUE(ProcessGone(std::stoi(dir.Read("pid"))));
  EXPECT_EQ(ChildCount(), children);
}

TEST(StartProgram, EndsByItselfOrIsKilledWithWhatItStarted) {
  test::TempDir dir;
  Result<ChildProcess> quick = StartProgram(Command{{"/bin/sh", "-c", "exit 3"}}, kShowHidden);
  ASSERT_TRUE(quick);
  ASSERT_TRUE(test::WaitUntil([&] { return quick->HasEnded(); }));

  // The interpreter starts a program of its own, which writes its process id and then hangs.
  Result<ChildProcess> hung = StartProgram(
      Command{{"/bin/sh", "-c", "sleep 300 & echo $! > '" + (dir / "pid") + "'; wait"}},
      kShowHidden);
  ASSERT_TRUE(hung);
  // The whole line: the file appears before its number is written.
  ASSERT_TRUE(test::WaitUntil([&] {
    Result<std::string> pid = fs::ReadFile(dir / "pid");
    return pid && !pid->empty() && pid->back() == '\n';
  }));
  const pid_t grandchild = std::stoi(dir.Read("pid"));
  EXPECT_FALSE(hung->HasEnded());
  hung->Kill();
  EXPECT_TRUE(hung->HasEnded());
  EXPECT_TRUE(ProcessGone(grandchild));
  EXPECT_FALSE(StartProgram(Command{{dir / "none"}}, kShowHidden));
}

}  // namespace
}  // namespace kw::platform

namespace kw::platform {
namespace {

// What a watched program came to once the watch was over.
Status Watch(const Command& command, int moment_ms) {
  Result<WatchedProgram> program = StartWatched(command, kShowHidden, moment_ms);
  if (!program) return Failure("not started: " + program.Message());
  if (!test::WaitUntil([&] { return program->Settled(); })) return Failure("not settled");
  return program->Outcome();
}

Command Script(const std::string& script) {
  return Command{{kCommandInterpreter, "-c", script}};
}

TEST(StartWatched, AProgramThatFailsAtOnceGivesItsReason) {
  // A minute's moment: each of these ends long before it.
  EXPECT_EQ(Watch(Command{{"false"}}, 60000).Message(), "It ended with exit code 1.");
  // The desktop's opener: notes first, its reason on the last line.
  EXPECT_EQ(Watch(Script("echo 'links: not found' >&2; "
                         "echo \"xdg-open: no method available for opening 'a b.txt'\" >&2; "
                         "exit 3"),
                  60000)
                .Message(),
            "xdg-open: no method available for opening 'a b.txt'");
  EXPECT_EQ(Watch(Script("kill -TERM $$"), 60000).Message(), "It ended with exit code 143.");
  EXPECT_TRUE(Watch(Script("echo 'only a note' >&2; exit 0"), 60000));
  EXPECT_EQ(StartWatched(Command{{"kw-no-such-program-anywhere"}}, kShowNormal, 0).Message(),
            "No such file or directory");
}

TEST(StartWatched, AProgramThatKeepsRunningIsLeftToRunAndReaped) {
  test::TempDir dir;
  const std::string go = dir / "go";
  const std::string done = dir / "done";
  // It runs until the test lets it end, well after the moment; then it writes on its standard
  // error (which must still be read) and fails.
  EXPECT_TRUE(Watch(Script("while [ ! -e '" + go + "' ]; do sleep 0.02; done; " +
                           "echo 'a late note' >&2 && touch '" + done + "'; exit 1"),
                    50));
  dir.Write("go", "");
  EXPECT_TRUE(WaitForFile(done));
  EXPECT_TRUE(test::WaitUntil([] { return ChildCount() == 0; })) << "reaped: no zombie stays";
}

}  // namespace
}  // namespace kw::platform
