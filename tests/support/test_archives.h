// Writes real archives for the tests with libarchive's writer (ZIP and 7z; RAR fixtures are
// files under tests/data/archives, as libarchive cannot write RAR).
#pragma once

#include <archive.h>
#include <archive_entry.h>

#include <string>
#include <vector>

namespace kw::test {

struct ArchiveItem {
  std::string name;
  std::string data;
  unsigned type = AE_IFREG;  // AE_IFDIR, AE_IFLNK (data = target), AE_IFIFO...
  bool hardlink = false;     // data = the entry linked to
};

// format: "zip", "7zip"; options/passphrase as libarchive takes them ("zip:encryption=zipcrypt").
inline bool WriteTestArchive(const std::string& path, const std::vector<ArchiveItem>& items,
                             const std::string& format = "zip", const std::string& options = "",
                             const std::string& passphrase = "") {
  struct archive* a = archive_write_new();
  archive_write_set_format_by_name(a, format.c_str());
  if (!options.empty()) archive_write_set_options(a, options.c_str());
  if (!passphrase.empty()) archive_write_set_passphrase(a, passphrase.c_str());
  bool ok = archive_write_open_filename(a, path.c_str()) == ARCHIVE_OK;
  for (const ArchiveItem& item : items) {
    struct archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, item.name.c_str());
    archive_entry_set_filetype(e, item.type);
    archive_entry_set_perm(e, 0644);
    if (item.hardlink) {
      archive_entry_set_hardlink(e, item.data.c_str());
      archive_entry_set_size(e, 0);
    } else if (item.type == AE_IFLNK) {
      archive_entry_set_symlink(e, item.data.c_str());
    } else {
      archive_entry_set_size(e, static_cast<la_int64_t>(item.data.size()));
    }
    ok = ok && archive_write_header(a, e) == ARCHIVE_OK;
    if (ok && item.type == AE_IFREG && !item.hardlink && !item.data.empty())
      ok = archive_write_data(a, item.data.data(), item.data.size()) ==
           static_cast<la_ssize_t>(item.data.size());
    archive_entry_free(e);
  }
  ok = archive_write_close(a) == ARCHIVE_OK && ok;
  archive_write_free(a);
  return ok;
}

}  // namespace kw::test
