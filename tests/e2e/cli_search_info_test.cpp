// search, profile-info and sysinfo, run as the real program.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using test::Lines;
using test::RunCli;

class CliSearchInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::MakeSampleProfile(profile_, dir_.Path(), dir_, home_.Path()), 0);
  }
  std::vector<std::string> Search(const std::vector<std::string>& words) {
    std::vector<std::string> args{"search", profile_};
    args.insert(args.end(), words.begin(), words.end());
    return Lines(RunCli(args, dir_, home_.Path()).out);
  }
  test::TempDir dir_;
  test::TempDir home_;
  std::string profile_ = dir_ / "SAMPLE.KSL";
};

TEST_F(CliSearchInfoTest, SearchPrintsTheMatchesInListOrderWithTheListingOptions) {
  EXPECT_EQ(
      Search({"--target", "game", "--mode", "contain", "an"}),
      (std::vector<std::string>{"00001 - Ali Baba and 40 Thieves", "00009 - PuckMan (Japan set 1)",
                                "00010 - PuckMan (Japan set 2)", "00020 - Tank Battalion",
                                "00023 - Uo Poko (Japan)"}));
  EXPECT_EQ(Search({"--target", "game", "--mode", "start", "--case", "puckman"}).size(), 0u);
  EXPECT_EQ(Search({"--target", "game", "--mode", "start", "puckman"}).size(), 2u);
  home_.Write("KESTREL.INI", "[Sort]\nReverseSort=1\n[Listing]\nListRomsetName=1\n");
  const std::vector<std::string> reversed =
      Search({"--target", "game", "--mode", "start", "puckman"});
  ASSERT_EQ(reversed.size(), 2u);
  EXPECT_NE(reversed[0].find("PuckMan (Japan set 2)"), std::string::npos) << reversed[0];
  EXPECT_NE(reversed[0].find("] = "), std::string::npos) << reversed[0];
  // A long or hostile text finds nothing and ends; a blank one is refused.
  EXPECT_EQ(
      Search({"--target", "manufacturer", "--mode", "contain", std::string(10000, 'x')}).size(),
      0u);
  EXPECT_EQ(Search({"--target", "romset", "--mode", "exact", "\x01\xff"}).size(), 0u);
  EXPECT_EQ(
      RunCli({"search", profile_, "--target", "game", "--mode", "exact", "  "}, dir_, home_.Path())
          .status,
      2);
}

TEST_F(CliSearchInfoTest, ProfileInfoAndSysinfoPrintTheirLines) {
  const test::CliRun info = RunCli({"profile-info", profile_}, dir_, home_.Path());
  ASSERT_EQ(info.status, 0);
  const std::vector<std::string> lines = Lines(info.out);
  ASSERT_GT(lines.size(), 10u);
  EXPECT_EQ(lines[0], "Profile details");
  EXPECT_EQ(lines[2], "Profile: .................." + profile_);
  EXPECT_EQ(lines[6], "Romsets supported: ........26");

  const std::vector<std::string> sys = Lines(RunCli({"sysinfo"}, dir_, home_.Path()).out);
  ASSERT_EQ(sys.size(), 9u);
  EXPECT_EQ(sys[0].rfind("Total phisical memory: ", 0), 0u);
  EXPECT_TRUE(sys[0].ends_with(" MB"));
  EXPECT_EQ(sys[4].rfind("Processor: ", 0), 0u);
  EXPECT_EQ(sys[6].rfind("Version ", 0), 0u);
}

TEST_F(CliSearchInfoTest, ProfileInfoWalksTheGamesInListOrder) {
  // The sample sets section, and the list's set names of the games it names, in their order.
  auto sample_sets = [this] {
    const std::vector<std::string> lines =
        Lines(RunCli({"profile-info", profile_}, dir_, home_.Path()).out);
    auto at = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
      return line.ends_with(" sample sets supported:");
    });
    EXPECT_NE(at, lines.end());
    return at == lines.end() ? std::vector<std::string>{}
                             : std::vector<std::string>(at + 1, lines.end());
  };
  auto listed = [this](const std::vector<std::string>& among) {
    std::vector<std::string> names;
    for (const std::string& line : Lines(RunCli({"list", profile_}, dir_, home_.Path()).out)) {
      const std::string name = line.substr(8, line.find(']') - 7);  // "00001 - [NAME] = ..."
      if (std::find(among.begin(), among.end(), name) != among.end()) names.push_back(name);
    }
    return names;
  };
  home_.Write("KESTREL.INI", "[Listing]\nListRomsetName=1\n");
  const std::vector<std::string> by_description = sample_sets();
  ASSERT_EQ(by_description.size(), 6u);
  EXPECT_EQ(by_description, listed(by_description));

  home_.Write("KESTREL.INI", "[Sort]\nSortBy=3\nReverseSort=1\n[Listing]\nListRomsetName=1\n");
  const std::vector<std::string> by_year = sample_sets();
  EXPECT_EQ(by_year, listed(by_description));
  EXPECT_NE(by_year, by_description);
  EXPECT_EQ(by_year.front(), "[SPACFURY]");  // 1981, the latest
}

}  // namespace
}  // namespace kw
