// list (and quick-info), run as the real program on a profile of real emulator output.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/audit/set_status.h"
#include "core/browser/favourites.h"
#include "platform/fs.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "support/test_archives.h"

namespace kw {
namespace {

using test::Lines;
using test::RunCli;

class CliBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::MakeSampleProfile(profile_, dir_.Path(), dir_, home_.Path()), 0);
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

TEST_F(CliBrowserTest, QuickInfoGivesTheTextsAndThePictureShown) {
  home_.Write("KESTREL.INI", "[Screenshots]\nScreenShots=snap\n");  // the emulator's snap/
  home_.Write("STATS.INI", "[PACMAN]\nTotMinutes=1\nTotSeconds=15\nTotTimes=1\n");
  std::filesystem::create_directories(dir_ / "snap");
  std::filesystem::copy_file(std::string(KW_TEST_DATA_DIR) + "/pictures/grey16.png",
                             dir_ / "snap/pacman.png");
  dir_.Write("snap/MRTNT.PNG", "no picture at all");

  test::CliRun run = RunCli({"quick-info", profile_, "PACMANJP"}, dir_, home_.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[0], "Romset name: PACMANJP, clone of PACMAN");
  EXPECT_EQ(lines[1], "Copyright: 1980 - Namco");
  EXPECT_EQ(lines[11], "Statistics: Never played");
  EXPECT_EQ(lines[12], "Picture: " + dir_.Path() + "snap/pacman.png");  // the master's

  lines = Lines(RunCli({"quick-info", profile_, "PACMAN"}, dir_, home_.Path()).out);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[11], "Statistics: Played 1 time; total time: 00:01:15");
  lines = Lines(RunCli({"quick-info", profile_, "MRTNT"}, dir_, home_.Path()).out);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[12], "Picture: Unsupported format");
  lines = Lines(RunCli({"quick-info", profile_, "TARG"}, dir_, home_.Path()).out);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[12], "Picture: Image not found");
  // A picture kept in the folder's archive is shown as a loose one would be; a loose one wins.
  const std::string png = dir_.Read("snap/pacman.png");
  ASSERT_TRUE(test::WriteTestArchive(dir_ / "snap/snap.7z", {{"targ.png", png}, {"MRTNT.PNG", png}},
                                     "7zip"));
  lines = Lines(RunCli({"quick-info", profile_, "TARG"}, dir_, home_.Path()).out);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[12], "Picture: targ.png in " + dir_.Path() + "snap/snap.7z");
  lines = Lines(RunCli({"quick-info", profile_, "MRTNT"}, dir_, home_.Path()).out);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[12], "Picture: Unsupported format");

  run = RunCli({"quick-info", profile_, "pacman"}, dir_, home_.Path());  // names match exactly
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("no game named 'pacman'"), std::string::npos);
}

TEST_F(CliBrowserTest, ListFiltersNumberTheGamesThatPass) {
  using V = std::vector<std::string>;
  const test::CliRun every = RunCli({"list", profile_}, dir_, home_.Path());
  auto list = [&](std::vector<std::string> flags) {
    flags.insert(flags.begin(), {"list", profile_});
    return RunCli(flags, dir_, home_.Path());
  };
  // Five of the 26 games are clones.
  std::vector<std::string> lines = Lines(list({"--no-clones", "--romset"}).out);
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[0], "00001 - [ALIBABA] = Ali Baba and 40 Thieves");
  EXPECT_EQ(lines[20], "00021 - [WARRIOR] = Warrior");
  for (const std::string& line : lines)
    EXPECT_EQ(line.find("Midway"), std::string::npos);
  EXPECT_EQ(Lines(list({"--working", "--no-bios", "--no-mechanical"}).out).size(), 26u);

  // Categories from the emulator's catver.ini; its bad line is said, the list still made.
  dir_.Write("catver.ini",
             "[Category]\nrallyx=Driving / Race\nrallyxm=Driving / Race\nnrallyx=Driving / "
             "Race 1st Person\npacman=Maze / Collect\nno category here\n[VerAdded]\nrallyx=.37\n");
  test::CliRun run = list({"--category", "DRIVING"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Lines(run.out),
            (V{"00001 - New Rally X", "00002 - Rally X", "00003 - Rally X (Midway)"}));
  EXPECT_NE(run.err.find("1 lines that are no category were skipped (the first is line 6)"),
            std::string::npos);
  EXPECT_EQ(Lines(list({"--category", "Driving / Race", "--no-clones"}).out), V{"00001 - Rally X"});

  // Favourites and kept statuses of the program directory.
  home_.Write(platform::fs::ExtractFileName(FavouritesPath(home_.Path(), profile_)),
              "targ\nPACMAN\n");
  EXPECT_EQ(Lines(list({"--favourites"}).out),
            (V{"00001 - PuckMan (Japan set 1)", "00002 - Targ"}));
  home_.Write(platform::fs::ExtractFileName(SetStatusPath(home_.Path(), profile_)),
              "targ good 1\npacman bad 1\natetris best 1\n");
  EXPECT_EQ(Lines(list({"--available", "--sort", "0"}).out),
            (V{"00001 - Targ", "00002 - Tetris (set 1)"}));
  EXPECT_EQ(Lines(list({"--available", "--favourites"}).out), V{"00001 - Targ"});

  // Without a filter, the list is what it was.
  EXPECT_EQ(RunCli({"list", profile_}, dir_, home_.Path()).out, every.out);
  EXPECT_EQ(list({"--category"}).status, 2);
}

}  // namespace
}  // namespace kw
