// Reads today's emulator's -listxml output into the game database: each runnable machine
// becomes a game, each BIOS machine a resource. Errors are logged as the listinfo parser logs
// them (ListinfoLogEntry); XML that cannot be read, or of another shape, refuses the whole
// stream (kMalformedXml, kNotAMachineList) and leaves the database without records.
#pragma once

#include <string_view>
#include <vector>

#include "common/result.h"
#include "core/profile/listinfo_parser.h"

namespace kw {

class GameDatabase;
class UserInterface;

// Clears Games and Resources of `db` and fills them from `data`; the emulator texts and the
// dialect of `db` are left alone. With `progress`, progress and pending window messages run at
// most every ~15 ms.
std::vector<ListinfoLogEntry> ParseListxmlText(std::string_view data, GameDatabase& db,
                                               UserInterface* progress = nullptr);
// The same for the capture file at `path`, mapped and given back as the parse goes on. Fails
// (with the system's reason, the database cleared) when the file cannot be read.
Result<std::vector<ListinfoLogEntry>> ParseListxmlFile(std::string_view path, GameDatabase& db,
                                                       UserInterface* progress = nullptr);

}  // namespace kw
