#include "core/shared/play_stats.h"

#include <unordered_set>

#include "common/ascii.h"
#include "platform/fs.h"

namespace kw {

namespace {

constexpr const char* kKeys[] = {"TotHours", "TotMinutes", "TotSeconds", "TotTimes"};

// A count or a time below zero is damage, not a value: it reads as 0 like any other
// non-number, rather than wrapping round to a huge count that would head every list.
long long ReadCount(const platform::IniFile& file, const std::string& section, const char* key) {
  const long long value = file.ReadInteger(section, key, 0);
  return value < 0 ? 0 : value;
}

}  // namespace

std::string StatName(std::string_view set_name, std::size_t width) {
  std::string name(set_name.substr(0, width));
  for (char& c : name)
    c = AsciiUpper(c);
  return name;
}

void PlayStats::LoadStats() {
  FreeStats();
  file_.Load();
  const std::vector<std::string> sections = file_.Sections();
  records_.reserve(sections.size());
  for (const std::string& section : sections) {
    PlayRecord r;
    r.StatSetName = StatName(section, name_width_);
    // Stored in the fields' widths, as the file's integers always were.
    r.TotHours = static_cast<std::uint16_t>(ReadCount(file_, section, kKeys[0]));
    r.TotMinutes = static_cast<std::uint8_t>(ReadCount(file_, section, kKeys[1]));
    r.TotSeconds = static_cast<std::uint8_t>(ReadCount(file_, section, kKeys[2]));
    r.TotTimes = static_cast<std::uint32_t>(ReadCount(file_, section, kKeys[3]));
    r.Section = section;
    records_.push_back(std::move(r));
  }
}

Status PlayStats::SaveStats() {
  if (records_.empty()) return Success();
  const std::string unable = "Unable to write to " + file_.Path();
  // Over the file as it is now: its other lines stay. One that is there but unreadable (at
  // start-up too, which then gave an empty list) would lose every record if it were replaced.
  const bool exists = platform::fs::FileExists(file_.Path());
  if (!file_.Load() && exists) return Failure(unable);
  // Sections match without regard to case; a later record of the same section would overwrite
  // the first, which is the one that every look-up finds and every play adds to.
  std::unordered_set<std::string> written;
  written.reserve(records_.size());
  for (const PlayRecord& r : records_) {
    const std::string& section = r.Section.empty() ? r.StatSetName : r.Section;
    if (!written.insert(AsciiLowerCase(section)).second) continue;
    file_.Write(section, kKeys[0], std::to_string(r.TotHours));
    file_.Write(section, kKeys[1], std::to_string(r.TotMinutes));
    file_.Write(section, kKeys[2], std::to_string(r.TotSeconds));
    file_.Write(section, kKeys[3], std::to_string(r.TotTimes));
  }
  if (Status flushed = file_.Flush(); !flushed) return Failure(unable + "\r" + flushed.Message());
  return Success();
}

void PlayStats::FreeStats() {
  records_.clear();
  records_.shrink_to_fit();
}

void PlayStats::RecordPlay(std::string_view name, unsigned hours, unsigned minutes,
                           unsigned seconds) {
  for (PlayRecord& r : records_) {
    if (r.StatSetName != name) continue;
    ++r.TotTimes;
    r.TotSeconds = static_cast<std::uint8_t>(r.TotSeconds + seconds);
    if (r.TotSeconds > 59) {
      r.TotSeconds = static_cast<std::uint8_t>(r.TotSeconds - 60);
      ++r.TotMinutes;
    }
    r.TotMinutes = static_cast<std::uint8_t>(r.TotMinutes + minutes);
    if (r.TotMinutes > 59) {
      r.TotMinutes = static_cast<std::uint8_t>(r.TotMinutes - 60);
      ++r.TotHours;
    }
    r.TotHours = static_cast<std::uint16_t>(r.TotHours + hours);
    return;
  }
  PlayRecord r;
  r.StatSetName = StatName(name, name_width_);
  r.TotHours = static_cast<std::uint16_t>(hours);
  r.TotMinutes = static_cast<std::uint8_t>(minutes);
  r.TotSeconds = static_cast<std::uint8_t>(seconds);
  r.TotTimes = 1;
  records_.push_back(std::move(r));
}

const PlayRecord* PlayStats::FindPlayRecord(std::string_view name) const {
  for (const PlayRecord& r : records_) {
    if (r.StatSetName == name) return &r;
  }
  return nullptr;
}

std::uint32_t PlayStats::PlayCount(std::string_view name) const {
  const PlayRecord* r = FindPlayRecord(name);
  return r ? r->TotTimes : 0;
}

std::unordered_map<std::string_view, std::uint32_t> PlayStats::PlayCounts() const {
  std::unordered_map<std::string_view, std::uint32_t> counts;
  counts.reserve(records_.size());
  for (const PlayRecord& r : records_)
    counts.emplace(r.StatSetName, r.TotTimes);  // the first of equal names stays
  return counts;
}

}  // namespace kw
