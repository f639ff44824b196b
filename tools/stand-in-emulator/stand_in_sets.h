// The stand-in emulator's games: read from STANDIN.LST beside its executable with the program's
// own listinfo parser, and the check of a set's ROM files in the directory the front-end filled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/shared/game_database.h"

namespace kw::standin {

// The path of STANDIN.LST in the directory of the running executable (through /proc/self/exe:
// argv[0] may name anything).
std::string DataFilePath();

// The game (not a resource) of that name, matched without regard to case; null when unknown.
const GameRecord* FindGame(const GameDatabase& db, std::string_view name);

// The ROMs that the game needs: its own, then those of the resources its ROMs come from
// (`romof` chain), whose files the front-end puts into the same directory.
std::vector<RomEntry> RequiredRoms(const GameDatabase& db, const GameRecord& game);

struct SetCheck {
  std::vector<std::string> lines;  // one per problem, in the emulator's wording
  bool runnable = true;            // false when a required file is missing or wrong
  std::size_t files = 0;           // files found and read
  std::string bytes;               // the first bytes of the files, for the picture
};

// Looks for every ROM in `dir` (flat; names matched without regard to case, a merged ROM also
// under the name of its parent's file) and checks its size and CRC.
SetCheck CheckRoms(const std::vector<RomEntry>& roms, const std::string& dir);

}  // namespace kw::standin
