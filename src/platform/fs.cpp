// File access on Linux (the case-insensitive name matching and the path texts: fs_names.cpp).
#include "platform/fs.h"

#include "common/ascii.h"
#include "platform/input_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace kw::platform::fs {
namespace {

Error SystemError(int code) {
  return Failure(std::strerror(code));
}

Error NotRegular(const std::string& path) {
  return Failure(path + ": not a regular file");
}

// Refuses a write through `path` when something other than a regular file lies there (followed
// through links): writing into a FIFO would block, and a device is no file of ours.
Status CheckWritableTarget(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    return S_ISDIR(st.st_mode) ? Status(SystemError(EISDIR)) : Status(NotRegular(path));
  }
  return Success();
}

int OpenRetry(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool WriteAll(int fd, std::string_view data) {
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Writes `data` to the open descriptor and closes it; false (errno set) on any failure.
bool WriteAndClose(int fd, std::string_view data) {
  bool ok = WriteAll(fd, data);
  int saved = errno;
  if (close(fd) != 0 && ok) return false;
  errno = saved;
  return ok;
}

Status DeleteTreeResolved(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return SystemError(errno);
  if (S_ISDIR(st.st_mode)) {
    DIR* dir = opendir(path.c_str());
    if (!dir) return SystemError(errno);
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
      std::string_view name = entry->d_name;
      if (name != "." && name != "..") names.emplace_back(name);
    }
    closedir(dir);
    std::string base = IncludeTrailingSeparator(path);
    for (const std::string& name : names) {
      if (Status deleted = DeleteTreeResolved(base + name); !deleted) return deleted;
    }
    if (rmdir(path.c_str()) != 0) return SystemError(errno);
    return Success();
  }
  if (unlink(path.c_str()) != 0) return SystemError(errno);
  return Success();
}

// The process number in the name of a temporary file that an atomic write of `name` made
// (".NAME.tmpPID-N"), or 0 when `entry` is no such name.
pid_t TempFileOwner(std::string_view entry, std::string_view name) {
  const std::string prefix = "." + std::string(name) + ".tmp";
  if (!entry.starts_with(prefix)) return 0;
  entry.remove_prefix(prefix.size());
  std::size_t dash = entry.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == entry.size()) return 0;
  for (std::size_t i = 0; i < entry.size(); ++i) {
    if (i != dash && (entry[i] < '0' || entry[i] > '9')) return 0;
  }
  long long pid = 0;
  for (std::size_t i = 0; i < dash && pid <= 0x7fffffff; ++i)
    pid = pid * 10 + (entry[i] - '0');
  return pid > 0 && pid <= 0x7fffffff ? static_cast<pid_t>(pid) : 0;
}

// Removes the temporary files of earlier writes of `name` in `directory` whose process is gone
// (killed in the middle of a write). A live process's file, this one's included, is its own.
void RemoveStaleTempFiles(const std::string& directory, const std::string& name) {
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (!dir) return;
  std::vector<std::string> stale;
  while (dirent* entry = readdir(dir)) {
    pid_t owner = TempFileOwner(entry->d_name, name);
    if (owner == 0 || owner == getpid()) continue;
    if (kill(owner, 0) == 0 || errno != ESRCH) continue;  // alive (or not ours to judge)
    stale.emplace_back(entry->d_name);
  }
  closedir(dir);
  for (const std::string& file : stale) {
    struct stat st;
    const std::string path = directory + file;
    if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid()) {
      unlink(path.c_str());
    }
  }
}

// stat of the path Resolve gives. A path that exists as written is its own resolution, so it is
// tried first: the common case costs one call instead of Resolve's and then stat's.
int StatResolved(std::string_view path, struct stat& st) {
  if (!path.empty() && stat(std::string(path).c_str(), &st) == 0) return 0;
  return stat(Resolve(path).c_str(), &st);
}

}  // namespace

bool Exists(std::string_view path) {
  struct stat st;
  return StatResolved(path, st) == 0;
}

bool FileExists(std::string_view path) {
  struct stat st;
  return StatResolved(path, st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view path) {
  struct stat st;
  return StatResolved(path, st) == 0 && S_ISDIR(st.st_mode);
}

bool IsLink(std::string_view path) {
  struct stat st;
  return lstat(ExcludeTrailingSeparator(Resolve(path)).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::optional<std::uint64_t> FileSize(std::string_view path) {
  struct stat st;
  if (StatResolved(path, st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

std::optional<std::int64_t> ModificationTime(std::string_view path) {
  struct stat st;
  if (StatResolved(path, st) != 0) return std::nullopt;
  return static_cast<std::int64_t>(st.st_mtime);
}

Result<std::string> ReadFile(std::string_view path) {
  const std::string resolved = Resolve(path);
  Result<InputFile> file = InputFile::Open(resolved);
  if (!file) {
    return file.Message() == kNotRegularFile ? NotRegular(resolved) : Failure(file.Message());
  }
  return file->ReadAll();
}

Status WriteFile(std::string_view path, std::string_view data) {
  const std::string resolved = Resolve(path);
  if (Status writable = CheckWritableTarget(resolved); !writable) return writable;
  int fd = OpenRetry(resolved.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0 || !WriteAndClose(fd, data)) return SystemError(errno);
  return Success();
}

namespace {

// The file written beside `target` and renamed over it: `temp_name` when given (one left behind
// by an earlier write is replaced), else a name of its own that no other write uses.
int CreateTempFile(const std::string& directory, const std::string& name,
                   std::string_view temp_name, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  if (!temp_name.empty()) {
    temp = directory + std::string(temp_name);
    struct stat st;
    if (lstat(temp.c_str(), &st) == 0) {
      if (!S_ISREG(st.st_mode)) {
        errno = EEXIST;
        return -1;
      }
      unlink(temp.c_str());
    }
    return OpenRetry(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  }
  RemoveStaleTempFiles(directory, name);
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = directory + "." + name + ".tmp" + std::to_string(getpid()) + "-" +
           std::to_string(counter.fetch_add(1));
    fd = OpenRetry(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  return fd;
}

Status WriteAtomic(std::string_view path, std::string_view data, std::string_view temp_name) {
  Result<AtomicFile> file = AtomicFile::Begin(path, temp_name);
  if (!file) return Failure(file.Message());
  if (Status written = file->WriteAt(0, data); !written) return written;
  return file->Commit();
}

}  // namespace

Result<AtomicFile> AtomicFile::Begin(std::string_view path, std::string_view temp_name) {
  std::string target = Resolve(path);
  // A linked file is replaced where it really lies, so the link stays a link.
  if (char* real = realpath(target.c_str(), nullptr)) {
    target = real;
    free(real);
  }
  // The rename would put a regular file in the place of a FIFO, a device or a dangling link.
  struct stat old;
  const bool had_old = lstat(target.c_str(), &old) == 0;
  if (had_old && S_ISDIR(old.st_mode)) return SystemError(EISDIR);
  if (had_old && !S_ISREG(old.st_mode)) return NotRegular(target);
  // The rename would also replace a file that is read-only to this process: it stays.
  if (had_old && access(target.c_str(), W_OK) != 0) return SystemError(errno);
  AtomicFile file;
  file.directory_ = ExtractFilePath(target);
  const std::string name = ExtractFileName(target);
  file.fd_ = CreateTempFile(file.directory_, name, temp_name, file.temp_);
  if (file.fd_ < 0) {
    if (errno == EEXIST && !temp_name.empty()) return NotRegular(file.temp_);
    return SystemError(errno);
  }
  if (had_old) fchmod(file.fd_, old.st_mode & 07777);  // keep the file's permissions
  file.target_ = std::move(target);
  return file;
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      temp_(std::move(other.temp_)),
      target_(std::move(other.target_)),
      directory_(std::move(other.directory_)) {}

AtomicFile::~AtomicFile() {
  if (fd_ < 0) return;
  close(fd_);
  unlink(temp_.c_str());
}

Status AtomicFile::WriteAt(std::uint64_t offset, std::string_view data) const {
  if (fd_ < 0) return SystemError(EBADF);
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n =
        pwrite(fd_, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return SystemError(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  return Success();
}

Status AtomicFile::Commit() {
  if (fd_ < 0) return SystemError(EBADF);
  const int fd = std::exchange(fd_, -1);
  bool ok = fsync(fd) == 0;
  int code = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (ok && rename(temp_.c_str(), target_.c_str()) != 0) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    unlink(temp_.c_str());
    return SystemError(code);
  }
  int dir_fd = OpenRetry(directory_.empty() ? "." : directory_.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir_fd >= 0) {
    fsync(dir_fd);
    close(dir_fd);
  }
  return Success();
}

bool CanWrite(std::string_view path) {
  const std::string resolved = Resolve(path);
  return FileExists(resolved) && access(resolved.c_str(), W_OK) == 0;
}

bool CanWriteIn(std::string_view directory) {
  const std::string resolved = Resolve(directory.empty() ? std::string_view(".") : directory);
  return DirectoryExists(resolved) && access(resolved.c_str(), W_OK | X_OK) == 0;
}

Status WriteFileAtomic(std::string_view path, std::string_view data) {
  return WriteAtomic(path, data, {});
}

Status WriteFileAtomic(std::string_view path, std::string_view data, std::string_view temp_name) {
  if (temp_name.empty() || temp_name.find(kSeparator) != std::string_view::npos ||
      temp_name == "." || temp_name == "..") {
    return SystemError(EINVAL);
  }
  return WriteAtomic(path, data, temp_name);
}

Status CreateFile(std::string_view path) {
  return WriteFile(path, {});
}

std::vector<DirEntry> List(std::string_view directory) {
  std::vector<DirEntry> entries;
  std::string resolved = Resolve(directory);
  DIR* dir = opendir(resolved.empty() ? "." : resolved.c_str());
  if (!dir) return entries;
  std::string base = resolved.empty() ? std::string() : IncludeTrailingSeparator(resolved);
  while (dirent* entry = readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool is_directory = entry->d_type == DT_DIR;
    bool is_link = entry->d_type == DT_LNK;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat lst;
      if (lstat((base + std::string(name)).c_str(), &lst) == 0) {
        is_link = S_ISLNK(lst.st_mode);
        is_directory = S_ISDIR(lst.st_mode);
      }
    }
    if (is_link) {
      struct stat st;
      is_directory = stat((base + std::string(name)).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    entries.push_back({std::string(name), is_directory, is_link});
  }
  closedir(dir);
  std::sort(entries.begin(), entries.end(),
            [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return entries;
}

Status Copy(std::string_view from, std::string_view to) {
  const std::string source = Resolve(from);
  Result<InputFile> input = InputFile::Open(source);
  if (!input) {
    return input.Message() == kNotRegularFile ? NotRegular(source) : Failure(input.Message());
  }
  const int in = input->Fd();
  const std::string target = Resolve(to);
  if (Status writable = CheckWritableTarget(target); !writable) return writable;
  int out = OpenRetry(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (out < 0) return SystemError(errno);
  std::string buffer(1 << 20, '\0');
  bool ok = true;
  for (;;) {
    ssize_t n = read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    if (!WriteAll(out, std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
      ok = false;
      break;
    }
  }
  int code = errno;
  if (close(out) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (!ok) return SystemError(code);
  return Success();
}

Status Rename(std::string_view from, std::string_view to) {
  if (rename(Resolve(from).c_str(), Resolve(to).c_str()) != 0) return SystemError(errno);
  return Success();
}

Status Delete(std::string_view path) {
  if (unlink(Resolve(path).c_str()) != 0) return SystemError(errno);
  return Success();
}

Status DeleteTree(std::string_view path) {
  std::string resolved = ExcludeTrailingSeparator(Resolve(path));
  if (resolved.empty() || resolved == "/") return SystemError(EINVAL);
  return DeleteTreeResolved(resolved);
}

Status MakeDirectory(std::string_view path) {
  if (mkdir(Resolve(path).c_str(), 0777) != 0) return SystemError(errno);
  return Success();
}

Status MakeDirectories(std::string_view path) {
  std::string resolved = Resolve(path);
  if (resolved.empty()) return SystemError(ENOENT);
  std::size_t pos = 1;
  for (;;) {
    std::size_t end = resolved.find(kSeparator, pos);
    std::string prefix = resolved.substr(0, end);
    if (!prefix.empty() && mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) {
      return SystemError(errno);
    }
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  struct stat st;
  if (stat(resolved.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return SystemError(ENOTDIR);
  return Success();
}

std::string CurrentDirectory() {
  std::string buffer(4096, '\0');
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return "./";
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(std::strlen(buffer.c_str()));
  return IncludeTrailingSeparator(buffer);
}

Status SetCurrentDirectory(std::string_view path) {
  if (chdir(Resolve(path).c_str()) != 0) return SystemError(errno);
  return Success();
}

}  // namespace kw::platform::fs
