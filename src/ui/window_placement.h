// Where the program's windows appear.
#pragma once

class QWidget;

namespace kw {

// Moves the window, frame included, to the centre of the available area of its screen (the
// primary screen while it has none).
void CentreOnScreen(QWidget* window);

}  // namespace kw
