// The one way outside files are opened for reading: sets and sample sets (archives and the files
// of directory sets), pictures, data and settings files, whatever the user's collection and the
// emulator's directory hold. Opening a FIFO for reading waits for a writer that may never come,
// and a device or a socket has no end to read up to; so the file is opened without waiting and
// taken only when it is a regular file (or a directory, where one is asked for). Anything else
// is refused with kNotRegularFile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/result.h"

namespace kw::platform {

inline constexpr const char* kNotRegularFile = "not a regular file";

enum class InputKind {
  kFile,             // a regular file only; a directory fails with the system's "Is a directory"
  kFileOrDirectory,  // a directory is taken too (a directory set)
};

enum class InputLinks {
  kFollow,  // a link is read through, as the file it names
  kRefuse,  // a link itself is refused with the system's reason (ELOOP)
};

class InputFile {
 public:
  // Opens `path` as it is (callers resolve names first). The descriptor is close-on-exec and
  // blocking again once the file is known to be regular. Fails with the system's reason, or with
  // kNotRegularFile for a FIFO, a socket or a device.
  static Result<InputFile> Open(const std::string& path, InputKind kind = InputKind::kFile,
                                InputLinks links = InputLinks::kFollow);

  InputFile() = default;
  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  int Fd() const { return fd_; }
  bool IsDirectory() const { return directory_; }
  std::uint64_t Size() const { return size_; }  // as the file system says at the open
  // Reads up to `size` bytes (fewer only at the end); -1 with errno on failure.
  long Read(char* data, std::size_t size);
  // Moves to `offset` from the start; false with errno on failure.
  bool Seek(std::uint64_t offset);
  // The rest of the file. A file whose size is not known up front (/proc) grows the buffer.
  Result<std::string> ReadAll();
  // Gives up the descriptor to the caller, who closes it.
  int Release();

 private:
  explicit InputFile(int fd) : fd_(fd) {}
  void Close();

  int fd_ = -1;
  bool directory_ = false;
  std::uint64_t size_ = 0;
};

}  // namespace kw::platform
