// The record builder of the listinfo parser: the words of a -listinfo text read into the game
// database, as ParseListinfoText describes (listinfo_parser.h).
#pragma once

#include <string_view>
#include <vector>

#include "core/profile/listinfo_parser.h"

namespace kw {

class GameDatabase;
class UserInterface;
namespace platform {
class MappedFile;
}

// With `file`, the mapping that `data` lies in: the bytes already parsed are given back to it
// as the parse goes on.
std::vector<ListinfoLogEntry> BuildListinfoRecords(std::string_view data, GameDatabase& db,
                                                   UserInterface* progress,
                                                   platform::MappedFile* file = nullptr);

}  // namespace kw
