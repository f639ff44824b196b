#include "platform/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/memory_advice.h"

namespace kw::platform {

Result<InputFile> InputFile::Open(const std::string& path, InputKind kind, InputLinks links) {
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer. On a regular file
  // it changes nothing; it is cleared below all the same.
  int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  if (links == InputLinks::kRefuse) flags |= O_NOFOLLOW;
  int fd;
  do {
    fd = open(path.c_str(), flags);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    // A socket cannot be opened at all (ENXIO), nor can a device without its driver: each is
    // said for what it is.
    const int code = errno;
    struct stat st;
    if ((code == ENXIO || code == ENODEV) && stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) &&
        !S_ISDIR(st.st_mode))
      return Failure(kNotRegularFile);
    return Failure(std::strerror(code));
  }
  InputFile file(fd);
  struct stat st;
  if (fstat(fd, &st) != 0) return Failure(std::strerror(errno));
  if (S_ISDIR(st.st_mode)) {
    if (kind != InputKind::kFileOrDirectory) return Failure(std::strerror(EISDIR));
    file.directory_ = true;
    return file;
  }
  if (!S_ISREG(st.st_mode)) return Failure(kNotRegularFile);
  const int status = fcntl(fd, F_GETFL);
  if (status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0)
    return Failure(std::strerror(errno));
  file.size_ = st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
  return file;
}

InputFile::InputFile(InputFile&& other) noexcept {
  *this = std::move(other);
}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    directory_ = other.directory_;
    size_ = other.size_;
  }
  return *this;
}

InputFile::~InputFile() {
  Close();
}

void InputFile::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

int InputFile::Release() {
  return std::exchange(fd_, -1);
}

long InputFile::Read(char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = read(fd_, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<long>(done);
}

bool InputFile::Seek(std::uint64_t offset) {
  return lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

Result<std::string> InputFile::ReadAll() {
  // One read of the known size (and one more to see the end), into a buffer that a large file
  // fills through huge pages.
  const std::size_t expected = size_ > 0 ? static_cast<std::size_t>(size_) + 1 : 4096;
  std::string data;
  data.reserve(expected);
  AdviseHugePages(data.data(), data.capacity());
  data.resize(expected);
  std::size_t used = 0;
  for (;;) {
    if (used == data.size()) data.resize(data.size() * 2);
    const ssize_t n = read(fd_, data.data() + used, data.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Failure(std::strerror(errno));
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  data.resize(used);
  return data;
}

}  // namespace kw::platform
