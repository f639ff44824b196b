// The program's scratch files and directories in the emulator's directory (the temporary
// directory the sets are put into, the capture of the emulator's output): always made anew by
// the program, never reached through a link that someone planted in their place. A link found
// there is removed, not followed, and the caller says so.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace kw::platform {

// A scratch file open for writing; the descriptor is closed with the object.
class ScratchFile {
 public:
  ScratchFile() = default;
  explicit ScratchFile(int fd) : fd_(fd) {}
  ScratchFile(ScratchFile&& other) noexcept;
  ScratchFile& operator=(ScratchFile&& other) noexcept;
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile();

  int Fd() const { return fd_; }

 private:
  int fd_ = -1;
};

// Creates the file at `path` (as given, relative to the current directory) empty and for
// writing only. What stands there first is removed: a link (never followed; `removed_link` is
// then set), or a file of an earlier run; a directory fails. The file is then created
// exclusively and without following a link, so nothing that appears meanwhile is written
// through either.
Result<ScratchFile> CreateScratchFile(const std::string& path, bool& removed_link);

// Adds `bytes` at the end of the scratch file at `path` (never through a link): whether the
// file can still be written where it lies (a full disk, a file-size limit). Fails with the
// system's reason.
Status AppendToScratchFile(const std::string& path, std::string_view bytes);

// Makes the directory at `path` when it is missing. A link in its place is removed first (never
// followed), and so is every link directly inside a directory that is already there; the path of
// each link removed is added to `removed_links`. Fails with the system's reason.
Status MakeScratchDirectory(const std::string& path, std::vector<std::string>& removed_links);

}  // namespace kw::platform
