// The categories of a catver.ini: an INI file kept by the emulator's users that gives each set a
// category ("Shooter / Flying Vertical") in its [Category] section, beside other sections
// ([VerAdded] ...) that the list does not use. It is an outside file: any bytes read into at
// most one entry per line, and a line that does not read so is skipped and counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/result.h"

namespace kw {

inline constexpr std::string_view kCatverName = "catver.ini";

class CategoryIndex {
 public:
  // Reads the text of a catver.ini; what was read before is dropped.
  void Parse(std::string_view text);
  // Reads the file; a file that does not exist gives an empty index, one that cannot be read
  // fails with its reason and leaves the index empty.
  Status Load(const std::string& path);
  void Clear();

  // The category of a set (any case), "" when the file gives it none.
  std::string_view CategoryOf(std::string_view name) const;
  // The position of the set's category in Categories(), -1 when it has none.
  long CategoryIdOf(std::string_view name) const;
  // Every category the file gives, each once, in the order of first use.
  const std::vector<std::string>& Categories() const { return categories_; }
  std::size_t Size() const { return sets_.size(); }
  // The lines of the [Category] section (or section headers) that Parse skipped, and the number
  // of the first of them (1-based, 0 when none).
  std::size_t SkippedLines() const { return skipped_; }
  std::size_t FirstSkippedLine() const { return first_skipped_; }

 private:
  std::unordered_map<std::string, std::uint32_t> sets_;  // lower-case name -> category
  std::vector<std::string> categories_;
  std::size_t skipped_ = 0;
  std::size_t first_skipped_ = 0;
  mutable std::string key_;  // the lower-cased name of a look-up
};

// Whether a set's category is the chosen one: the same text, or a sub-category of it
// ("Shooter" takes "Shooter / Flying Vertical"); letter case aside.
bool CategoryMatches(std::string_view category, std::string_view chosen);
// The main category of a category: the text before " / ".
std::string_view MainCategory(std::string_view category);

}  // namespace kw
