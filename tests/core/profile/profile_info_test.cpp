#include "core/profile/profile_info.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "common/ascii.h"
#include "core/profile/listinfo_parser.h"
#include "core/shared/game_database.h"

namespace kw {
namespace {

std::vector<std::string> Texts(const ReportDocument& report) {
  std::vector<std::string> out;
  for (const ReportLine& line : report.Lines())
    out.push_back(line.text);
  return out;
}

GameEntry Game(const char* name, const char* clone_of, const char* rom_of) {
  GameEntry e;
  e.Name = name;
  e.CloneOf = clone_of;
  e.RomOf = rom_of;
  e.Description = name;
  return e;
}

TEST(ProfileInfoTest, CountsListsAndFontsOfASmallProfile) {
  GameDatabase db;
  db.ProfilePath = "/nowhere/MY.PROFILE.KSL";
  db.EmulatorDir = "/mame/";
  db.EmulatorExe = "mame";
  db.EmulatorVersion = "0.37b5";
  GameEntry master = Game("abc", "", "");
  master.Roms = {RomEntry{"a.1", "", "cpu", 0, 0, 16, 1}, RomEntry{"a.2", "", "cpu", 0, 0, 16, 2}};
  master.Chips = {{kChipCpu, 0, "Z80", "3000000"}, {kChipAudio, 0, "AY8910", "1"}};
  master.Samples = {"shot"};
  db.AddGame(master);
  GameEntry clone = Game("abcj", "abc", "abc");  // borrows from a game: no resource
  clone.Roms = {RomEntry{"a.1", "a.1", "cpu", 0, 0, 16, 1},
                RomEntry{"j.2", "", "cpu", 0, 0, 16, 3}};
  clone.Chips = {{kChipCpu, 0, "z80", "3000000"}, {kChipCpu, 0, "M6809", "1"}};
  clone.SampleOf = "abc";  // requires samples, is no sample set
  db.AddGame(clone);
  db.AddGame(Game("neo1", "", "neogeo"));
  db.AddGame(Game("neo1b", "neo1", "neo1"));  // its chain reaches the resource through neo1
  db.AddGame(Game("loopa", "", "loopb"));
  db.AddGame(Game("loopb", "", "loopa"));  // a loop ends the walk: no resource
  db.AddResource(Game("neogeo", "", ""));

  ReportDocument report;
  BuildProfileInfo(db, "Kestrelwing", "/prog/", 10, 8, report);
  EXPECT_EQ(report.ReportTitle, "Kestrelwing - Profile info");
  EXPECT_EQ(report.SaveDir, "/prog/");
  EXPECT_EQ(report.SaveName, "MY_profile_info");
  const std::vector<std::string> expected = {
      "Profile details",
      "",
      "Profile: ................../nowhere/MY.PROFILE.KSL",
      "MAME executable file: ...../mame/mame",
      "MAME version: .............0.37b5",
      "Romsets supported: ........6",
      "Resources needed: .........1",
      "Master sets: ..............4",
      "Clone sets: ...............2",
      "Standard arcade games: ....4",
      "Total rom files: ..........3",
      "Sets requiring samples: ...2",
      "",
      "2 games using external resources:",
      "[neo1]     uses [neogeo]",
      "[neo1b]    uses [neogeo]",
      "",
      "2 CPU supported:",
      "Z80",
      "M6809",
      "",
      "1 sound chip supported:",
      "AY8910",
      "",
      "1 sample set supported:",
      "[abc]",
  };
  EXPECT_EQ(Texts(report), expected);
  const std::vector<ReportLine>& lines = report.Lines();
  EXPECT_EQ(lines[0].alignment, Alignment::Center);
  EXPECT_EQ(lines[0].font,
            (ReportFont{"Times New Roman", kColorBlack, kStyleBold | kStyleItalic, 14}));
  EXPECT_EQ(lines[2].alignment, Alignment::Left);
  EXPECT_EQ(lines[2].font, (ReportFont{"Courier New", kColorBlack, kStyleRegular, 8}));
  EXPECT_EQ(lines[13].font, (ReportFont{"Times New Roman", kColorBlack, kStyleBold, 10}));
  EXPECT_EQ(lines[14].font.face, "Courier New");
}

TEST(ProfileInfoTest, EmptySectionsAndFieldsAtTheirWidths) {
  GameDatabase db;
  GameEntry wide = Game("ABCDEFGH", "", "");
  wide.Description = std::string(255, 'D');
  wide.Manufacturer = std::string(255, 'M');
  db.AddGame(wide);
  GameEntry clone = Game("CDEFGHIJ", "ABCDEFGH", "ZZZZZZZZ");
  db.AddGame(clone);
  ReportDocument report;
  BuildProfileInfo(db, "Kestrelwing", "/p/", 10, 8, report);
  const std::vector<std::string> t = Texts(report);
  EXPECT_EQ(report.SaveName, "_profile_info");
  EXPECT_NE(std::find(t.begin(), t.end(), "1 games using external resources:"), t.end());
  EXPECT_NE(std::find(t.begin(), t.end(), "[CDEFGHIJ] uses [ZZZZZZZZ]"), t.end());
  EXPECT_EQ(t[t.size() - 5], "No CPU supported");
  EXPECT_EQ(t[t.size() - 3], "No sound chip supported");
  EXPECT_EQ(t.back(), "No sample sets supported");
}

TEST(ProfileInfoTest, TheRealProfile) {
  const std::string path =
      std::string(KW_REALDATA_DIR) + "/listinfo/mame-0.37b5-generated/listinfo.txt";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no real listinfo";
  GameDatabase db;
  ASSERT_TRUE(ParseListinfoFile(path, db));
  ReportDocument report;
  BuildProfileInfo(db, "Kestrelwing", "/p/", 10, 8, report);
  const std::vector<std::string> t = Texts(report);
  EXPECT_EQ(t[5], "Romsets supported: ........2240");
  EXPECT_EQ(t[6], "Resources needed: .........1");
  // Every game using a resource uses the Neo Geo BIOS; the standard games are the others.
  std::size_t users = 0, heading = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i].ends_with(" games using external resources:")) heading = i;
    if (t[i].find(" uses [") != std::string::npos) {
      ++users;
      EXPECT_TRUE(t[i].ends_with(" uses [NEOGEO]")) << t[i];
    }
  }
  ASSERT_GT(users, 0u);
  EXPECT_EQ(t[heading], std::to_string(users) + " games using external resources:");
  EXPECT_EQ(t[9], "Standard arcade games: ...." + std::to_string(2240 - users));
  // CPU names once each, letter case aside.
  const auto cpus = std::find_if(
      t.begin(), t.end(), [](const std::string& s) { return s.ends_with(" CPU supported:"); });
  ASSERT_NE(cpus, t.end());
  const std::size_t count = std::stoul(*cpus);
  std::set<std::string> upper;
  for (std::size_t k = 1; k <= count; ++k)
    upper.insert(AsciiUpperCase(*(cpus + static_cast<long>(k))));
  EXPECT_EQ(upper.size(), count);
  EXPECT_TRUE(upper.count("Z80"));
  EXPECT_EQ(*(cpus + static_cast<long>(count) + 1), "");
}

}  // namespace
}  // namespace kw
