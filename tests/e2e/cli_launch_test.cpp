// cmdline and launch over the demo collection, with the real stand-in emulator.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_run.h"

namespace kw {
namespace {

using test::RunCli;

TEST(CliLaunch, AGoodGameRunsABrokenOneIsRefusedAndTheCommandLineIsShown) {
  test::TempDir dir, home;
  ASSERT_EQ(RunCli({"make-demo", dir / "demo"}, dir, home.Path()).status, 0);
  // The stand-in runs without a window here.
  home.Write("KESTREL.INI", "[MAME]\nExtraOptions=-video none\n");
  const std::string profile = dir / "demo/DEMO.KSL";

  test::CliRun ran = RunCli({"launch", profile, "BRASSOWL"}, dir, home.Path());
  EXPECT_EQ(ran.status, 0) << ran.out << ran.err;
  EXPECT_NE(home.Read("STATS.INI").find("[BRASSOWL]\r\nTotHours=0"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir / "demo/emulator/CFG/brassowl.cfg"));
  EXPECT_FALSE(std::filesystem::exists(dir / "demo/emulator/$KSTEMP$"));

  // A recording made, then played back by the stand-in.
  EXPECT_EQ(RunCli({"launch", profile, "BRASSOWL", "--record", "MYREC"}, dir, home.Path()).status,
            0);
  EXPECT_TRUE(std::filesystem::exists(dir / "demo/emulator/INP/myrec.inp") ||
              std::filesystem::exists(dir / "demo/emulator/INP/MYREC.inp"));
  test::CliRun played =
      RunCli({"launch", profile, "BRASSOWL", "--playback", "MYREC"}, dir, home.Path());
  EXPECT_EQ(played.status, 0) << played.out;

  test::CliRun refused = RunCli({"launch", profile, "LOSTLAKE"}, dir, home.Path());
  EXPECT_EQ(refused.status, 4);
  EXPECT_EQ(refused.out.rfind("This game does not meet the minimum requirements", 0), 0u);
  EXPECT_EQ(refused.out.find("Game not runnable report"), std::string::npos) << "answered No";
  refused = RunCli({"launch", profile, "LOSTLAKE", "--yes"}, dir, home.Path());
  EXPECT_NE(refused.out.find("LL-A.BIN     rom file is missing"), std::string::npos);
  EXPECT_EQ(RunCli({"launch", profile, "NOSUCHSET"}, dir, home.Path()).status, 1);

  test::CliRun line =
      RunCli({"cmdline", profile, "BRASSOWL", "--playback", "MYREC.INP"}, dir, home.Path());
  EXPECT_EQ(line.out, "/bin/sh -c '" + (dir / "demo/emulator/mame") +
                          "' 'BRASSOWL' '-romdir' '$KSTEMP$' '-playback' 'MYREC' -video none\n");
}

}  // namespace
}  // namespace kw
