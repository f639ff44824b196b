#include "platform/joystick.h"

#include <SDL.h>

#include <algorithm>

namespace kw::platform {

namespace {

constexpr int kButtonCount = 32;

// SDL's -32768..32767 on the -1000..1000 scale the dead zone is given in.
long ScaledAxis(Sint16 value) {
  return std::clamp(static_cast<long>(value) * kAxisRange / SDL_JOYSTICK_AXIS_MAX, -kAxisRange,
                    kAxisRange);
}

}  // namespace

struct Joystick::Device {
  bool tried = false;  // SDL is started once, at the first read
  bool started = false;
  SDL_Joystick* handle = nullptr;
};

Joystick::Joystick() : device_(std::make_unique<Device>()) {}

Joystick::~Joystick() {
  if (device_->handle != nullptr) SDL_JoystickClose(device_->handle);
  if (device_->started) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

JoystickState Joystick::Read() {
  Device& d = *device_;
  if (!d.tried) {
    d.tried = true;
    // SDL would otherwise take SIGINT and SIGTERM for itself and turn them into quit events
    // that nobody reads: the program must still end on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    d.started = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    // Polled, never read as events: without this they would pile up in SDL's queue.
    if (d.started) SDL_JoystickEventState(SDL_IGNORE);
  }
  if (!d.started) return {};

  // Takes the new state of open joysticks and notices devices plugged in or pulled out.
  SDL_JoystickUpdate();
  if (d.handle != nullptr && !SDL_JoystickGetAttached(d.handle)) {
    SDL_JoystickClose(d.handle);
    d.handle = nullptr;
  }
  if (d.handle == nullptr && SDL_NumJoysticks() > 0) {
    d.handle = SDL_JoystickOpen(0);
    // A joystick just opened has not been read yet.
    if (d.handle != nullptr) SDL_JoystickUpdate();
  }
  if (d.handle == nullptr) return {};

  JoystickState state;
  const int axes = SDL_JoystickNumAxes(d.handle);
  if (axes > 0) {
    const long x = ScaledAxis(SDL_JoystickGetAxis(d.handle, 0));
    state.left = x < -kAxisDeadZone;
    state.right = x > kAxisDeadZone;
  }
  if (axes > 1) {
    const long y = ScaledAxis(SDL_JoystickGetAxis(d.handle, 1));
    state.up = y < -kAxisDeadZone;
    state.down = y > kAxisDeadZone;
  }
  // Many pads report their direction pad as a hat, not as axes: it steers the list as well.
  if (SDL_JoystickNumHats(d.handle) > 0) {
    const Uint8 hat = SDL_JoystickGetHat(d.handle, 0);
    state.up = state.up || (hat & SDL_HAT_UP) != 0;
    state.down = state.down || (hat & SDL_HAT_DOWN) != 0;
    state.left = state.left || (hat & SDL_HAT_LEFT) != 0;
    state.right = state.right || (hat & SDL_HAT_RIGHT) != 0;
  }
  const int buttons = std::min(SDL_JoystickNumButtons(d.handle), kButtonCount);
  for (int b = 0; b < buttons; ++b) {
    if (SDL_JoystickGetButton(d.handle, b) != 0) state.buttons |= std::uint32_t{1} << b;
  }
  return state;
}

}  // namespace kw::platform
