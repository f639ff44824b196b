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
  // The position in Games of the game on a line (-1 for none). A list that shows every game
  // shows it at its own position; a filtered list maps its lines.
  virtual long GameAt(long line) const { return line; }
  // The position in Games of the selected game, -1 when none is selected.
  long SelectedGame() const {
    const long line = SelectedLine();
    return line < 0 ? -1 : GameAt(line);
  }
};

}  // namespace kw
