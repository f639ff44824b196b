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

#include "common/result.h"

namespace kw::platform::archive {

// The most one set may put into the temporary directory.
constexpr std::uint64_t kSetSizeLimit = std::uint64_t{4} << 30;

// How much one set may give: in all, and in any one file. The set's limit alone unless the
// sizes the profile lists for the set are known (`listed`): then a file larger than any the set
// can need is passed over unread, and the lines about either limit say where it comes from.
struct SizeLimits {
  // Implicit: a plain number is the set's limit.
  SizeLimits(std::uint64_t set_bytes = kSetSizeLimit) : set(set_bytes) {}
  SizeLimits(std::uint64_t set_bytes, std::uint64_t file_bytes)
      : set(set_bytes), file(file_bytes), listed(true) {}
  std::uint64_t set;
  std::uint64_t file = UINT64_MAX;
  bool listed = false;
};

// The problem lines of an entry that passes the set's or the file's limit.
std::string SetLimitText(const SizeLimits& limits);
std::string FileLimitText(const SizeLimits& limits);

// No set file needs a longer stored name (the profile's names are far shorter): a longer one is
// refused, kept only as far as a line about it shows it.
constexpr std::size_t kMaxNameBytes = 1024;
// How a line shows a name too long to be kept: its beginning.
std::string ShortenedName(std::string_view name);
inline constexpr const char* kNameTooLong = "the name is too long";

enum class EntryType { File, Directory, Link, Other };

struct Entry {
  std::string name;  // as stored (directory part included), cut after kMaxNameBytes + 1 bytes
  EntryType type = EntryType::File;
  std::uint64_t size = 0;  // as the archive claims it
  bool size_known = false;
  bool encrypted = false;
};

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
  // Whether the sink needs an entry's data, or its size and CRC-32 are all it takes of it: then
  // a reader that has decoded the data whole and found it has the size and CRC-32 its archive
  // gives may call Checked in place of Data, between Begin and End.
  virtual bool NeedsData(const std::string& /*flat_name*/) { return true; }
  virtual Status Checked(std::uint64_t /*size*/, std::uint32_t /*crc*/) {
    return Failure("the data is needed");
  }
  // An entry larger than the file limit, passed over undecoded: known only from what the archive
  // says of it (its size, and its CRC-32 where the reader has it).
  virtual void Passed(const std::string& /*flat_name*/, std::uint64_t /*claimed_size*/,
                      std::optional<std::uint32_t> /*stored_crc*/) {}
};

// Reads every regular entry into `sink` under its flat name, with the refusals, problem lines
// and limits of ExtractFlat below.
Status ReadFlat(std::string_view archive_path, FlatSink& sink, const SizeLimits& limits = {});

// A sink that writes each entry into `dest_dir` (which must exist) as ExtractFlat does.
std::unique_ptr<FlatSink> MakeDirectorySink(std::string_view dest_dir);

// Reads one regular file (not a link, FIFO or device) into `sink` under `name`; one larger than
// the file limit is passed over.
Status ReadFileFlat(std::string_view source_path, std::string_view name, FlatSink& sink,
                    const SizeLimits& limits = {});

// The entries of an archive in any format the general reader knows, from their headers (data
// is passed over, decoded only where the format cannot skip it). Fails with the reason when the
// archive cannot be read to its end.
Result<std::vector<Entry>> ListEntries(std::string_view archive_path);

// The data of the first regular entry stored under `stored_name` (the name compared exactly), at
// most `limit` bytes. Fails when there is no such entry, it is larger than `limit`, or its data
// cannot be read.
Result<std::string> ReadEntry(std::string_view archive_path, std::string_view stored_name,
                              std::uint64_t limit);

// Extracts every regular entry into `dest_dir` (which must exist). Entries that are refused or
// fail are skipped and the rest still extracted; the result then fails with one line per
// problem ("name: reason", joined by '\n'). Extraction stops when the archive cannot be read
// on, or when the entries (claimed sizes and bytes really written alike) would pass the set's
// limit or the free space of the destination's file system. An entry larger than the file
// limit (claimed or really) is not written, with its line; the others still are.
Status ExtractFlat(std::string_view archive_path, std::string_view dest_dir,
                   const SizeLimits& limits = {});

}  // namespace kw::platform::archive
