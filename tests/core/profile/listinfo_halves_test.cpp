// A large listinfo is read in two halves at once: whatever the text, the database, the profile
// made of it and the error log are those of one reading from start to end.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/profile/listinfo_records.h"
#include "core/profile/profile_file.h"
#include "core/shared/game_database.h"

namespace kw {
namespace {

struct Reading {
  std::vector<ListinfoLogEntry> log;
  std::string profile;
  std::vector<std::uint16_t> indexes;
};

Reading Read(std::string_view text, std::size_t split_bytes) {
  GameDatabase db;
  Reading r;
  r.log = BuildListinfoRecords(text, db, nullptr, nullptr, split_bytes);
  r.profile = BuildProfileImage(db, "Test");
  for (const auto* list : {&db.Games(), &db.Resources()}) {
    for (const GameRecord& record : *list)
      r.indexes.push_back(record.Index);
  }
  return r;
}

// Read in halves (every text here is over the threshold of 0 bytes) and in one go.
void ExpectSameReadings(std::string_view text) {
  const Reading halves = Read(text, 0);
  const Reading whole = Read(text, SIZE_MAX);
  EXPECT_EQ(halves.log, whole.log);
  EXPECT_EQ(halves.indexes, whole.indexes);
  EXPECT_TRUE(halves.profile == whole.profile) << "the profiles differ";
}

std::string Games(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    text += "game (\n\tname g" + n + "\n\tdescription \"Game " + n +
            "\"\n\tyear 1981\n\tmanufacturer \"Maker\"\n" + (i % 3 ? "\tcloneof g0\n" : "") +
            "\trom ( name g" + n + ".1 size 4096 crc 1234abcd region cpu1 offs 0 )\n" +
            "\trom ( name g" + n + ".2 merge x.2 size 2048 crc 00ff00ff region gfx1 offs 800 )\n" +
            "\tchip ( type cpu name Z80 clock 3072000 )\n" + (i % 5 ? "" : "\tsample s.wav\n") +
            "\tvideo ( screen raster orientation vertical x 224 y 288 colors 32 freq 60.6 )\n" +
            "\tinput ( players 2 control joy8way buttons 1 coins 2 )\n" +
            "\tdriver ( status good color good sound imperfect )\n)\n";
  }
  return text;
}

TEST(ListinfoHalves, AWellFormedCaptureReadsAsInOneGo) {
  ExpectSameReadings(Games(400) +
                     "resource (\n\tname neogeo\n\trom ( name sp1 size 1 crc 1 )\n)\n" + Games(10));
}

// The second half goes wrong in each way a text can: then the first goes on alone, and the log
// is that of one reading.
TEST(ListinfoHalves, ErrorsCutsAndQuotedLinesInTheSecondHalfReadAsInOneGo) {
  ExpectSameReadings(Games(200) + "game ( name bad\n\tfoo bar\n)\n" + Games(5));
  // A text cut inside a record.
  ExpectSameReadings(Games(200) + "game ( name cut\n\trom ( name x");
  // The line that would start the second half is inside a quoted history.
  const std::string history =
      "\thistory \"" + std::string(20000, 'y') + "\ngame (\n" + std::string(40, 'x') + "\"\n";
  ExpectSameReadings(Games(2) + "game ( name h\n" + history + ")\n" + Games(2));
  // Errors in both halves, the log's limit of a hundred entries reached in the second.
  std::string many;
  for (int i = 0; i < 150; ++i)
    many += "game ( name e" + std::to_string(i) + " odd" + std::to_string(i) + " 1 )\n";
  ExpectSameReadings(Games(50) + many + many);
}

TEST(ListinfoHalves, TheRecordLimitCountsBothHalves) {
  std::string text;
  text.reserve(70000 * 20);
  for (int i = 0; i < 65537; ++i)
    text += "game ( name g )\n";
  text += "resource ( name r )\n";
  ExpectSameReadings(text);
  text.resize(40000 * 16);  // under the limit: both halves kept
  ExpectSameReadings(text);
}

// Records put after a database's own are those built there in turn.
TEST(ListinfoHalves, AppendedRecordsAreThoseBuiltInTurn) {
  const std::string first = Games(30), second = Games(20);
  GameDatabase whole, head, tail;
  ASSERT_TRUE(BuildListinfoRecords(first + second, whole, nullptr, nullptr, SIZE_MAX).empty());
  ASSERT_TRUE(BuildListinfoRecords(first, head, nullptr, nullptr, SIZE_MAX).empty());
  ASSERT_TRUE(BuildListinfoRecords(second, tail, nullptr, nullptr, SIZE_MAX).empty());
  ASSERT_TRUE(head.Append(tail, 30, 0));
  ASSERT_EQ(head.GameCount(), whole.GameCount());
  for (std::size_t i = 0; i < whole.GameCount(); ++i) {
    EXPECT_EQ(head.Entry(head.Game(i)), whole.Entry(whole.Game(i)));
    EXPECT_EQ(head.Game(i).Index, whole.Game(i).Index);
  }
  // What would pass the limit is refused whole.
  GameDatabase full;
  std::string many;
  for (int i = 0; i < 65535; ++i)
    many += "game ( name g )\n";
  BuildListinfoRecords(many, full, nullptr, nullptr, SIZE_MAX);
  EXPECT_FALSE(full.Append(tail, 0, 0));
  EXPECT_EQ(full.GameCount(), kMaxRecords);
}

}  // namespace
}  // namespace kw
