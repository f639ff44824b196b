#include "core/local_time.h"

#include <ctime>

namespace kw {

LocalDateTime LocalDateTimeOf(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  localtime_r(&t, &local);
  char date[64] = "", time[64] = "";
  std::strftime(date, sizeof date, "%x", &local);
  std::strftime(time, sizeof time, "%X", &local);
  return {date, time};
}

}  // namespace kw
