// Reading set archives (ZIP, RAR4, RAR5, 7z; the format is found from the contents) and putting
// their files into the flat temporary directory. Every file lands directly in the destination
// under the base name of its entry ('/' and '\' both end a directory part, as archives made on
// Windows use the backslash); a base name that is empty, "." or ".." is refused, and so are
// links, devices and FIFOs. A file of the same name already there is replaced; nothing is ever
// written outside the destination and no link there is followed.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace kw::platform::archive {

// The most one set may put into the temporary directory.
constexpr std::uint64_t kSetSizeLimit = std::uint64_t{4} << 30;

enum class EntryType { File, Directory, Link, Other };

struct Entry {
  std::string name;  // as stored (directory part included)
  EntryType type = EntryType::File;
  std::uint64_t size = 0;  // as the archive claims it
  bool size_known = false;
  bool encrypted = false;
};

// The entries of an archive, in archive order. A damaged archive gives libarchive's message.
Result<std::vector<Entry>> ListEntries(std::string_view archive_path);

// The name a stored entry name gets in the flat directory, or nothing when it is refused.
std::optional<std::string> FlatName(std::string_view stored_name);

// Where the accepted entries of an archive go, one after the other: Begin, Data as the bytes come,
// then End, or Abandon when the entry could not be read to its end.
class FlatSink {
 public:
  struct Begun {
    Status status;
    bool stop = false;  // with a failure: the next entries would fail the same
  };
  virtual ~FlatSink() = default;
  // False: the entry is passed over without being decoded.
  virtual bool Wants(const std::string& /*flat_name*/) { return true; }
  virtual Begun Begin(const std::string& flat_name, std::uint64_t claimed_size) = 0;
  virtual Status Data(const char* data, std::size_t size) = 0;
  virtual Status End() = 0;
  virtual void Abandon() = 0;
};

// Reads every regular entry into `sink` under its flat name, with the refusals, problem lines
// and limits of ExtractFlat below.
Status ReadFlat(std::string_view archive_path, FlatSink& sink, std::uint64_t limit = kSetSizeLimit);

// A sink that writes each entry into `dest_dir` (which must exist) as ExtractFlat does.
std::unique_ptr<FlatSink> MakeDirectorySink(std::string_view dest_dir);

// Reads one regular file (not a link, FIFO or device) into `sink` under `name`.
Status ReadFileFlat(std::string_view source_path, std::string_view name, FlatSink& sink);

// Extracts every regular entry into `dest_dir` (which must exist). Entries that are refused or
// fail are skipped and the rest still extracted; the result then fails with one line per
// problem ("name: reason", joined by '\n'). Extraction stops when the archive cannot be read
// on, or when the entries (claimed sizes and bytes really written alike) would pass `limit` or
// the free space of the destination's file system.
Status ExtractFlat(std::string_view archive_path, std::string_view dest_dir,
                   std::uint64_t limit = kSetSizeLimit);

// Copies one regular file (not a link, FIFO or device) into `dest_dir` under `name`, with the
// same care as an extracted entry.
Status CopyFileFlat(std::string_view source_path, std::string_view dest_dir, std::string_view name);

}  // namespace kw::platform::archive
