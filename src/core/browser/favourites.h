// The favourite games of a profile, kept in the program directory beside its set status: a text
// file of one set name a line. Lines starting with ';' are remarks; a line that is no set name is
// skipped and counted, never taken for one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>

#include "common/result.h"

namespace kw {

// The file of the profile at `profile_path` in `program_dir`: named as its set status file is,
// with the extension ".FAV" ("TODAY-1A2B3C4D.FAV").
std::string FavouritesPath(const std::string& program_dir, const std::string& profile_path);

class Favourites {
 public:
  // Reads the file; a file that does not exist gives no favourites. A file that cannot be read
  // fails with its reason and leaves none.
  Status Load(const std::string& path);
  // Reads the text of such a file.
  void Parse(std::string_view text);
  // Writes every favourite, sorted, atomically.
  Status Save(const std::string& path) const;
  // The file's text as Save writes it.
  std::string Text() const;

  // Whether the set (any case) is a favourite.
  bool Contains(std::string_view name) const;
  // Makes the set a favourite, or no longer one; true when it is one now.
  bool Toggle(std::string_view name);
  void Clear();
  std::size_t Size() const { return names_.size(); }
  std::size_t SkippedLines() const { return skipped_; }

 private:
  std::unordered_set<std::string> names_;  // lower case
  std::size_t skipped_ = 0;
  mutable std::string key_;
};

}  // namespace kw
