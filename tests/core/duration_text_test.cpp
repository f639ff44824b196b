#include "core/duration_text.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(DurationText, FieldsKeepTwoDigitsAtLeastAndGrowWhenTheyMust) {
  EXPECT_EQ(HoursMinutesSeconds(0, 1, 15), "00:01:15");
  EXPECT_EQ(HoursMinutesSeconds(123, 4, 5), "123:04:05");
  EXPECT_EQ(HoursMinutesSeconds(1, 75, 100), "01:75:100") << "a record's fields as stored";
}

TEST(DurationText, TheDayClockDropsWholeDaysAndShowsNothingNegative) {
  EXPECT_EQ(DayClockText(3723), "01:02:03");
  EXPECT_EQ(DayClockText(86399), "23:59:59");
  EXPECT_EQ(DayClockText(86400 + 61), "00:01:01");
  EXPECT_EQ(DayClockText(-5), "00:00:00");
}

}  // namespace
}  // namespace kw
