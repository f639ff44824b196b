#include "platform/archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/fs.h"
#include "platform/input_file.h"

namespace kw::platform::archive {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;
// A hostile archive could name millions of refused entries; the report stays readable.
constexpr std::size_t kMaxProblems = 100;

struct ArchiveCloser {
  void operator()(struct archive* a) const { archive_read_free(a); }
};
using ArchivePtr = std::unique_ptr<struct archive, ArchiveCloser>;

std::string LibMessage(struct archive* a) {
  const char* text = archive_error_string(a);
  return text && *text ? text : "the archive is damaged";
}

// An archive being read, with the file it reads from (closed after the archive is freed).
struct OpenedArchive {
  InputFile file;
  ArchivePtr archive;
  struct archive* get() const {
    return archive.get();
  }
};

Result<OpenedArchive> OpenArchive(std::string_view path) {
  // Opened here rather than by name in libarchive, whose open would wait for a FIFO's writer.
  Result<InputFile> file = InputFile::Open(fs::Resolve(path));
  if (!file) return Failure(file.Message());
  OpenedArchive opened{std::move(file).Value(), ArchivePtr(archive_read_new())};
  struct archive* a = opened.get();
  if (!a) return Failure("out of memory");
  archive_read_support_format_zip(a);
  archive_read_support_format_rar(a);
  archive_read_support_format_rar5(a);
  archive_read_support_format_7zip(a);
  if (archive_read_open_fd(a, opened.file.Fd(), kBlockSize) != ARCHIVE_OK)
    return Failure(LibMessage(a));
  return opened;
}

Entry Describe(struct archive_entry* e) {
  Entry entry;
  const char* name = archive_entry_pathname(e);
  if (!name) name = archive_entry_pathname_utf8(e);
  if (name) {
    // A name too long is cut here, before any copy of it is kept; the reader refuses it.
    const std::size_t length = strnlen(name, kMaxNameBytes + 1);
    entry.name.assign(name, length);
  }
  switch (archive_entry_filetype(e)) {
    case 0:  // no type stored: a plain file
    case AE_IFREG:
      entry.type = EntryType::File;
      break;
    case AE_IFDIR:
      entry.type = EntryType::Directory;
      break;
    case AE_IFLNK:
      entry.type = EntryType::Link;
      break;
    default:
      entry.type = EntryType::Other;
  }
  if (archive_entry_hardlink(e) || archive_entry_symlink(e)) entry.type = EntryType::Link;
  entry.size_known = archive_entry_size_is_set(e) != 0;
  entry.size = entry.size_known && archive_entry_size(e) > 0
                   ? static_cast<std::uint64_t>(archive_entry_size(e))
                   : 0;
  entry.encrypted = archive_entry_is_encrypted(e) != 0;
  return entry;
}

std::string SystemReason(int code) {
  return std::strerror(code);
}

std::uint64_t FreeSpace(const std::string& dir) {
  struct statvfs vfs;
  if (statvfs(dir.c_str(), &vfs) != 0) return UINT64_MAX;  // unknown: the writes will tell
  return static_cast<std::uint64_t>(vfs.f_bavail) * vfs.f_frsize;
}

// Writes one file of the flat directory: into a temporary name first (created anew, never
// through a link), renamed over the target only when that is a regular file or nothing.
class FlatFile {
 public:
  FlatFile(std::string dir, std::string name)
      : dir_(std::move(dir)),
        name_(std::move(name)),
        temp_(dir_ + ".kwpart-" + std::to_string(getpid())) {}
  ~FlatFile() {
    if (fd_ >= 0) {
      close(fd_);
      unlink(temp_.c_str());
    }
  }

  Status Open() {
    for (int attempt = 0; attempt < 2; ++attempt) {
      fd_ = open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
      if (fd_ >= 0) return Success();
      if (errno != EEXIST) break;
      unlink(temp_.c_str());  // left by an earlier run of this process number
    }
    return Failure(SystemReason(errno));
  }

  Status Write(const char* data, std::size_t size) {
    while (size > 0) {
      ssize_t n = write(fd_, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return Failure(SystemReason(errno));
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return Success();
  }

  Status Commit() {
    int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) {
      int code = errno;
      unlink(temp_.c_str());
      return Failure(SystemReason(code));
    }
    const std::string target = dir_ + name_;
    struct stat old;
    if (lstat(target.c_str(), &old) == 0 && !S_ISREG(old.st_mode)) {
      unlink(temp_.c_str());
      return Failure("not a regular file in the temporary directory");
    }
    if (rename(temp_.c_str(), target.c_str()) != 0) {
      int code = errno;
      unlink(temp_.c_str());
      return Failure(SystemReason(code));
    }
    return Success();
  }

 private:
  std::string dir_;
  std::string name_;
  std::string temp_;
  int fd_ = -1;
};

class Problems {
 public:
  void Add(const std::string& name, const std::string& reason) {
    if (count_++ < kMaxProblems) lines_ += (lines_.empty() ? "" : "\n") + name + ": " + reason;
  }
  Status Result() const {
    if (count_ == 0) return Success();
    std::string text = lines_;
    if (count_ > kMaxProblems)
      text += "\n... and " + std::to_string(count_ - kMaxProblems) + " more";
    return Failure(text);
  }

 private:
  std::string lines_;
  std::size_t count_ = 0;
};

}  // namespace

std::string ShortenedName(std::string_view name) {
  return std::string(name.substr(0, 255)) + "...";
}

std::string SetLimitText(const SizeLimits& limits) {
  return "the set passes the limit of " + std::to_string(limits.set) + " bytes" +
         (limits.listed ? " that the sizes its profile lists allow" : "");
}

std::string FileLimitText(const SizeLimits& limits) {
  return "not extracted: the file passes the limit of " + std::to_string(limits.file) +
         " bytes that the sizes its profile lists allow";
}

std::optional<std::string> FlatName(std::string_view stored_name) {
  std::size_t cut = stored_name.find_last_of("/\\");
  std::string_view base = cut == std::string_view::npos ? stored_name : stored_name.substr(cut + 1);
  if (base.empty() || base == "." || base == ".." || base.find('\0') != std::string_view::npos)
    return std::nullopt;
  return std::string(base);
}

namespace {

// Writes each accepted entry into the flat destination directory.
class DirectorySink final : public FlatSink {
 public:
  explicit DirectorySink(std::string dest) : dest_(std::move(dest)) {}
  Begun Begin(const std::string& name, std::uint64_t claimed_size) override {
    if (claimed_size > FreeSpace(dest_))
      return {Failure("not enough free space for the set"), true};
    out_.emplace(dest_, name);
    Status opened = out_->Open();
    if (!opened) out_.reset();
    return {opened, false};
  }
  Status Data(const char* data, std::size_t size) override { return out_->Write(data, size); }
  Status End() override {
    Status done = out_->Commit();
    out_.reset();
    return done;
  }
  void Abandon() override { out_.reset(); }

 private:
  std::string dest_;
  std::optional<FlatFile> out_;
};

}  // namespace

Status ReadFlat(std::string_view archive_path, FlatSink& sink, const SizeLimits& limits) {
  const std::uint64_t limit = limits.set;
  Result<OpenedArchive> opened = OpenArchive(archive_path);
  if (!opened) return Failure(std::string(archive_path) + ": " + opened.Message());
  struct archive* a = opened->get();
  Problems problems;
  const std::vector<char> zeros(kBlockSize, '\0');
  std::uint64_t claimed = 0;
  std::uint64_t written = 0;
  for (;;) {
    struct archive_entry* e = nullptr;
    int r = archive_read_next_header(a, &e);
    if (r == ARCHIVE_EOF) break;
    if (r == ARCHIVE_FATAL || r == ARCHIVE_RETRY) {
      problems.Add(std::string(archive_path), LibMessage(a));
      break;
    }
    const Entry entry = Describe(e);
    const bool too_long = entry.name.size() > kMaxNameBytes;
    const std::string shown = entry.name.empty() ? "(no name)"
                              : too_long         ? ShortenedName(entry.name)
                                                 : entry.name;
    if (r == ARCHIVE_FAILED) {
      problems.Add(shown, LibMessage(a));
      continue;
    }
    if (too_long) {
      problems.Add(shown, kNameTooLong);
      continue;
    }
    if (entry.type == EntryType::Directory) continue;  // the directory is flat
    if (entry.type != EntryType::File) {
      problems.Add(
          shown, entry.type == EntryType::Link ? "links are not extracted" : "not a regular file");
      continue;
    }
    std::optional<std::string> name = FlatName(entry.name);
    if (!name) {
      problems.Add(shown, "not a file name");
      continue;
    }
    if (!sink.Wants(*name)) continue;  // the next header skips its data undecoded
    if (entry.size > limits.file) {    // passed over as the next header skips its data
      sink.Passed(*name, entry.size, std::nullopt);
      problems.Add(shown, FileLimitText(limits));
      continue;
    }
    if (entry.size > limit - std::min(claimed, limit)) {
      problems.Add(shown, SetLimitText(limits));
      break;
    }
    claimed += entry.size;
    FlatSink::Begun begun = sink.Begin(*name, entry.size);
    if (!begun.status) {
      problems.Add(shown, begun.status.Message());
      if (begun.stop) break;
      continue;
    }
    bool stop = false;
    Status entry_status;
    std::uint64_t at = 0;  // how much of the entry the sink has
    int empty_warnings = 0;
    for (;;) {
      const void* block = nullptr;
      std::size_t size = 0;
      la_int64_t offset = 0;
      const int got = archive_read_data_block(a, &block, &size, &offset);
      if (got == ARCHIVE_EOF) break;
      // A warning comes with the entry's last block when its CRC or size does not match what
      // the archive stored. The data is kept as it is, so that the set test can name the CRC it
      // really has.
      if ((got != ARCHIVE_OK && got != ARCHIVE_WARN) || offset < 0 ||
          static_cast<std::uint64_t>(offset) < at) {
        entry_status = Failure(LibMessage(a));
        stop = got == ARCHIVE_FATAL;
        break;
      }
      if (got == ARCHIVE_WARN && size == 0 && ++empty_warnings > 1) break;
      // A hole in sparse data is zeros.
      const std::uint64_t hole = static_cast<std::uint64_t>(offset) - at;
      written += hole + size;
      if (written > limit) {  // the sizes in the headers lied
        entry_status = Failure(SetLimitText(limits));
        stop = true;
        break;
      }
      if (static_cast<std::uint64_t>(offset) + size > limits.file) {  // this header lied
        entry_status = Failure(FileLimitText(limits));
        break;
      }
      for (std::uint64_t left = hole; left > 0 && entry_status;) {
        const std::size_t part =
            static_cast<std::size_t>(std::min<std::uint64_t>(left, kBlockSize));
        entry_status = sink.Data(zeros.data(), part);
        left -= part;
      }
      if (entry_status && size > 0) entry_status = sink.Data(static_cast<const char*>(block), size);
      if (!entry_status) {
        stop = true;  // a full disk or a failing one: the next entries would fail the same
        break;
      }
      at = static_cast<std::uint64_t>(offset) + size;
    }
    if (entry_status) {
      entry_status = sink.End();
    } else {
      sink.Abandon();
    }
    if (!entry_status) problems.Add(shown, entry_status.Message());
    if (stop) break;
  }
  return problems.Result();
}

std::unique_ptr<FlatSink> MakeDirectorySink(std::string_view dest_dir) {
  return std::make_unique<DirectorySink>(fs::IncludeTrailingSeparator(fs::Resolve(dest_dir)));
}

Status ExtractFlat(std::string_view archive_path, std::string_view dest_dir,
                   const SizeLimits& limits) {
  return ReadFlat(archive_path, *MakeDirectorySink(dest_dir), limits);
}

Result<std::vector<Entry>> ListEntries(std::string_view archive_path) {
  Result<OpenedArchive> opened = OpenArchive(archive_path);
  if (!opened) return Failure(opened.Message());
  struct archive* a = opened->get();
  std::vector<Entry> entries;
  for (;;) {
    struct archive_entry* e = nullptr;
    const int r = archive_read_next_header(a, &e);
    if (r == ARCHIVE_EOF) return entries;
    if (r != ARCHIVE_OK && r != ARCHIVE_WARN) return Failure(LibMessage(a));
    entries.push_back(Describe(e));
  }
}

Result<std::string> ReadEntry(std::string_view archive_path, std::string_view stored_name,
                              std::uint64_t limit) {
  Result<OpenedArchive> opened = OpenArchive(archive_path);
  if (!opened) return Failure(opened.Message());
  struct archive* a = opened->get();
  for (;;) {
    struct archive_entry* e = nullptr;
    const int r = archive_read_next_header(a, &e);
    if (r == ARCHIVE_EOF) return Failure(std::string(stored_name) + ": no such entry");
    if (r != ARCHIVE_OK && r != ARCHIVE_WARN) return Failure(LibMessage(a));
    const Entry entry = Describe(e);
    if (entry.name != stored_name || entry.type != EntryType::File) continue;
    if (entry.size > limit) return Failure(std::string(stored_name) + ": the entry is too large");
    std::string data;
    for (;;) {
      const void* block = nullptr;
      std::size_t size = 0;
      la_int64_t offset = 0;
      const int got = archive_read_data_block(a, &block, &size, &offset);
      if (got == ARCHIVE_EOF) return data;
      if ((got != ARCHIVE_OK && got != ARCHIVE_WARN) || offset < 0) return Failure(LibMessage(a));
      // A hole in sparse data is zeros; the header's size may lie, the limit holds anyway.
      const std::uint64_t end = static_cast<std::uint64_t>(offset) + size;
      if (end > limit) return Failure(std::string(stored_name) + ": the entry is too large");
      if (end > data.size()) data.resize(static_cast<std::size_t>(end), '\0');
      if (size > 0) std::memcpy(data.data() + offset, block, size);
    }
  }
}

Status ReadFileFlat(std::string_view source_path, std::string_view name, FlatSink& sink,
                    const SizeLimits& limits) {
  if (!FlatName(name) || *FlatName(name) != name) return Failure("not a file name");
  const std::string source = fs::Resolve(source_path);
  Result<InputFile> in = InputFile::Open(source, InputKind::kFile, InputLinks::kRefuse);
  if (!in) {
    return Failure(in.Message() == SystemReason(ELOOP)    ? "links are not copied"
                   : in.Message() == SystemReason(EISDIR) ? kNotRegularFile
                                                          : in.Message());
  }
  const std::string flat(name);
  if (!sink.Wants(flat)) return Success();
  if (in->Size() > limits.file) {
    sink.Passed(flat, in->Size(), std::nullopt);
    return Failure(FileLimitText(limits));
  }
  FlatSink::Begun begun = sink.Begin(flat, in->Size());
  Status status = begun.status;
  if (!status) return status;
  std::vector<char> buffer(kBlockSize);
  while (status) {
    const long n = in->Read(buffer.data(), buffer.size());
    if (n < 0) status = Failure(SystemReason(errno));
    if (n <= 0) break;
    status = sink.Data(buffer.data(), static_cast<std::size_t>(n));
  }
  if (status) return sink.End();
  sink.Abandon();
  return status;
}

}  // namespace kw::platform::archive
