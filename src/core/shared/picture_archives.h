// Pictures kept in a ZIP or 7z archive instead of loose files. A picture directory D (the
// setting, with its trailing separator) may hold an archive named after its own last component,
// D/snap.zip or D/snap.7z for a directory .../snap; the setting may also name the archive
// itself (.../snap.zip), or the archive may lie beside the directory where the setting points
// (.../snap.zip for .../snap, whether that directory exists or not). Members are matched by file
// name without regard to case, at the archive's root or in one folder named like the archive
// (snap/pacman.png in snap.zip).
//
// Each archive's directory is read once and kept while the file keeps its size, modification
// and change times and inode, so that a look-up among tens of thousands of members costs a few
// file-system looks and a hash look-up. An archive that cannot be read gets one logged line for
// each version of the file, and its pictures count as absent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/result.h"
#include "platform/fs.h"
#include "platform/zip_directory.h"

namespace kw {

// One archive's members that can be pictures.
class PictureArchive {
 public:
  // `zip`: the entries come from a ZIP's central directory and carry where their data lies.
  PictureArchive(std::string_view archive_name, std::vector<platform::archive::StoredEntry> entries,
                 bool zip);

  // The member of that file name ("pacman.png", any case), or nullptr.
  const platform::archive::StoredEntry* Find(std::string_view file_name) const;
  // The extension (".WMF", ".BMP", ".JPG" or ".PNG") of the last of those that `base` has as a
  // member, as for loose files; empty when there is none.
  std::string FindPictureExt(std::string_view base) const;
  bool Zip() const { return zip_; }
  std::size_t Size() const { return by_name_.size(); }

 private:
  std::vector<platform::archive::StoredEntry> entries_;
  // Upper-cased file name -> index in entries_.
  std::unordered_map<std::string, std::size_t> by_name_;
  bool zip_;
};

// The archives that may hold the pictures of `directory` (a picture directory with its trailing
// separator), in the order they are tried.
std::vector<std::string> PictureArchivePaths(std::string_view directory);

// The directories of the picture archives read so far, shared by the picture tabs and the
// verifier.
class PictureArchives {
 public:
  // The archive at `path`, read when new or changed; nullptr when there is no such file or it
  // cannot be read.
  std::shared_ptr<const PictureArchive> Get(const std::string& path);
  // How often an archive's directory was read (for tests and the benchmark).
  std::size_t Reads() const;

  static PictureArchives& Shared();

 private:
  struct Kept {
    std::string path;
    platform::fs::FileStamp stamp;
    std::shared_ptr<const PictureArchive> archive;  // nullptr: could not be read
  };
  mutable std::mutex mutex_;
  std::vector<Kept> kept_;  // the most recently used first
  std::size_t reads_ = 0;
};

// The bytes of the member `member` of the picture archive at `archive`, at most `limit`.
Result<std::string> ReadPictureMember(const std::string& archive, const std::string& member,
                                      std::uint64_t limit);

}  // namespace kw
