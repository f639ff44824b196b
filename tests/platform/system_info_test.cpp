#include "platform/system_info.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/fs.h"
#include "support/temp_dir.h"

namespace kw::platform {
namespace {

// Sets an environment variable for the life of the object and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ProgramDir, HomeVariableWinsAndGetsATrailingSeparator) {
  ScopedEnv home("KESTRELWING_HOME", "/tmp/kw-home");
  EXPECT_EQ(ProgramDir(), "/tmp/kw-home/");
  ScopedEnv relative("KESTRELWING_HOME", "some/home");
  EXPECT_EQ(ProgramDir(), fs::CurrentDirectory() + "some/home/") << "made absolute";
}

TEST(ProgramDir, FallsBackToTheDataHome) {
  ScopedEnv home("KESTRELWING_HOME", nullptr);
  {
    ScopedEnv data("XDG_DATA_HOME", "/tmp/xdg");
    EXPECT_EQ(ProgramDir(), "/tmp/xdg/kestrelwing/");
  }
  ScopedEnv data("XDG_DATA_HOME", nullptr);
  ScopedEnv user("HOME", "/home/someone");
  EXPECT_EQ(ProgramDir(), "/home/someone/.local/share/kestrelwing/");
}

TEST(ProgramDir, EnsureCreatesProfilesAndCopiesOnlyMissingFiles) {
  test::TempDir shipped;
  shipped.Write("HISTORY.TXT", "shipped history");
  shipped.Write("FINISH.WAV", "shipped wave");
  test::TempDir home;
  home.Write("user/history.txt", "the user's own");
  ScopedEnv variable("KESTRELWING_HOME", (home / "user").c_str());
  Status made = EnsureProgramDir(shipped.Path());
  ASSERT_TRUE(made) << made.Message();
  EXPECT_TRUE(std::filesystem::is_directory(home / "user/PROFILES"));
  EXPECT_EQ(home.Read("user/FINISH.WAV"), "shipped wave");
  EXPECT_EQ(home.Read("user/history.txt"), "the user's own");
  EXPECT_FALSE(std::filesystem::exists(home / "user/HISTORY.TXT"));
  EXPECT_TRUE(EnsureProgramDir(shipped.Path()));  // a second start changes nothing

  home.Write("blocked", "a file where the directory should be");
  ScopedEnv blocked("KESTRELWING_HOME", (home / "blocked/sub").c_str());
  EXPECT_EQ(EnsureProgramDir(shipped.Path()).Message(), "Not a directory");
}

TEST(SystemInfo, PlacesAndFacts) {
  {
    ScopedEnv system("KESTRELWING_SYSTEM_DIR", "/opt/sys");
    EXPECT_EQ(SystemDir(), "/opt/sys/");
  }
  ScopedEnv system("KESTRELWING_SYSTEM_DIR", nullptr);
  EXPECT_EQ(SystemDir(), "/usr/bin/");
  {
    ScopedEnv data("KESTRELWING_DATA", "/opt/data");
    EXPECT_EQ(ShippedDataDir(), "/opt/data/");
  }
  MemoryStatus memory = GetMemoryStatus();
  EXPECT_GT(memory.total_bytes, 0u);
  EXPECT_LE(memory.available_bytes, memory.total_bytes);
  EXPECT_FALSE(ProcessorName().empty());
}

}  // namespace
}  // namespace kw::platform
