// The selection of the game list, seen from outside the list.
#pragma once

namespace kw {

// The game list as other features act on it: the joystick, the launch, the option windows.
class GameListNavigation {
 public:
  virtual ~GameListNavigation() = default;
  virtual long SelectedLine() const = 0;
  virtual long LineCount() const = 0;
  // Selects the line and refreshes the quick information (GamesListClick).
  virtual void SelectLine(long line) = 0;
  virtual void PlaySelected() = 0;
  virtual void SelectRandomGame() = 0;
};

}  // namespace kw
