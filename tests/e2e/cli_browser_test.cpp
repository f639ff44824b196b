// list (and quick-info), run as the real program on a profile of real emulator output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using test::Lines;
using test::RunCli;

class CliBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunCli({"parse-listinfo", std::string(KW_TEST_DATA_DIR) + "/listinfo/listinfo.txt",
                      profile_, "--emulator-dir", dir_.Path()},
                     dir_, home_.Path())
                  .status,
              0);
  }
  test::TempDir dir_;
  test::TempDir home_;
  std::string profile_ = dir_ / "SAMPLE.KSL";
};

TEST_F(CliBrowserTest, ListFollowsTheSettingsOrTheFlags) {
  // No KESTREL.INI: description order, nothing added.
  std::vector<std::string> lines = Lines(RunCli({"list", profile_}, dir_, home_.Path()).out);
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines[0], "00001 - Ali Baba and 40 Thieves");
  EXPECT_EQ(lines[25], "00026 - Warrior");

  home_.Write("KESTREL.INI", "[Sort]\nSortBy=4\n[Listing]\nListRomsetName=1\n");
  home_.Write("STATS.INI", "[targ]\nTotTimes=3\n[atetris]\nTotTimes=5\n");
  lines = Lines(RunCli({"list", profile_}, dir_, home_.Path()).out);
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines[0], "00001 - [ATETRIS] = Tetris (set 1)");
  EXPECT_EQ(lines[1], "00002 - [TARG] = Targ");                     // the file's name, upper-cased
  EXPECT_EQ(lines[2], "00003 - [PACMAN] = PuckMan (Japan set 1)");  // then parse order

  // Any flag: the flags alone decide.
  lines = Lines(RunCli({"list", profile_, "--sort", "0", "--reverse", "--year", "--manufacturer"},
                       dir_, home_.Path())
                    .out);
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines[0], "00001 - Syougi No Tatsujin - Master of Syougi   (1995 - ADK / SNK)");

  EXPECT_EQ(RunCli({"list", profile_, "--sort", "5"}, dir_, home_.Path()).status, 2);
  EXPECT_EQ(RunCli({"list", dir_ / "MISSING.KSL"}, dir_, home_.Path()).status, 1);
}

}  // namespace
}  // namespace kw
