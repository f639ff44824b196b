// The verdict each set of a profile had at its last check, kept in the program directory so
// that the window can show it after the check is over (and after the program is started again).
//
// The file is text, one set per line: "NAME VERDICT SECONDS", the name in lower case, the
// verdict one of "good", "best", "bad", "notfound", the time of the check in seconds since the
// epoch. Lines starting with ';' are remarks. A line that does not read so is skipped and
// counted, never taken for a verdict.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/result.h"
#include "core/audit/machine_audit.h"

namespace kw {

// Each set's name and its verdict, as one check gives them.
using SetVerdicts = std::vector<std::pair<std::string, AuditVerdict>>;

struct SetStatus {
  AuditVerdict verdict = AuditVerdict::kNoneNeeded;
  std::int64_t checked = 0;  // seconds since the epoch
};

// The file of the profile at `profile_path` in `program_dir`: its base name in upper case and
// eight hexadecimal digits of its full path ("TODAY-1A2B3C4D.STS"), so that profiles of the same
// name in different directories keep their own.
std::string SetStatusPath(const std::string& program_dir, const std::string& profile_path);

class SetStatusBook {
 public:
  // Reads the file; a file that does not exist gives an empty book. A file that cannot be read
  // fails with its reason and leaves the book empty.
  Status Load(const std::string& path);
  // Writes every kept verdict, sorted by name, atomically.
  Status Save(const std::string& path) const;

  // Keeps `verdict` for `name` (any case); kNoneNeeded forgets the set.
  void Record(std::string_view name, AuditVerdict verdict, std::int64_t checked);
  // Forgets every set: a check of the whole profile starts so.
  void Clear() { sets_.clear(); }
  // The kept status of `name` (any case), or null for a set never judged.
  const SetStatus* Find(std::string_view name) const;
  std::size_t Size() const { return sets_.size(); }
  // Every kept status with its set's name (lower case), sorted by name.
  std::vector<std::pair<std::string, SetStatus>> Sorted() const;
  // The lines Load skipped.
  std::size_t SkippedLines() const { return skipped_; }

 private:
  std::unordered_map<std::string, SetStatus> sets_;
  std::size_t skipped_ = 0;
};

// The words of the quick information for a kept status: "Good", "Best available", "Bad",
// "Not found", followed by " (checked DATE TIME)"; "Unknown" without one.
std::string SetStatusText(const SetStatus* status);

}  // namespace kw
