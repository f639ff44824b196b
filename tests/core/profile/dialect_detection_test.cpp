#include "core/profile/dialect_detection.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/shared/game_database.h"
#include "platform/fs.h"
#include "support/script_emulator.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

// Short enough for the programs that never answer; the real emulators answer well within it.
constexpr int kLimitMs = 2000;

TEST(DetectDialect, TheErasStandInAndTodaysEmulatorAreToldApart) {
  test::TempDir dir;
  const std::string stand_in = dir / "standin";
  std::filesystem::copy_file(KW_STAND_IN_EMULATOR, stand_in);
  Result<DetectedDialect> era = DetectDialect(stand_in, kLimitMs);
  ASSERT_TRUE(era) << era.Message();
  EXPECT_EQ(era->dialect, EmulatorDialect::kListinfo);
  EXPECT_EQ(era->version,
            "M.A.M.E. v0.37 BETA 5 (Kestrelwing stand-in) - Multiple Arcade Machine Emulator");

  // Run without arguments it would wait for good: it is never asked that.
  const std::string today = test::WriteTodaysEmulator(dir, "mame", "0.251 (unknown)", "/dev/null");
  Result<DetectedDialect> listxml = DetectDialect(today, kLimitMs);
  ASSERT_TRUE(listxml) << listxml.Message();
  EXPECT_EQ(listxml->dialect, EmulatorDialect::kListxml);
  EXPECT_EQ(listxml->version, "0.251 (unknown)");
}

TEST(DetectDialect, TheInstalledEmulator) {
  const std::string mame = "/usr/games/mame";
  if (!std::filesystem::exists(mame)) GTEST_SKIP() << mame << " is not installed";
  Result<DetectedDialect> found = DetectDialect(mame);
  ASSERT_TRUE(found) << found.Message();
  EXPECT_EQ(found->dialect, EmulatorDialect::kListxml);
  EXPECT_FALSE(found->version.empty());
  EXPECT_EQ(found->version.find('\n'), std::string::npos);
}

TEST(DetectDialect, ProgramsThatAnswerNeitherWayAreRefused) {
  test::TempDir dir;
  const std::string sleeper = test::WriteScript(dir, "sleeper", "sleep 60\n");
  const std::string crasher = test::WriteScript(dir, "crasher", "kill -SEGV $$\n");
  const std::string blank = test::WriteScript(dir, "blank", "echo\necho second line\n");
  const std::string text = dir.Write("notes.txt", "not a program\n");
  for (const std::string& program : {std::string("/bin/true"), std::string("/bin/cat"), sleeper,
                                     crasher, blank, text, dir / "missing"}) {
    Result<DetectedDialect> found = DetectDialect(program, 300);
    ASSERT_FALSE(found) << program;
    EXPECT_EQ(found.Message(), NotAnEmulatorMessage(program));
  }
  EXPECT_EQ(NotAnEmulatorMessage("/bin/true"),
            "The program /bin/true does not answer as the emulator does.\rPlease choose the "
            "emulator's executable file.");
}

TEST(DetectDialect, TodaysBannerNeedsItsNameAndItsUsageLine) {
  EXPECT_TRUE(AnswersAsTodaysEmulator("MAME v0.251 (unknown)\r\n\r\nUsage:  mame [machine]\r\n"));
  EXPECT_TRUE(AnswersAsTodaysEmulator("GroovyMAME v0.251\nUsage: groovymame"));
  EXPECT_FALSE(AnswersAsTodaysEmulator("M.A.M.E. v0.37 BETA 5\nUsage: MAME gamename [options]\n"));
  EXPECT_FALSE(AnswersAsTodaysEmulator("MAME v0.251 (unknown)\nno usage here\n"));
  EXPECT_FALSE(AnswersAsTodaysEmulator("MAME version 0.251\nUsage: mame\n"));
  EXPECT_FALSE(AnswersAsTodaysEmulator("Usage: MAME v0.251\n"));
  EXPECT_FALSE(AnswersAsTodaysEmulator(""));
}

// Today's emulator lives in a directory of the system; a user's launches work in their own.
TEST(WorkDir, TodaysEmulatorInADirectoryNobodyWritesWorksInTheProgramDirectory) {
  const std::string system_dir = "/proc/self/";  // not writable, whoever runs the test
  if (platform::fs::CanWriteIn(system_dir)) GTEST_SKIP() << system_dir << " is writable here";
  test::TempDir dir;
  const std::string program_dir = dir / "program/";
  GameDatabase db;
  db.EmulatorDir = system_dir;
  EXPECT_EQ(WorkDirOf(db, program_dir), system_dir);  // the era's emulator: always its own

  db.Dialect = EmulatorDialect::kListxml;
  const std::string before = platform::fs::CurrentDirectory();
  ASSERT_TRUE(EnterWorkDir(db, program_dir));
  EXPECT_EQ(db.WorkDirectory(), program_dir + "WORK/");
  EXPECT_EQ(platform::fs::CurrentDirectory(), program_dir + "WORK/");

  db.EmulatorDir = dir / "";  // a directory of the user's own is worked in as it is
  ASSERT_TRUE(EnterWorkDir(db, program_dir));
  EXPECT_EQ(db.WorkDirectory(), db.EmulatorDir);
  ASSERT_TRUE(platform::fs::SetCurrentDirectory(before));
}

}  // namespace
}  // namespace kw
