// The game "running": a small window showing bars coloured by the set's ROM bytes, scrolling,
// until the player presses Esc or closes the window, or the time to run has passed.
#pragma once

#include <string>

namespace kw::standin {

struct Screen {
  std::string title;  // the window's title: the game's description
  std::string bytes;  // the ROM bytes the picture is drawn from
  bool window = true;
  long seconds_to_run = 0;  // 0: until the player leaves; without a window: end at once
};

// Runs the game; returns when it has ended. Without a window (asked for, or none can be opened,
// which is said on standard output) it only waits for the time to run.
void RunScreen(const Screen& screen);

}  // namespace kw::standin
