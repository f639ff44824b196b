#include "core/shared/play_stats.h"
#include "core/shared/game_database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace kw {
namespace {

using test::TempDir;

PlayRecord Rec(const char* name, unsigned h, unsigned m, unsigned s, unsigned times) {
  PlayRecord r;
  r.StatSetName = name;
  r.TotHours = static_cast<std::uint16_t>(h);
  r.TotMinutes = static_cast<std::uint8_t>(m);
  r.TotSeconds = static_cast<std::uint8_t>(s);
  r.TotTimes = times;
  return r;
}

// The record without where it came from, for comparing values.
PlayRecord Values(PlayRecord r) {
  r.Section.clear();
  return r;
}

TEST(PlayStats, PlaysAddUpWithTheirCarries) {
  PlayStats stats("/nonexistent/STATS.INI");
  stats.RecordPlay("pacmanjr2", 1, 2, 40);  // first play: upper case, cut to 8
  ASSERT_EQ(stats.Records().size(), 1u);
  EXPECT_EQ(stats.Records()[0], Rec("PACMANJR", 1, 2, 40, 1));
  stats.RecordPlay("PACMANJR", 0, 0, 30);  // 40 s + 30 s: one more minute and 10 s
  EXPECT_EQ(stats.Records()[0], Rec("PACMANJR", 1, 3, 10, 2));
  stats.RecordPlay("PACMANJR", 2, 56, 50);  // 3:10 + 56:50 carries twice, into the hours
  EXPECT_EQ(stats.Records()[0], Rec("PACMANJR", 4, 0, 0, 3));
  stats.RecordPlay("GALAGA", 0, 0, 0);  // a run under a second still counts as a play
  EXPECT_EQ(stats.Records()[1], Rec("GALAGA", 0, 0, 0, 1));
}

TEST(PlayStats, NamesMatchExactlyAndTheFirstMatchWins) {
  PlayStats stats("/nonexistent/STATS.INI");
  stats.RecordPlay("PACMAN", 0, 0, 1);
  EXPECT_EQ(stats.PlayCount("pacman"), 0u);  // case counts
  EXPECT_EQ(stats.FindPlayRecord("PACMA"), nullptr);
  EXPECT_EQ(stats.FindPlayRecord("PACMANX"), nullptr);
  // No exact match: a second record, stored upper case, that the look-ups never reach.
  stats.RecordPlay("pacman", 0, 0, 1);
  stats.RecordPlay("pacman", 0, 0, 1);
  ASSERT_EQ(stats.Records().size(), 3u);
  EXPECT_EQ(stats.Records()[1].StatSetName, "PACMAN");
  EXPECT_EQ(stats.Records()[1].TotTimes, 1u);
  stats.RecordPlay("PACMAN", 0, 0, 1);
  EXPECT_EQ(stats.PlayCount("PACMAN"), 2u);
  EXPECT_EQ(stats.FindPlayRecord("PACMAN"), &stats.Records()[0]);
  EXPECT_EQ(stats.PlayCounts().at("PACMAN"), 2u);
}

TEST(PlayStats, LoadTakesWhatItCanOfADamagedFile) {
  TempDir dir;
  const std::string path =
      dir.Write("STATS.INI",
                "garbage before any section\n"
                "[pacman]\nTotHours=abc\nTotMinutes=-5\nTotSeconds=12abc\nTotTimes=7\n"
                "no equals sign\n=\n[\n"
                "[GALAGA]\nTotHours=70000\nTotMinutes=300\nTotTimes=-1\n"
                "[PACMAN]\nTotTimes=99\n"  // the same section again: the first wins
                "[empty]\n[ Spaced ]\nTotTimes= 3 \n");
  PlayStats stats(path);
  stats.RecordPlay("OLD", 0, 0, 1);
  stats.LoadStats();  // replaces what was there
  ASSERT_EQ(stats.Records().size(), 4u);
  EXPECT_EQ(Values(stats.Records()[0]), Rec("PACMAN", 0, 0, 0, 7));
  // Too wide for the field: its low bits, as the fields always held them.
  EXPECT_EQ(Values(stats.Records()[1]), Rec("GALAGA", 70000 & 0xFFFF, 300 & 0xFF, 0, 0));
  EXPECT_EQ(Values(stats.Records()[2]), Rec("EMPTY", 0, 0, 0, 0));
  EXPECT_EQ(Values(stats.Records()[3]), Rec("SPACED", 0, 0, 0, 3));

  stats.LoadStats();
  EXPECT_EQ(stats.Records().size(), 4u) << "a second load does not add up";
  PlayStats missing(dir / "NONE.INI");
  missing.LoadStats();
  EXPECT_TRUE(missing.Records().empty());
}

TEST(PlayStats, TodaysLongNamesAreKeptWholeAndTheErasCut) {
  TempDir dir;
  const std::string path = dir.Write("STATS.INI", "[pacmanbla]\nTotTimes=2\n");
  PlayStats era(path);
  era.LoadStats();
  EXPECT_EQ(era.Records()[0].StatSetName, "PACMANBL");
  PlayStats today(path);
  today.SetNameWidth(kLongSetNameWidth);
  today.LoadStats();
  today.RecordPlay("PACMANBLA", 0, 1, 0);
  today.RecordPlay("PACMANBLB", 0, 1, 0);
  EXPECT_EQ(today.PlayCount("PACMANBLA"), 3u);
  EXPECT_EQ(today.PlayCount("PACMANBLB"), 1u) << "two long names that share 8 characters";
}

TEST(PlayStats, SaveKeepsTheFileAndWritesTheRecordsInPlace) {
  TempDir dir;
  dir.Write("stats.ini",
            "; kept\r\n[pacman]\r\nTotTimes=1\r\nNote=mine\r\n"
            "[OTHER]\r\nx=1\r\n");
  PlayStats stats(dir / "STATS.INI");  // found without regard to case
  stats.LoadStats();
  stats.RecordPlay("PACMAN", 0, 1, 2);
  stats.RecordPlay("GALAGA", 0, 0, 5);
  ASSERT_TRUE(stats.SaveStats().Ok());
  EXPECT_EQ(dir.Read("stats.ini"),
            "; kept\r\n[pacman]\r\nTotTimes=2\r\nNote=mine\r\nTotHours=0\r\nTotMinutes=1\r\n"
            "TotSeconds=2\r\n[OTHER]\r\nx=1\r\nTotHours=0\r\nTotMinutes=0\r\nTotSeconds=0\r\n"
            "TotTimes=0\r\n[GALAGA]\r\nTotHours=0\r\nTotMinutes=0\r\nTotSeconds=5\r\n"
            "TotTimes=1\r\n");
}

TEST(PlayStats, AnEmptyListWritesNothing) {
  TempDir dir;
  PlayStats fresh(dir / "STATS.INI");
  fresh.LoadStats();
  ASSERT_TRUE(fresh.SaveStats().Ok());
  EXPECT_FALSE(std::filesystem::exists(dir / "STATS.INI"));

  dir.Write("STATS.INI", "; only a comment\n");
  PlayStats commented(dir / "STATS.INI");
  commented.LoadStats();
  ASSERT_TRUE(commented.SaveStats().Ok());
  EXPECT_EQ(dir.Read("STATS.INI"), "; only a comment\n");
}

TEST(PlayStats, RecordsSharingASectionKeepThePlaysOfTheFirst) {
  TempDir dir;
  // Both long names cut to AAAAAAAA; the look-ups find the first.
  dir.Write("STATS.INI", "[AAAAAAAAX]\nTotTimes=1\n[AAAAAAAAY]\nTotTimes=9\n[B]\nTotTimes=2\n");
  PlayStats stats(dir / "STATS.INI");
  stats.LoadStats();
  stats.RecordPlay("AAAAAAAA", 0, 0, 1);
  stats.RecordPlay("b", 0, 0, 1);  // a record of its own, but the file's section is B's
  ASSERT_TRUE(stats.SaveStats().Ok());
  stats.LoadStats();
  EXPECT_EQ(stats.PlayCount("AAAAAAAA"), 2u) << "the play went back where it is read from";
  EXPECT_EQ(stats.PlayCount("B"), 2u) << "the later record did not overwrite the first";
  EXPECT_EQ(stats.Records().size(), 3u) << "no section added";
}

TEST(PlayStats, ASaveThatCannotBeWrittenSaysWhere) {
  TempDir dir;
  std::filesystem::create_directory(dir / "STATS.INI");  // not a file: never written over
  PlayStats stats(dir / "STATS.INI");
  stats.RecordPlay("PACMAN", 0, 0, 1);
  Status saved = stats.SaveStats();
  ASSERT_FALSE(saved.Ok());
  EXPECT_EQ(saved.Message().rfind("Unable to write to " + (dir / "STATS.INI") + "\r", 0), 0u);
}

TEST(PlayStats, AHundredThousandSectionsLoad) {
  std::string text;
  for (int n = 0; n < 100000; ++n) {
    text += "[G" + std::to_string(n) + "]\nTotHours=" + (n % 3 ? std::to_string(n % 7) : "x") +
            "\nTotTimes=" + std::to_string(n) + "\n";
  }
  TempDir dir;
  dir.Write("STATS.INI", text);
  PlayStats stats(dir / "STATS.INI");
  stats.LoadStats();
  ASSERT_EQ(stats.Records().size(), 100000u);
  EXPECT_EQ(Values(stats.Records()[99999]), Rec("G99999", 0, 0, 0, 99999));  // "x" reads 0
  EXPECT_EQ(Values(stats.Records()[99998]), Rec("G99998", 99998 % 7, 0, 0, 99998));
  EXPECT_EQ(stats.PlayCount("G50000"), 50000u);
}

}  // namespace
}  // namespace kw
