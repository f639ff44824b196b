#include "core/reports/cheat_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ascii.h"
#include "core/reports/realdata.h"
#include "core/reports/text_lines.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;

std::string Cheat(const std::string& line) {
  return FormatCheat(ParseCheatLine(line));
}

TEST(CheatFile, EachTypeHasItsText) {
  EXPECT_EQ(Cheat("pacman:0:4E0F:03:000:Infinite Lives"),
            "Infinite Lives:                CPU=0, $4E0F=$03 and cannot be changed");
  EXPECT_EQ(Cheat("p:1:10:FF:1:X"),
            "X:                             CPU=1, $10=$FF and cheat is "
            "deactivated");
  EXPECT_EQ(Cheat("p:0:A:1:010:X").substr(31), "CPU=0, $A=$1 if not decrementing by 3 each frame");
  EXPECT_EQ(Cheat("p:0:A:1:11:X").substr(31), "CPU=0, $A=$1 if not decrementing by 4 each frame");
  EXPECT_EQ(Cheat("p:0:A:A5:020:X").substr(31), "CPU=0, Hold %10100101 bits set in $A");
  EXPECT_EQ(Cheat("p:0:A:1FF:21:X").substr(31),
            "CPU=0, Set %11111111 bits in $A and deactivate cheat");
  EXPECT_EQ(Cheat("p:0:A:01:40:X").substr(31), "CPU=0, Hold %00000001 bits reset in $A");
  EXPECT_EQ(Cheat("p:0:A:80:41:X").substr(31),
            "CPU=0, Reset %10000000 bits in $A and deactivate cheat");
  EXPECT_EQ(Cheat("p:0:A:09:060:X").substr(31),
            "CPU=0, $A=$00..$09 when change found then deactivate cheat");
  EXPECT_EQ(Cheat("p:0:A:09:61:X").substr(31),
            "CPU=0, $A=$01..$0A when change found then deactivate cheat");
  EXPECT_EQ(Cheat("p:0:A:99:63:X").substr(31),
            "CPU=0, $A=$00..$99 (bcd) when change found then deactivate cheat");
  EXPECT_EQ(Cheat("p:0:A:99:64:X").substr(31), "CPU=0, $A=$01..$9A (bcd) then deactivate cheat");
  EXPECT_EQ(Cheat("p:0:A:FFFFFFFF:71:X").substr(31),
            "CPU=0, $A=$01..$00 then deactivate cheat");  // V + 1 wraps at 32 bits
  EXPECT_EQ(Cheat("p:0:A:123:075:X").substr(31), "CPU=0, $A=$01..$123 then deactivate cheat");
  EXPECT_EQ(Cheat("p:0:FF0600:00:998:Watch Fog").substr(31), "CPU=0, Add $FF0600 as watch");
  // Linked parts: 500 to 575 take the texts of 0 to 75, and are marked.
  EXPECT_EQ(Cheat("p:0:32:00:500:Comets").substr(31),
            "CPU=0, $32=$00 and cannot be changed (linked part)");
  EXPECT_EQ(Cheat("p:0:32:05:570:C").substr(31),
            "CPU=0, $32=$00..$05 then deactivate cheat (linked part)");
  // Types the table does not list, written as they stand.
  EXPECT_EQ(Cheat("p:0:A:1:12:X").substr(31),
            "CPU=0, Unknown cheat type!!! Address=$A Value=$1 "
            "Type=12");
  EXPECT_EQ(Cheat("p:0:A:1:00A:X").substr(31),
            "CPU=0, Unknown cheat type!!! Address=$A Value=$1 Type=00A");
  EXPECT_EQ(Cheat("p:0:A:1:512:X").substr(31),
            "CPU=0, Unknown cheat type!!! Address=$A Value=$1 Type=512 (linked part)");
  EXPECT_EQ(Cheat("p:0:A:1:zz:X").substr(31), "CPU=0, $A=$1 and cannot be changed");
  // A comment line: the text padded to 29 and marked.
  EXPECT_EQ(Cheat("p:0:0:0:999:Boats are BCD"), "Boats are BCD                  (comment)");
}

TEST(CheatFile, FieldsCommentsAndCuts) {
  // The comment follows the description; one made of blanks is left out.
  EXPECT_EQ(Cheat("p:0:1:2:0:Lives:PL1 only"),
            "Lives PL1 only:" + std::string(16, ' ') + "CPU=0, $1=$2 and cannot be changed");
  EXPECT_EQ(Cheat("p:0:1:2:0:Lives:   "),
            "Lives:" + std::string(25, ' ') + "CPU=0, $1=$2 and cannot be changed");
  // Colons after the seventh field are dropped; missing fields are empty.
  const CheatFields extra = ParseCheatLine("p:0:1:2:0:Lives:a:b:c");
  EXPECT_EQ(extra.Comment, "abc");
  const CheatFields shortline = ParseCheatLine("p:0:1");
  EXPECT_EQ(shortline.Address, "1");
  EXPECT_EQ(shortline.Data, "");
  EXPECT_EQ(shortline.Description, "");
  EXPECT_EQ(FormatCheat(shortline),
            ":" + std::string(30, ' ') + "CPU=0, $1=$ and cannot be changed");
  // Every field holds at most 255 characters.
  const CheatFields cut = ParseCheatLine("p:0:1:2:0:" + std::string(300, 'd') + ":c");
  EXPECT_EQ(cut.Description, std::string(255, 'd'));
  EXPECT_EQ(cut.Comment, "c");
}

TEST(CheatFile, EverySetCheatInFileOrder) {
  const std::string bytes =
      "; comment\n"
      "pacman:0:4E0F:03:000:Infinite Lives\n"
      "\n"
      "galaxian:0:40:1:0:Other\n"
      "   PACMAN:0:4E14:01:0:Start on Level 5   \r\n"
      ";pacman:0:1:1:0:Commented out\n"
      "PacMan:0:4D3A:FF:001:Always Bright\n";
  const Lines expected = {"Infinite Lives:                CPU=0, $4E0F=$03 and cannot be changed",
                          "Start on Level 5:              CPU=0, $4E14=$01 and cannot be changed",
                          "Always Bright:                 CPU=0, $4D3A=$FF and cheat is "
                          "deactivated"};
  const CheatFile file(bytes);
  EXPECT_FALSE(file.Compressed());
  EXPECT_EQ(file.Cheats("PACMAN"), expected);
  EXPECT_EQ(file.Cheats("pacman"), expected);
  EXPECT_EQ(ScanCheatFile(bytes, "PACMAN"), expected);
  EXPECT_EQ(file.Cheats("GALAXIAN").size(), 1u);
  EXPECT_TRUE(file.Cheats("PACMA").empty());
  EXPECT_TRUE(CheatFile("").Cheats("PACMAN").empty());
  EXPECT_TRUE(CheatFile("\x1F\x8B\x08pacman:0:1:1:0:x\n").Compressed());
  EXPECT_TRUE(CheatFile("\x1F\x8B\x08pacman:0:1:1:0:x\n").Cheats("PACMAN").empty());
}

TEST(CheatFile, RealFilesIndexAsTheyAreRead) {
  if (!test::HaveRealData()) GTEST_SKIP() << "no realdata";
  for (const std::string& path : test::RealFiles("cheat")) {
    SCOPED_TRACE(path);
    const std::string bytes = test::ReadRealFile(path);
    const CheatFile file(bytes);
    // Every cheat line belongs to one set: the sets' lists add up to all of them.
    std::vector<std::string> names;
    std::size_t cheat_lines = 0;
    TextLines lines(bytes);
    for (std::string_view line; lines.Next(line);) {
      line = TrimControls(line);
      if (line.empty() || line.front() == ';') continue;
      ++cheat_lines;
      const std::string name = AsciiUpperCase(line.substr(0, line.find(':')));
      if (names.empty() || names.back() != name) names.push_back(name);
    }
    std::size_t listed = 0;
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (std::size_t n = 0; n < names.size(); ++n) {
      const Lines cheats = file.Cheats(names[n]);
      listed += cheats.size();
      if (n % (1 + names.size() / 40) == 0) {
        EXPECT_EQ(cheats, ScanCheatFile(bytes, names[n])) << names[n];
      }
    }
    EXPECT_EQ(listed, cheat_lines);
    EXPECT_GT(names.size(), 250u);
  }
  const CheatFile pi(test::ReadRealFile("cheat/mame4all-pi/cheat.dat"));
  const Lines pacman = pi.Cheats("PACMAN");
  ASSERT_FALSE(pacman.empty());
  EXPECT_NE(pacman.front().find(" CPU=0, "), std::string::npos);
}

}  // namespace
}  // namespace kw
