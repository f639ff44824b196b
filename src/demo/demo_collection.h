// The demo collection that a new user can open at once: a stand-in emulator with a few dozen
// games of our own invention, their ROM and sample sets (a few broken on purpose), pictures,
// the emulator's options file and its text databases.
#pragma once

#include <string>

#include "common/result.h"

namespace kw::demo {

// Writes the collection under `dir` (made with its parents when missing; refused when it exists
// and is not a directory). The emulator directory is `dir`/emulator, holding `mame` (a copy of
// `stand_in_program`, executable), STANDIN.LST (what `mame -listinfo` prints), MAME.CFG,
// HISCORE.DAT, HISTORY.DAT, MAMEINFO.DAT, CHEAT.DAT and the directories ROMS, SAMPLES, SNAP,
// CABINET, FLYERS and HARDWARE. Every run writes the same bytes; files of an earlier run are
// replaced, other files are left alone.
Status WriteDemoCollection(const std::string& dir, const std::string& stand_in_program);

// The emulator directory of the collection under `dir`, with a trailing separator.
std::string DemoEmulatorDir(const std::string& dir);

}  // namespace kw::demo
