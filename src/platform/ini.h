// Private-profile INI files, with the semantics the program's files rely on: sections and keys
// matched without regard to case, the first of duplicate sections or keys wins, blanks around
// keys and values ignored on reading, values cut to 2,047 characters, every other line kept byte
// for byte, an existing key line replaced in place as key=value, a missing key added at the end
// of its section, a missing section added at the end of the file, the file's own line ends kept.
// Changes are held in memory until Flush, which replaces the whole file atomically. Sections and
// keys are indexed, so reading or writing every key of a large file takes linear time.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/result.h"

namespace kw::platform {

constexpr std::size_t kIniMaxValue = 2047;

class IniFile {
 public:
  explicit IniFile(std::string path);

  // (Re)reads the file. A missing or unreadable file gives an empty document and false.
  bool Load();
  // Replaces the document by `text` (for tests and fuzzing; no file access).
  void LoadFromText(std::string_view text);

  const std::string& Path() const { return path_; }

  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;
  // Decimal integer; a value that is not a whole number gives the default.
  long long ReadInteger(std::string_view section, std::string_view key,
                        long long default_value) const;
  // Section names in file order (the first of duplicates only).
  std::vector<std::string> Sections() const;
  // Key names of a section in file order (the first of duplicates only).
  std::vector<std::string> Keys(std::string_view section) const;

  void Write(std::string_view section, std::string_view key, std::string_view value);
  void DeleteKey(std::string_view section, std::string_view key);
  void DeleteSection(std::string_view section);

  // The document as it would be written.
  std::string Text() const;
  bool Dirty() const { return dirty_; }
  // Writes the document to Path() atomically (only over a regular file); the system's reason
  // when it cannot be written.
  Status Flush();

 private:
  struct Line {
    std::string text;  // without its line end
    std::string eol;   // "\n", "\r\n" or "" (last line without one)
    bool deleted = false;
  };
  // A section: its header line and the lines up to the next header. The first block holds the
  // lines before any header and has no header. Deleted lines and blocks stay as marks (so that
  // positions in the indexes stay valid) and are left out of the text.
  struct Block {
    std::vector<Line> lines;
    bool deleted = false;
    std::size_t deleted_lines = 0;
    // Lower-case key -> positions of its key lines in `lines`, in file order: the first wins.
    std::unordered_map<std::string, std::vector<std::size_t>> keys;
  };
  // The block of the first section of that name, -1 when missing.
  long FindSection(std::string_view section) const;
  // Position of the first key line of `key` in the block, -1 when missing.
  static long FindKey(const Block& block, std::string_view key);
  static void IndexLine(Block& block, std::size_t position);
  static void UnindexLine(Block& block, std::size_t position);
  void IndexBlock(std::size_t index);
  static void Compact(Block& block);
  // Groups the lines into blocks and indexes them.
  void Build(std::vector<Line> lines);
  // A written line that reads as a section header changes the file's structure: the lines are
  // then grouped again.
  void RegroupIfHeader(std::string_view written);
  Line* LastLine();
  void CountEol(const std::string& eol, int change);
  std::string DefaultEol() const;

  std::string path_;
  std::vector<Block> blocks_;
  // Lower-case section name -> live blocks of that name, in file order: the first wins.
  std::unordered_map<std::string, std::vector<std::size_t>> sections_;
  std::size_t lf_lines_ = 0;
  std::size_t crlf_lines_ = 0;
  bool bom_ = false;  // the file began with a UTF-8 byte-order mark
  bool dirty_ = false;
};

}  // namespace kw::platform
