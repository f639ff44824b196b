// The stand-in emulator's command line: the set name first, then options, as the front-end
// writes them. Options are matched without regard to case; unknown ones are ignored, like a
// real emulator's extra options.
#pragma once

#include <string>
#include <vector>

#include "common/result.h"

namespace kw::standin {

struct RunOptions {
  std::string set;           // the set to run, as given
  std::string romdir = ".";  // where the set's files lie (flat)
  std::string record;        // stem of the recording to write, empty for none
  std::string playback;      // stem of the recording to play back, empty for none
  bool log = false;          // write error.log
  bool ignore_cfg = false;   // run with the default directories, MAME.CFG unread
  bool window = true;        // false with -video none
  long seconds_to_run = 0;   // 0: until the player leaves (no window: end at once)
};

// A set name or recording stem that stays a plain file name: not empty, no separators, no "..".
bool IsPlainName(const std::string& name);

// The options of a game run (`args` without the program name). Fails on a missing or unsafe
// set name or stem, or on -record together with -playback.
Result<RunOptions> ParseRunOptions(const std::vector<std::string>& args);

}  // namespace kw::standin
