#include "core/reports/hiscore_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ascii.h"
#include "core/reports/realdata.h"
#include "core/reports/text_lines.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;

std::optional<Lines> Areas(const std::string& bytes, const std::string& name) {
  const auto areas = HiscoreFile(bytes).Areas(name);
  EXPECT_EQ(areas, ScanHiscoreFile(bytes, name)) << name;
  return areas;
}

TEST(HiscoreFile, AreaLinesKeepTheirColumns) {
  EXPECT_EQ(FormatHiscoreArea("0:4E88:0003:00:00"),
            "CPU=0, Memory area=$4E88..$4E8A, Area delimiters=$00,$00");
  // One byte: the address once, and blanks where "..$4E88" and its comma stand in ranged lines.
  EXPECT_EQ(FormatHiscoreArea("0:4E88:1:00:00"),
            "CPU=0, Memory area=$4E88,        Area delimiters=$00,$00");
  EXPECT_EQ(FormatHiscoreArea("0:4E88:1:00:00").find("Area delimiters"),
            FormatHiscoreArea("0:4E88:0003:00:00").find("Area delimiters"));
  // The end is written with at least as many digits as the address has.
  EXPECT_EQ(FormatHiscoreArea("1:00C0:40:01:02"),
            "CPU=1, Memory area=$00C0..$00FF, Area delimiters=$01,$02");
  EXPECT_EQ(FormatHiscoreArea("0:FFFFFFFF:2:0:0"),
            "CPU=0, Memory area=$FFFFFFFF..$00000000, Area delimiters=$0,$0");
  // Bad numbers and missing fields are formatted as far as they go.
  EXPECT_EQ(FormatHiscoreArea("0:XY:G:00:00"),
            "CPU=0, Memory area=$XY..$FFFFFFFF, Area delimiters=$00,$00");
  EXPECT_EQ(FormatHiscoreArea("PROBLEM?"),
            "CPU=, Memory area=$..$FFFFFFFF, Area delimiters=$,$PROBLEM?");
  // Numbers are read from their first 255 characters.
  const std::string long_address = "4E88" + std::string(300, '0');
  EXPECT_EQ(FormatHiscoreArea("0:" + long_address + ":3:00:00"),
            "CPU=0, Memory area=$" + long_address + "..$" + std::string(303, '0') +
                "2, Area delimiters=$00,$00");
  EXPECT_EQ(FormatHiscoreArea("0:1003C4:53:2A:39 <- ADD FASTEST LAP"),
            "CPU=0, Memory area=$1003C4..$100416, Area delimiters=$2A,$39 <- ADD FASTEST LAP");
}

TEST(HiscoreFile, EntriesRunToTheFirstEmptyLine) {
  const std::string bytes =
      ";HISCORE.DAT\r\n"
      "pacman:\r\n"
      "Puckman:  ;same board\r\n"
      "0:4e88:3:00:00\r\n"
      "; the second table\r\n"
      "0:4e40:60:00:00\r\n"
      "   \r\n"
      "galaxian:\n"
      "0:40a8:3:00:00\n"
      "superg:\n"  // the next set's name line with no blank line before it
      "0:4000:1:00:00\n"
      "\n"
      "mspacman:\n";
  const Lines pacman = {"CPU=0, Memory area=$4E88..$4E8A, Area delimiters=$00,$00",
                        "CPU=0, Memory area=$4E40..$4E9F, Area delimiters=$00,$00"};
  // A further set's name line is skipped with its comment, and so is a line of comment.
  EXPECT_EQ(Areas(bytes, "PACMAN"), pacman);
  EXPECT_EQ(Areas(bytes, "puckman"), pacman);
  EXPECT_EQ(Areas(bytes, "GALAXIAN"),
            (Lines{"CPU=0, Memory area=$40A8..$40AA, Area delimiters=$00,$00",
                   "CPU=0, Memory area=$4000,        Area delimiters=$00,$00"}));
  EXPECT_EQ(Areas(bytes, "SUPERG"),
            (Lines{"CPU=0, Memory area=$4000,        Area delimiters=$00,$00"}));
  EXPECT_EQ(Areas(bytes, "MSPACMAN"), Lines{});  // an entry, with no areas
  EXPECT_EQ(Areas(bytes, "PACMA"), std::nullopt);
  EXPECT_EQ(Areas(bytes, "MS"), std::nullopt);
  EXPECT_EQ(Areas("", "PACMAN"), std::nullopt);
  // A name longer than a set name is found all the same.
  EXPECT_EQ(Areas("averylongname:\n0:1:1:0:0\n", "AVERYLONGNAME"),
            (Lines{"CPU=0, Memory area=$1,     Area delimiters=$0,$0"}));
}

TEST(HiscoreFile, RealFilesIndexAsTheyAreRead) {
  if (!test::HaveRealData()) GTEST_SKIP() << "no realdata";
  for (const std::string& path : test::RealFiles("hiscore")) {
    SCOPED_TRACE(path);
    const std::string bytes = test::ReadRealFile(path);
    const HiscoreFile file(bytes);
    std::vector<std::string> names = {"NONESUCH", "0", "CCASTLEP"};
    TextLines lines(bytes);
    for (std::string_view line; lines.Next(line);) {
      line = TrimControls(line);
      const std::size_t colon = line.find(':');
      if (colon != std::string_view::npos && colon > 1 && colon <= 8 && !line.starts_with(";"))
        names.emplace_back(line.substr(0, colon));
    }
    std::size_t found = 0;
    for (std::size_t n = 0; n < names.size(); n += 1 + names.size() / 150) {
      const auto areas = file.Areas(names[n]);
      ASSERT_EQ(areas, ScanHiscoreFile(bytes, names[n])) << names[n];
      if (areas) ++found;
    }
    EXPECT_GT(found, 100u);
  }
  const HiscoreFile pi(test::ReadRealFile("hiscore/mame4all-pi/hiscore.dat"));
  const auto pacman = pi.Areas("PACMAN");
  ASSERT_TRUE(pacman);
  ASSERT_FALSE(pacman->empty());
  EXPECT_EQ(pacman->front(), "CPU=00, Memory area=$4E88..$4E8B, Area delimiters=$00,$00");
}

}  // namespace
}  // namespace kw
