// Colours the windows share.
#pragma once

#include <QPalette>

class QWidget;

namespace kw {

// Gives `widget` the application's `from` colour as its background (the window colour for an
// enabled edit or list, the button face for a disabled one).
void SetBaseColour(QWidget* widget, QPalette::ColorRole from);

}  // namespace kw
