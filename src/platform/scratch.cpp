#include "platform/scratch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/fs.h"

namespace kw::platform {

ScratchFile::ScratchFile(ScratchFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

ScratchFile& ScratchFile::operator=(ScratchFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

ScratchFile::~ScratchFile() {
  if (fd_ >= 0) close(fd_);
}

Result<ScratchFile> CreateScratchFile(const std::string& path, bool& removed_link) {
  struct stat st;
  if (lstat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Failure(std::strerror(EISDIR));
    if (unlink(path.c_str()) != 0 && errno != ENOENT) return Failure(std::strerror(errno));
    if (S_ISLNK(st.st_mode)) removed_link = true;
  }
  int fd;
  do {
    fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return Failure(std::strerror(errno));
  return ScratchFile(fd);
}

Status AppendToScratchFile(const std::string& path, std::string_view bytes) {
  int fd;
  do {
    fd = open(path.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return Failure(std::strerror(errno));
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int code = errno;
      close(fd);
      return Failure(std::strerror(code));
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  if (close(fd) != 0) return Failure(std::strerror(errno));
  return Success();
}

Status MakeScratchDirectory(const std::string& path, std::vector<std::string>& removed_links) {
  const std::string dir = fs::ExcludeTrailingSeparator(path);
  struct stat st;
  if (lstat(dir.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (unlink(dir.c_str()) != 0) return Failure(std::strerror(errno));
    removed_links.push_back(dir);
  }
  if (mkdir(dir.c_str(), 0777) == 0) return Success();
  if (errno != EEXIST) return Failure(std::strerror(errno));
  // Something is there already: only a real directory is taken, and a link in it goes.
  if (lstat(dir.c_str(), &st) != 0) return Failure(std::strerror(errno));
  if (!S_ISDIR(st.st_mode)) return Failure(std::strerror(ENOTDIR));
  DIR* listing = opendir(dir.c_str());
  if (!listing) return Failure(std::strerror(errno));
  const int dir_fd = dirfd(listing);
  std::vector<std::string> links;
  while (dirent* entry = readdir(listing)) {
    struct stat inside;
    if (fstatat(dir_fd, entry->d_name, &inside, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISLNK(inside.st_mode) && unlinkat(dir_fd, entry->d_name, 0) == 0)
      links.push_back(dir + "/" + entry->d_name);
  }
  closedir(listing);
  removed_links.insert(removed_links.end(), links.begin(), links.end());
  return Success();
}

}  // namespace kw::platform
