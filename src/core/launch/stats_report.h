// What the statistics window shows: the most played games by number of plays or by playing
// time in eight coloured rows (the eighth holding the eighth game, or all the remaining games
// together), their slices of the pie chart, and the totals. The window paints this and nothing
// else.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

class GameDatabase;
struct PlayRecord;

enum class StatsMode { Plays = 1, Time = 2 };

inline constexpr std::size_t kStatsRows = 8;
// The pie chart's picture, in pixels.
inline constexpr int kStatsGraphWidth = 185;
inline constexpr int kStatsGraphHeight = 185;

struct StatsColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const StatsColour&) const = default;
};

struct PiePoint {
  int x = 0;
  int y = 0;
  bool operator==(const PiePoint&) const = default;
};

struct StatisticsRow {
  bool present = false;  // a record (or the other games) fills the row
  std::string caption = "0%";
  std::string label = "Not available";
  // Without a record the panel keeps the system's button-face and window-text colours.
  bool system_colours = true;
  StatsColour background;
  StatsColour text;
  bool hatched = false;  // the other-games entry: a diagonal cross of its colour
  // The slice: a pie segment of the ellipse that fills the picture, from `start`
  // counter-clockwise to `end`. Not drawn when `slice` is false.
  bool slice = false;
  bool full_circle = false;  // exactly 100%: the whole ellipse
  PiePoint start;
  PiePoint end;
  double sweep = 0;  // radians
  // The same segment as angles in degrees, counter-clockwise from the right-hand middle (screen
  // y downwards): where `start` lies, and how far the segment runs to `end` (360 for the whole
  // ellipse).
  double start_degrees = 0;
  double span_degrees = 0;
};

struct StatisticsReport {
  std::string title;
  bool empty = true;  // no record at all: the picture is a full hatched grey circle
  std::array<StatisticsRow, kStatsRows> rows;
  std::string total_plays = "0";
  std::string total_time = "00:00:00";
};

// Sorts the records in place, largest first: by plays, or by hours, then minutes, then seconds.
// Records with equal keys keep their order.
void SortPlayRecords(std::vector<PlayRecord>& records, StatsMode mode);

// Sorts the records (the order stays, and is the order saved next) and computes the report.
// Descriptions come from the profile's games by exact name.
StatisticsReport BuildStatisticsReport(std::vector<PlayRecord>& records, StatsMode mode,
                                       const GameDatabase& database, std::string_view product_name);

// The point of the pie's edge at `angle` in a picture of that size: (round(sin a * r + r),
// round(cos a * r + r)), r being half the height for x and half the width for y (integer
// halves). Angle pi/2 is the right-hand middle; larger angles go counter-clockwise.
PiePoint PiePointAt(double angle, int width, int height);

}  // namespace kw
