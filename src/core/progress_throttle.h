// Long loops report progress through this: it forwards at most one update every ~15 ms, so
// the window stays alive without the event loop running once per item.
#pragma once

#include <chrono>

#include "core/user_interface.h"

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

class ProgressThrottle {
 public:
  explicit ProgressThrottle(UserInterface& ui,
                            std::chrono::milliseconds interval = kWindowUpdateInterval)
      : ui_(ui), throttle_(interval) {}

  // Call once per item with the current percentage; cheap when nothing is due.
  void Tick(int percent) {
    if (percent == last_percent_) return;
    if (throttle_.Due()) Flush(percent);
  }

  // Forces an update (start and end of the work).
  void Force(int percent) {
    throttle_.Due(true);
    Flush(percent);
  }

 private:
  void Flush(int percent) {
    last_percent_ = percent;
    ui_.SetProgress(percent);
    ui_.ProcessMessages();
  }

  UserInterface& ui_;
  UpdateThrottle throttle_;
  int last_percent_ = -2;
};

}  // namespace kw
