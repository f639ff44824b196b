// The emulator's high-score description file (HISCORE.DAT): an entry is a line that, trimmed
// and upper-cased, begins with a set name and ":" (several such lines may stand in a row); the
// lines after it, up to an empty line, describe the memory areas that the emulator saves, as
// cpu:address:length:start:end with all but the cpu in hexadecimal digits.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kw {

// The report line of one area line (trimmed, upper-cased): "CPU=0, Memory area=$4E88..$4E8A,
// Area delimiters=$00,$00". An area of one byte shows its address once, with blanks that keep
// the delimiters in the column of ranged lines. Fields that are missing are empty.
std::string FormatHiscoreArea(std::string_view line);

// A file's bytes with an index of its entry lines: a look-up costs the length of the entry.
class HiscoreFile {
 public:
  explicit HiscoreFile(std::string bytes);
  HiscoreFile(const HiscoreFile&) = delete;
  HiscoreFile& operator=(const HiscoreFile&) = delete;

  // The report lines of the first entry for `set_name`: every line after the entry line up to an
  // empty line or the end of the file, formatted, except the lines whose first ":" is their last
  // character once a ";" comment is taken off (the names of further sets that share the areas)
  // and the lines that are all comment. Nothing when no line begins with the name and ":".
  std::optional<std::vector<std::string>> Areas(std::string_view set_name) const;

  std::size_t Size() const { return bytes_.size(); }

 private:
  std::string bytes_;
  // Every text of up to kKeyWidth characters that ends with ":" and begins a trimmed,
  // upper-cased line -> where the line after the first such line begins.
  std::unordered_map<std::string, std::size_t> first_entry_;
};

// The same answer read from the file's start for this one name (for tests and fuzzing).
std::optional<std::vector<std::string>> ScanHiscoreFile(std::string_view bytes,
                                                        std::string_view set_name);

}  // namespace kw
