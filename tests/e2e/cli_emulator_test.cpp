// create-profile and check-profile against real emulator programs.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kw
