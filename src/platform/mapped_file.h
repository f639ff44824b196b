// A file's bytes mapped read-only, for reading a large file front to back without copying it:
// the pages already read can be given back, so the file never stays resident as a whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/result.h"

namespace kw::platform {

class MappedFile {
 public:
  // The regular file at `path` (resolved as platform::fs resolves it). One whose size is not
  // known up front (a /proc file) is read into memory instead. The failure carries the system's
  // reason; a FIFO, a socket or a device is refused with "<path>: not a regular file".
  static Result<MappedFile> Open(std::string_view path);

  MappedFile() = default;
  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  std::string_view Bytes() const { return {data_, size_}; }
  // Gives back the memory of the pages of the bytes from `from` to `to` (the page that `to` ends
  // inside excepted). They stay
  // readable (read again, they come back from the file), so this is only a hint for a reader
  // that goes forward. Readers of other parts of the file may call it at the same time.
  void Release(std::size_t from, std::size_t to) const;

 private:
  void Unmap();

  const char* data_ = nullptr;
  std::size_t size_ = 0;
  bool mapped_ = false;
  std::string owned_;  // the bytes of a file that could not be mapped
};

}  // namespace kw::platform
