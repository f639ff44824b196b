// The window program itself, started on a profile made by kestrelwing-cli and ended by SIGTERM,
// as a desktop session ending does: it must shut down as when its window closes, saving
// KESTREL.INI.
#ifdef KW_GUI_PATH
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

extern char** environ;

namespace kw {
namespace {

// A started program, killed if the test leaves before it ended.
class Child {
 public:
  Child(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    std::vector<std::string> environment = env;
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      bool overridden = false;
      for (const auto& own : env)
        overridden |= entry.compare(0, own.find('=') + 1, own, 0, own.find('=') + 1) == 0;
      if (!overridden) environment.push_back(entry);
    }
    std::vector<char*> argv, envp;
    for (const auto& a : args)
      argv.push_back(const_cast<char*>(a.c_str()));
    for (const auto& e : environment)
      envp.push_back(const_cast<char*>(e.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
  }
  ~Child() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  pid_t Pid() const { return pid_; }

  // Whether it has ended; then `status` is its wait status.
  bool Ended(int& status) {
    if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) != pid_) return false;
    pid_ = -1;
    return true;
  }

 private:
  pid_t pid_ = -1;
};

// Only a hung program lets this pass.
constexpr std::chrono::minutes kHangLimit(3);

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

TEST(GuiProgram, SigtermEndsItCleanlyWithItsSettingsSaved) {
  test::TempDir home, work;
  const std::string emulator_dir = work / "mame";
  std::filesystem::create_directories(emulator_dir);
  const std::string profile = work / "Games.ksl";
  auto made = test::RunCommand(
      test::CommandLine({KW_CLI_PATH, "parse-listinfo", KW_TEST_DATA_DIR "/listinfo/listinfo.txt",
                         profile, "--emulator-dir", emulator_dir}) +
      " 2>&1");
  ASSERT_EQ(made.status, 0) << made.out;

  Child program({KW_GUI_PATH, profile},
                {"QT_QPA_PLATFORM=offscreen", "KESTRELWING_HOME=" + home.Path()});
  ASSERT_GT(program.Pid(), 0);
  // Once the profile is read, the emulator's directory is the program's current one.
  const std::string cwd_link = "/proc/" + std::to_string(program.Pid()) + "/cwd";
  const auto expected_cwd = std::filesystem::canonical(emulator_dir);
  int status = 0;
  bool ended_early = false;
  ASSERT_TRUE(test::WaitUntil(
      [&] {
        std::error_code ec;
        if (std::filesystem::read_symlink(cwd_link, ec) == expected_cwd) return true;
        ended_early = program.Ended(status);
        return ended_early;
      },
      kHangLimit))
      << "the profile was never opened";
  ASSERT_FALSE(ended_early) << "the program ended by itself, wait status " << status;

  ASSERT_EQ(kill(program.Pid(), SIGTERM), 0);
  ASSERT_TRUE(test::WaitUntil([&] { return program.Ended(status); }, kHangLimit))
      << "SIGTERM did not end it";
  ASSERT_TRUE(WIFEXITED(status)) << "wait status " << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);

  const std::string ini = home.Read("KESTREL.INI");
  // The reopen list holds it in upper case; the last profile as it was opened (the next start
  // reads it in upper case).
  EXPECT_NE(Upper(ini).find("LASTPROFILE=" + Upper(profile) + "\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("File1=" + Upper(profile) + "\r\n"), std::string::npos) << ini;
  // Every section the program knows is written.
  auto settings = test::RunCommand("KESTRELWING_HOME=" + test::ShellQuoted(home.Path()) + " " +
                                   test::CommandLine({KW_CLI_PATH, "settings"}));
  ASSERT_EQ(settings.status, 0);
  std::size_t sections = 0;
  for (std::size_t at = settings.out.find('['); at != std::string::npos;
       at = settings.out.find("\n[", at + 1)) {
    const std::size_t from = settings.out[at] == '\n' ? at + 1 : at;
    const std::string section = settings.out.substr(from, settings.out.find('\n', from) - from);
    EXPECT_NE(ini.find(section + "\r\n"), std::string::npos) << section;
    ++sections;
  }
  EXPECT_GE(sections, 4u);
}

// Starts the window on --demo with `home` as the program directory, waits until it has opened
// the demo (its current directory is then the demo's emulator directory) and ends it.
void OpenTheDemo(const test::TempDir& home) {
  Child program({KW_GUI_PATH, "--demo"},
                {"QT_QPA_PLATFORM=offscreen", "KESTRELWING_HOME=" + home.Path()});
  ASSERT_GT(program.Pid(), 0);
  const std::string cwd_link = "/proc/" + std::to_string(program.Pid()) + "/cwd";
  const std::filesystem::path emulator_dir = home / "DEMO/emulator";
  int status = 0;
  bool ended_early = false;
  ASSERT_TRUE(test::WaitUntil(
      [&] {
        std::error_code ec;
        if (std::filesystem::exists(emulator_dir) &&
            std::filesystem::read_symlink(cwd_link, ec) == std::filesystem::canonical(emulator_dir))
          return true;
        ended_early = program.Ended(status);
        return ended_early;
      },
      kHangLimit))
      << "the demo was never opened";
  ASSERT_FALSE(ended_early) << "the program ended by itself, wait status " << status;
  ASSERT_EQ(kill(program.Pid(), SIGTERM), 0);
  ASSERT_TRUE(test::WaitUntil([&] { return program.Ended(status); }, kHangLimit));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
}

TEST(GuiProgram, TheDemoIsWrittenIntoTheUsersDirectoryOnceAndOpened) {
  test::TempDir home;
  OpenTheDemo(home);
  const std::string profile = home / "DEMO/DEMO.KSL";
  ASSERT_TRUE(std::filesystem::exists(profile));
  const auto written = std::filesystem::last_write_time(profile);

  OpenTheDemo(home);
  EXPECT_EQ(std::filesystem::last_write_time(profile), written) << "written again";
  EXPECT_NE(home.Read("KESTREL.INI").find("DEMO.KSL"), std::string::npos);
}

}  // namespace
}  // namespace kw
#endif
