#include "core/launch/stats_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"

namespace kw {
namespace {

PlayRecord Rec(std::string name, unsigned times, unsigned h = 0, unsigned m = 0, unsigned s = 0) {
  PlayRecord r;
  r.StatSetName = std::move(name);
  r.TotTimes = times;
  r.TotHours = static_cast<std::uint16_t>(h);
  r.TotMinutes = static_cast<std::uint8_t>(m);
  r.TotSeconds = static_cast<std::uint8_t>(s);
  return r;
}

// A profile that knows the games G1 ... G9, A and B ("Game G1" ...).
const GameDatabase& Profile() {
  static const GameDatabase db = [] {
    GameDatabase d;
    for (const char* name : {"G1", "G2", "G3", "G4", "G5", "G6", "G7", "G8", "G9", "A", "B"}) {
      GameEntry e;
      e.Name = name;
      e.Description = std::string("Game ") + name;
      d.AddGame(e);
    }
    return d;
  }();
  return db;
}

StatisticsReport Report(std::vector<PlayRecord>& records, StatsMode mode = StatsMode::Plays) {
  return BuildStatisticsReport(records, mode, Profile(), "Kestrelwing");
}

std::vector<PlayRecord> Numbered(int count) {
  std::vector<PlayRecord> records;
  for (int n = 1; n <= count; ++n)
    records.push_back(Rec("G" + std::to_string(n), static_cast<unsigned>(10 - n)));
  return records;
}

void ExpectNoRecord(const StatisticsRow& row) {
  EXPECT_FALSE(row.present);
  EXPECT_EQ(row.caption, "0%");
  EXPECT_EQ(row.label, "Not available");
  EXPECT_TRUE(row.system_colours);
  EXPECT_FALSE(row.slice);
}

TEST(StatsReport, TheEighthRowIsTheEighthGameOrAllTheRest) {
  std::vector<PlayRecord> eight = Numbered(8);  // plays 9 ... 2, total 44
  StatisticsReport r = Report(eight);
  EXPECT_EQ(r.title, "Kestrelwing - Statistics report by number of plays");
  EXPECT_EQ(r.rows[0].label, "9 - [G1] = Game G1");
  EXPECT_EQ(r.rows[7].label, "2 - [G8] = Game G8");
  EXPECT_EQ(r.rows[7].caption, "4.55%");
  EXPECT_FALSE(r.rows[7].hatched);
  EXPECT_EQ(r.total_plays, "44");

  std::vector<PlayRecord> nine = Numbered(9);  // one more, of 1 play: total 45
  r = Report(nine);
  EXPECT_EQ(r.rows[7].label, "3 - Other games");
  EXPECT_EQ(r.rows[7].caption, "6.67%");
  EXPECT_TRUE(r.rows[7].hatched);
  EXPECT_EQ(r.rows[7].background, (StatsColour{128, 128, 128}));
  EXPECT_EQ(r.rows[7].text, (StatsColour{255, 255, 255}));
  EXPECT_EQ(r.total_plays, "45");
  // The colours of the rows, light ones with black text.
  EXPECT_EQ(r.rows[0].background, (StatsColour{0, 0, 255}));
  EXPECT_EQ(r.rows[0].text, (StatsColour{255, 255, 255}));
  EXPECT_EQ(r.rows[3].background, (StatsColour{0, 255, 0}));
  EXPECT_EQ(r.rows[3].text, (StatsColour{0, 0, 0}));
}

TEST(StatsReport, ThreeRecordsAreSortedInPlaceAndLeaveTheOtherRowsEmpty) {
  std::vector<PlayRecord> records = {Rec("G1", 1), Rec("ZZZ", 3), Rec("G3", 2)};
  StatisticsReport r = Report(records);
  EXPECT_EQ(records[0].StatSetName, "ZZZ");  // the order stays, and is saved next
  EXPECT_EQ(records[2].StatSetName, "G1");
  EXPECT_EQ(r.rows[0].label, "3 - [ZZZ] (game not supported by current profile)");
  EXPECT_EQ(r.rows[0].caption, "50.00%");
  EXPECT_EQ(r.rows[1].caption, "33.33%");
  EXPECT_EQ(r.rows[2].caption, "16.67%");
  for (std::size_t n = 3; n < kStatsRows; ++n)
    ExpectNoRecord(r.rows[n]);
  EXPECT_FALSE(r.empty);
}

TEST(StatsReport, ASingleRecordIsTheWholeCircle) {
  std::vector<PlayRecord> one = {Rec("A", 7, 0, 0, 3)};
  for (StatsMode mode : {StatsMode::Plays, StatsMode::Time}) {
    StatisticsReport r = Report(one, mode);
    EXPECT_EQ(r.rows[0].caption, "100.00%");
    EXPECT_TRUE(r.rows[0].full_circle);
    EXPECT_TRUE(r.rows[0].slice);
    EXPECT_EQ(r.rows[0].span_degrees, 360.0);
  }
}

TEST(StatsReport, NoRecordsAndZeroTotals) {
  std::vector<PlayRecord> none;
  StatisticsReport r = Report(none, StatsMode::Time);
  EXPECT_EQ(r.title, "Kestrelwing - Statistics report by playing time");
  EXPECT_TRUE(r.empty);
  EXPECT_EQ(r.total_plays, "0");
  EXPECT_EQ(r.total_time, "00:00:00");
  for (const StatisticsRow& row : r.rows)
    ExpectNoRecord(row);

  // Plays but no time (runs under a second), and records of no plays at all.
  std::vector<PlayRecord> zero = {Rec("A", 2), Rec("B", 1)};
  r = Report(zero, StatsMode::Time);
  EXPECT_EQ(r.rows[0].caption, "0.00%");
  EXPECT_EQ(r.rows[0].label, "00:00:00 - [A] = Game A");
  EXPECT_EQ(r.rows[1].caption, "0.00%");
  EXPECT_FALSE(r.rows[0].slice || r.rows[1].slice || r.rows[0].full_circle);
  EXPECT_TRUE(r.rows[1].present);
  EXPECT_EQ(Report(zero, StatsMode::Plays).rows[0].caption, "66.67%");

  std::vector<PlayRecord> unplayed(12, Rec("A", 0, 1));
  r = Report(unplayed, StatsMode::Plays);
  EXPECT_EQ(r.rows[7].caption, "0.00%");
  EXPECT_EQ(r.rows[7].label, "0 - Other games");
  EXPECT_FALSE(r.rows[7].slice);
}

TEST(StatsReport, PlayingTimeSortsByHoursMinutesSecondsAndCarriesTheTotal) {
  std::vector<PlayRecord> records = {Rec("B", 9, 0, 20, 20), Rec("G1", 1, 0, 40, 40),
                                     Rec("G2", 1, 0, 40, 39)};
  StatisticsReport r = Report(records, StatsMode::Time);
  EXPECT_EQ(r.rows[0].label, "00:40:40 - [G1] = Game G1");
  EXPECT_EQ(r.rows[1].label, "00:40:39 - [G2] = Game G2");
  EXPECT_EQ(r.rows[2].label, "00:20:20 - [B] = Game B");
  // 40:40 + 40:39 + 20:20 = 1:41:39, both carries taken.
  EXPECT_EQ(r.total_time, "01:41:39");
  EXPECT_EQ(r.rows[0].caption, "40.01%");  // 2440 s of 6099 s
  EXPECT_EQ(r.rows[2].caption, "20.00%");
  EXPECT_EQ(r.total_plays, "11");

  // An hour outweighs any minutes; the other games add up with the same carries.
  std::vector<PlayRecord> many = {Rec("G1", 1, 0, 59, 59), Rec("G2", 1, 1, 0, 0)};
  for (int n = 3; n <= 9; ++n)
    many.push_back(Rec("G" + std::to_string(n), 1, 0, 30, 30));
  r = Report(many, StatsMode::Time);
  EXPECT_EQ(r.rows[0].label, "01:00:00 - [G2] = Game G2");
  EXPECT_EQ(r.rows[7].label, "01:01:00 - Other games");  // G8 and G9
  EXPECT_EQ(r.total_time, "05:33:29");
}

TEST(StatsReport, SlicesFollowOneAnotherCounterClockwiseFromTheRight) {
  EXPECT_EQ(PiePointAt(0, 185, 185), (PiePoint{92, 184}));
  std::vector<PlayRecord> records = {Rec("A", 1), Rec("B", 3)};
  StatisticsReport r = Report(records);
  const StatisticsRow& first = r.rows[0];  // B, 75%
  EXPECT_EQ(first.start, (PiePoint{184, 92}));
  EXPECT_EQ(first.end, (PiePoint{92, 184}));
  EXPECT_NEAR(first.sweep, 1.5 * 3.14159265358979, 1e-6);
  EXPECT_NEAR(first.start_degrees, 0.0, 1e-9);
  EXPECT_NEAR(first.span_degrees, 270.0, 1e-9);
  EXPECT_FALSE(first.full_circle);
  const StatisticsRow& second = r.rows[1];  // A, 25%
  EXPECT_EQ(second.start, (PiePoint{92, 184}));
  EXPECT_EQ(second.end, (PiePoint{184, 92}));
  EXPECT_NEAR(second.start_degrees, 270.0, 1e-9);
  EXPECT_NEAR(second.span_degrees, 90.0, 1e-9);
  EXPECT_TRUE(first.slice && second.slice);
}

}  // namespace
}  // namespace kw
