// create-profile, check-profile and dialect against real emulator programs.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_run.h"
#include "support/script_emulator.h"

namespace kw {
namespace {

using test::Lines;
using test::RunCli;

TEST(CliEmulator, AProfileIsCreatedFromTheEmulatorAndCheckedAgainstIt) {
  test::TempDir dir, home;
  // A directory the shell would split and expand.
  const std::string emu = "emu dir $(x) 'q'/mame";
  const std::string listinfo = dir.Write("list.txt",
                                         "game ( name pacman description \"Pac\" )\n"
                                         "resource ( name neogeo )\n");
  test::WriteEmulator(dir, emu, "M.A.M.E. v0.37 BETA 5", listinfo);

  test::CliRun made = RunCli({"create-profile", dir / emu, dir / "A.KSL"}, dir, home.Path());
  EXPECT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(Lines(made.out), (std::vector<std::string>{"M.A.M.E. v0.37 BETA 5", "Games found: 1",
                                                       "Resources found: 1"}));
  test::CliRun checked = RunCli({"check-profile", dir / "A.KSL"}, dir, home.Path());
  EXPECT_EQ(checked.status, 0) << checked.err;
  EXPECT_EQ(checked.out, "Profile accepted: M.A.M.E. v0.37 BETA 5\n");

  test::WriteEmulator(dir, emu, "M.A.M.E. v0.38", listinfo);
  checked = RunCli({"check-profile", dir / "A.KSL"}, dir, home.Path());
  EXPECT_EQ(checked.status, 1);
  EXPECT_EQ(checked.err,
            "The emulator executable file has changed:\n\nExpected = M.A.M.E. v0.37 BETA 5\n"
            "Found    = M.A.M.E. v0.38\n\nThis profile has become invalid.\n");
}

// A disk that takes no more bytes (here, a file-size limit of 0 with the signal that would end
// the program ignored): the emulator's line is lost, and the check says why rather than
// taking the empty capture for another emulator.
TEST(CliEmulator, AVersionCaptureTheDiskRefusesIsSaidWithItsReason) {
  test::TempDir dir, home;
  const std::string listinfo = dir.Write("list.txt", "game ( name pacman description \"Pac\" )\n");
  test::WriteEmulator(dir, "emu/mame", "M.A.M.E. v0.37 BETA 5", listinfo);
  ASSERT_EQ(RunCli({"create-profile", dir / "emu/mame", dir / "A.KSL"}, dir, home.Path()).status,
            0);
  const auto full_disk = [&](const std::vector<std::string>& args) {
    return test::RunCommand(
        "trap '' XFSZ; ulimit -f 0; KESTRELWING_HOME=" + test::ShellQuoted(home.Path()) + " " +
        test::CommandLine(args) + " 2>&1");
  };
  const std::string failure = "Unable to capture the emulator's version in " +
                              (dir / "emu/$KSTEMP$.NFO") + ": File too large";
  test::CommandResult checked = full_disk({KW_CLI_PATH, "check-profile", dir / "A.KSL"});
  EXPECT_EQ(checked.status, 1);
  // After what the emulator's shell says of its own failed write.
  EXPECT_TRUE(
      checked.out.ends_with(failure + "\n\nThe profile could not be checked and was not opened.\n"))
      << checked.out;
  test::CommandResult made =
      full_disk({KW_CLI_PATH, "create-profile", dir / "emu/mame", dir / "B.KSL"});
  EXPECT_EQ(made.status, 1);
  EXPECT_TRUE(made.out.ends_with("\n" + failure + "\n")) << made.out;
}

TEST(CliEmulator, FailuresSayTheCreationsMessagesAndALogGivesStatusThree) {
  test::TempDir dir, home;
  test::CliRun missing = RunCli({"create-profile", dir / "nothing", dir / "A.KSL"}, dir);
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "The emulator file cannot be found!\nPlease choose another one.\n");
  EXPECT_EQ(RunCli({"create-profile", dir / "no/dir/mame", dir / "A.KSL"}, dir).err,
            "The MAME directory specified does not exist!\n\n");
  test::WriteScript(dir, "silent", "[ \"$1\" = -listinfo ] && rm -f \"$KSTEMP$.NFO\"\nexit 0\n");
  test::CliRun silent = RunCli({"create-profile", dir / "silent", dir / "A.KSL"}, dir, home.Path());
  EXPECT_EQ(silent.status, 1);

  const std::string odd = dir.Write("odd.txt", "game ( name pacman bogus 1 )\n");
  test::WriteEmulator(dir, "odd", "v1", odd);
  test::CliRun logged = RunCli({"create-profile", dir / "odd", dir / "B.KSL"}, dir, home.Path());
  EXPECT_EQ(logged.status, 3) << logged.err;
  EXPECT_EQ(Lines(logged.out).size(), 4u);  // the version, the log entry, the two counts
}

TEST(CliEmulator, DialectSaysWhichEmulatorItIs) {
  test::TempDir dir, home;
  test::WriteTodaysEmulator(dir, "mame", "0.251 (unknown)", "/dev/null");
  std::filesystem::copy_file(KW_STAND_IN_EMULATOR, dir / "standin");
  EXPECT_EQ(RunCli({"dialect", dir / "mame"}, dir, home.Path()).out, "listxml\n");
  EXPECT_EQ(RunCli({"dialect", dir / "standin"}, dir, home.Path()).out, "listinfo\n");
  test::CliRun refused = RunCli({"dialect", "/bin/true"}, dir, home.Path());
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err,
            "The program /bin/true does not answer as the emulator does.\nPlease choose the "
            "emulator's executable file.\n");
  EXPECT_EQ(RunCli({"dialect"}, dir, home.Path()).status, 2);
}

TEST(CliEmulator, AListOfTodaysEmulatorThatCannotBeReadWritesNoProfile) {
  test::TempDir dir, home;
  const std::string cut = dir.Write("cut.xml", "<?xml version=\"1.0\"?>\n<mame><machine name=");
  test::WriteTodaysEmulator(dir, "mame", "0.251 (unknown)", cut);
  test::CliRun made = RunCli({"create-profile", dir / "mame", dir / "A.KSL"}, dir, home.Path());
  EXPECT_EQ(made.status, 1);
  ASSERT_EQ(Lines(made.out).size(), 2u) << made.out;  // the version and the log's entry
  EXPECT_EQ(Lines(made.out)[0], "0.251 (unknown)");
  EXPECT_NE(Lines(made.out)[1].find("Malformed XML"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "A.KSL"));
  EXPECT_FALSE(std::filesystem::exists(dir / "$KSTEMP$.NFO"));
}

}  // namespace
}  // namespace kw
