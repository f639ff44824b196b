// describe, run as the real program on the real 0.37b5 profile with the era's history,
// information, high-score and cheat files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using test::CliRun;
using test::RunCli;

using Text = std::vector<std::string>;

const std::string kReal = std::string(KW_REALDATA_DIR) + "/";

class CliDescribe : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!std::filesystem::exists(kReal + "listinfo/mame-0.37b5-generated/listinfo.txt")) return;
    dir_ = new test::TempDir;
    namespace fs = std::filesystem;
    // MAME.CFG names the history and cheat files by full path (the emulator upper-cases them)
    // and the information file by a name of its directory; HISCORE.DAT lies beside it.
    dir_->Write("emu/mame.cfg", "[config]\nhistoryfile=" + kReal +
                                    "history/mame4all-gcw0/history.dat\nmameinfofile=info.dat\n"
                                    "cheatfile=" +
                                    kReal + "cheat/mame4all-pi/cheat.dat\n");
    fs::copy_file(kReal + "mameinfo/retrofire-ja/mameinfo.dat", *dir_ / "emu/info.dat");
    fs::copy_file(kReal + "hiscore/mame4all-pi/hiscore.dat", *dir_ / "emu/hiscore.dat");
    dir_->Write("home/STATS.INI",
                "[PACMANJP]\nTotHours=1\nTotMinutes=2\nTotSeconds=3\nTotTimes=3\n");
    const CliRun made =
        RunCli({"parse-listinfo", kReal + "listinfo/mame-0.37b5-generated/listinfo.txt",
                *dir_ / "REAL.KSL", "--emulator-dir", *dir_ / "emu", "--emulator-exe", "mame",
                "--emulator-version", "M.A.M.E. v0.37 BETA 5 (Jul 28 2000)"},
               *dir_);
    ASSERT_EQ(made.status, 0) << made.err;
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  void SetUp() override {
    if (!dir_) GTEST_SKIP() << "no realdata";
  }

  static Text Describe(const std::string& set) {
    const CliRun run = RunCli({"describe", *dir_ / "REAL.KSL", set}, *dir_, *dir_ / "home");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return test::Lines(run.out);
  }
  // The lines after the one that is `text`, `count` of them.
  static Text After(const Text& lines, const std::string& text, std::size_t count) {
    const auto at = std::find(lines.begin(), lines.end(), text);
    if (at == lines.end() || lines.end() - at <= static_cast<long>(count)) return {"<missing>"};
    return Text(at + 1, at + 1 + static_cast<long>(count));
  }
  static bool Has(const Text& lines, const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  }

  static test::TempDir* dir_;
};

test::TempDir* CliDescribe::dir_ = nullptr;

TEST_F(CliDescribe, AMasterWithClones) {
  const Text lines = Describe("PACMAN");
  EXPECT_EQ(Text(lines.begin(), lines.begin() + 16),
            (Text{"Kestrelwing - Detailed romset description", "Romset description", "",
                  "Game: .............[PACMAN] = PuckMan (Japan set 1)",
                  "Copyright: ........1980 - Namco", "Screen: ...........Raster, vertical",
                  "Resolution: .......224x288, 16 colors, 60.000000Hz", "Sound: ............Mono",
                  "Controls: .........2 players, joystick each player",
                  "Coinage: ..........3 slots", "Dip switches: .....9 settings",
                  "Driver quality: ...Ok", "Color quality: ....Ok, 8 bits", "Sound quality: ....Ok",
                  "Statistics: .......Never played", ""}));
  EXPECT_EQ(After(lines, "There are 10 clones of the PACMAN master set:", 2),
            (Text{"[PACMANJP] = PuckMan (Japan set 2)", "[PACMANM]  = Pac-Man (Midway)"}));
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.ends_with(" <- this set"); }),
            0);
  EXPECT_EQ(After(lines, "Chipset:", 2),
            (Text{"CPU: .....Z80, 3072000Hz clock", "Audio: ...NAMCO"}));
  EXPECT_EQ(After(lines, "Rom files (name/crc/size/area/bank):", 1),
            Text{"NAMCOPAC.6E  $FEE263B3     4096 {$00000000..$00000FFF} CPU1"});
  EXPECT_EQ(
      After(lines, "PACMAN.5E    $0C944964     4096 {$00000000..$00000FFF} GFX1 (dispose)", 0),
      Text{});
  // The "pacman:" entry shares its areas with the names listed after it.
  EXPECT_EQ(After(lines, "This game supports HighScore save using the following memory areas:", 3),
            (Text{"CPU=00, Memory area=$4E88..$4E8B, Area delimiters=$00,$00",
                  "CPU=00, Memory area=$43ED..$43F2, Area delimiters=$40,$40",
                  "CPU=00, Memory area=$43D1,        Area delimiters=$48,$48"}));
  EXPECT_EQ(After(lines, "Cheats available for this game:", 3),
            (Text{"Infinite Lives (1/2):          CPU=0, $4E14=$06 and cannot be changed",
                  "Infinite Lives (2/2):          CPU=0, $4E15=$05 and cannot be changed "
                  "(linked part)",
                  "[------Starting Levels------]  (comment)"}));
  EXPECT_EQ(After(lines, "History file entry:", 2), (Text{"", "Pac-Man (c) 1980 Namco."}));
  EXPECT_TRUE(Has(lines, "MAME info file entry:"));
}

TEST_F(CliDescribe, ACloneFindsItsMastersEntries) {
  // Typed in lower case: the profile's names are upper case.
  const Text lines = Describe("pacmanjp");
  EXPECT_EQ(lines[4], "Clone of: .........[PACMAN] = PuckMan (Japan set 1)");
  EXPECT_TRUE(Has(lines, "Statistics: .......Played 3 times; total time: 01:02:03"));
  EXPECT_EQ(After(lines, "There are 10 clones of the PACMAN master set:", 1),
            Text{"[PACMANJP] = PuckMan (Japan set 2) <- this set"});
  EXPECT_EQ(
      After(lines, "CHG2         $3591B89D     2048 {$00000800..$00000FFF} GFX1 (dispose)", 1),
      Text{"PACMAN.5F    $958FEDF9     4096 {$00000000..$00000FFF} GFX2 (dispose) - from "
           "master set PACMAN"});
  // The history file has no entry of its own for the clone: the master's is shown.
  EXPECT_EQ(After(lines, "History file entry:", 2), (Text{"", "Pac-Man (c) 1980 Namco."}));
}

TEST_F(CliDescribe, SamplesAndAVectorGame) {
  const Text invaders = Describe("INVADDLX");
  EXPECT_EQ(After(invaders, "Sample set:", 2), (Text{"1.WAV        - from sample set INVADERS",
                                                     "2.WAV        - from sample set INVADERS"}));
  const Text asteroids = Describe("ASTEROID");
  EXPECT_EQ(asteroids[5], "Screen: ...........Vector, horizontal");
  EXPECT_EQ(asteroids[6], "Sound: ............Mono");
  EXPECT_EQ(asteroids[7], "Controls: .........1 player, joystick+3 buttons");
  EXPECT_EQ(asteroids[8], "Coinage: ..........3 slots, TILT supported, service button");
  EXPECT_EQ(After(asteroids, "Cheats available for this game:", 1),
            Text{"Infinite Lives PL1:            CPU=0, $0057=$05 and cannot be changed"});
  EXPECT_EQ(After(asteroids, "History file entry:", 2), (Text{"", "Asteroids (c) 1979 Atari."}));
}

TEST_F(CliDescribe, ASetWithNoEntriesAndAnUnknownSet) {
  const Text lines = Describe("NBAMAXHT");
  EXPECT_EQ(Text(lines.end() - 9, lines.end()),
            (Text{"No samples used", "", "HighScore save for this game is not supported yet", "",
                  "No entry found in cheat file", "", "No entry found in history file", "",
                  "No entry found in mame info file"}));
  const CliRun unknown = RunCli({"describe", *dir_ / "REAL.KSL", "NOSUCH"}, *dir_, *dir_ / "home");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "kestrelwing-cli describe: the profile has no game named 'NOSUCH'\n");
  EXPECT_EQ(RunCli({"describe", *dir_ / "REAL.KSL"}, *dir_).status, 2);
}

}  // namespace
}  // namespace kw
