#include "platform/joystick.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace kw::platform {
namespace {

// Joystick 0 is one of SDL's virtual joysticks, whose axes and buttons the test sets.
class JoystickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
      GTEST_SKIP() << "SDL cannot start its joysticks here: " << SDL_GetError();
    }
    started_ = true;
    if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick would be joystick 0";
  }
  void TearDown() override {
    Unplug();
    if (started_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }
  void PlugIn() {
    index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 32, 1);
    stick_ = SDL_JoystickOpen(index_);
    ASSERT_NE(stick_, nullptr) << SDL_GetError();
  }
  void Unplug() {
    if (stick_ != nullptr) SDL_JoystickClose(stick_);
    if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
    stick_ = nullptr;
    index_ = -1;
  }
  JoystickState ReadAxes(Sint16 x, Sint16 y) {
    SDL_JoystickSetVirtualAxis(stick_, 0, x);
    SDL_JoystickSetVirtualAxis(stick_, 1, y);
    return joystick_.Read();
  }
  std::uint32_t ReadButton(int index, Uint8 state) {
    SDL_JoystickSetVirtualButton(stick_, index, state);
    return joystick_.Read().buttons;
  }

  bool started_ = false;
  int index_ = -1;
  SDL_Joystick* stick_ = nullptr;
  Joystick joystick_;
};

TEST_F(JoystickTest, AxesCountOnlyPastHalfTheirTravel) {
  ASSERT_NO_FATAL_FAILURE(PlugIn());
  EXPECT_EQ(joystick_.Read(), JoystickState{});
  // 16416 scales to 500, inside the dead zone; 16417 to 501, past it.
  EXPECT_EQ(ReadAxes(-16417, 16416), (JoystickState{.left = true}));
  EXPECT_EQ(ReadAxes(16416, -16417), (JoystickState{.up = true}));
  EXPECT_EQ(ReadAxes(SDL_JOYSTICK_AXIS_MAX, SDL_JOYSTICK_AXIS_MAX),
            (JoystickState{.down = true, .right = true}));
  EXPECT_EQ(ReadAxes(SDL_JOYSTICK_AXIS_MIN, 0), (JoystickState{.left = true}));
  // A direction pad reported as a hat steers as the stick does.
  SDL_JoystickSetVirtualHat(stick_, 0, SDL_HAT_RIGHTDOWN);
  EXPECT_EQ(ReadAxes(0, 0), (JoystickState{.down = true, .right = true}));
}

TEST_F(JoystickTest, ButtonsOneToThirtyTwoAndReplugging) {
  ASSERT_NO_FATAL_FAILURE(PlugIn());
  EXPECT_EQ(ReadButton(0, SDL_PRESSED), 1u);
  EXPECT_EQ(ReadButton(31, SDL_PRESSED), 0x80000001u);
  EXPECT_EQ(ReadButton(0, SDL_RELEASED), 0x80000000u);
  ReadAxes(0, SDL_JOYSTICK_AXIS_MIN);

  Unplug();
  EXPECT_EQ(joystick_.Read(), JoystickState{});  // unplugged: all released
  ASSERT_NO_FATAL_FAILURE(PlugIn());
  EXPECT_EQ(ReadButton(4, SDL_PRESSED), 0b10000u);  // plugged in again: opened again
}

}  // namespace
}  // namespace kw::platform
