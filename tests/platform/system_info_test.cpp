#include "platform/system_info.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <set>

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

TEST(ShippedData, FoundRelativeToTheExecutableInAnInstalledOrABuildTree) {
  test::TempDir installed, built, bare;
  for (const char* name : kShippedFiles) {
    installed.Write(std::string("usr/share/kestrelwing/") + name, name);
    built.Write(std::string("share/kestrelwing/") + name, name);
  }
  std::filesystem::create_directories(installed / "usr/bin");
  std::filesystem::create_directories(built / "src/app");
  EXPECT_EQ(FindShippedDataDir(installed / "usr/bin/"), installed / "usr/share/kestrelwing/");
  EXPECT_EQ(FindShippedDataDir(installed / "usr/bin"), installed / "usr/share/kestrelwing/");
  EXPECT_EQ(FindShippedDataDir(built / "src/app/"), built / "share/kestrelwing/");
  EXPECT_EQ(FindShippedDataDir(bare.Path()), "");
  EXPECT_EQ(FindShippedDataDir(""), "");

  EXPECT_TRUE(CheckShippedData(FindShippedDataDir(installed / "usr/bin/")));
  std::filesystem::remove(installed / "usr/share/kestrelwing/FINISH.WAV");
  Status lost = CheckShippedData(installed / "usr/share/kestrelwing");
  EXPECT_EQ(lost.Message(),
            "the file " + installed / "usr/share/kestrelwing/FINISH.WAV" +
                " that the program ships cannot be read (" +
                fs::ReadFile(installed / "usr/share/kestrelwing/FINISH.WAV").Message() +
                "): install the program again");
  EXPECT_NE(CheckShippedData("").Message().find("../share/kestrelwing/"), std::string::npos);
}

TEST(ShippedData, TheListIsWhatTheSourceTreeShips) {
  std::set<std::string> listed(std::begin(kShippedFiles), std::end(kShippedFiles));
  std::set<std::string> shipped;
  for (const auto& entry :
       std::filesystem::directory_iterator(KW_SOURCE_DIR "/resources/shipped")) {
    shipped.insert(entry.path().filename().string());
  }
  EXPECT_EQ(listed, shipped);
}

TEST(HelperProgram, FoundInLibThenBesideThenInTheBuildTree) {
  test::TempDir tree;
  std::string tried;
  const std::string bin = tree / "usr/bin/";
  std::filesystem::create_directories(bin);
  EXPECT_EQ(FindHelperProgram(bin, "helper", "tools/helper", tried), "");
  EXPECT_EQ(tried, tree / "usr/lib/kestrelwing/helper, " + bin + "helper, " +
                       tree / "tools/helper/helper");
  tree.Write("tools/helper/helper", "build tree");
  EXPECT_EQ(FindHelperProgram(bin, "helper", "tools/helper", tried), tree / "tools/helper/helper");
  tree.Write("usr/bin/helper", "beside");
  EXPECT_EQ(FindHelperProgram(bin, "helper", "tools/helper", tried), bin + "helper");
  tree.Write("usr/lib/kestrelwing/helper", "installed");
  EXPECT_EQ(FindHelperProgram(bin, "helper", "tools/helper", tried),
            tree / "usr/lib/kestrelwing/helper");
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
