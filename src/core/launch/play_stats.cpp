#include "core/launch/play_stats.h"

#include <cstdio>

#include "platform/ascii.h"

namespace kw {

namespace {

constexpr const char* kKeys[] = {"TotHours", "TotMinutes", "TotSeconds", "TotTimes"};

}  // namespace

std::string StatName(std::string_view set_name) {
  std::string name(set_name.substr(0, kStatNameWidth));
  for (char& c : name)
    c = platform::AsciiUpper(c);
  return name;
}

std::string FormatPlayTime(unsigned long hours, unsigned minutes, unsigned seconds) {
  char text[48];
  std::snprintf(text, sizeof text, "%02lu:%02u:%02u", hours, minutes, seconds);
  return text;
}

void PlayStats::LoadStats() {
  FreeStats();
  file_.Load();
  const std::vector<std::string> sections = file_.Sections();
  records_.reserve(sections.size());
  for (const std::string& section : sections) {
    PlayRecord r;
    r.StatSetName = StatName(section);
    // Stored in the fields' widths, as the file's integers always were.
    r.TotHours = static_cast<std::uint16_t>(file_.ReadInteger(section, kKeys[0], 0));
    r.TotMinutes = static_cast<std::uint8_t>(file_.ReadInteger(section, kKeys[1], 0));
    r.TotSeconds = static_cast<std::uint8_t>(file_.ReadInteger(section, kKeys[2], 0));
    r.TotTimes = static_cast<std::uint32_t>(file_.ReadInteger(section, kKeys[3], 0));
    records_.push_back(std::move(r));
  }
}

Status PlayStats::SaveStats() {
  if (records_.empty()) return Success();
  for (const PlayRecord& r : records_) {
    file_.Write(r.StatSetName, kKeys[0], std::to_string(r.TotHours));
    file_.Write(r.StatSetName, kKeys[1], std::to_string(r.TotMinutes));
    file_.Write(r.StatSetName, kKeys[2], std::to_string(r.TotSeconds));
    file_.Write(r.StatSetName, kKeys[3], std::to_string(r.TotTimes));
  }
  return file_.Flush();
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
  r.StatSetName = StatName(name);
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
