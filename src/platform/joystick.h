// Joystick 0, polled: the game list moves its selection with it and the Preferences window
// assigns its buttons with it. Nothing here shows the joystick library to its users.
#pragma once

#include <cstdint>
#include <memory>

namespace kw {

// One poll of the joystick. A direction is an axis pushed past half of its travel.
struct JoystickState {
  bool up = false;
  bool down = false;
  bool left = false;
  bool right = false;
  std::uint32_t buttons = 0;  // bit n-1: button n is down
  bool operator==(const JoystickState&) const = default;
};

namespace platform {

// Axis values run from -1000 to 1000 (the joystick's own range scaled); one past this, either
// way, is a pushed direction: a dead zone of half the range.
inline constexpr long kAxisRange = 1000;
inline constexpr long kAxisDeadZone = 500;

class Joystick {
 public:
  Joystick();
  ~Joystick();
  Joystick(const Joystick&) = delete;
  Joystick& operator=(const Joystick&) = delete;

  // The state of the first joystick now. The joystick library is started at the first call;
  // a joystick unplugged and plugged in again is opened again. Without a joystick (or without
  // the library) everything reads released.
  JoystickState Read();

 private:
  struct Device;
  std::unique_ptr<Device> device_;
};

}  // namespace platform
}  // namespace kw
