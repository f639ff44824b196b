// A 7z archive's directory read from its headers alone: each entry's name, unpacked size and
// stored CRC-32, without decompressing any file data, for judging a set from what its archive
// says of itself. A compressed header (LZMA or LZMA2) is decoded; any other header coder, an
// encrypted header among them, fails with "unsupported header coder" and the caller reads the
// archive the slow way.
#pragma once

#include <string_view>
#include <vector>

#include "common/result.h"
// StoredEntry: one definition for the ZIP and the 7z directory readers.
#include "platform/zip_directory.h"

namespace kw::platform::archive {

// The entries of a 7z archive from its headers alone, in the order the archive lists them
// (anti-items, which only mark deletions, left out). A file without data has size 0 and no
// known CRC; an entry whose data is encrypted is flagged `encrypted`, its size and CRC are still
// what the header says. Fails with "<path>: <reason>" on a damaged or unsupported header;
// never reads more of the file than the headers.
Result<std::vector<StoredEntry>> Read7zDirectory(std::string_view path);
// The same from the archive's bytes (what a fuzzer feeds); `name` is used in messages.
Result<std::vector<StoredEntry>> Parse7zDirectory(std::string_view bytes, std::string_view name);

}  // namespace kw::platform::archive
