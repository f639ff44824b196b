// parse-listinfo and dump-profile, run as the real program on real emulator output.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "support/temp_dir.h"

namespace kw {
namespace {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& word) {
  std::string q = "'";
  for (char c : word) {
    if (c == '\'') {
      q += "'\\''";
    } else {
      q += c;
    }
  }
  return q + "'";
}

CliRun RunCli(const std::vector<std::string>& args, const test::TempDir& dir) {
  std::string command = Quoted(KW_CLI_PATH);
  for (const auto& a : args)
    command += " " + Quoted(a);
  command += " 2>" + Quoted(dir / "stderr.txt");
  CliRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[65536];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    run.out.append(buffer, n);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = dir.Read("stderr.txt");
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// The JSON line of the record named `name`, or "".
std::string RecordLine(const std::vector<std::string>& lines, const std::string& name) {
  for (const auto& line : lines) {
    if (line.find("\"Name\":\"" + name + "\",\"Description\"") != std::string::npos) return line;
  }
  return {};
}

const std::string kRealDir = std::string(KW_REALDATA_DIR) + "/listinfo/mame-0.37b5-generated/";
const std::string kVersion =
    "M.A.M.E. v0.37 BETA 5 (Jul 28 2000) - Multiple Arcade Machine Emulator";

class CliProfile : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kRealDir + "listinfo.txt"))
      GTEST_SKIP() << "real listinfo files not present";
  }
  test::TempDir dir_;
};

TEST_F(CliProfile, RealListinfoFilesGiveTheSameCleanProfile) {
  for (const char* file : {"listinfo.txt", "listinfo_with_history.txt"}) {
    SCOPED_TRACE(file);
    CliRun run = RunCli(
        {"parse-listinfo", kRealDir + file, dir_ / (std::string(file) + ".KSL"), "--emulator-dir",
         "/opt/mame", "--emulator-exe", "MAME.EXE", "--emulator-version", kVersion},
        dir_);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Games found: 2240\nResources found: 1\n");
  }
  // The history texts are read and dropped: both profiles are the same bytes.
  std::string plain = dir_.Read("listinfo.txt.KSL");
  EXPECT_GT(plain.size(), 1000000u);
  EXPECT_EQ(plain, dir_.Read("listinfo_with_history.txt.KSL"));

  CliRun dump = RunCli({"dump-profile", dir_ / "listinfo.txt.KSL"}, dir_);
  ASSERT_EQ(dump.status, 0) << dump.err;
  std::vector<std::string> lines = Lines(dump.out);
  ASSERT_EQ(lines.size(), 1u + 2240u + 1u);
  EXPECT_EQ(lines[0],
            "{\"EmulatorDir\":\"/opt/mame/\",\"EmulatorExe\":\"MAME.EXE\","
            "\"EmulatorVersion\":\"" +
                kVersion + "\"}");

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
  const std::string command = "cd " + Quoted(dir_.Path()) + " && " + Quoted(KW_CLI_PATH) +
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
  if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script";
  const std::string command = "script -qec " +
                              Quoted(Quoted(KW_CLI_PATH) + " parse-listinfo " + Quoted(input) +
                                     " " + Quoted(dir_ / "B.KSL")) +
                              " /dev/null > " + Quoted(dir_ / "tty.txt");
  std::system(command.c_str());
  const std::string shown = dir_.Read("tty.txt");
  EXPECT_NE(shown.find("Tag unknown: GAME\\x\\x1b[2Jy"), std::string::npos) << shown;
  EXPECT_EQ(shown.find('\x1b'), std::string::npos) << shown;
}

TEST_F(CliProfile, DumpToAFullDiskFails) {
  ASSERT_EQ(RunCli({"parse-listinfo", kRealDir + "listinfo.txt", dir_ / "REAL.KSL"}, dir_).status,
            0);
  const std::string command = Quoted(KW_CLI_PATH) + " dump-profile " + Quoted(dir_ / "REAL.KSL") +
                              " > /dev/full 2>" + Quoted(dir_ / "err.txt");
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
  EXPECT_EQ(invalid.err, bad + ": invalid file type\n");
}

}  // namespace
}  // namespace kw
