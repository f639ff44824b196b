// Play statistics: how often and how long each set has been played, kept in STATS.INI. One
// record per set name, in the order read or added; a name matches a record exactly (case and
// length), and the first match wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/result.h"
#include "platform/ini.h"

namespace kw {

// The width of a record's name with a profile of the era's emulator; with one of today's, whose
// names are longer, the name is kept whole (SetNameWidth).
constexpr std::size_t kStatNameWidth = 8;

struct PlayRecord {
  std::string StatSetName;  // at most the name width; upper case when made here
  std::uint16_t TotHours = 0;
  std::uint8_t TotMinutes = 0;
  std::uint8_t TotSeconds = 0;
  std::uint32_t TotTimes = 0;
  // The file's section it was read from (empty for a record made here): it is written back
  // there, so that a section whose name is longer than 8 keeps the plays added to it.
  std::string Section;
  bool operator==(const PlayRecord&) const = default;
};

class PlayStats {
 public:
  explicit PlayStats(std::string path) : file_(std::move(path)) {}

  const std::string& Path() const { return file_.Path(); }

  // The width names are cut to (kStatNameWidth unless set): takes effect at the next load.
  void SetNameWidth(std::size_t width) { name_width_ = width; }
  std::size_t NameWidth() const { return name_width_; }

  // (Re)reads the file: one record per section, its name upper-cased and cut to 8; keys that
  // are missing, not numbers or negative read as 0, others keep the low bits of their field's
  // width. A missing file is an empty list.
  void LoadStats();
  // Writes every record's four keys into its section of the file as it is now and replaces the
  // file atomically; the file's other lines stay as they are. Of records that share a section
  // only the first (the one every look-up finds) is written. An empty list writes nothing. A
  // file that is there but cannot be read is left alone, with "Unable to write to ...".
  Status SaveStats();
  void FreeStats();

  // One more play of `name` lasting h:m:s, carried into minutes and hours.
  void RecordPlay(std::string_view name, unsigned hours, unsigned minutes, unsigned seconds);
  // The plays of the first record named exactly `name`, or 0.
  std::uint32_t PlayCount(std::string_view name) const;
  const PlayRecord* FindPlayRecord(std::string_view name) const;

  // The counts PlayCount gives, for every name at once: to look each game up once per sort
  // instead of once per comparison.
  std::unordered_map<std::string_view, std::uint32_t> PlayCounts() const;

  // The list in its order; the statistics window sorts it in place, and that order is saved.
  std::vector<PlayRecord>& Records() { return records_; }
  const std::vector<PlayRecord>& Records() const { return records_; }

 private:
  platform::IniFile file_;
  std::vector<PlayRecord> records_;
  std::size_t name_width_ = kStatNameWidth;
};

// The name a new record keeps: upper case, cut to `width` characters.
std::string StatName(std::string_view set_name, std::size_t width = kStatNameWidth);

// Features that show statistics hear when they have been reset (the game list refills when
// sorted by most played, then the quick information is shown again).
class StatsResetListener {
 public:
  virtual ~StatsResetListener() = default;
  virtual void StatsReset() = 0;
};

}  // namespace kw
