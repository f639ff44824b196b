// The checks that the fuzz targets of the listinfo and the listxml parser share: a fault stops
// the run at once.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <vector>

#include "core/profile/listinfo_parser.h"
#include "core/shared/game_database.h"

namespace kw::fuzz {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

// The log holds at most `max_log` entries, each within its widths and with a report line; the
// database holds no more records than a profile can; `check_record(db, record)` passes for each.
template <class CheckRecord>
void CheckParsedList(const GameDatabase& db, const std::vector<ListinfoLogEntry>& log,
                     std::size_t max_log, CheckRecord check_record) {
  Check(log.size() <= max_log);
  for (const auto& entry : log) {
    Check(entry.text.size() <= kTextWidth && entry.found.size() <= kTextWidth);
    Check(!ListinfoLogLine(entry).empty());
  }
  Check(db.GameCount() <= kMaxRecords && db.ResourceCount() <= kMaxRecords);
  for (const auto& r : db.Games())
    check_record(db, r);
  for (const auto& r : db.Resources())
    check_record(db, r);
}

}  // namespace kw::fuzz
