// Long loops report progress through this: it forwards at most one update every ~15 ms, so
// the window stays alive without the event loop running once per item.
#pragma once

#include <chrono>

#include "core/user_interface.h"

namespace kw {

class ProgressThrottle {
 public:
  explicit ProgressThrottle(UserInterface& ui,
                            std::chrono::milliseconds interval = std::chrono::milliseconds(15))
      : ui_(ui), interval_(interval), last_(std::chrono::steady_clock::now()) {}

  // Call once per item with the current percentage; cheap when nothing is due.
  void Tick(int percent) {
    if (percent == last_percent_) return;
    auto now = std::chrono::steady_clock::now();
    if (now - last_ < interval_) return;
    Flush(percent, now);
  }

  // Forces an update (start and end of the work).
  void Force(int percent) { Flush(percent, std::chrono::steady_clock::now()); }

 private:
  void Flush(int percent, std::chrono::steady_clock::time_point now) {
    last_ = now;
    last_percent_ = percent;
    ui_.SetProgress(percent);
    ui_.ProcessMessages();
  }

  UserInterface& ui_;
  std::chrono::milliseconds interval_;
  std::chrono::steady_clock::time_point last_;
  int last_percent_ = -2;
};

}  // namespace kw
