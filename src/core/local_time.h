// Times shown to the user in the machine's local date and time forms.
#pragma once

#include <cstdint>
#include <string>

namespace kw {

struct LocalDateTime {
  std::string date;  // the locale's date ("%x")
  std::string time;  // the locale's time ("%X")
};

// `seconds` since the epoch in local time.
LocalDateTime LocalDateTimeOf(std::int64_t seconds);

}  // namespace kw
