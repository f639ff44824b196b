// What a feature hears when a profile opens, fails to open or closes.
#pragma once

namespace kw {

class ProfileListener {
 public:
  virtual ~ProfileListener() = default;
  // A profile has been loaded and its emulator directory entered.
  virtual void ProfileOpened() {}
  // After every opening, failed opening or creation: whether a profile is loaded now.
  virtual void ProfileStateChanged(bool /*profile_loaded*/) {}
};

}  // namespace kw
