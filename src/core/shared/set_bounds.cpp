#include "core/shared/set_bounds.h"

#include <algorithm>
#include <set>

namespace kw {

namespace archive = platform::archive;

std::uint64_t WithMargin(std::uint64_t bytes) {
  const std::uint64_t margin = std::max(bytes, std::uint64_t{1} << 20);
  return std::min(archive::kSetSizeLimit, bytes + std::min(margin, archive::kSetSizeLimit));
}

SetBounds::SetBounds(const GameDatabase& database) : database_(database) {
  for (const auto* list : {&database.Games(), &database.Resources()}) {
    for (const GameRecord& record : *list) {
      if (!record.CloneOf.empty()) clones_.emplace(record.CloneOf.View(), &record);
      if (!record.SampleOf.empty()) sample_users_.emplace(record.SampleOf.View(), &record);
    }
  }
}

std::vector<const GameRecord*> SetBounds::Family(const GameRecord& set,
                                                 SetName GameRecord::*link) const {
  std::vector<const GameRecord*> family{&set};
  std::set<std::string_view> taken{set.Name.View()};
  // The sets it borrows from, nearest first; sets that name each other end the chain.
  for (const GameRecord* current = &set; !(current->*link).empty();) {
    current = database_.FindSet((current->*link).View(), true);
    if (current == nullptr || !taken.insert(current->Name.View()).second) break;
    family.push_back(current);
  }
  const auto& users = link == &GameRecord::SampleOf ? sample_users_ : clones_;
  const std::size_t borrowed = family.size();
  for (std::size_t i = 0; i < borrowed; ++i) {
    auto [first, last] = users.equal_range(family[i]->Name.View());
    for (auto it = first; it != last; ++it) {
      if (taken.insert(it->second->Name.View()).second) family.push_back(it->second);
    }
  }
  return family;
}

archive::SizeLimits SetBounds::ForRoms(const GameRecord& set) const {
  std::uint64_t total = 0;
  std::uint64_t largest = 0;
  for (const GameRecord* record : Family(set, &GameRecord::RomOf)) {
    for (const RomRecord& rom : database_.Roms(*record)) {
      if (rom.Size == 0) return {};  // a size not listed: the set's size limit alone
      total += rom.Size;
      largest = std::max<std::uint64_t>(largest, rom.Size);
    }
  }
  return archive::SizeLimits(WithMargin(total), WithMargin(largest));
}

archive::SizeLimits SetBounds::ForSamples(const GameRecord& set) const {
  std::uint64_t count = 1;  // the readme
  for (const GameRecord* record : Family(set, &GameRecord::SampleOf))
    count += database_.Samples(*record).size();
  return archive::SizeLimits(std::min(archive::kSetSizeLimit, count * kSampleFileLimit),
                             kSampleFileLimit);
}

}  // namespace kw
