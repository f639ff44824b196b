// The text databases kept beside the emulator: the history file (section "bio") and the
// emulator information file (section "mame"). An entry is a line beginning "$INFO" whose text
// after the first "=" lists set names (separated by commas or spaces, a trailing comma allowed),
// continued by the following lines that do not begin with "$" (empty ones skipped); the first
// "$" line after the list opens a section named by its text after the "$", and a section runs up
// to a line beginning "$END". Letters are compared without regard to case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kw {

// The lines of a section, as the file holds them (each without its line end).
using InfoSection = std::vector<std::string_view>;

// A file's bytes and an index of its entries by set name, built once: a look-up then costs the
// length of the section it gives, not of the file.
class InfoFile {
 public:
  explicit InfoFile(std::string bytes);
  InfoFile(const InfoFile&) = delete;
  InfoFile& operator=(const InfoFile&) = delete;

  // The section `tag` of the first entry whose list names `set_name`, read from the first "$"
  // line after its list up to "$END" (or the end of the file). Nothing when no entry names the
  // set, or when that first entry has no such section before its "$END" or the next "$INFO":
  // later entries are not looked at then.
  std::optional<InfoSection> Section(std::string_view set_name, std::string_view tag) const;

  // Entries indexed.
  std::size_t EntryCount() const { return entries_; }
  std::size_t Size() const { return bytes_.size(); }

 private:
  std::string bytes_;
  // Upper-cased set name -> where the first entry naming it has its first "$" line.
  std::unordered_map<std::string, std::size_t> first_entry_;
  std::size_t entries_ = 0;
};

// The same answer found by reading the file from its start for this one name, entry by entry:
// what the index must give (for tests and the fuzz target).
std::optional<std::vector<std::string>> ScanInfoFile(std::string_view bytes,
                                                     std::string_view set_name,
                                                     std::string_view tag);

}  // namespace kw
