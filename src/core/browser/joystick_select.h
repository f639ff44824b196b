// Joystick navigation of the game list: one poll of the joystick turned into moves of the
// selection, a launch or a random choice.
#pragma once

#include "core/shared/game_list_navigation.h"
#include "platform/joystick.h"

namespace kw {

struct FrontEndSettings;

// Lines a page button moves.
inline constexpr long kJoystickPageLines = 20;

// The number of the highest-numbered button down, 1 to 32, or 0 when none is.
int PressedJoystickButton(const JoystickState& state);

// JoyCheckTMRTimer after the poll. With no button down, up then down move the selection one
// line each. With a button down, its number is compared with TopButton, BottomButton,
// PageUpButton, PageDownButton, PlayButton and RandomButton in this order, and every match
// acts, each on the selection the one before left. The selection never leaves the list; an
// empty list does nothing.
void JoyCheck(const JoystickState& state, const FrontEndSettings& settings,
              GameListNavigation& list);

}  // namespace kw
