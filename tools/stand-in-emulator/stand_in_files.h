// The files the stand-in emulator keeps for each game, in the directories MAME.CFG names in its
// [directory] section: every one of them inside the current directory.
#pragma once

#include <string>
#include <string_view>

#include "common/result.h"

namespace kw::standin {

// One of the per-game directories: its MAME.CFG key and the value read (or its default).
struct GameDirectory {
  const char* key;
  std::string value;
};

struct Directories {
  GameDirectory cfg{"cfg", "CFG"};
  GameDirectory nvram{"nvram", "NVRAM"};
  GameDirectory hi{"hi", "HI"};
  GameDirectory inp{"inp", "INP"};
};

// A regular file (or a link to one): never a FIFO or device, whose reading could block.
bool IsRegularFile(const std::string& path);

// The directories from MAME.CFG in the current directory (name matched without regard to case);
// a missing file, a missing key or `ignore_cfg` gives the defaults.
Directories ReadDirectories(bool ignore_cfg);

// `name` in the directory, the directory made when missing, the file written atomically. Refused
// when the directory leads out of the current directory or the file is not a regular one.
Result<std::string> WriteGameFile(const GameDirectory& dir, const std::string& name,
                                  std::string_view data);
// The game a recording was made for (its first bytes), read from `name` in the directory.
Result<std::string> ReadRecordedGame(const GameDirectory& dir, const std::string& name,
                                     std::string& path);

// The start of a recording: the set name, NUL-padded to eight bytes.
std::string RecordingHeader(const std::string& set);

}  // namespace kw::standin
