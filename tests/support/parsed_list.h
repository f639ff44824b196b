// A list of games read into a database of its own, with the error log of the reading: what the
// tests of the listinfo and the listxml parser look at.
#pragma once

#include <string_view>
#include <vector>

#include "core/profile/listinfo_parser.h"
#include "core/shared/game_database.h"

namespace kw::test {

struct Parsed {
  GameDatabase db;
  std::vector<ListinfoLogEntry> log;
};

// `text` read by `parse_text` (ParseListinfoText or ParseListxmlText).
template <class ParseText>
Parsed ParseWith(ParseText parse_text, std::string_view text) {
  Parsed p;
  p.log = parse_text(text, p.db, nullptr);
  return p;
}

}  // namespace kw::test
