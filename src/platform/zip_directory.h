// A ZIP archive's central directory read without decompressing anything: each entry's name,
// sizes, stored CRC-32 and kind, for judging a set from what its archive says of itself.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "platform/archive.h"

namespace kw::platform::archive {

struct StoredEntry {
  std::string name;            // as stored, directory part included; at most kMaxNameBytes
  bool name_too_long = false;  // and `name` only its beginning: the entry is refused
  std::uint64_t size = 0;      // unpacked size
  std::uint32_t crc = 0;       // stored CRC-32
  bool crc_known = false;
  bool is_directory = false;
  bool is_link = false;
  bool is_other = false;  // a device, FIFO or socket
  bool encrypted = false;
  // The data is stored by a method that the extractor can decode.
  bool method_supported = true;
  std::uint16_t method = 0;        // 0 stored, 8 deflated, ...
  std::uint64_t packed_size = 0;   // the stored data's size
  std::uint64_t local_offset = 0;  // where the entry's local header starts
};

// The entries of a ZIP archive from its central directory, in directory order. Fails with a
// reason when the file is no ZIP archive, spans several disks, or its directory is damaged.
Result<std::vector<StoredEntry>> ReadZipDirectory(std::string_view path);
Result<std::vector<StoredEntry>> ReadZipDirectory(int fd);
// The same from the archive's bytes (what a fuzzer feeds).
Result<std::vector<StoredEntry>> ParseZipDirectory(std::string_view bytes);

// Whether DecodeZipEntry decodes this entry's method itself (stored and deflated data).
bool DecodesZipMethod(std::uint16_t method);

// Decodes the data of one stored or deflated entry of the ZIP archive open as `fd`, giving
// the bytes to `consume` as they come, at most `limit` of them. Unlike a general extractor it
// goes on past a CRC that does not match the stored one, so that the caller learns the CRC the
// data really has; damaged data (a bad header, a truncated or undecodable stream) fails.
Status DecodeZipEntry(int fd, const StoredEntry& entry, std::uint64_t limit,
                      const std::function<Status(const char*, std::size_t)>& consume);

// The entries that extraction gives files, with their flat names, in directory order: the
// same entries are passed over as the general reader passes them (directories, links, other
// kinds, names that are no file names, encrypted data) and the same claimed-size limit ends the
// list; an entry whose name is too long is passed over. An entry whose claimed size passes the file
// limit is kept, marked `too_large`: it is known from the directory alone and never decoded.
// Nothing when an entry leaves a doubt that only the general reader settles (a method not decoded
// here, a name with other than printable ASCII characters).
struct AcceptedEntry {
  std::string flat_name;
  const StoredEntry* entry;
  bool too_large = false;
};
// `cut` (when given) tells whether the limit ended the list.
std::optional<std::vector<AcceptedEntry>> AcceptedZipEntries(
    const std::vector<StoredEntry>& entries, const SizeLimits& limits, bool* cut = nullptr);

class DecodeHelpers;

// Reads a ZIP archive into `sink` as ReadFlat does, decoding stored and deflated data itself.
// `handled` is false (and nothing was given to the sink) when the archive needs the general
// reader: no ZIP, or an entry AcceptedZipEntries leaves in doubt. The sink is asked whether it
// wants each entry before any is decoded, and an entry whose data it does not need is only
// checked (FlatSink::Checked). With `helpers`, idle threads check members of a large archive
// ahead of this one; what the sink is given is the same, in the same order.
Status ReadZipFlat(std::string_view path, FlatSink& sink, const SizeLimits& limits, bool& handled,
                   DecodeHelpers* helpers = nullptr);

// An archive file opened for reading, closed when it goes.
class OpenFile {
 public:
  static Result<OpenFile> Open(std::string_view path);
  OpenFile(OpenFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  OpenFile& operator=(OpenFile&&) = delete;
  ~OpenFile();
  int Fd() const { return fd_; }

 private:
  explicit OpenFile(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace kw::platform::archive
