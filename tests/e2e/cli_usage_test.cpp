// What the console program says when something is wrong: the argument at fault, a file that is
// no profile, a set the profile lacks, a file it cannot write. Run as the real program.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using test::Lines;
using test::RunCli;

constexpr char kListUsage[] =
    "Usage: kestrelwing-cli list PROFILE.KSL [--sort N] [--reverse] [--romset] [--year] "
    "[--manufacturer]\n"
    "                            [--available] [--working] [--no-clones] [--no-bios]\n"
    "                            [--no-mechanical] [--favourites] [--category TEXT]\n"
    "  N: 0 no sorting, 1 description, 2 manufacturer, 3 year, 4 most played.\n"
    "  The filters show only the games that pass them, numbered from 1: sets whose kept status\n"
    "  is good or best available, drivers of good status, no clones, no BIOS or device\n"
    "  machines, no mechanical machines, the profile's favourite games, and the games of a\n"
    "  category of catver.ini (TEXT or its sub-categories).\n";

class CliUsageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::MakeSampleProfile(profile_, dir_.Path(), dir_, home_.Path()), 0);
  }
  test::CliRun Run(const std::vector<std::string>& args) {
    return RunCli(args, dir_, home_.Path());
  }

  test::TempDir dir_;
  test::TempDir home_;
  std::string profile_ = dir_ / "SAMPLE.KSL";
};

TEST_F(CliUsageTest, AWrongArgumentIsNamedWithTheReasonThenTheUsage) {
  auto said = [this](const std::vector<std::string>& args) {
    const test::CliRun run = Run(args);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, "");
    return run.err;
  };
  EXPECT_EQ(said({"list", profile_, "--sort", "9"}),
            std::string("kestrelwing-cli list: --sort takes a number from 0 to 4, not '9'\n") +
                kListUsage);
  EXPECT_EQ(said({"list", profile_, "--sort", "abc"}),
            std::string("kestrelwing-cli list: --sort takes a number from 0 to 4, not 'abc'\n") +
                kListUsage);
  EXPECT_EQ(said({"list", profile_, "--sort"}),
            std::string("kestrelwing-cli list: --sort needs a value\n") + kListUsage);
  EXPECT_EQ(said({"list", profile_, "--frobnicate"}),
            std::string("kestrelwing-cli list: unknown option '--frobnicate'\n") + kListUsage);
  EXPECT_EQ(said({"list"}),
            std::string("kestrelwing-cli list: missing PROFILE.KSL\n") + kListUsage);

  // Every command names what is wrong before its usage line.
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"quick-info", profile_}, "kestrelwing-cli quick-info: missing SET\n"},
      {{"describe", profile_, "PACMAN", "more"}, "kestrelwing-cli describe: unexpected argument"},
      {{"stats", "--by", "speed"},
       "kestrelwing-cli stats: --by takes plays or time, not 'speed'\n"},
      {{"verify", profile_, "--VerifyEverything"},
       "kestrelwing-cli verify: unknown option '--VerifyEverything'\n"},
      {{"launch", profile_, "PACMAN", "--record"},
       "kestrelwing-cli launch: --record needs a value\n"},
      {{"search", profile_, "--target", "year", "--mode", "exact", "1980"},
       "kestrelwing-cli search: --target takes game, romset, clones or manufacturer, not 'year'\n"},
      {{"sysinfo", "-v"}, "kestrelwing-cli sysinfo: unknown option '-v'\n"},
      {{"settings", "--set"}, "kestrelwing-cli settings: --set needs a value\n"},
  };
  for (const auto& [args, start] : cases) {
    const std::string err = said(args);
    EXPECT_EQ(err.rfind(start, 0), 0u) << err;
    const std::vector<std::string> lines = Lines(err);
    ASSERT_GE(lines.size(), 2u) << err;
    EXPECT_EQ(lines[1].rfind("Usage: kestrelwing-cli " + args[0], 0), 0u) << err;
  }
}

TEST_F(CliUsageTest, WithoutArgumentsTheCommandsAndWhereTheHelpIs) {
  const test::CliRun run = Run({});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  const std::vector<std::string> lines = Lines(run.err);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_LE(lines.size(), 6u) << run.err;
  EXPECT_EQ(lines[0], "Usage: kestrelwing-cli COMMAND [ARGUMENTS]");
  EXPECT_NE(run.err.find(" profile-info "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(" make-demo\n"), std::string::npos) << run.err;
  EXPECT_EQ(lines.back(), "Try 'kestrelwing-cli --help' for what each command does and takes.");
  EXPECT_GT(Lines(Run({"--help"}).out).size(), 100u);
}

TEST_F(CliUsageTest, AFileThatIsNoProfileIsSaidToBeNone) {
  const std::string bad = dir_.Write("NOTES.KSL", "shopping list\n");
  const std::string said = bad +
                           ": invalid file type\nThe file is not a Kestrelwing profile; "
                           "create-profile or parse-listinfo makes one.\n";
  for (const char* command : {"list", "dump-profile", "profile-info", "check-profile"}) {
    const test::CliRun run = Run({command, bad});
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_EQ(run.err, said) << command;
  }
  // A damaged profile is a profile: only the window's words.
  const test::CliRun truncated =
      Run({"list", dir_.Write("CUT.KSL", dir_.Read("SAMPLE.KSL").substr(0, 40))});
  EXPECT_EQ(truncated.err, dir_ / "CUT.KSL" + std::string(": file is truncated\n"));
}

TEST_F(CliUsageTest, ASetTheProfileLacksIsSaidAlikeByEveryCommand) {
  for (const char* command : {"quick-info", "describe", "cmdline"}) {
    const test::CliRun run = Run({command, profile_, "NOSUCH"});
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_EQ(run.out, "") << command;
    EXPECT_EQ(run.err, "kestrelwing-cli " + std::string(command) +
                           ": the profile has no game named 'NOSUCH'\n");
  }
}

// Over the demo collection, whose emulator answers, so that verify and launch open the profile.
TEST(CliUsageDemo, VerifyAndLaunchNameTheSetTheFileAndTheDirectoryAtFault) {
  test::TempDir dir, home;
  ASSERT_EQ(RunCli({"make-demo", dir / "demo"}, dir, home.Path()).status, 0);
  const std::string profile = dir / "demo/DEMO.KSL";

  test::CliRun run = RunCli({"launch", profile, "NOSUCH"}, dir, home.Path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "kestrelwing-cli launch: the profile has no game named 'NOSUCH'\n");

  const std::string bad = dir.Write("NOTES.KSL", "shopping list\n");
  run = RunCli({"verify", bad}, dir, home.Path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind(bad + ": invalid file type\nThe file is not a Kestrelwing profile;", 0),
            0u)
      << run.err;

  // A program directory that cannot be made, and a report that cannot be written, by path.
  const std::string locked = dir / "locked";
  std::filesystem::create_directory(locked);
  if (test::RunCommand("chattr +i '" + locked + "' 2>/dev/null").status != 0)
    GTEST_SKIP() << "no immutable directories here (not root, or the file system has none)";
  const std::string home_locked = locked + "/kw";
  for (const char* command : {"verify", "launch"}) {
    std::vector<std::string> args{command, profile};
    if (std::string(command) == "launch") args.push_back("BRASSOWL");
    run = RunCli(args, dir, home_locked);
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_EQ(run.err, "kestrelwing-cli " + std::string(command) + ": the program's directory " +
                           home_locked + "/ could not be made: Operation not permitted\n");
  }
  run = RunCli({"verify", profile, "--report", locked + "/REPORT.TXT"}, dir, home.Path());
  test::RunCommand("chattr -i '" + locked + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(
      run.err.rfind("kestrelwing-cli verify: Unable to write to " + locked + "/REPORT.TXT: ", 0),
      0u)
      << run.err;
}

// verify --quick whose memory of the archives cannot be written: said on stderr, by path; the
// run succeeds with the counters of one that could write it.
TEST(CliUsageDemo, AQuickVerifyThatCannotKeepItsMemorySaysSoAndSucceeds) {
  test::TempDir dir, home;
  ASSERT_EQ(RunCli({"make-demo", dir / "demo"}, dir, home.Path()).status, 0);
  const std::string profile = dir / "demo/DEMO.KSL";
  const test::CliRun kept = RunCli({"verify", profile, "--quick"}, dir, home.Path());
  ASSERT_EQ(kept.status, 0) << kept.err;
  EXPECT_EQ(kept.err, "");
  std::filesystem::remove(home / "QUICKCRC.DAT");
  std::filesystem::create_directory(home / "QUICKCRC.DAT");
  const test::CliRun lost = RunCli({"verify", profile, "--quick"}, dir, home.Path());
  EXPECT_EQ(lost.status, 0);
  EXPECT_EQ(lost.out, kept.out);
  EXPECT_EQ(lost.err, "Unable to write to " + (home / "QUICKCRC.DAT") +
                          ": Is a directory\nThe verification report is complete; the quick "
                          "check's memory of the archives was not updated.\n");
}

// A verification keeps each era set's verdict: status prints it with the date of the check, a
// set never judged as unknown; the console's quick information keeps the era's twelve lines.
TEST(CliUsageDemo, StatusPrintsTheVerdictsAVerificationKept) {
  test::TempDir dir, home;
  ASSERT_EQ(RunCli({"make-demo", dir / "demo"}, dir, home.Path()).status, 0);
  const std::string profile = dir / "demo/DEMO.KSL";
  EXPECT_EQ(RunCli({"status", profile, "LOSTLAKE"}, dir, home.Path()).out, "lostlake unknown\n");
  ASSERT_EQ(RunCli({"verify", profile}, dir, home.Path()).status, 0);
  const test::CliRun run =
      RunCli({"status", profile, "LOSTLAKE", "NOSUCH", "brassowl"}, dir, home.Path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "kestrelwing-cli status: the profile has no game named 'NOSUCH'\n");
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 2u) << run.out;
  EXPECT_TRUE(lines[0].starts_with("lostlake notfound 20")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("brassowl good 20")) << lines[1];
  EXPECT_EQ(lines[1].size(), std::string("brassowl good YYYY-MM-DD HH:MM").size());
  const std::string all = RunCli({"status", profile}, dir, home.Path()).out;
  // The games with ROM files (all but one) and the BIOS.
  EXPECT_EQ(Lines(all).size(), 42u) << all;
  EXPECT_EQ(RunCli({"quick-info", profile, "LOSTLAKE"}, dir, home.Path()).out.find("Status:"),
            std::string::npos);
}

}  // namespace
}  // namespace kw
