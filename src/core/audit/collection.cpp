#include "core/audit/collection.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "common/ascii.h"
#include "core/shared/crc32.h"
#include "platform/archive.h"
#include "platform/fs.h"
#include "platform/input_file.h"
#include "platform/sevenzip_directory.h"
#include "platform/zip_directory.h"

namespace kw {

namespace fs = platform::fs;
namespace archive = platform::archive;

namespace {

std::string Lower(std::string_view text) {
  return AsciiLowerCase(text);
}

// A set's files from what its archive's directory says, kept whole with their directory part:
// a merged set holds a clone's file of a parent's name as "CLONE/NAME".
void AddStored(const std::vector<archive::StoredEntry>& entries, HeldSet& set) {
  for (const archive::StoredEntry& entry : entries) {
    if (entry.is_directory || entry.is_link || entry.is_other || entry.name_too_long) continue;
    set.files.push_back({Lower(entry.name), entry.size, entry.crc, entry.crc_known});
  }
}

// The CRC-32 each stored or deflated member's data really has; a member that cannot be decoded
// loses its CRC (the audit then finds its checksum wrong) and is named in the problem.
void DecodeZipMembers(const std::string& path, const std::vector<archive::StoredEntry>& entries,
                      HeldSet& set) {
  Result<archive::OpenFile> file = archive::OpenFile::Open(path);
  if (!file) {
    set.problem = path + ": " + file.Message();
    return;
  }
  std::size_t held = 0;
  for (const archive::StoredEntry& entry : entries) {
    if (entry.is_directory || entry.is_link || entry.is_other || entry.name_too_long) continue;
    HeldFile& out = set.files[held++];
    if (!archive::DecodesZipMethod(entry.method) || entry.encrypted) continue;  // trusted
    std::uint32_t crc = 0xFFFFFFFFu;
    std::uint64_t size = 0;
    const Status decoded = archive::DecodeZipEntry(file->Fd(), entry, entry.size,
                                                   [&](const char* data, std::size_t n) {
                                                     crc = CRC32Update(crc, data, n);
                                                     size += n;
                                                     return Success();
                                                   });
    if (!decoded || size != entry.size) {
      out.crc = ~entry.crc;  // never the listed one
      if (set.problem.empty())
        set.problem = path + ": " + entry.name + ": " + (decoded ? "cut short" : decoded.Message());
      continue;
    }
    out.crc = ~crc;
  }
}

// The CRC-32 of each member of a 7z archive decoded through the general reader, which gives
// names without their directory part: a name met twice keeps the archive's own CRC.
class CrcSink final : public archive::FlatSink {
 public:
  Begun Begin(const std::string& flat_name, std::uint64_t) override {
    name_ = Lower(flat_name);
    crc_ = 0xFFFFFFFFu;
    return {Success()};
  }
  Status Data(const char* data, std::size_t size) override {
    crc_ = CRC32Update(crc_, data, size);
    return Success();
  }
  Status End() override {
    auto [it, added] = crcs_.emplace(name_, ~crc_);
    if (!added) it->second.reset();
    return Success();
  }
  void Abandon() override {}
  std::unordered_map<std::string, std::optional<std::uint32_t>> crcs_;

 private:
  std::string name_;
  std::uint32_t crc_ = 0;
};

}  // namespace

// A ROM folder's entries by their lower-case names, listed once.
struct Collection::Folder {
  std::string path;
  std::unordered_map<std::string, fs::DirEntry> entries;
};

Collection::Collection(std::vector<std::string> rom_dirs, bool exact, HeldSetMemory* memory)
    : exact_(exact), memory_(exact ? nullptr : memory) {
  for (std::string& dir : rom_dirs) {
    auto folder = std::make_unique<Folder>();
    folder->path = fs::IncludeTrailingSeparator(dir);
    for (fs::DirEntry& entry : fs::List(folder->path))
      folder->entries.emplace(Lower(entry.name), std::move(entry));
    folders_.push_back(std::move(folder));
  }
}

Collection::~Collection() = default;

std::string Collection::Find(std::string_view name, bool& is_directory) {
  const std::string lower = Lower(name);
  for (const auto& folder : folders_) {
    for (const char* extension : {".zip", ".7z"}) {
      auto it = folder->entries.find(lower + extension);
      if (it != folder->entries.end() && !it->second.is_directory) {
        is_directory = false;
        return folder->path + it->second.name;
      }
    }
    auto it = folder->entries.find(lower);
    if (it != folder->entries.end() && it->second.is_directory) {
      is_directory = true;
      return folder->path + it->second.name;
    }
  }
  return {};
}

const HeldSet& Collection::Set(std::string_view name) {
  const std::string key = Lower(name);
  if (auto it = sets_.find(key); it != sets_.end()) return it->second;
  HeldSet& set = sets_[key];
  // A name with a directory part would reach outside the ROM folders.
  if (archive::FlatName(key) != key) return set;
  bool is_directory = false;
  set.path = Find(key, is_directory);
  if (set.path.empty()) return set;
  if (is_directory) {
    const std::string dir = fs::IncludeTrailingSeparator(set.path);
    for (const fs::DirEntry& entry : fs::List(dir)) {
      if (entry.is_directory) continue;
      HeldFile file{Lower(entry.name), 0, 0, false};
      if (Result<platform::InputFile> opened = platform::InputFile::Open(dir + entry.name)) {
        file.size = opened->Size();
        file.crc_known = FileCRC32(dir + entry.name, file.crc);
      } else if (set.problem.empty()) {
        set.problem = dir + entry.name + ": " + opened.Message();
        continue;
      }
      set.files.push_back(std::move(file));
    }
    return set;
  }
  if (memory_ != nullptr) {
    if (std::optional<std::vector<HeldFile>> files = memory_->Recall(set.path)) {
      set.files = std::move(*files);
      return set;
    }
  }
  const bool zip = EqualNoCase(fs::ExtractFileExt(set.path), ".zip");
  Result<std::vector<archive::StoredEntry>> entries =
      zip ? archive::ReadZipDirectory(set.path) : archive::Read7zDirectory(set.path);
  if (!entries) {
    set.problem = entries.Message().starts_with(set.path) ? entries.Message()
                                                          : set.path + ": " + entries.Message();
    return set;
  }
  AddStored(*entries, set);
  if (!exact_) {
    if (memory_ != nullptr) memory_->Remember(set.path, set.files);
    return set;
  }
  if (zip) {
    DecodeZipMembers(set.path, *entries, set);
    return set;
  }
  CrcSink sink;
  if (Status read = archive::ReadFlat(set.path, sink); !read) set.problem = read.Message();
  for (HeldFile& file : set.files) {
    auto it = sink.crcs_.find(std::string(fs::ExtractFileName(file.name)));
    if (it == sink.crcs_.end()) {
      file.crc = ~file.crc;  // not decoded: never the listed one
    } else if (it->second) {
      file.crc = *it->second;
    }
  }
  return set;
}

Result<std::string> ChdHeaderSha1(std::string_view header) {
  auto be32 = [&](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
      value = value << 8 | static_cast<unsigned char>(header[at + i]);
    return value;
  };
  if (header.size() < 16 || header.substr(0, 8) != "MComprHD") return Failure("not a CHD file");
  const std::uint32_t length = be32(8), version = be32(12);
  // Where each version keeps the SHA-1 of the whole disk (data and metadata), and its length.
  std::size_t at = 0, expected = 0;
  switch (version) {
    case 3:
      at = 80, expected = 120;
      break;
    case 4:
      at = 48, expected = 108;
      break;
    case 5:
      at = 84, expected = 124;
      break;
    default:
      return Failure("a CHD of version " + std::to_string(version) +
                     ", which the emulator does not read");
  }
  if (length != expected || header.size() < expected) return Failure("its CHD header is cut short");
  return std::string(header.substr(at, 20));
}

HeldDisk Collection::Disk(std::string_view set, std::string_view name) {
  HeldDisk disk;
  const std::string wanted = Lower(name) + ".chd";
  if (archive::FlatName(Lower(set)) != Lower(set) || archive::FlatName(wanted) != wanted)
    return disk;
  for (const auto& folder : folders_) {
    auto it = folder->entries.find(Lower(set));
    if (it == folder->entries.end() || !it->second.is_directory) continue;
    const std::string dir = folder->path + it->second.name + "/";
    for (const fs::DirEntry& entry : fs::List(dir)) {
      if (Lower(entry.name) != wanted) continue;
      disk.path = dir + entry.name;
      Result<platform::InputFile> file = platform::InputFile::Open(disk.path);
      if (!file) {
        disk.problem = disk.path + ": " + file.Message();
        return disk;
      }
      std::string header(124, '\0');
      const long got = file->Read(header.data(), header.size());
      header.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
      Result<std::string> sha1 = ChdHeaderSha1(header);
      if (sha1) {
        disk.sha1 = *sha1;
      } else {
        disk.problem = disk.path + ": " + sha1.Message();
      }
      return disk;
    }
  }
  return disk;
}

}  // namespace kw
