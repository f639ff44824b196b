// A large listinfo is read in two halves at once: whatever the text, the database, the profile
// made of it and the error log are those of one reading from start to end.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/profile/listinfo_records.h"
#include "core/profile/profile_file.h"
#include "core/shared/game_database.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

struct Reading {
  std::vector<ListinfoLogEntry> log;
  std::string profile;
  std::vector<std::uint16_t> indexes;
};

Reading Filled(const GameDatabase& db, std::vector<ListinfoLogEntry> log) {
  Reading r;
  r.log = std::move(log);
  r.profile = BuildProfileImage(db, "Test");
  for (const auto* list : {&db.Games(), &db.Resources()}) {
    for (const GameRecord& record : *list)
      r.indexes.push_back(record.Index);
  }
  return r;
}

Reading Read(std::string_view text, std::size_t split_bytes) {
  GameDatabase db;
  std::vector<ListinfoLogEntry> log = BuildListinfoRecords(text, db, nullptr, nullptr, split_bytes);
  return Filled(db, std::move(log));
}

void ExpectSame(const Reading& one, const Reading& other) {
  EXPECT_EQ(one.log, other.log);
  EXPECT_EQ(one.indexes, other.indexes);
  EXPECT_TRUE(one.profile == other.profile) << "the profiles differ";
}

// Read in halves (every text here is over the threshold of 0 bytes) and in one go.
void ExpectSameReadings(std::string_view text) {
  ExpectSame(Read(text, 0), Read(text, SIZE_MAX));
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

// A capture file is read a piece at a time: with pieces of any size, words, quoted texts and
// escapes across two pieces or longer than a piece read as the text does in memory.
TEST(ListinfoFile, ReadAPieceAtATimeAsInMemory) {
  test::TempDir dir;
  const std::string history = "\thistory \"" + std::string(5000, 'h') + "\\\"q\\n\"\n";
  const std::vector<std::string> texts = {
      Games(40) + "game ( name h\n" + history + ")\n" + Games(3) + "resource ( name r )\n",
      Games(5) + "game ( name bad\n\tfoo bar\n)\n" + Games(2) + "  \n\t ",
      Games(3) + "game ( name cut\n\tdescription \"open \\",
      Games(3) + "game ( name long" + std::string(3000, 'n') + " )",
      "",
  };
  for (std::size_t t = 0; t < texts.size(); ++t) {
    const std::string& text = texts[t];
    const int fd = open(dir.Write("capture" + std::to_string(t), text).c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    const Reading whole = Read(text, SIZE_MAX);
    for (const std::size_t piece : {1, 2, 7, 8, 9, 100, 4096, 1 << 20}) {
      for (const std::size_t split : {std::size_t{0}, SIZE_MAX}) {
        SCOPED_TRACE("text " + std::to_string(t) + ", pieces of " + std::to_string(piece) +
                     (split == 0 ? ", in halves" : ""));
        GameDatabase db;
        Result<std::vector<ListinfoLogEntry>> log =
            BuildListinfoRecords(fd, text.size(), db, nullptr, {piece, split});
        ASSERT_TRUE(log);
        ExpectSame(Filled(db, *log), whole);
      }
    }
    close(fd);
  }
}

// A capture file over the size that is read in halves, through the program's own entry: the
// pieces and the halves as the program uses them give what the text gives in memory.
TEST(ListinfoFile, ALargeCaptureFileReadsAsItsText) {
  test::TempDir dir;
  std::string text = Games(5000);
  text += "game ( name quoted\n\tdescription \"a \\\"b\\\" c\"\n)\n" + Games(5000);
  ASSERT_GT(text.size(), kListinfoSplitBytes);
  GameDatabase from_file;
  Result<std::vector<ListinfoLogEntry>> log =
      ParseListinfoFile(dir.Write("listinfo.txt", text), from_file);
  ASSERT_TRUE(log);
  ExpectSame(Filled(from_file, *log), Read(text, SIZE_MAX));
  EXPECT_EQ(from_file.GameCount(), 10001u);
}

// A file that ends before the size it had ends the text there; a read that fails fails the
// parse with the system's reason.
TEST(ListinfoFile, AShorterFileEndsTheTextAndAFailedReadFails) {
  test::TempDir dir;
  const std::string text = Games(20);
  const int fd = open(dir.Write("capture", text).c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  GameDatabase db;
  Result<std::vector<ListinfoLogEntry>> log =
      BuildListinfoRecords(fd, text.size() + 5000, db, nullptr, {64, 0});
  ASSERT_TRUE(log);
  ExpectSame(Filled(db, *log), Read(text, SIZE_MAX));
  close(fd);

  const int directory = open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(directory, 0);
  log = BuildListinfoRecords(directory, 100, db, nullptr);
  EXPECT_EQ(log.Message(), "Is a directory");
  EXPECT_EQ(db.GameCount(), 0u);
  close(directory);
}

}  // namespace
}  // namespace kw
