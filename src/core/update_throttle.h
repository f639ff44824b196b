// The pace of window updates during long work: at most one every ~15 ms, so the window stays
// alive without the event loop running once per item. Free of any window, so that the threads
// of long work can use it too.
#pragma once

#include <chrono>

namespace kw {

inline constexpr std::chrono::milliseconds kWindowUpdateInterval(15);

// Says when an update is due: at most once every `interval`, unless forced.
class UpdateThrottle {
 public:
  using Clock = std::chrono::steady_clock;

  // With `due_at_once` the first Due() is true; otherwise the interval runs from now.
  explicit UpdateThrottle(std::chrono::milliseconds interval = kWindowUpdateInterval,
                          bool due_at_once = false)
      : interval_(interval), last_(due_at_once ? Clock::time_point{} : Clock::now()) {}

  // True (and the interval starts over) when `force` or when the interval has passed.
  bool Due(bool force = false) {
    const Clock::time_point now = Clock::now();
    if (!force && now - last_ < interval_) return false;
    last_ = now;
    return true;
  }

  // The next Due() is true.
  void Reset() { last_ = {}; }

  void SetInterval(std::chrono::milliseconds interval) { interval_ = interval; }

 private:
  std::chrono::milliseconds interval_;
  Clock::time_point last_;
};

}  // namespace kw
