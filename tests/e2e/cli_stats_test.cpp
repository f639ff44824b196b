// kestrelwing-cli stats over a real STATS.INI and a profile made from real emulator output.
#include <gtest/gtest.h>

#include <string>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

test::CommandResult RunCli(const test::TempDir& home, const std::string& args) {
  return test::RunCommand("KESTRELWING_HOME=" + test::ShellQuoted(home.Path()) + " " +
                          test::ShellQuoted(KW_CLI_PATH) + " " + args + " 2>/dev/null");
}

TEST(CliStats, PrintsTheRowsAndTotalsOfTheStatisticsWindow) {
  test::TempDir home;
  const std::string stats =
      "[PACMAN]\nTotHours=1\nTotMinutes=0\nTotSeconds=0\nTotTimes=9\n"
      "[mrtnt]\nTotMinutes=30\nTotSeconds=40\nTotTimes=3\n"
      "[ZZZ]\nTotMinutes=29\nTotSeconds=30\nTotTimes=0\n";
  home.Write("STATS.INI", stats);
  const std::string profile = home / "p.ksl";
  const int parsed =
      RunCli(home, test::CommandLine(
                       {"parse-listinfo", KW_TEST_DATA_DIR "/listinfo/listinfo.txt", profile}))
          .status;
  ASSERT_TRUE(parsed == 0 || parsed == 3) << parsed;

  auto run = RunCli(home, "stats --profile " + test::ShellQuoted(profile));
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out,
            "75.00%\t9 - [PACMAN] = PuckMan (Japan set 1)\n"
            "25.00%\t3 - [MRTNT] = Mr. TNT\n"
            "0.00%\t0 - [ZZZ] (game not supported by current profile)\n"
            "0%\tNot available\n0%\tNot available\n0%\tNot available\n0%\tNot available\n"
            "0%\tNot available\n"
            "Total number of plays: 12\n"
            "Total playing time: 02:00:10\n");

  run = RunCli(home, "stats --by time");
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
            "49.93%\t01:00:00 - [PACMAN] (game not supported by current profile)");
  EXPECT_EQ(home.Read("STATS.INI"), stats) << "only read";

  EXPECT_EQ(RunCli(home, "stats --by speed").status, 2);
  EXPECT_EQ(RunCli(home, "stats extra").status, 2);
  EXPECT_EQ(RunCli(home, "stats --profile").status, 2);
  EXPECT_EQ(RunCli(home, "stats --profile " + test::ShellQuoted(home / "none.ksl")).status, 1);
}

}  // namespace
}  // namespace kw
