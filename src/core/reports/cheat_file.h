// The emulator's cheat file (CHEAT.DAT): one cheat a line, as
// name:cpu:address:data:type:description:comment. Lines are trimmed; empty lines and lines
// beginning with ";" are skipped. A field holds at most 255 characters; after the seventh field
// further ":" are dropped; missing trailing fields are empty. The type is read with HexValue, so
// a type written "10" has the value 10 hexadecimal.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kw {

struct CheatFields {
  std::string Name;
  std::string Cpu;
  std::string Address;
  std::string Data;
  std::string Type;
  std::string Description;
  std::string Comment;
};

// The fields of a trimmed cheat line.
CheatFields ParseCheatLine(std::string_view line);
// The report line of a cheat: the description (and comment), a colon, blanks up to column 30,
// then the cpu and what the cheat does; a comment (type 999) is marked as one.
std::string FormatCheat(const CheatFields& cheat);

// A file's bytes with the positions of each set's cheat lines, in file order.
class CheatFile {
 public:
  explicit CheatFile(std::string bytes);
  CheatFile(const CheatFile&) = delete;
  CheatFile& operator=(const CheatFile&) = delete;

  // The file begins with the gzip signature (1F 8B): the emulator's compressed cheat file, which
  // is not read.
  bool Compressed() const { return compressed_; }
  // The report lines of every cheat whose set name, upper-cased, is `set_name` upper-cased.
  std::vector<std::string> Cheats(std::string_view set_name) const;

  std::size_t Size() const { return bytes_.size(); }

 private:
  std::string bytes_;
  bool compressed_ = false;
  std::unordered_map<std::string, std::vector<std::size_t>> lines_;
};

// The same answer read from the file's start (for tests and fuzzing).
std::vector<std::string> ScanCheatFile(std::string_view bytes, std::string_view set_name);

}  // namespace kw
