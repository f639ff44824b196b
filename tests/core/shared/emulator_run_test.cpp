#include "core/shared/emulator_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/fs.h"
#include "support/script_emulator.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

namespace stdfs = std::filesystem;

class EmulatorRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteScript(dir_, "emu/mame", "echo \"output of $1\"\n");
    old_cwd_ = platform::fs::CurrentDirectory();
    ASSERT_TRUE(platform::fs::SetCurrentDirectory(dir_ / "emu"));
  }
  void TearDown() override { (void)platform::fs::SetCurrentDirectory(old_cwd_); }

  ShellCommandLine Line() const {
    ShellCommandLine line;
    line.Program(dir_ / "emu/mame").Word("pacman").RedirectOutputTo("$KSTEMP$.NFO");
    return line;
  }

  test::TempDir dir_;
  std::string old_cwd_;
  test::ScriptedUi ui_;
};

TEST_F(EmulatorRunTest, TheCaptureIsMadeByTheProgramAndShownAsTheRedirection) {
  const ShellCommandLine line = Line();
  EXPECT_EQ(line.Text(), "/bin/sh -c '" + (dir_ / "emu/mame") + "' 'pacman' >'$KSTEMP$.NFO'");
  dir_.Write("emu/$KSTEMP$.NFO", "an earlier run's much longer capture\n");
  ASSERT_EQ(RunEmulator(ui_, line, platform::kShowHidden, false), RunOutcome::Ended);
  EXPECT_EQ(dir_.Read("emu/$KSTEMP$.NFO"), "output of pacman\n");
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(EmulatorRunTest, ALinkOrAFifoAtTheCaptureIsRemovedAndTheUserTold) {
  const std::string outside = dir_.Write("outside.txt", "the user's own");
  stdfs::create_symlink(outside, dir_ / "emu/$KSTEMP$.NFO");
  ASSERT_EQ(RunEmulator(ui_, Line(), platform::kShowHidden, false), RunOutcome::Ended);
  EXPECT_EQ(dir_.Read("outside.txt"), "the user's own");
  EXPECT_FALSE(stdfs::is_symlink(dir_ / "emu/$KSTEMP$.NFO"));
  EXPECT_EQ(dir_.Read("emu/$KSTEMP$.NFO"), "output of pacman\n");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, LinkRemovedMessage("$KSTEMP$.NFO"));
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Warning);

  // A dangling link would have made the interpreter create the file where it points.
  stdfs::remove(dir_ / "emu/$KSTEMP$.NFO");
  stdfs::create_symlink(dir_ / "made-outside", dir_ / "emu/$KSTEMP$.NFO");
  ASSERT_EQ(RunEmulator(ui_, Line(), platform::kShowHidden, false), RunOutcome::Ended);
  EXPECT_FALSE(stdfs::exists(dir_ / "made-outside"));

  // A FIFO would have held the interpreter's redirection for ever.
  stdfs::remove(dir_ / "emu/$KSTEMP$.NFO");
  ASSERT_EQ(mkfifo((dir_ / "emu/$KSTEMP$.NFO").c_str(), 0644), 0);
  ASSERT_EQ(RunEmulator(ui_, Line(), platform::kShowHidden, false), RunOutcome::Ended);
  EXPECT_EQ(dir_.Read("emu/$KSTEMP$.NFO"), "output of pacman\n");

  // Nothing can be made where a directory stands: the emulator is not run.
  stdfs::remove(dir_ / "emu/$KSTEMP$.NFO");
  stdfs::create_directory(dir_ / "emu/$KSTEMP$.NFO");
  EXPECT_EQ(RunEmulator(ui_, Line(), platform::kShowHidden, false), RunOutcome::NotStarted);
}

}  // namespace
}  // namespace kw
