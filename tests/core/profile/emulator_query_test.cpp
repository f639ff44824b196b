#include "core/profile/emulator_query.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/shared/emulator_run.h"
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

// The capture that cannot be read back is said with its full path and the reason, not taken
// for an empty line.
TEST_F(EmulatorQueryTest, ACaptureThatCannotBeReadIsNotAnEmptyLine) {
  test::WriteScript(dir_, "swap", "rm -f '$KSTEMP$.NFO'; mkfifo '$KSTEMP$.NFO'\n");
  Result<std::string> version = QueryEmulatorVersion(ui_, "swap", context_);
  ASSERT_FALSE(version);
  EXPECT_EQ(version.Message(), "Unable to capture the emulator's version in " +
                                   (dir_ / "$KSTEMP$.NFO") + ": not a regular file");
  EXPECT_FALSE(std::filesystem::exists("$KSTEMP$.NFO"));
}

TEST_F(EmulatorQueryTest, TodaysQueriesAnswerUnderTheirLimits) {
  const std::string xml = dir_.Write("list.xml", "<mame build=\"0.251\"></mame>\n");
  test::WriteTodaysEmulator(dir_, "mame", "0.251 (unknown)", xml);
  EXPECT_EQ(*QueryTodaysVersion("mame", 5000), "0.251 (unknown)");
  EXPECT_EQ(*QueryVersionOf(EmulatorDialect::kListxml, ui_, "mame", context_), "0.251 (unknown)");
  test::WriteScript(dir_, "hung", "exec sleep 60\n");
  EXPECT_FALSE(QueryTodaysVersion("hung", 200));

  Result<std::string> capture = QueryListxml(ui_, "mame", context_);
  ASSERT_TRUE(capture) << capture.Message();
  EXPECT_EQ(*capture, "$KSTEMP$.NFO");
  EXPECT_EQ(dir_.Read("$KSTEMP$.NFO"), "<mame build=\"0.251\"></mame>\n");

  // Nothing to read: the era's message, and no capture left behind.
  test::WriteTodaysEmulator(dir_, "mame", "0.251 (unknown)", dir_.Write("empty.xml", ""));
  capture = QueryListxml(ui_, "mame", context_);
  ASSERT_FALSE(capture);
  EXPECT_EQ(capture.Message(), std::string(kNoGameInfo));
  EXPECT_FALSE(std::filesystem::exists("$KSTEMP$.NFO"));
}

TEST_F(EmulatorQueryTest, AListWithoutEndIsStoppedAtItsMaximum) {
  test::WriteScript(dir_, "flood", "exec yes '<machine name=\"x\"/>'\n");
  context_.MaxListCapture = 1 << 20;
  Result<std::string> capture = QueryListxml(ui_, "flood", context_);
  ASSERT_FALSE(capture);
  EXPECT_EQ(capture.Message(), "The emulator's list of machines passes 1 MiB: it was not read.");
  EXPECT_FALSE(std::filesystem::exists("$KSTEMP$.NFO"));
  EXPECT_EQ(ListTooLargeMessage(kMaxListxmlCapture),
            "The emulator's list of machines passes 2 GiB: it was not read.");
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
