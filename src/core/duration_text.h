// Durations shown as hours, minutes and seconds.
#pragma once

#include <cstdint>
#include <string>

namespace kw {

// Hours, minutes and seconds joined by colons, each at least two digits ("00:01:15"); a field
// too large for two digits keeps all of them.
std::string HoursMinutesSeconds(unsigned long hours, unsigned minutes, unsigned seconds);

// `seconds` as "hh:mm:ss" within one day: a negative count shows as zero, whole days are dropped.
std::string DayClockText(std::int64_t seconds);

}  // namespace kw
