#include "demo/zip_writer.h"

#include <archive.h>
#include <archive_entry.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>

namespace kw::demo {

namespace {

constexpr std::time_t kStamp = 964785600;  // 2000-07-28 12:00:00 UTC

// libarchive writes the zip's DOS time stamp in local time. For the same bytes in every time
// zone the writer runs with the zone set to UTC, and the caller's zone is restored after.
class UtcZone {
 public:
  UtcZone() {
    if (const char* tz = std::getenv("TZ")) saved_ = tz;
    setenv("TZ", "UTC0", 1);
    tzset();
  }
  ~UtcZone() {
    if (saved_)
      setenv("TZ", saved_->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  UtcZone(const UtcZone&) = delete;
  UtcZone& operator=(const UtcZone&) = delete;

 private:
  std::optional<std::string> saved_;
};

la_ssize_t Append(struct archive*, void* client, const void* buffer, std::size_t length) {
  static_cast<std::string*>(client)->append(static_cast<const char*>(buffer), length);
  return static_cast<la_ssize_t>(length);
}

struct ArchiveFree {
  void operator()(struct archive* a) const { archive_write_free(a); }
};
struct EntryFree {
  void operator()(struct archive_entry* e) const { archive_entry_free(e); }
};

}  // namespace

Result<std::string> ZipArchive(const std::vector<ZipMember>& members) {
  UtcZone utc;
  std::string bytes;
  std::unique_ptr<struct archive, ArchiveFree> a(archive_write_new());
  if (!a) return Failure("Cannot create a zip archive: out of memory");
  auto failed = [&]() -> Error {
    const char* why = archive_error_string(a.get());
    return Failure(std::string("Cannot build the zip archive: ") + (why ? why : "unknown error"));
  };
  if (archive_write_set_format_zip(a.get()) != ARCHIVE_OK ||
      archive_write_set_options(a.get(), "zip:compression=deflate") != ARCHIVE_OK ||
      archive_write_set_bytes_in_last_block(a.get(), 1) != ARCHIVE_OK ||
      archive_write_open(a.get(), &bytes, nullptr, Append, nullptr) != ARCHIVE_OK)
    return failed();
  for (const ZipMember& member : members) {
    std::unique_ptr<struct archive_entry, EntryFree> entry(archive_entry_new());
    archive_entry_set_pathname(entry.get(), member.name.c_str());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_size(entry.get(), static_cast<la_int64_t>(member.data.size()));
    archive_entry_set_mtime(entry.get(), kStamp, 0);
    if (archive_write_header(a.get(), entry.get()) != ARCHIVE_OK) return failed();
    if (!member.data.empty() &&
        archive_write_data(a.get(), member.data.data(), member.data.size()) !=
            static_cast<la_ssize_t>(member.data.size()))
      return failed();
  }
  if (archive_write_close(a.get()) != ARCHIVE_OK) return failed();
  return bytes;
}

}  // namespace kw::demo
