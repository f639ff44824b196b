#include "core/browser/joystick_select.h"

#include <algorithm>
#include <bit>

#include "core/shared/settings.h"

namespace kw {

int PressedJoystickButton(const JoystickState& state) {
  return static_cast<int>(std::bit_width(state.buttons));
}

namespace {

// Moves the selection by `lines` (negative: up), at most to the end it goes to; does nothing
// when the selection is already at that end.
void MoveSelection(GameListNavigation& list, long lines) {
  const long last = list.LineCount() - 1;
  const long selected = list.SelectedLine();
  if (lines < 0 ? selected <= 0 : selected >= last) return;
  list.SelectLine(std::clamp(selected + lines, 0L, last));
}

}  // namespace

void JoyCheck(const JoystickState& state, const FrontEndSettings& settings,
              GameListNavigation& list) {
  if (list.LineCount() <= 0) return;
  const int button = PressedJoystickButton(state);
  if (button == 0) {
    if (state.up) MoveSelection(list, -1);
    if (state.down) MoveSelection(list, 1);
    return;
  }
  // A move by the whole count reaches either end.
  const long whole_list = list.LineCount();
  if (button == settings.TopButton) MoveSelection(list, -whole_list);
  if (button == settings.BottomButton) MoveSelection(list, whole_list);
  if (button == settings.PageUpButton) MoveSelection(list, -kJoystickPageLines);
  if (button == settings.PageDownButton) MoveSelection(list, kJoystickPageLines);
  if (button == settings.PlayButton) list.PlaySelected();
  if (button == settings.RandomButton) list.SelectRandomGame();
}

}  // namespace kw
