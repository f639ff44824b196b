#include "core/profile/emulator_query.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/launch/emulator_run.h"
#include "support/script_emulator.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

class EmulatorQueryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path());
  }
  void TearDown() override { std::filesystem::current_path(old_); }
  test::TempDir dir_;
  std::filesystem::path old_;
  test::ScriptedUi ui_;
  EmulatorQueryContext context_;
};

TEST_F(EmulatorQueryTest, AHostileProgramNameIsOneWordAndRunsNothingElse) {
  const std::string name = "mame; touch PWNED $(touch PWNED2) `touch PWNED3` 'q\" x";
  test::WriteScript(dir_, name, "printf 'v0.37 %s|\\r\\nsecond\\n' \"$#\"\n");
  Result<std::string> version = QueryEmulatorVersion(ui_, name, context_);
  ASSERT_TRUE(version) << version.Message();
  EXPECT_EQ(*version, "v0.37 0|");
  for (const char* planted : {"PWNED", "PWNED2", "PWNED3"})
    EXPECT_FALSE(std::filesystem::exists(planted)) << planted;
  EXPECT_FALSE(std::filesystem::exists("$KSTEMP$.NFO"));  // read, then deleted

  EXPECT_TRUE(QueryListinfo(ui_, name, context_));
  EXPECT_TRUE(std::filesystem::exists("$KSTEMP$.NFO")) << "left for the parser";
}

TEST_F(EmulatorQueryTest, SilentCrashingAndEndlessEmulators) {
  test::WriteScript(dir_, "silent", "exit 0\n");
  test::WriteScript(dir_, "crash", "kill -SEGV $$\n");
  test::WriteScript(dir_, "endless", "printf '%0200000d' 0\n");  // no line break at all
  EXPECT_EQ(*QueryEmulatorVersion(ui_, "silent", context_), "");
  EXPECT_EQ(*QueryEmulatorVersion(ui_, "crash", context_), "");
  EXPECT_EQ(QueryEmulatorVersion(ui_, "endless", context_)->size(), kMaxVersionLine);
  // Without the interpreter's redirection there is no capture at all.
  EXPECT_FALSE(ReadFirstLine("$KSTEMP$.NFO"));
}

TEST(PifFile, DeletedBeforeEachRunOnlyWhenTheSettingSaysSo) {
  test::TempDir home;
  const std::string pif = PifFilePath(home.Path());
  EXPECT_EQ(pif, home / "COMMAND.PIF");
  home.Write("COMMAND.PIF", "x");
  DeletePifFile(false, pif);
  EXPECT_TRUE(std::filesystem::exists(pif));
  DeletePifFile(true, pif);
  EXPECT_FALSE(std::filesystem::exists(pif));
  DeletePifFile(true, pif);  // a missing file is no error
}

}  // namespace
}  // namespace kw
