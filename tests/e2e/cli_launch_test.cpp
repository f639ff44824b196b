// cmdline and launch over the demo collection, with the real stand-in emulator.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/cli_run.h"
#include "support/script_emulator.h"

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

// Everything of the emulator directory whose name begins with the temporary name: none is left
// after a launch.
std::vector<std::string> Leftovers(const std::string& emulator_dir) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(emulator_dir)) {
    if (entry.path().filename().string().rfind("$KSTEMP$", 0) == 0)
      found.push_back(entry.path().string());
  }
  return found;
}

TEST(CliLaunch, APlayedGameKeepsWhatTheEmulatorWroteARefusedOneKeepsItsFiles) {
  test::TempDir dir, home;
  ASSERT_EQ(RunCli({"make-demo", dir / "demo"}, dir, home.Path()).status, 0);
  home.Write("KESTREL.INI", "[MAME]\nExtraOptions=-video none\n");
  const std::string profile = dir / "demo/DEMO.KSL";
  const std::string emulator = dir / "demo/emulator";
  const auto file = [&dir](const std::string& name) { return dir.Read("demo/emulator/" + name); };
  const std::vector<std::string> played = {"CFG/brassowl.cfg", "NVRAM/brassowl.nv",
                                           "HI/brassowl.hi", "INP/MYREC.inp"};
  for (const std::string& name : played)
    dir.Write("demo/emulator/" + name, "the user's " + name);

  test::CliRun ran = RunCli({"launch", profile, "BRASSOWL", "--record", "MYREC"}, dir, home.Path());
  EXPECT_EQ(ran.status, 0) << ran.out << ran.err;
  EXPECT_EQ(file("CFG/brassowl.cfg"), "[brassowl]\ncontrols=default\ndipswitches=default\n");
  EXPECT_EQ(file("HI/brassowl.hi"), "brassowl 001000\n") << "the new high score";
  EXPECT_EQ(file("NVRAM/brassowl.nv").size(), 256u) << "the machine's memory";
  EXPECT_EQ(file("INP/MYREC.inp").substr(0, 8), std::string("brassowl", 8)) << "the new recording";
  EXPECT_TRUE(Leftovers(emulator).empty()) << Leftovers(emulator).front();

  const std::vector<std::string> refused = {"CFG/lostlake.cfg", "NVRAM/lostlake.nv",
                                            "HI/lostlake.hi", "INP/LLREC.inp"};
  for (const std::string& name : refused)
    dir.Write("demo/emulator/" + name, "the user's " + name);
  EXPECT_EQ(RunCli({"launch", profile, "LOSTLAKE", "--record", "LLREC"}, dir, home.Path()).status,
            4);
  for (const std::string& name : refused)
    EXPECT_EQ(file(name), "the user's " + name);
  EXPECT_TRUE(Leftovers(emulator).empty()) << Leftovers(emulator).front();
}

TEST(CliLaunch, SetsThatNameEachOtherEndWithTheSetTestsAnswer) {
  test::TempDir dir, home;
  const std::string list =
      dir.Write("list.txt",
                "game ( name loopa romof loopb sampleof loopb description \"Loop A\" "
                "rom ( name a.bin size 1 crc 12345678 ) )\n"
                "game ( name loopb romof loopa sampleof loopa description \"Loop B\" "
                "rom ( name b.bin size 1 crc 23456789 ) sample b.wav )\n"
                "game ( name loopc sampleof loopb description \"Loop C\" sample c.wav )\n"
                "game ( name self romof self sampleof self description \"Self\" "
                "rom ( name s.bin size 1 crc 3456789a ) sample s.wav )\n");
  test::WriteScript(dir, "emu/mame", "echo v1\n");
  const std::string profile = dir / "LOOPS.KSL";
  ASSERT_EQ(RunCli({"parse-listinfo", list, profile, "--emulator-dir", dir / "emu",
                    "--emulator-exe", "mame", "--emulator-version", "v1"},
                   dir)
                .status,
            0);
  // Within the limit the console program is asked to keep to: a chain followed for ever would
  // pass it at once. The address sanitizer reserves terabytes of address space at the start, so
  // its build runs without the limit.
#if defined(__SANITIZE_ADDRESS__)
  const std::string limit;
#else
  const std::string limit = "ulimit -v 2000000; ";
#endif
  for (const char* set : {"LOOPA", "LOOPC", "SELF"}) {
    SCOPED_TRACE(set);
    const test::CommandResult run = test::RunCommand(
        limit + "KESTRELWING_HOME=" + test::ShellQuoted(home.Path()) + " " +
        test::CommandLine({KW_CLI_PATH, "launch", profile, set, "--yes"}) + " 2>&1");
    EXPECT_EQ(run.status, 4) << run.out;
    EXPECT_EQ(run.out.rfind("This game does not meet the minimum requirements", 0), 0u) << run.out;
  }
}

// A disk that fills while the sets are extracted (here, files may grow no larger than a few
// blocks, with the signal that would end the program ignored, so writes fail with EFBIG): the
// report says which files could not be written before it says they are missing.
TEST(CliLaunch, AFileTheDiskRefusesIsNamedBeforeTheSetTestsLines) {
  test::TempDir dir, home;
  ASSERT_EQ(RunCli({"make-demo", dir / "demo"}, dir, home.Path()).status, 0);
  const std::string profile = dir / "demo/DEMO.KSL";
  const test::CommandResult run = test::RunCommand(
      "trap '' XFSZ; ulimit -f 2; KESTRELWING_HOME=" + test::ShellQuoted(home.Path()) + " " +
      test::CommandLine({KW_CLI_PATH, "launch", profile, "BRASSOWL", "--yes"}) + " 2>&1");
  EXPECT_EQ(run.status, 4) << run.out;
  const std::vector<std::string> lines = test::Lines(run.out);
  const auto at = [&lines](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  };
  const auto written = at("BRASSOWL     rom set: bo-cpu1.bin: File too large");
  const auto missing = at("BO-CPU1.BIN  rom file is missing");
  EXPECT_LT(written, missing) << run.out;
  EXPECT_LT(missing, static_cast<long>(lines.size())) << run.out;
}

}  // namespace
}  // namespace kw
