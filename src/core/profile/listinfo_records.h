// The record builder of the listinfo parser: the words of a -listinfo text read into the game
// database, as ParseListinfoText describes (listinfo_parser.h).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/profile/listinfo_parser.h"

namespace kw {

class GameDatabase;
class UserInterface;
namespace platform {
class MappedFile;
}

// A text of this many bytes or more is read in two halves at once, on two cores (when the
// machine has them).
inline constexpr std::size_t kListinfoSplitBytes = 4 << 20;

// With `file`, the mapping that `data` lies in: the bytes already parsed are given back to it
// as the parse goes on. `split_bytes` is kListinfoSplitBytes but for tests.
std::vector<ListinfoLogEntry> BuildListinfoRecords(std::string_view data, GameDatabase& db,
                                                   UserInterface* progress,
                                                   platform::MappedFile* file = nullptr,
                                                   std::size_t split_bytes = kListinfoSplitBytes);

}  // namespace kw
