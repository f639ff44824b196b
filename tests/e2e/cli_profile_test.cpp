// parse-listinfo and dump-profile, run as the real program on real emulator output.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using test::CliRun;
using test::Lines;
using test::RunCli;

// The JSON line of the record named `name`, or "".
std::string RecordLine(const std::vector<std::string>& lines, const std::string& name) {
  for (const auto& line : lines) {
    if (line.find("\"Name\":\"" + name + "\",\"Description\"") != std::string::npos) return line;
  }
  return {};
}

// The record line without its "Index":N, field (its place in its own file).
std::string WithoutIndex(const std::string& line) {
  const auto at = line.find("\"Index\":");
  if (at == std::string::npos) return line;
  return line.substr(0, at) + line.substr(line.find(',', at) + 1);
}

// The emulator's -listinfo output, without and with the history texts: the sample cut from it
// that the sources carry, and the whole output when it lies beside the sources. The sample's
// history file holds fewer games than its plain one.
struct ListinfoSet {
  std::string dir;
  std::size_t games;
};

std::vector<ListinfoSet> ListinfoSets() {
  std::vector<ListinfoSet> sets = {{std::string(KW_TEST_DATA_DIR) + "/listinfo/", 26}};
  const std::string real = std::string(KW_REALDATA_DIR) + "/listinfo/mame-0.37b5-generated/";
  if (std::filesystem::exists(real + "listinfo.txt")) sets.push_back({real, 2240});
  return sets;
}

const std::string kVersion =
    "M.A.M.E. v0.37 BETA 5 (Jul 28 2000) - Multiple Arcade Machine Emulator";

class CliProfile : public ::testing::Test {
 protected:
  test::TempDir dir_;
};

TEST_F(CliProfile, ListinfoFilesGiveTheSameCleanProfile) {
  for (const ListinfoSet& set : ListinfoSets()) {
    SCOPED_TRACE(set.dir);
    test::TempDir out;
    CliRun run =
        RunCli({"parse-listinfo", set.dir + "listinfo.txt", out / "PLAIN.KSL", "--emulator-dir",
                "/opt/mame", "--emulator-exe", "MAME.EXE", "--emulator-version", kVersion},
               out);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Games found: " + std::to_string(set.games) + "\nResources found: 1\n");
    run = RunCli({"parse-listinfo", set.dir + "listinfo_with_history.txt", out / "HISTORY.KSL",
                  "--emulator-dir", "/opt/mame", "--emulator-exe", "MAME.EXE", "--emulator-version",
                  kVersion},
                 out);
    EXPECT_EQ(run.status, 0) << run.err;

    CliRun dump = RunCli({"dump-profile", out / "PLAIN.KSL"}, out);
    ASSERT_EQ(dump.status, 0) << dump.err;
    std::vector<std::string> lines = Lines(dump.out);
    ASSERT_EQ(lines.size(), 1u + set.games + 1u);
    EXPECT_EQ(lines[0],
              "{\"EmulatorDir\":\"/opt/mame/\",\"EmulatorExe\":\"MAME.EXE\","
              "\"EmulatorVersion\":\"" +
                  kVersion + "\"}");

    // The history texts are read and dropped: each game reads as it does without them.
    CliRun history = RunCli({"dump-profile", out / "HISTORY.KSL"}, out);
    ASSERT_EQ(history.status, 0) << history.err;
    std::vector<std::string> history_lines = Lines(history.out);
    ASSERT_GT(history_lines.size(), 2u);
    EXPECT_EQ(history_lines[0], lines[0]);
    for (std::size_t i = 1; i < history_lines.size(); ++i) {
      const std::string& line = history_lines[i];
      const auto name_at = line.find("\"Name\":\"") + 8;
      const std::string name = line.substr(name_at, line.find('"', name_at) - name_at);
      EXPECT_EQ(WithoutIndex(line), WithoutIndex(RecordLine(lines, name))) << name;
    }
    if (history_lines.size() == lines.size()) {
      EXPECT_EQ(out.Read("PLAIN.KSL"), out.Read("HISTORY.KSL"));
    }

    // The first game, in file order, with every field.
    const std::string first_game =
        "{\"kind\":\"game\",\"Index\":1,\"Name\":\"PACMAN\",\"Description\":\"PuckMan (Japan "
        "set 1)\",\"Year\":1980,\"Manufacturer\":\"Namco\",\"CloneOf\":\"\",\"RomOf\":\"\","
        "\"SampleOf\":\"\",\"Raster\":1,\"Vertical\":1,\"Width\":224,\"Height\":288,"
        "\"Colors\":16,\"Freq\":\"60.000000\",\"Channels\":1,\"Players\":2,\"Control\":1,"
        "\"Buttons\":0,\"Coins\":3,\"Tilt\":0,\"Service\":0,\"DipSwitches\":9,"
        "\"DriverStatus\":3,\"DriverColor\":3,\"DriverSound\":3,\"ColorDeep\":0,\"Roms\":[{"
        "\"Name\":\"NAMCOPAC.6E\",\"Merge\":\"\",\"Region\":\"CPU1\",\"Flags\":0,";
    EXPECT_EQ(lines[1].substr(0, first_game.size()), first_game);

    std::string clone = RecordLine(lines, "PACMANJP");
    EXPECT_NE(clone.find("\"Index\":2,"), std::string::npos);
    EXPECT_NE(clone.find("\"CloneOf\":\"PACMAN\",\"RomOf\":\"PACMAN\",\"SampleOf\":\"\""),
              std::string::npos);
    EXPECT_NE(clone.find("{\"Name\":\"PACMAN.5F\",\"Merge\":\"PACMAN.5F\",\"Region\":\"GFX2\","
                         "\"Flags\":1,\"Offset\":0,\"Size\":4096,\"Crc\":2509237753}"),
              std::string::npos);

    std::string samples = RecordLine(lines, "RALLYXM");
    EXPECT_NE(samples.find("\"SampleOf\":\"RALLYX\""), std::string::npos);
    EXPECT_NE(samples.find("\"Samples\":[\"BANG.WAV\"]}"), std::string::npos);

    std::string vector_game = RecordLine(lines, "SPACFURY");
    EXPECT_NE(vector_game.find("\"Raster\":0,\"Vertical\":0,\"Width\":0,\"Height\":0,"),
              std::string::npos);

    EXPECT_EQ(lines.back(),
              "{\"kind\":\"resource\",\"Index\":1,\"Name\":\"NEOGEO\",\"Description\":\"Neo Geo "
              "BIOS\",\"Year\":0,\"Manufacturer\":\"\",\"CloneOf\":\"\",\"RomOf\":\"\","
              "\"SampleOf\":\"\",\"Raster\":1,\"Vertical\":0,\"Width\":0,\"Height\":0,\"Colors\":0,"
              "\"Freq\":\"\",\"Channels\":0,\"Players\":0,\"Control\":0,\"Buttons\":0,\"Coins\":0,"
              "\"Tilt\":0,\"Service\":0,\"DipSwitches\":0,\"DriverStatus\":0,\"DriverColor\":0,"
              "\"DriverSound\":0,\"ColorDeep\":0,\"Roms\":["
              "{\"Name\":\"NEO-GEO.ROM\",\"Merge\":\"\",\"Region\":\"\",\"Flags\":0,\"Offset\":0,"
              "\"Size\":131072,\"Crc\":2419513465},"
              "{\"Name\":\"NG-SM1.ROM\",\"Merge\":\"\",\"Region\":\"\",\"Flags\":0,\"Offset\":0,"
              "\"Size\":131072,\"Crc\":2546964875},"
              "{\"Name\":\"NG-SFIX.ROM\",\"Merge\":\"\",\"Region\":\"\",\"Flags\":0,\"Offset\":0,"
              "\"Size\":131072,\"Crc\":893397500}],\"Chips\":[],\"Samples\":[]}");
  }
}

TEST_F(CliProfile, ErrorLogIsPrintedAndTheProfileWrittenAnyway) {
  std::string input = dir_.Write("in.txt",
                                 "game ( name a aspectx 4 rom ( flags nodump ) )\n"
                                 "game ( name a2 aspectx 4 video [ x 1 ) )\ngame ( name cut\n");
  CliRun run = RunCli({"parse-listinfo", input, dir_ / "OUT.KSL"}, dir_);
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.out,
            "Tag unknown: GAME\\ASPECTX\n"
            "Value not allowed: GAME\\ROM\\FLAGS=NODUMP\n"
            "\"(\" expected after GAME\\VIDEO tag but [ found\n"
            "Unexpected end of file: the last game was not closed and was ignored.\n"
            "Games found: 2\n"
            "Resources found: 0\n");
  EXPECT_TRUE(std::filesystem::exists(dir_ / "OUT.KSL"));
}

TEST_F(CliProfile, NoGamesWritesNothingKeepsAnEarlierProfileAndFails) {
  std::string input = dir_.Write("in.txt", "resource ( name neogeo )\n");
  CliRun run = RunCli({"parse-listinfo", input, dir_ / "OUT.KSL"}, dir_);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Games found: 0\nResources found: 1\n");
  EXPECT_NE(run.err.find("nothing was written"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "OUT.KSL"));

  // An earlier profile stays byte for byte, and says so.
  const std::string output = dir_ / "OLD.KSL";
  std::string games = dir_.Write("games.txt", "game ( name pacman )\n");
  ASSERT_EQ(RunCli({"parse-listinfo", games, output}, dir_).status, 0);
  const std::string before = dir_.Read("OLD.KSL");
  std::string empty = dir_.Write("empty.txt", "");
  run = RunCli({"parse-listinfo", empty, output}, dir_);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(output + " was left as it was"), std::string::npos) << run.err;
  EXPECT_EQ(dir_.Read("OLD.KSL"), before);
}

TEST_F(CliProfile, EmulatorDirectoryDefaultsToTheCapturesAndTheProfileOpens) {
  std::filesystem::create_directory(dir_ / "emu");
  dir_.Write("emu/capture.txt", "game ( name pacman )\n");
  // Given relative to the current directory, as a user types it.
  const std::string command = "cd " + test::ShellQuoted(dir_.Path()) + " && " +
                              test::ShellQuoted(KW_CLI_PATH) +
                              " parse-listinfo emu/capture.txt OUT.KSL";
  ASSERT_EQ(std::system(command.c_str()), 0);
  CliRun dump = RunCli({"dump-profile", dir_ / "OUT.KSL"}, dir_);
  ASSERT_EQ(dump.status, 0) << dump.err;
  const std::string emu_dir = std::filesystem::canonical(dir_ / "emu").string() + "/";
  EXPECT_EQ(Lines(dump.out)[0].rfind("{\"EmulatorDir\":\"" + emu_dir + "\",", 0), 0u) << dump.out;
}

TEST_F(CliProfile, ControlBytesAreEscapedOnATerminalOnly) {
  std::string input = dir_.Write("in.txt", "game ( name a \"x\x1b[2Jy\" 1 )\n");
  CliRun piped = RunCli({"parse-listinfo", input, dir_ / "A.KSL"}, dir_);
  EXPECT_EQ(piped.status, 3);
  EXPECT_EQ(Lines(piped.out)[0], "Tag unknown: GAME\\x\x1b[2Jy");
  // `script` gives the program a terminal as its standard output.
  const std::string command =
      "script -qec " +
      test::ShellQuoted(test::ShellQuoted(KW_CLI_PATH) + " parse-listinfo " +
                        test::ShellQuoted(input) + " " + test::ShellQuoted(dir_ / "B.KSL")) +
      " /dev/null > " + test::ShellQuoted(dir_ / "tty.txt");
  std::system(command.c_str());
  const std::string shown = dir_.Read("tty.txt");
  EXPECT_NE(shown.find("Tag unknown: GAME\\x\\x1b[2Jy"), std::string::npos) << shown;
  EXPECT_EQ(shown.find('\x1b'), std::string::npos) << shown;
}

TEST_F(CliProfile, DumpToAFullDiskFails) {
  ASSERT_EQ(
      RunCli({"parse-listinfo", ListinfoSets().back().dir + "listinfo.txt", dir_ / "REAL.KSL"},
             dir_)
          .status,
      0);
  const std::string command = test::ShellQuoted(KW_CLI_PATH) + " dump-profile " +
                              test::ShellQuoted(dir_ / "REAL.KSL") + " > /dev/full 2>" +
                              test::ShellQuoted(dir_ / "err.txt");
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_NE(dir_.Read("err.txt").find("cannot write to standard output: No space left on device"),
            std::string::npos)
      << dir_.Read("err.txt");
}

TEST_F(CliProfile, TextsDumpAsOneCodePointPerByte) {
  std::string input = dir_.Write(
      "in.txt",
      "game ( name x description \"caf\xe9 \\\"q\\\" a\\nb\x01\" manufacturer \"\xff\" )");
  ASSERT_EQ(RunCli({"parse-listinfo", input, dir_ / "X.KSL"}, dir_).status, 0);
  CliRun dump = RunCli({"dump-profile", dir_ / "X.KSL"}, dir_);
  ASSERT_EQ(dump.status, 0);
  // é (0xE9) and ÿ (0xFF) as UTF-8; the backslash-n pair as backslash and carriage return.
  EXPECT_NE(dump.out.find("\"Description\":\"caf\xc3\xa9 \\\\\\\"q\\\\\\\" a\\\\\\u000db\\u0001\","
                          "\"Year\":0,\"Manufacturer\":\"\xc3\xbf\""),
            std::string::npos)
      << dump.out;
}

TEST_F(CliProfile, FailuresAndBadUsage) {
  CliRun missing = RunCli({"parse-listinfo", dir_ / "none.txt", dir_ / "OUT.KSL"}, dir_);
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("none.txt"), std::string::npos);

  EXPECT_EQ(RunCli({"parse-listinfo", "only-one"}, dir_).status, 2);
  EXPECT_EQ(RunCli({"parse-listinfo", "a", "b", "c"}, dir_).status, 2);
  EXPECT_EQ(RunCli({"parse-listinfo", "a", "b", "--emulator-dir"}, dir_).status, 2);
  EXPECT_EQ(RunCli({"parse-listinfo", "a", "b", "--frobnicate", "x"}, dir_).status, 2);
  EXPECT_EQ(RunCli({"dump-profile"}, dir_).status, 2);

  std::string bad = dir_.Write("BAD.KSL", "not a profile");
  CliRun invalid = RunCli({"dump-profile", bad}, dir_);
  EXPECT_EQ(invalid.status, 1);
  EXPECT_EQ(invalid.out, "");
  EXPECT_EQ(invalid.err, bad +
                             ": invalid file type\nThe file is not a Kestrelwing profile; "
                             "create-profile or parse-listinfo makes one.\n");
}

}  // namespace
}  // namespace kw
