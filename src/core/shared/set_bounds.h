// How much a set's archive may give, from what the profile lists: no file much larger than the
// largest file that the sets concerned list, no more in all than about the sum of their sizes.
// An archive that holds more holds nothing a game needs, and is cut there before it fills the
// disk or the time of a verification.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/shared/game_database.h"
#include "platform/archive.h"

namespace kw {

// A sample's size is not listed: no sample of an arcade game comes near this.
constexpr std::uint64_t kSampleFileLimit = std::uint64_t{64} << 20;

// The listed `bytes` with a margin: twice as much, and a mebibyte more at least.
std::uint64_t WithMargin(std::uint64_t bytes);

class SetBounds {
 public:
  // The database must outlive the bounds and keep its lists.
  explicit SetBounds(const GameDatabase& database);

  // For a ROM set read for `set`: its own ROMs, those of the sets it borrows from (a set may
  // hold them all) and those of its clones (a merged set holds its clones' files too). A ROM
  // listed without its size leaves the archives' own size limit alone.
  platform::archive::SizeLimits ForRoms(const GameRecord& set) const;
  // For a sample set read for `set`: as many samples as those sets list, a readme besides.
  platform::archive::SizeLimits ForSamples(const GameRecord& set) const;

 private:
  std::vector<const GameRecord*> Family(const GameRecord& set, SetName GameRecord::*link) const;

  const GameDatabase& database_;
  // The records that name each set as their parent, by the set's name.
  std::multimap<std::string_view, const GameRecord*> clones_;
  std::multimap<std::string_view, const GameRecord*> sample_users_;
};

}  // namespace kw
