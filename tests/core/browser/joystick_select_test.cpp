#include "core/browser/joystick_select.h"

#include <gtest/gtest.h>

#include <string>

#include "core/shared/settings.h"

namespace kw {
namespace {

// A list of `count` lines that logs what the joystick did to it.
struct FakeList : GameListNavigation {
  FakeList(long lines, long line) : count(lines), selected(line) {}
  long SelectedLine() const override { return selected; }
  long LineCount() const override { return count; }
  void SelectLine(long line) override { log += std::to_string(selected = line) + " "; }
  void PlaySelected() override { log += "play" + std::to_string(selected) + " "; }
  void SelectRandomGame() override { log += "random "; }
  long count, selected;
  std::string log;
};

JoystickState Stick(bool up, bool down, std::uint32_t buttons = 0) {
  return {.up = up, .down = down, .buttons = buttons};
}
JoystickState Press(int button) {
  return Stick(false, false, 1u << (button - 1));
}

// What `polls` polls of a held `state` did.
std::string Polls(FakeList& list, const JoystickState& state, int polls,
                  const FrontEndSettings& settings = {}) {
  list.log.clear();
  for (int i = 0; i < polls; ++i)
    JoyCheck(state, settings, list);
  return list.log;
}

TEST(PressedJoystickButton, HighestButtonDownWins) {
  EXPECT_EQ(PressedJoystickButton(Stick(true, true)), 0);
  EXPECT_EQ(PressedJoystickButton(Press(1)), 1);
  EXPECT_EQ(PressedJoystickButton(Stick(false, false, 0x80000001u)), 32);
  EXPECT_EQ(PressedJoystickButton(Stick(false, false, 0b10110)), 5);
}

TEST(JoyCheck, HeldDirectionMovesALinePerPollAndStopsAtTheEnds) {
  FakeList list(3, 0);
  EXPECT_EQ(Polls(list, Stick(false, true), 4), "1 2 ");
  EXPECT_EQ(Polls(list, Stick(true, false), 4), "1 0 ");
  list.selected = 1;
  EXPECT_EQ(Polls(list, Stick(true, true), 1), "0 1 ");       // up, then down
  EXPECT_EQ(Polls(list, Stick(true, true, 1u << 6), 1), "");  // a button down: no direction
}

TEST(JoyCheck, PageTopAndBottomButtons) {
  FakeList list(45, 0);  // page down 2, page up 4, bottom 5, top 6
  EXPECT_EQ(Polls(list, Press(2), 4), "20 40 44 ");
  EXPECT_EQ(Polls(list, Press(4), 4), "24 4 0 ");
  EXPECT_EQ(Polls(list, Press(5), 2), "44 ");
  EXPECT_EQ(Polls(list, Press(6), 2), "0 ");
}

TEST(JoyCheck, EveryMatchActsInOrderOnTheSelectionLeftBefore) {
  FrontEndSettings settings;
  settings.TopButton = settings.PageUpButton = 4;  // to the top, and from there no page up
  FakeList list(100, 50);
  EXPECT_EQ(Polls(list, Press(4), 1, settings), "0 ");
  settings.BottomButton = settings.PageDownButton = settings.PlayButton = settings.RandomButton = 9;
  EXPECT_EQ(Polls(list, Press(9), 1, settings), "99 play99 random ");
}

TEST(JoyCheck, PlayAndRandomAndTheHighestButton) {
  FakeList list(10, 3);  // random 1, play 3
  EXPECT_EQ(Polls(list, Press(3), 2), "play3 play3 ");
  EXPECT_EQ(Polls(list, Press(1), 1), "random ");
  EXPECT_EQ(Polls(list, Stick(false, false, 0b101), 1), "play3 ");
}

TEST(JoyCheck, EmptyListDoesNothingAndNoSelectionStaysInside) {
  FakeList empty(0, -1);
  EXPECT_EQ(Polls(empty, Stick(true, true), 1), "");
  for (int b = 1; b <= 6; ++b)
    EXPECT_EQ(Polls(empty, Press(b), 1), "");
  FakeList none(30, -1);
  EXPECT_EQ(Polls(none, Stick(true, true), 1), "0 ");
}

}  // namespace
}  // namespace kw
