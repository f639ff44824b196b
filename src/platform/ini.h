// Private-profile INI files, with the semantics the program's files rely on: sections and keys
// matched without regard to case, the first of duplicate sections or keys wins, blanks around
// keys and values ignored on reading, values cut to 2,047 characters, every other line kept byte
// for byte, an existing key line replaced in place as key=value, a missing key added at the end
// of its section, a missing section added at the end of the file, the file's own line ends kept.
// Changes are held in memory until Flush, which replaces the whole file atomically.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  bool SectionExists(std::string_view section) const;
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
  // Writes the document to Path() atomically. False (with `error`) when it cannot be written.
  bool Flush(std::string* error = nullptr);

 private:
  struct Line {
    std::string text;  // without its line end
    std::string eol;   // "\n", "\r\n" or "" (last line without one)
  };
  // Position of the first line of a section header, -1 when missing.
  long FindSection(std::string_view section) const;
  // End (exclusive) of the section that starts at header line `header`.
  std::size_t SectionEnd(std::size_t header) const;
  long FindKey(std::size_t header, std::string_view key) const;
  std::string DefaultEol() const;

  std::string path_;
  std::vector<Line> lines_;
  bool bom_ = false;  // the file began with a UTF-8 byte-order mark
  bool dirty_ = false;
};

}  // namespace kw::platform
