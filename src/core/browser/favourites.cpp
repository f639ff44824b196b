#include "core/browser/favourites.h"

#include <algorithm>
#include <vector>

#include "common/ascii.h"
#include "core/audit/set_status.h"
#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

namespace {

constexpr std::string_view kHeading = "; Favourite games: one set name a line\n";
// Set names of either emulator are short; a longer word is no set name.
constexpr std::size_t kLongestName = 64;

bool IsNameByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b > ' ' && b != 0x7F;
}

}  // namespace

std::string FavouritesPath(const std::string& program_dir, const std::string& profile_path) {
  return fs::ChangeFileExt(SetStatusPath(program_dir, profile_path), ".FAV");
}

void Favourites::Clear() {
  names_.clear();
  skipped_ = 0;
}

void Favourites::Parse(std::string_view text) {
  Clear();
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = TrimIniBlanks(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty() || line.front() == ';') continue;
    if (line.size() > kLongestName || !std::all_of(line.begin(), line.end(), IsNameByte)) {
      ++skipped_;
      continue;
    }
    names_.insert(AsciiLowerCase(line));
  }
}

Status Favourites::Load(const std::string& path) {
  Clear();
  if (!fs::Exists(path)) return Success();
  Result<std::string> text = fs::ReadFile(path);
  if (!text) return Failure(path + ": " + text.Message());
  Parse(*text);
  return Success();
}

std::string Favourites::Text() const {
  std::vector<const std::string*> sorted;
  sorted.reserve(names_.size());
  for (const std::string& name : names_)
    sorted.push_back(&name);
  std::sort(sorted.begin(), sorted.end(),
            [](const std::string* a, const std::string* b) { return *a < *b; });
  std::string text(kHeading);
  for (const std::string* name : sorted) {
    text += *name;
    text += '\n';
  }
  return text;
}

Status Favourites::Save(const std::string& path) const {
  return fs::WriteFileAtomic(path, Text());
}

bool Favourites::Contains(std::string_view name) const {
  if (names_.empty()) return false;
  key_.assign(name);
  for (char& c : key_)
    c = AsciiLower(c);
  return names_.count(key_) != 0;
}

bool Favourites::Toggle(std::string_view name) {
  std::string key = AsciiLowerCase(name);
  if (names_.erase(key) != 0) return false;
  names_.insert(std::move(key));
  return true;
}

}  // namespace kw
