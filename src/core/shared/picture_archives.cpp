#include "core/shared/picture_archives.h"

#include <algorithm>

#include "common/ascii.h"
#include "core/shared/log_line.h"
#include "core/shared/pictures.h"
#include "platform/archive.h"
#include "platform/sevenzip_directory.h"

namespace kw {

namespace fs = platform::fs;
namespace archive = platform::archive;

namespace {

// Archives kept at once: four picture tabs with an archive or two each.
constexpr std::size_t kArchivesKept = 8;

bool IsArchiveName(std::string_view path) {
  const std::string ext = AsciiUpperCase(fs::ExtractFileExt(path));
  return ext == ".ZIP" || ext == ".7Z";
}

bool IsPictureName(std::string_view upper_name) {
  return std::any_of(std::begin(kPictureExtensions), std::end(kPictureExtensions),
                     [&](const char* ext) { return upper_name.ends_with(ext); });
}

// Splits a stored name into its folder part (without the separator) and its file name.
std::pair<std::string_view, std::string_view> SplitStored(std::string_view name) {
  const std::size_t cut = name.find_last_of("/\\");
  if (cut == std::string_view::npos) return {{}, name};
  return {name.substr(0, cut), name.substr(cut + 1)};
}

// The general reader's entries in the directory readers' form.
std::vector<archive::StoredEntry> FromListed(const std::vector<archive::Entry>& listed) {
  std::vector<archive::StoredEntry> entries;
  entries.reserve(listed.size());
  for (const archive::Entry& e : listed) {
    archive::StoredEntry s;
    s.name_too_long = e.name.size() > archive::kMaxNameBytes;
    s.name = s.name_too_long ? e.name.substr(0, archive::kMaxNameBytes) : e.name;
    s.size = e.size;
    s.is_directory = e.type == archive::EntryType::Directory;
    s.is_link = e.type == archive::EntryType::Link;
    s.is_other = e.type == archive::EntryType::Other;
    s.encrypted = e.encrypted;
    s.method_supported = false;  // its data is read by the general reader only
    entries.push_back(std::move(s));
  }
  return entries;
}

Result<std::shared_ptr<const PictureArchive>> ReadArchive(const std::string& path) {
  const std::string resolved = fs::Resolve(path);
  const std::string name = fs::ChangeFileExt(fs::ExtractFileName(resolved), "");
  const bool zip_name = AsciiUpperCase(fs::ExtractFileExt(resolved)) == ".ZIP";
  Result<std::vector<archive::StoredEntry>> direct =
      zip_name ? archive::ReadZipDirectory(resolved) : archive::Read7zDirectory(resolved);
  if (direct) {
    return std::shared_ptr<const PictureArchive>(
        std::make_shared<PictureArchive>(name, std::move(direct).Value(), zip_name));
  }
  // Another format than the name says, or a header the direct readers leave to the general one.
  Result<std::vector<archive::Entry>> listed = archive::ListEntries(resolved);
  if (!listed) return Failure(direct.Message());
  return std::shared_ptr<const PictureArchive>(
      std::make_shared<PictureArchive>(name, FromListed(*listed), false));
}

}  // namespace

PictureArchive::PictureArchive(std::string_view archive_name,
                               std::vector<archive::StoredEntry> entries, bool zip)
    : zip_(zip) {
  for (archive::StoredEntry& entry : entries) {
    if (entry.is_directory || entry.is_link || entry.is_other || entry.name_too_long) continue;
    const auto [folder, file] = SplitStored(entry.name);
    const bool at_root = folder.empty();
    if (file.empty() || (!at_root && !EqualNoCase(folder, archive_name))) continue;
    std::string key = AsciiUpperCase(file);
    if (!IsPictureName(key)) continue;
    const auto [it, added] = by_name_.try_emplace(std::move(key), entries_.size());
    if (!added) {
      // A picture at the root wins over one in the folder; else the first one listed.
      if (!at_root || SplitStored(entries_[it->second].name).first.empty()) continue;
      it->second = entries_.size();
    }
    entries_.push_back(std::move(entry));
  }
}

const archive::StoredEntry* PictureArchive::Find(std::string_view file_name) const {
  const auto it = by_name_.find(AsciiUpperCase(file_name));
  return it == by_name_.end() ? nullptr : &entries_[it->second];
}

std::string PictureArchive::FindPictureExt(std::string_view base) const {
  std::string found;
  std::string name = AsciiUpperCase(base);
  const std::size_t stem = name.size();
  for (const char* ext : kPictureExtensions) {
    name.resize(stem);
    name += ext;
    if (by_name_.contains(name)) found = ext;
  }
  return found;
}

std::vector<std::string> PictureArchivePaths(std::string_view directory) {
  std::vector<std::string> paths;
  const std::string folder = fs::ExcludeTrailingSeparator(directory);
  const std::string name = fs::ExtractFileName(folder);
  if (name.empty() || name == "." || name == "..") return paths;
  if (IsArchiveName(folder)) {
    paths.push_back(folder);
    return paths;
  }
  const std::string inside = fs::IncludeTrailingSeparator(folder) + name;
  for (const std::string& stem : {inside, folder}) {
    paths.push_back(stem + ".zip");
    paths.push_back(stem + ".7z");
  }
  return paths;
}

std::shared_ptr<const PictureArchive> PictureArchives::Get(const std::string& path) {
  const std::optional<fs::FileStamp> stamp = fs::Stamp(path);
  if (!stamp) return nullptr;
  const std::lock_guard<std::mutex> lock(mutex_);
  const auto it =
      std::find_if(kept_.begin(), kept_.end(), [&](const Kept& k) { return k.path == path; });
  if (it != kept_.end()) {
    if (it->stamp == *stamp) {
      std::rotate(kept_.begin(), it, it + 1);
      return kept_.front().archive;
    }
    kept_.erase(it);
  }
  ++reads_;
  Result<std::shared_ptr<const PictureArchive>> read = ReadArchive(path);
  std::shared_ptr<const PictureArchive> archive;
  if (read) {
    archive = std::move(read).Value();
  } else {
    LogLine("The picture archive " + path + " cannot be read (" + read.Message() +
            "): its pictures are taken as absent.");
  }
  kept_.insert(kept_.begin(), Kept{path, *stamp, archive});
  if (kept_.size() > kArchivesKept) kept_.pop_back();
  return archive;
}

std::size_t PictureArchives::Reads() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return reads_;
}

PictureArchives& PictureArchives::Shared() {
  static PictureArchives archives;
  return archives;
}

Result<std::string> ReadPictureMember(const std::string& archive_path, const std::string& member,
                                      std::uint64_t limit) {
  const std::shared_ptr<const PictureArchive> kept = PictureArchives::Shared().Get(archive_path);
  const archive::StoredEntry* entry = kept ? kept->Find(SplitStored(member).second) : nullptr;
  if (!entry || entry->name != member) return Failure(member + ": no such picture in the archive");
  if (entry->size > limit) return Failure(member + ": the picture is too large");
  const std::string resolved = fs::Resolve(archive_path);
  if (!kept->Zip() || entry->encrypted || !archive::DecodesZipMethod(entry->method))
    return archive::ReadEntry(resolved, member, limit);
  Result<archive::OpenFile> file = archive::OpenFile::Open(resolved);
  if (!file) return Failure(file.Message());
  std::string data;
  data.reserve(static_cast<std::size_t>(entry->size));
  Status decoded = archive::DecodeZipEntry(file->Fd(), *entry, limit,
                                           [&data](const char* bytes, std::size_t size) {
                                             data.append(bytes, size);
                                             return Success();
                                           });
  if (!decoded) return Failure(decoded.Message());
  return data;
}

}  // namespace kw
