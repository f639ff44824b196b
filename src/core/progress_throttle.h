// Long loops report their percentage through ProgressThrottle: it forwards at most one update
// every ~15 ms (see update_throttle.h) and lets the window's messages run then.
#pragma once

#include <chrono>

#include "core/update_throttle.h"
#include "core/user_interface.h"

namespace kw {

// The percentage `position` is of `total`; nothing done yet when there is nothing to do.
inline int PercentOf(double position, double total) {
  return total > 0 ? static_cast<int>(position / total * 100.0) : 0;
}

// Forwards a long loop's percentage to the window through an UpdateThrottle.
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
