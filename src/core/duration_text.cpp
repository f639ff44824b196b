#include "core/duration_text.h"

#include <cstdio>

namespace kw {

std::string HoursMinutesSeconds(unsigned long hours, unsigned minutes, unsigned seconds) {
  char text[48];
  std::snprintf(text, sizeof text, "%02lu:%02u:%02u", hours, minutes, seconds);
  return text;
}

std::string DayClockText(std::int64_t seconds) {
  if (seconds < 0) seconds = 0;
  seconds %= 24 * 60 * 60;
  return HoursMinutesSeconds(static_cast<unsigned long>(seconds / 3600),
                             static_cast<unsigned>(seconds / 60 % 60),
                             static_cast<unsigned>(seconds % 60));
}

}  // namespace kw
