#include "core/browser/catver.h"

#include <algorithm>

#include "common/ascii.h"
#include "platform/fs.h"

namespace kw {

namespace {

// Set names of either emulator are short, categories are list texts: anything longer is no entry.
constexpr std::size_t kLongestName = 64;
constexpr std::size_t kLongestCategory = 255;
constexpr std::string_view kCategorySection = "Category";
constexpr std::string_view kSubSeparator = " / ";

bool IsNameByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b > ' ' && b != 0x7F && c != '=' && c != '[' && c != ']';
}

bool IsTextByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= ' ' && b != 0x7F;
}

}  // namespace

void CategoryIndex::Clear() {
  sets_.clear();
  categories_.clear();
  skipped_ = 0;
  first_skipped_ = 0;
}

void CategoryIndex::Parse(std::string_view text) {
  Clear();
  std::unordered_map<std::string, std::uint32_t> ids;  // category -> position in categories_
  bool in_categories = false;
  std::size_t number = 0;
  auto skip = [&] {
    ++skipped_;
    if (first_skipped_ == 0) first_skipped_ = number;
  };
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = TrimIniBlanks(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    ++number;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']') {
        // A broken header: what follows belongs to no section the list reads.
        in_categories = false;
        skip();
        continue;
      }
      in_categories = EqualNoCase(TrimIniBlanks(line.substr(1, line.size() - 2)), kCategorySection);
      continue;
    }
    if (!in_categories) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      skip();
      continue;
    }
    const std::string_view name = TrimIniBlanks(line.substr(0, equals));
    const std::string_view category = TrimIniBlanks(line.substr(equals + 1));
    if (name.empty() || name.size() > kLongestName || category.empty() ||
        category.size() > kLongestCategory || !std::all_of(name.begin(), name.end(), IsNameByte) ||
        !std::all_of(category.begin(), category.end(), IsTextByte)) {
      skip();
      continue;
    }
    // The first entry of a name wins, as in any INI file.
    std::string key = AsciiLowerCase(name);
    if (sets_.count(key) != 0) continue;
    auto found = ids.find(std::string(category));
    if (found == ids.end()) {
      categories_.emplace_back(category);
      found =
          ids.emplace(categories_.back(), static_cast<std::uint32_t>(categories_.size() - 1)).first;
    }
    sets_.emplace(std::move(key), found->second);
  }
}

Status CategoryIndex::Load(const std::string& path) {
  Clear();
  if (!platform::fs::FileExists(path)) return Success();
  Result<std::string> text = platform::fs::ReadFile(path);
  if (!text) return Failure(path + ": " + text.Message());
  Parse(*text);
  return Success();
}

long CategoryIndex::CategoryIdOf(std::string_view name) const {
  if (sets_.empty()) return -1;
  key_.assign(name);
  for (char& c : key_)
    c = AsciiLower(c);
  const auto found = sets_.find(key_);
  return found == sets_.end() ? -1 : static_cast<long>(found->second);
}

std::string_view CategoryIndex::CategoryOf(std::string_view name) const {
  const long id = CategoryIdOf(name);
  return id < 0 ? std::string_view() : std::string_view(categories_[static_cast<std::size_t>(id)]);
}

bool CategoryMatches(std::string_view category, std::string_view chosen) {
  if (category.size() < chosen.size() || !EqualNoCase(category.substr(0, chosen.size()), chosen))
    return false;
  const std::string_view rest = category.substr(chosen.size());
  return rest.empty() || rest.substr(0, kSubSeparator.size()) == kSubSeparator;
}

std::string_view MainCategory(std::string_view category) {
  return category.substr(0, category.find(kSubSeparator));
}

}  // namespace kw
