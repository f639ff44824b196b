#include "core/launch/stats_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "core/duration_text.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"

namespace kw {

namespace {

constexpr double kPi = std::numbers::pi;

struct RowColours {
  StatsColour background;
  StatsColour text;
};

constexpr StatsColour kWhite{255, 255, 255};
constexpr StatsColour kBlack{0, 0, 0};
constexpr std::array<RowColours, kStatsRows> kRowColours = {{
    {{0, 0, 255}, kWhite},      // blue
    {{255, 0, 255}, kWhite},    // fuchsia
    {{255, 0, 0}, kWhite},      // red
    {{0, 255, 0}, kBlack},      // lime
    {{255, 255, 0}, kBlack},    // yellow
    {{0, 255, 255}, kBlack},    // aqua
    {{254, 254, 254}, kBlack},  // near-white
    {{128, 128, 128}, kWhite},  // grey, also the other games
}};

// Plays and time of one record or of several added up. The time carries seconds into minutes
// and minutes into hours as they are added; the sums are wide enough that no file's records
// can make them wrap.
struct Tally {
  std::uint64_t plays = 0;
  std::uint64_t hours = 0;
  unsigned minutes = 0;
  unsigned seconds = 0;

  void Add(const PlayRecord& r) {
    plays += r.TotTimes;
    seconds += r.TotSeconds;
    minutes += seconds / 60;
    seconds %= 60;
    minutes += r.TotMinutes;
    hours += minutes / 60;
    minutes %= 60;
    hours += r.TotHours;
  }
  double Hours() const { return static_cast<double>(hours) + minutes / 60.0 + seconds / 3600.0; }
  bool Zero(StatsMode mode) const {
    return mode == StatsMode::Plays ? plays == 0 : hours == 0 && minutes == 0 && seconds == 0;
  }
};

std::string Percentage(float percent) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f%%", static_cast<double>(percent));
  return text;
}

double Degrees(PiePoint p, int width, int height) {
  const double cx = height / 2;
  const double cy = width / 2;
  double degrees = std::atan2(-(p.y - cy), p.x - cx) * 180.0 / kPi;
  if (degrees < 0) degrees += 360.0;
  return degrees;
}

// Fills one row; `angle` is where the pie goes on, moved by the row's sweep.
void FillRow(StatisticsRow& row, std::size_t index, const Tally& value, const Tally& total,
             StatsMode mode, std::string label_tail, double& angle) {
  row.present = true;
  row.system_colours = false;
  row.background = kRowColours[index].background;
  row.text = kRowColours[index].text;
  const std::string shown = mode == StatsMode::Plays
                                ? std::to_string(value.plays)
                                : HoursMinutesSeconds(value.hours, value.minutes, value.seconds);
  row.label = shown + label_tail;
  // Our choice for a zero total (every record at zero plays, or at zero time in time mode):
  // every row shows 0.00% and the pie has no slices, rather than a division by zero.
  if (total.Zero(mode)) {
    row.caption = Percentage(0.0f);
    return;
  }
  const double ratio = mode == StatsMode::Plays
                           ? static_cast<double>(value.plays) / static_cast<double>(total.plays)
                           : value.Hours() / total.Hours();
  const auto percent = static_cast<float>(ratio * 100.0);
  row.caption = Percentage(percent);
  row.sweep = static_cast<double>(percent) / 100.0 * 2.0 * kPi;
  row.start = PiePointAt(angle, kStatsGraphWidth, kStatsGraphHeight);
  angle += row.sweep;
  row.end = PiePointAt(angle, kStatsGraphWidth, kStatsGraphHeight);
  row.full_circle = percent == 100.0f;
  row.start_degrees = Degrees(row.start, kStatsGraphWidth, kStatsGraphHeight);
  if (row.full_circle) {
    row.span_degrees = 360.0;
  } else {
    const double end = Degrees(row.end, kStatsGraphWidth, kStatsGraphHeight);
    row.span_degrees = std::fmod(end - row.start_degrees + 360.0, 360.0);
  }
  // A share too small to move the edge by a pixel (0% among others) draws nothing: a pie from
  // a point to the same point would be the whole ellipse.
  row.slice = row.full_circle || row.start != row.end;
}

}  // namespace

PiePoint PiePointAt(double angle, int width, int height) {
  const int rx = height / 2;
  const int ry = width / 2;
  return {static_cast<int>(std::lround(std::sin(angle) * rx + rx)),
          static_cast<int>(std::lround(std::cos(angle) * ry + ry))};
}

void SortPlayRecords(std::vector<PlayRecord>& records, StatsMode mode) {
  if (mode == StatsMode::Plays) {
    std::stable_sort(records.begin(), records.end(), [](const PlayRecord& a, const PlayRecord& b) {
      return a.TotTimes > b.TotTimes;
    });
    return;
  }
  std::stable_sort(records.begin(), records.end(), [](const PlayRecord& a, const PlayRecord& b) {
    if (a.TotHours != b.TotHours) return a.TotHours > b.TotHours;
    if (a.TotMinutes != b.TotMinutes) return a.TotMinutes > b.TotMinutes;
    return a.TotSeconds > b.TotSeconds;
  });
}

StatisticsReport BuildStatisticsReport(std::vector<PlayRecord>& records, StatsMode mode,
                                       const GameDatabase& database,
                                       std::string_view product_name) {
  StatisticsReport report;
  report.title = std::string(product_name) + " - Statistics report by " +
                 (mode == StatsMode::Plays ? "number of plays" : "playing time");
  report.empty = records.empty();
  if (report.empty) return report;

  SortPlayRecords(records, mode);
  Tally total;
  for (const PlayRecord& r : records)
    total.Add(r);
  report.total_plays = std::to_string(total.plays);
  report.total_time = HoursMinutesSeconds(total.hours, total.minutes, total.seconds);

  double angle = kPi / 2;
  // With more records than rows the last row holds all the remaining ones together.
  const bool others = records.size() > kStatsRows;
  const std::size_t single_rows = others ? kStatsRows - 1 : records.size();
  for (std::size_t n = 0; n < single_rows; ++n) {
    const PlayRecord& r = records[n];
    Tally value;
    value.Add(r);
    const GameRecord* game = database.FindSet(r.StatSetName, false);
    std::string tail = " - [" + r.StatSetName + "]";
    tail += game ? " = " + std::string(database.Description(*game))
                 : std::string(" (game not supported by current profile)");
    FillRow(report.rows[n], n, value, total, mode, std::move(tail), angle);
  }
  if (others) {
    Tally rest;
    for (std::size_t n = kStatsRows - 1; n < records.size(); ++n)
      rest.Add(records[n]);
    StatisticsRow& row = report.rows[kStatsRows - 1];
    FillRow(row, kStatsRows - 1, rest, total, mode, " - Other games", angle);
    row.hatched = true;
  }
  return report;
}

}  // namespace kw
