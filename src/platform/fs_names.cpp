// Names on Linux: the case-insensitive matching the program relies on, and the path texts.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "common/ascii.h"
#include "platform/fs.h"

namespace kw::platform::fs {
namespace {

bool LExists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

std::optional<FileStamp> StampOfStat(const struct stat& st) {
  if (!S_ISREG(st.st_mode)) return std::nullopt;
  auto ns = [](const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
  };
  return FileStamp{static_cast<std::uint64_t>(st.st_size), ns(st.st_mtim), ns(st.st_ctim),
                   static_cast<std::uint64_t>(st.st_ino)};
}

}  // namespace

// The entries of one directory by their names folded to lower case, each the first in byte order
// of the names that fold alike. Kept for the directories listed last while the directory itself
// is unchanged: a picture look-up tests a dozen names in a folder of thousands of files at every
// selection change, the verifier five names per set in each ROM folder. The directory's
// modification time tells (it moves whenever an entry is added, removed or renamed); one modified
// in the two seconds before it was listed is not kept, since a change within the same clock tick
// would not show. The names sit in one text and are found through an open-addressed table of
// their folded hashes: a collection's folder of 40,000 archives is listed and looked up without
// an allocation per name. The directory stays open while the listing is kept, so that a name of
// it is looked at (stat) without walking its path again.
struct DirectoryListing {
  std::string directory;
  dev_t device = 0;
  ino_t inode = 0;
  timespec changed{};
  int descriptor = -1;  // the directory, opened when it was listed; -1 when it could not be

  // One name: where it is in `text`, its length, the kind the directory gave for it (DT_REG,
  // DT_DIR, DT_LNK, DT_UNKNOWN...), and whether it is the only name of the directory that folds
  // so.
  struct Entry {
    std::size_t hash = 0;
    std::size_t at = 0;
    std::uint16_t size = 0;
    unsigned char type = DT_UNKNOWN;
    bool alone = true;
  };
  std::string text;
  std::vector<Entry> entries;
  std::vector<std::uint32_t> slots;  // an entry's index + 1; 0 for an empty slot

  DirectoryListing() = default;
  DirectoryListing(const DirectoryListing&) = delete;
  DirectoryListing& operator=(const DirectoryListing&) = delete;
  ~DirectoryListing() {
    if (descriptor >= 0) close(descriptor);
  }

  std::string_view NameOf(const Entry& entry) const { return {text.data() + entry.at, entry.size}; }

  // The entry whose name folds as `name` does; none when there is none.
  const Entry* Find(std::string_view name) const {
    if (slots.empty() || name.size() > UINT16_MAX) return nullptr;
    const std::size_t hash = FoldedHash(name);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t slot = hash & mask; slots[slot] != 0; slot = (slot + 1) & mask) {
      const Entry& entry = entries[slots[slot] - 1];
      if (entry.hash == hash && EqualNoCase(NameOf(entry), name)) return &entry;
    }
    return nullptr;
  }

  // Adds one name of the directory, or folds it into the entry of a name that folds alike.
  void Add(std::string_view name, unsigned char type) {
    if (name.size() > UINT16_MAX) return;  // no file system gives such a name
    if ((entries.size() + 1) * 2 > slots.size()) Grow();
    const std::size_t hash = FoldedHash(name);
    const std::size_t mask = slots.size() - 1;
    std::size_t slot = hash & mask;
    for (; slots[slot] != 0; slot = (slot + 1) & mask) {
      Entry& entry = entries[slots[slot] - 1];
      if (entry.hash != hash || !EqualNoCase(NameOf(entry), name)) continue;
      entry.alone = false;
      if (name < NameOf(entry)) {  // names folding alike have the same length
        text.replace(entry.at, entry.size, name);
        entry.type = type;
      }
      return;
    }
    entries.push_back({hash, text.size(), static_cast<std::uint16_t>(name.size()), type, true});
    text += name;
    slots[slot] = static_cast<std::uint32_t>(entries.size());
  }

 private:
  static std::size_t FoldedHash(std::string_view name) {
    char folded[256];
    if (name.size() > sizeof folded) return std::hash<std::string>()(AsciiLowerCase(name));
    for (std::size_t i = 0; i < name.size(); ++i)
      folded[i] = AsciiLower(name[i]);
    return std::hash<std::string_view>()(std::string_view(folded, name.size()));
  }

  void Grow() {
    std::vector<std::uint32_t> grown(std::max<std::size_t>(64, slots.size() * 2), 0);
    const std::size_t mask = grown.size() - 1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      std::size_t slot = entries[i].hash & mask;
      while (grown[slot] != 0)
        slot = (slot + 1) & mask;
      grown[slot] = static_cast<std::uint32_t>(i + 1);
    }
    slots = std::move(grown);
  }
};

namespace {

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// How many directories stay listed: a search list of several ROM folders is gone through for
// every set, and each folder must not drop the others' listings.
constexpr std::size_t kListingsKept = 8;

// The listing of the directory at `path` (without a trailing separator; "." for the current
// directory), whose stat `st` was just made: the one kept while the directory is unchanged, else
// one listed now. None when the directory cannot be listed.
std::shared_ptr<const DirectoryListing> ListingOf(const std::string& path, const struct stat& st) {
  static std::mutex mutex;
  static std::vector<std::shared_ptr<const DirectoryListing>>
      cached;  // the most recently used first
  {
    std::lock_guard<std::mutex> lock(mutex);
    for (std::size_t i = 0; i < cached.size(); ++i) {
      const DirectoryListing& listing = *cached[i];
      if (listing.directory != path) continue;
      if (listing.device == st.st_dev && listing.inode == st.st_ino &&
          SameTime(listing.changed, st.st_mtim)) {
        std::rotate(cached.begin(), cached.begin() + static_cast<std::ptrdiff_t>(i),
                    cached.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        return cached.front();
      }
      cached.erase(cached.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  const int descriptor = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  auto listing = std::make_shared<DirectoryListing>();
  listing->descriptor = descriptor;
  const int reading = fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
  DIR* dir = reading < 0 ? nullptr : fdopendir(reading);
  if (!dir) {
    if (reading >= 0) close(reading);
    return nullptr;
  }
  while (dirent* entry = readdir(dir)) {
    std::string_view candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    listing->Add(candidate, entry->d_type);
  }
  closedir(dir);
  listing->directory = path;
  listing->device = st.st_dev;
  listing->inode = st.st_ino;
  listing->changed = st.st_mtim;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  if (now.tv_sec - st.st_mtim.tv_sec < 2) return listing;  // too fresh to trust later
  std::lock_guard<std::mutex> lock(mutex);
  std::erase_if(cached, [&](const auto& kept) { return kept->directory == path; });
  cached.insert(cached.begin(), listing);
  if (cached.size() > kListingsKept) cached.pop_back();
  return listing;
}

// The listing of `directory`, whose stat `known` (when given) was just made; none when it is no
// directory.
std::shared_ptr<const DirectoryListing> ListingOf(const std::string& directory,
                                                  const struct stat* known = nullptr) {
  const std::string path = directory.empty() ? "." : directory;
  struct stat st;
  if (known != nullptr) {
    st = *known;
  } else if (stat(path.c_str(), &st) != 0) {
    return nullptr;
  }
  if (!S_ISDIR(st.st_mode)) return nullptr;
  return ListingOf(path, st);
}

using FoundName = const DirectoryListing::Entry*;
FoundName LookIn(const DirectoryListing& listing, std::string_view name) {
  return listing.Find(name);
}

// What `directory` (as given; `resolved` as on disk, with its trailing separator) holds under
// `name`, of which its listing (none when the directory could not be listed) found `found`.
NameInDirectory Judge(std::string_view directory, const std::string& resolved,
                      const DirectoryListing* listing, std::string_view name, FoundName found) {
  NameInDirectory out;
  unsigned char type = DT_UNKNOWN;
  if (listing != nullptr && found == nullptr) {
    out.path = resolved;
    out.path += name;  // no name of any case: nothing there
    return out;
  }
  if (listing != nullptr && (listing->NameOf(*found) == name || found->alone)) {
    // The name itself, or the only name that folds to it: Resolve would find the same.
    out.path = resolved;
    out.path += listing->NameOf(*found);
    type = found->type;
  } else {
    // Another name of another case may be there too, or the directory is none: the whole
    // path is resolved as any other.
    out.path = Resolve(IncludeTrailingSeparator(directory) + std::string(name));
  }
  if (type == DT_DIR) {
    out.kind = NameKind::kDirectory;
  } else if (type != DT_UNKNOWN && type != DT_LNK) {
    out.kind = NameKind::kFile;
  } else if (struct stat st; stat(out.path.c_str(), &st) == 0) {
    out.kind = S_ISDIR(st.st_mode) ? NameKind::kDirectory : NameKind::kFile;
  }
  return out;
}

// The directory as on disk, with its trailing separator, and its listing (none when it is no
// directory). A directory that is there as written is its own resolution, and its stat serves
// the listing.
std::pair<std::string, std::shared_ptr<const DirectoryListing>> ResolvedListing(
    std::string_view directory) {
  if (struct stat st; !directory.empty() && stat(std::string(directory).c_str(), &st) == 0) {
    std::string resolved = IncludeTrailingSeparator(directory);
    auto listing = ListingOf(resolved, &st);
    return {std::move(resolved), std::move(listing)};
  }
  std::string resolved = IncludeTrailingSeparator(Resolve(directory));
  auto listing = ListingOf(resolved);
  return {std::move(resolved), std::move(listing)};
}

std::optional<std::string> FindNoCase(const std::string& directory, std::string_view name) {
  const std::shared_ptr<const DirectoryListing> listing = ListingOf(directory);
  if (!listing) return std::nullopt;
  const FoundName found = LookIn(*listing, name);
  if (found == nullptr) return std::nullopt;
  return std::string(listing->NameOf(*found));
}

}  // namespace

std::string Resolve(std::string_view path) {
  std::string whole(path);
  if (whole.empty() || LExists(whole)) return whole;
  // Most often only the last name differs in case or is missing: when its directory exists as
  // written, so does every directory above it, and only the last name is looked for.
  if (const std::size_t last = whole.rfind(kSeparator);
      last != std::string::npos && last + 1 < whole.size()) {
    const std::string_view name = path.substr(last + 1);
    const std::string directory = whole.substr(0, last + 1);
    if (name != "." && name != ".." && LExists(last == 0 ? directory : whole.substr(0, last))) {
      std::optional<std::string> match = FindNoCase(directory, name);
      return directory + (match ? *match : std::string(name));
    }
  }
  std::string result;
  std::size_t pos = 0;
  if (path.front() == kSeparator) {
    result = "/";
    pos = 1;
  }
  bool resolving = true;
  while (pos <= path.size()) {
    std::size_t end = path.find(kSeparator, pos);
    if (end == std::string_view::npos) end = path.size();
    std::string_view component = path.substr(pos, end - pos);
    if (resolving && !component.empty() && component != "." && component != "..") {
      std::string candidate = result + std::string(component);
      if (!LExists(candidate)) {
        std::optional<std::string> match = FindNoCase(result, component);
        if (match) {
          result += *match;
        } else {
          resolving = false;
          result += component;
        }
      } else {
        result = std::move(candidate);
      }
    } else {
      result += component;
    }
    if (end < path.size()) result += kSeparator;
    pos = end + 1;
  }
  return result;
}

std::vector<NameInDirectory> LookUpNames(std::string_view directory,
                                         const std::vector<std::string>& names) {
  std::vector<NameInDirectory> result;
  result.reserve(names.size());
  const auto [resolved, listing] = ResolvedListing(directory);
  for (const std::string& name : names)
    result.push_back(Judge(directory, resolved, listing.get(), name,
                           listing ? LookIn(*listing, name) : nullptr));
  return result;
}

DirectoryNames::DirectoryNames(std::string_view directory) : directory_(directory) {
  std::tie(resolved_, listing_) = ResolvedListing(directory);
}

bool DirectoryNames::MayHold(std::string_view name) const {
  return !listing_ || listing_->Find(name) != nullptr;
}

std::optional<FileStamp> Stamp(std::string_view path) {
  struct stat st;
  const std::string written(path);
  if (!written.empty() && stat(written.c_str(), &st) == 0) return StampOfStat(st);
  if (stat(Resolve(path).c_str(), &st) != 0) return std::nullopt;
  return StampOfStat(st);
}

std::optional<FileStamp> DirectoryNames::StampOf(std::string_view path) const {
  if (!listing_ || listing_->descriptor < 0 || !path.starts_with(resolved_)) return Stamp(path);
  const std::string name(path.substr(resolved_.size()));
  if (name.empty() || name.find(kSeparator) != std::string::npos) return Stamp(path);
  struct stat st;
  if (fstatat(listing_->descriptor, name.c_str(), &st, 0) != 0) return Stamp(path);
  return StampOfStat(st);
}

NameInDirectory DirectoryNames::LookUp(std::string_view name) const {
  return Judge(directory_, resolved_, listing_.get(), name,
               listing_ ? LookIn(*listing_, name) : nullptr);
}

std::string IncludeTrailingSeparator(std::string_view path) {
  std::string result(path);
  if (result.empty() || result.back() != kSeparator) result += kSeparator;
  return result;
}

std::string ExcludeTrailingSeparator(std::string_view path) {
  std::string result(path);
  if (result.size() > 1 && result.back() == kSeparator) result.pop_back();
  return result;
}

std::string ExtractFileName(std::string_view path) {
  std::size_t slash = path.rfind(kSeparator);
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtractFilePath(std::string_view path) {
  std::size_t slash = path.rfind(kSeparator);
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtractFileExt(std::string_view path) {
  std::size_t dot = path.rfind('.');
  std::size_t slash = path.rfind(kSeparator);
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  std::size_t cut = path.size() - ExtractFileExt(path).size();
  return std::string(path.substr(0, cut)) + std::string(ext);
}

bool IsAbsolute(std::string_view path) {
  return !path.empty() && path.front() == kSeparator;
}

std::string ExpandFileName(std::string_view path) {
  std::string full = IsAbsolute(path) ? std::string(path) : CurrentDirectory() + std::string(path);
  // Drop "." components and fold ".." into their parent; keep a trailing separator.
  std::vector<std::string> parts;
  std::size_t pos = 1;
  while (pos <= full.size()) {
    std::size_t end = full.find(kSeparator, pos);
    if (end == std::string::npos) end = full.size();
    std::string part = full.substr(pos, end - pos);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }
  std::string result = "/";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i) result += kSeparator;
    result += parts[i];
  }
  bool trailing = full.back() == kSeparator || full.ends_with("/.") || full.ends_with("/..");
  if (trailing && result.size() > 1) result += kSeparator;
  return result;
}

}  // namespace kw::platform::fs
