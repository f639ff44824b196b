// Builds a zip archive in memory through libarchive, with fixed time stamps and owners, so that
// the same files always give the same bytes.
#pragma once

#include <string>
#include <vector>

#include "common/result.h"
#include "demo/demo_games.h"

namespace kw::demo {

// The zip of `members` in the given order, each compressed with deflate, dated 2000-07-28
// 12:00:00 (in the archive's own local-time field as in its UTC one).
Result<std::string> ZipArchive(const std::vector<ZipMember>& members);

}  // namespace kw::demo
