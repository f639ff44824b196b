// The record builder of the listinfo parser: the words of a -listinfo text read into the game
// database, as ParseListinfoText describes (listinfo_parser.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "core/profile/listinfo_parser.h"
#include "core/profile/listinfo_reader.h"

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

// How a capture file is read: a piece of `piece_bytes` at a time, in two halves at once from
// `split_bytes`. Other values than these are for tests.
struct ListinfoFileReading {
  std::size_t piece_bytes = ListinfoReader::kPieceBytes;
  std::size_t split_bytes = kListinfoSplitBytes;
};

// The same from the first `size` bytes of the open file `fd`, read a piece at a time rather
// than mapped: fails with the system's reason when a read fails.
Result<std::vector<ListinfoLogEntry>> BuildListinfoRecords(
    int fd, std::uint64_t size, GameDatabase& db, UserInterface* progress,
    const ListinfoFileReading& reading = ListinfoFileReading{});

}  // namespace kw
