// A collection of today's emulator as its audit sees it: the sets in the ROM folders (ZIP and 7z
// archives, and folders named after a set), each read once and kept, with every file's stored
// name, size and CRC-32, and the disks (CHD files) in the sets' folders. Only ever read.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/result.h"

namespace kw {

// One file of a set as its archive or folder holds it.
struct HeldFile {
  std::string name;  // as stored, directory part included ("pacman/pm1.bin"), in lower case
  std::uint64_t size = 0;
  std::uint32_t crc = 0;  // the stored one, or (exact) the one its data has
  bool crc_known = false;
};

struct HeldSet {
  std::string path;  // the archive or folder; empty when the set is in no ROM folder
  std::vector<HeldFile> files;
  // Why the set, or one of its files, could not be read (the files read are kept).
  std::string problem;
};

// What a CHD's header says of the disk.
struct HeldDisk {
  std::string path;  // empty when there is none
  std::string sha1;  // its 20 bytes; empty when the file is no disk image this program reads
  std::string problem;
};

// What the directories of archives said, remembered while each archive stays unchanged, so that
// a check that believes the directories reads only the archives whose size or time changed.
class HeldSetMemory {
 public:
  virtual ~HeldSetMemory() = default;
  // The files of the archive at `path` as remembered, or nothing when it changed or is new.
  virtual std::optional<std::vector<HeldFile>> Recall(const std::string& path) = 0;
  virtual void Remember(const std::string& path, const std::vector<HeldFile>& files) = 0;
};

class Collection {
 public:
  // `rom_dirs`: the ROM folders in the emulator's order, each with its trailing separator.
  // With `exact`, every file's data is decoded and its CRC-32 is the one it really has; else
  // the archives' own records are believed, as the emulator's audit believes them, and
  // `memory` (when given; it must outlive the collection) saves reading unchanged archives.
  Collection(std::vector<std::string> rom_dirs, bool exact, HeldSetMemory* memory = nullptr);
  ~Collection();

  // The set of that name (any case) in the first ROM folder that has it; read once.
  const HeldSet& Set(std::string_view name);
  // The disk NAME.chd in the folder of set `set`, in the first ROM folder that has it.
  HeldDisk Disk(std::string_view set, std::string_view name);

 private:
  struct Folder;
  std::string Find(std::string_view name, bool& is_directory);

  std::vector<std::unique_ptr<Folder>> folders_;
  bool exact_;
  HeldSetMemory* memory_;
  std::unordered_map<std::string, HeldSet> sets_;
};

// The SHA-1 a CHD header gives (versions 3, 4 and 5), from the file's first bytes; a failure
// says why the header is none of those.
Result<std::string> ChdHeaderSha1(std::string_view header);

}  // namespace kw
