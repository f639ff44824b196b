// Waits for what another process or thread does: polls until a condition holds, within a
// generous limit, so a slow machine makes a test slower, never wrong, and a hung one fails it.
#pragma once

#include <chrono>
#include <thread>

namespace kw::test {

inline constexpr std::chrono::milliseconds kPollInterval(5);

// True once `done()` holds; false when `limit` passes first.
template <typename Condition>
bool WaitUntil(Condition done, std::chrono::milliseconds limit = std::chrono::minutes(1)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

}  // namespace kw::test
