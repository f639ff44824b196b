#include "platform/zip_directory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>
#include <zlib.h>

#include "platform/decode_helpers.h"
#include "platform/fs.h"
#include "platform/input_file.h"

namespace kw::platform::archive {

namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kEnd64Signature = 0x06064b50;
constexpr std::uint32_t kEnd64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kEntrySignature = 0x02014b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kMaxComment = 0xFFFF;
constexpr const char* kPassesLimit = "the set passes the size limit";
// The lines about names too long that one archive gives at most.
constexpr std::size_t kMaxNameLines = 100;
// A central directory larger than this is no set archive.
constexpr std::uint64_t kMaxDirectory = std::uint64_t{256} << 20;

// A deflated member of at most this many bytes, packed and decoded, is inflated whole with
// ISA-L (about 1.5 times zlib's speed); a larger one is streamed through zlib.
constexpr std::uint64_t kWholeMember = std::uint64_t{32} << 20;
// Whole-member buffers up to this size stay with their thread for the next member.
constexpr std::size_t kKeptBuffer = std::size_t{8} << 20;
// Data is read and streamed in pieces of this size.
constexpr std::size_t kChunk = 256 * 1024;
// An archive with at least this many bytes in members inflated whole is posted to the helpers.
constexpr std::uint64_t kAheadSet = std::uint64_t{8} << 20;

// Methods the extractor decodes: stored, deflated, bzip2, LZMA and xz.
constexpr std::uint16_t kSupportedMethods[] = {0, 8, 12, 14, 95};

std::uint16_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint32_t U32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(U16(b, at)) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}
std::uint64_t U64(std::string_view b, std::size_t at) {
  return static_cast<std::uint64_t>(U32(b, at)) | static_cast<std::uint64_t>(U32(b, at + 4)) << 32;
}

// Reads `size` bytes at `offset` of an open file.
Result<std::string> ReadAt(int fd, std::uint64_t offset, std::size_t size) {
  std::string data(size, '\0');
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = pread(fd, data.data() + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Failure(std::strerror(errno));
    if (n == 0) return Failure("the archive is truncated");
    done += static_cast<std::size_t>(n);
  }
  return data;
}

struct DirectoryPlace {
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
  std::uint64_t entries = 0;
};

// Finds the central directory from the end records in `tail`, the last bytes of a file of
// `file_size` bytes. `read_at` gives other bytes of the file (the ZIP64 end record).
template <typename ReadAtFn>
Result<DirectoryPlace> FindDirectory(std::string_view tail, std::uint64_t file_size,
                                     ReadAtFn read_at) {
  if (tail.size() < kEndSize) return Failure("not a ZIP archive");
  std::size_t at = tail.size() - kEndSize + 1;
  bool found = false;
  while (at-- > 0) {
    if (U32(tail, at) == kEndSignature && at + kEndSize + U16(tail, at + 20) <= tail.size()) {
      found = true;
      break;
    }
  }
  if (!found) return Failure("not a ZIP archive");
  const std::uint64_t end_offset = file_size - tail.size() + at;
  if (U16(tail, at + 4) != 0 || U16(tail, at + 6) != 0)
    return Failure("archives on several disks are not read");
  DirectoryPlace place{U32(tail, at + 16), U32(tail, at + 12), U16(tail, at + 10)};
  const bool zip64 =
      place.offset == 0xFFFFFFFF || place.size == 0xFFFFFFFF || place.entries == 0xFFFF;
  if (zip64 && end_offset >= 20) {
    Result<std::string> locator = read_at(end_offset - 20, 20);
    if (locator && U32(*locator, 0) == kEnd64LocatorSignature) {
      const std::uint64_t record_offset = U64(*locator, 8);
      Result<std::string> record =
          record_offset < file_size ? read_at(record_offset, 56) : Result<std::string>(Failure(""));
      if (!record || U32(*record, 0) != kEnd64Signature)
        return Failure("the ZIP64 end record is damaged");
      place.entries = U64(*record, 32);
      place.size = U64(*record, 40);
      place.offset = U64(*record, 48);
    }
  }
  if (place.size > kMaxDirectory || place.offset > file_size ||
      place.size > file_size - place.offset)
    return Failure("the central directory is damaged");
  // Each entry takes at least 46 bytes: a count beyond that is a lie.
  if (place.entries > place.size / 46) return Failure("the central directory is damaged");
  return place;
}

Result<std::vector<StoredEntry>> ParseEntries(std::string_view directory, std::uint64_t count) {
  std::vector<StoredEntry> entries;
  entries.reserve(static_cast<std::size_t>(count));
  std::size_t at = 0;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (directory.size() - at < 46 || U32(directory, at) != kEntrySignature)
      return Failure("the central directory is damaged");
    const std::uint16_t made_by = U16(directory, at + 4);
    const std::uint16_t flags = U16(directory, at + 8);
    const std::uint16_t method = U16(directory, at + 10);
    StoredEntry entry;
    entry.crc = U32(directory, at + 16);
    entry.crc_known = true;
    std::uint64_t size = U32(directory, at + 24);
    std::uint64_t packed = U32(directory, at + 20);
    std::uint64_t offset = U32(directory, at + 42);
    const std::size_t name_size = U16(directory, at + 28);
    const std::size_t extra_size = U16(directory, at + 30);
    const std::size_t comment_size = U16(directory, at + 32);
    const std::uint32_t attributes = U32(directory, at + 38);
    const std::size_t fixed_end = at + 46;
    if (directory.size() - fixed_end < name_size + extra_size + comment_size)
      return Failure("the central directory is damaged");
    // A name longer than any set file's is not kept whole: thousands of them would take many
    // times the directory's size.
    entry.name_too_long = name_size > kMaxNameBytes;
    entry.name = std::string(directory.substr(fixed_end, std::min(name_size, kMaxNameBytes)));
    // A ZIP64 extra field carries the sizes that did not fit.
    std::string_view extra = directory.substr(fixed_end + name_size, extra_size);
    for (std::size_t e = 0; e + 4 <= extra.size();) {
      const std::uint16_t id = U16(extra, e);
      const std::size_t field_size = U16(extra, e + 2);
      if (extra.size() - e - 4 < field_size) break;
      if (id == 0x0001) {
        // Only the values that did not fit are there, in this order.
        std::size_t value = e + 4;
        const std::size_t field_end = value + field_size;
        for (std::uint64_t* wide : {&size, &packed, &offset}) {
          if (*wide != 0xFFFFFFFF) continue;
          if (field_end - value < 8) break;
          *wide = U64(extra, value);
          value += 8;
        }
      }
      e += 4 + field_size;
    }
    entry.size = size;
    entry.packed_size = packed;
    entry.local_offset = offset;
    entry.method = method;
    entry.encrypted = (flags & 0x1) != 0;
    entry.method_supported = std::find(std::begin(kSupportedMethods), std::end(kSupportedMethods),
                                       method) != std::end(kSupportedMethods);
    const unsigned host = made_by >> 8;
    const std::uint32_t mode = attributes >> 16;
    entry.is_directory = (!entry.name.empty() && entry.name.back() == '/') ||
                         (host == 0 && (attributes & 0x10) != 0) ||
                         (host == 3 && (mode & S_IFMT) == S_IFDIR);
    entry.is_link = host == 3 && (mode & S_IFMT) == S_IFLNK;
    entry.is_other = host == 3 && (mode & S_IFMT) != 0 && (mode & S_IFMT) != S_IFREG &&
                     (mode & S_IFMT) != S_IFDIR && (mode & S_IFMT) != S_IFLNK;
    entries.push_back(std::move(entry));
    at = fixed_end + name_size + extra_size + comment_size;
  }
  return entries;
}

}  // namespace

Result<std::vector<StoredEntry>> ParseZipDirectory(std::string_view bytes) {
  const std::size_t tail_size = std::min(bytes.size(), kEndSize + kMaxComment);
  auto read_at = [bytes](std::uint64_t offset, std::size_t size) -> Result<std::string> {
    if (offset > bytes.size() || size > bytes.size() - offset)
      return Failure("the archive is truncated");
    return std::string(bytes.substr(static_cast<std::size_t>(offset), size));
  };
  Result<DirectoryPlace> place =
      FindDirectory(bytes.substr(bytes.size() - tail_size), bytes.size(), read_at);
  if (!place) return Failure(place.Message());
  return ParseEntries(
      bytes.substr(static_cast<std::size_t>(place->offset), static_cast<std::size_t>(place->size)),
      place->entries);
}

Result<OpenFile> OpenFile::Open(std::string_view path) {
  const std::string resolved = fs::Resolve(path);
  Result<InputFile> input = InputFile::Open(resolved);
  if (!input) {
    return Failure(input.Message() == std::strerror(EISDIR) ? kNotRegularFile : input.Message());
  }
  return OpenFile(input->Release());
}

OpenFile::~OpenFile() {
  if (fd_ >= 0) close(fd_);
}

namespace {

// Reads exactly `size` bytes at `offset` into `buffer`; false on any failure.
bool ReadWhole(int fd, std::uint64_t offset, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = pread(fd, buffer + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A buffer of at least `size` bytes: the thread's own one when the size is usual, a fresh one
// (freed by `fresh`) when it is large.
char* Buffer(std::string& kept, std::string& fresh, std::size_t size) {
  std::string& buffer = size <= kKeptBuffer ? kept : fresh;
  if (buffer.size() < size) buffer.resize(size);
  return buffer.data();
}

// ISA-L's state, one for each reading thread.
inflate_state* IsalState() {
  thread_local std::unique_ptr<inflate_state> state = std::make_unique<inflate_state>();
  return state.get();
}

// The reading thread's pair of piece buffers: a fresh one for every file would be mapped and
// unmapped by the allocator each time.
std::pair<char*, char*> ChunkBuffers() {
  thread_local std::string in(kChunk, '\0');
  thread_local std::string out(kChunk, '\0');
  return {in.data(), out.data()};
}

// Inflates a deflated member whole in one call into `out` (`room` bytes), read from `at`.
// False unless ISA-L decoded it whole into the very size and CRC-32 of the directory (not for
// damaged, truncated or longer data, a wrong size or a read that failed): the streamed decoding
// then gives the same data, or fails at the same byte with the same message. (libdeflate is a
// little faster but takes more damaged streams, such as the length codes 286 and 287.)
bool InflateInto(int fd, std::uint64_t at, const StoredEntry& entry, char* out, std::size_t room) {
  inflate_state* state = IsalState();
  thread_local std::string kept_in;
  std::string fresh_in;
  const auto packed = static_cast<std::size_t>(entry.packed_size);
  char* in = Buffer(kept_in, fresh_in, packed);
  if (!ReadWhole(fd, at, in, packed)) return false;
  isal_inflate_init(state);
  state->next_in = reinterpret_cast<std::uint8_t*>(in);
  state->avail_in = static_cast<std::uint32_t>(packed);
  state->next_out = reinterpret_cast<std::uint8_t*>(out);
  state->avail_out = static_cast<std::uint32_t>(room);
  if (isal_inflate(state) != ISAL_DECOMP_OK || state->block_state != ISAL_BLOCK_FINISH)
    return false;
  // ISA-L takes some damaged streams that zlib refuses (code length sets that zlib finds
  // invalid): its data is used only when it is what the directory says the member holds.
  const std::size_t got = room - state->avail_out;
  return got == entry.size &&
         crc32_gzip_refl(0, reinterpret_cast<const unsigned char*>(out), got) == entry.crc;
}

// Whether a member is inflated whole (at most `limit` bytes of it wanted).
bool InflatedWhole(const StoredEntry& entry, std::uint64_t limit) {
  return entry.method == 8 && entry.size > 0 && std::min(entry.size, limit) <= kWholeMember &&
         entry.packed_size <= kWholeMember;
}

// A deflated member inflated whole, its data given to `consume` in one piece; nothing when
// InflateInto fails.
std::optional<Status> InflateWhole(int fd, std::uint64_t at, const StoredEntry& entry,
                                   std::uint64_t limit,
                                   const std::function<Status(const char*, std::size_t)>& consume) {
  thread_local std::string kept_out;
  std::string fresh_out;
  const auto room = static_cast<std::size_t>(std::min(entry.size, limit));
  char* out = Buffer(kept_out, fresh_out, room);
  if (!InflateInto(fd, at, entry, out, room)) return std::nullopt;
  return consume(out, room);
}

// Where the data of an entry starts, from its local header.
Result<std::uint64_t> DataStart(int fd, const StoredEntry& entry) {
  Result<std::string> local = ReadAt(fd, entry.local_offset, 30);
  if (!local || U32(*local, 0) != 0x04034b50) return Failure("the entry's local header is damaged");
  return entry.local_offset + 30 + U16(*local, 26) + U16(*local, 28);
}

// Whether a deflated member that is inflated whole has the size and CRC-32 its directory gives,
// found by inflating it a piece at a time with ISA-L (as fast, without a buffer of its size);
// nothing of its data is kept. A member found otherwise is decoded again, which tells why.
bool CheckStreamed(int fd, const StoredEntry& entry) {
  if (!InflatedWhole(entry, entry.size)) return false;
  Result<std::uint64_t> start = DataStart(fd, entry);
  if (!start) return false;
  const auto [in, out] = ChunkBuffers();
  inflate_state* state = IsalState();
  isal_inflate_init(state);
  state->crc_flag = ISAL_GZIP_NO_HDR;  // the CRC-32 of the data, as it comes
  std::uint64_t at = *start;
  std::uint64_t left = entry.packed_size;
  std::uint64_t produced = 0;
  while (state->block_state != ISAL_BLOCK_FINISH) {
    if (state->avail_in == 0) {
      if (left == 0) return false;
      const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(left, kChunk));
      if (!ReadWhole(fd, at, in, size)) return false;
      at += size;
      left -= size;
      state->next_in = reinterpret_cast<std::uint8_t*>(in);
      state->avail_in = static_cast<std::uint32_t>(size);
    }
    const std::uint32_t had = state->avail_in;
    state->next_out = reinterpret_cast<std::uint8_t*>(out);
    state->avail_out = static_cast<std::uint32_t>(kChunk);
    if (isal_inflate(state) != ISAL_DECOMP_OK) return false;
    const std::size_t got = kChunk - state->avail_out;
    produced += got;
    if (produced > entry.size) return false;
    if (got == 0 && state->avail_in == had && state->block_state != ISAL_BLOCK_FINISH)
      return false;  // no way on
  }
  return produced == entry.size && state->crc == entry.crc;
}

}  // namespace

bool DecodesZipMethod(std::uint16_t method) {
  return method == 0 || method == 8;
}

Status DecodeZipEntry(int fd, const StoredEntry& entry, std::uint64_t limit,
                      const std::function<Status(const char*, std::size_t)>& consume) {
  if (!DecodesZipMethod(entry.method)) return Failure("unsupported compression method");
  Result<std::uint64_t> start = DataStart(fd, entry);
  if (!start) return Failure(start.Message());
  std::uint64_t at = *start;
  std::uint64_t left = entry.packed_size;
  const auto [in, out] = ChunkBuffers();
  std::uint64_t produced = 0;
  if (entry.method == 0) {
    while (left > 0) {
      const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(left, kChunk));
      const ssize_t n = pread(fd, in, size, static_cast<off_t>(at));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return Failure(std::strerror(errno));
      if (n == 0) return Failure("the archive is truncated");
      produced += static_cast<std::uint64_t>(n);
      if (produced > limit) return Failure(kPassesLimit);
      if (Status ok = consume(in, static_cast<std::size_t>(n)); !ok) return ok;
      at += static_cast<std::uint64_t>(n);
      left -= static_cast<std::uint64_t>(n);
    }
    return Success();
  }
  if (InflatedWhole(entry, limit)) {
    if (std::optional<Status> done = InflateWhole(fd, at, entry, limit, consume)) return *done;
  }
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return Failure("out of memory");
  struct Ender {
    z_stream* z;
    ~Ender() { inflateEnd(z); }
  } ender{&z};
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    if (z.avail_in == 0) {
      if (left == 0) return Failure("the compressed data is truncated");
      const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(left, kChunk));
      const ssize_t n = pread(fd, in, size, static_cast<off_t>(at));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return Failure(std::strerror(errno));
      if (n == 0) return Failure("the archive is truncated");
      at += static_cast<std::uint64_t>(n);
      left -= static_cast<std::uint64_t>(n);
      z.next_in = reinterpret_cast<Bytef*>(in);
      z.avail_in = static_cast<uInt>(n);
    }
    z.next_out = reinterpret_cast<Bytef*>(out);
    z.avail_out = static_cast<uInt>(kChunk);
    result = inflate(&z, Z_NO_FLUSH);
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
      return Failure("the compressed data is damaged");
    const std::size_t got = kChunk - z.avail_out;
    if (result == Z_BUF_ERROR && got == 0 && z.avail_in != 0)
      return Failure("the compressed data is damaged");
    produced += got;
    if (produced > limit) return Failure(kPassesLimit);
    if (got > 0) {
      if (Status ok = consume(out, got); !ok) return ok;
    }
  }
  return Success();
}

Result<std::vector<StoredEntry>> ReadZipDirectory(std::string_view path) {
  Result<OpenFile> opened = OpenFile::Open(path);
  if (!opened) return Failure(opened.Message());
  return ReadZipDirectory(opened->Fd());
}

Result<std::vector<StoredEntry>> ReadZipDirectory(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return Failure("not a regular file");
  const auto file_size = static_cast<std::uint64_t>(st.st_size);
  const std::size_t tail_size =
      static_cast<std::size_t>(std::min<std::uint64_t>(file_size, kEndSize + kMaxComment));
  Result<std::string> tail = ReadAt(fd, file_size - tail_size, tail_size);
  if (!tail) return Failure(tail.Message());
  auto read_at = [fd](std::uint64_t offset, std::size_t size) { return ReadAt(fd, offset, size); };
  Result<DirectoryPlace> place = FindDirectory(*tail, file_size, read_at);
  if (!place) return Failure(place.Message());
  // The directory usually sits just before the end records, inside the tail already read.
  const std::uint64_t tail_start = file_size - tail_size;
  if (place->offset >= tail_start) {
    return ParseEntries(
        std::string_view(*tail).substr(static_cast<std::size_t>(place->offset - tail_start),
                                       static_cast<std::size_t>(place->size)),
        place->entries);
  }
  Result<std::string> directory = ReadAt(fd, place->offset, static_cast<std::size_t>(place->size));
  if (!directory) return Failure(directory.Message());
  return ParseEntries(*directory, place->entries);
}

}  // namespace kw::platform::archive

namespace kw::platform::archive {

namespace {

bool PrintableAscii(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte > 126) return false;
  }
  return true;
}

}  // namespace

std::optional<std::vector<AcceptedEntry>> AcceptedZipEntries(
    const std::vector<StoredEntry>& entries, const SizeLimits& limits, bool* cut) {
  if (cut != nullptr) *cut = false;
  const std::uint64_t limit = limits.set;
  std::vector<AcceptedEntry> accepted;
  std::uint64_t claimed = 0;
  for (const StoredEntry& entry : entries) {
    if (entry.name_too_long) continue;  // refused as the general reader refuses it
    if (!PrintableAscii(entry.name)) return std::nullopt;
    if (entry.is_directory || entry.is_link || entry.is_other) continue;
    if (entry.encrypted) continue;  // not decoded without a password: no file
    if (!DecodesZipMethod(entry.method) || !entry.crc_known) return std::nullopt;
    std::optional<std::string> name = FlatName(entry.name);
    if (!name) continue;
    if (entry.size > limits.file) {
      accepted.push_back({std::move(*name), &entry, true});
      continue;
    }
    if (entry.size > limit - std::min(claimed, limit)) {
      if (cut != nullptr) *cut = true;
      break;
    }
    claimed += entry.size;
    accepted.push_back({std::move(*name), &entry});
  }
  return accepted;
}

Status ReadZipFlat(std::string_view path, FlatSink& sink, const SizeLimits& limits, bool& handled,
                   DecodeHelpers* helpers) {
  handled = false;
  Result<OpenFile> file = OpenFile::Open(path);
  if (!file) return Failure(file.Message());
  Result<std::vector<StoredEntry>> entries = ReadZipDirectory(file->Fd());
  if (!entries) return Failure(entries.Message());
  bool cut = false;
  std::optional<std::vector<AcceptedEntry>> accepted = AcceptedZipEntries(*entries, limits, &cut);
  if (!accepted) return Failure("needs the general reader");
  handled = true;
  const std::uint64_t limit = limits.set;
  std::string problems;
  auto problem = [&problems](const std::string& line) {
    problems += (problems.empty() ? "" : "\n") + line;
  };
  if (cut) problem(std::string(path) + ": " + SetLimitText(limits));
  std::size_t long_names = 0;
  for (const StoredEntry& entry : *entries) {
    if (entry.name_too_long && long_names++ < kMaxNameLines)
      problem(ShortenedName(entry.name) + ": " + kNameTooLong);
  }
  // The sink is asked once for each entry, in order, before any is decoded. The members it
  // takes only the size and CRC-32 of are checked (by the helpers ahead of this thread, when
  // there are enough of them), not given to it.
  std::vector<char> wanted(accepted->size());
  std::vector<bool> ahead(accepted->size());  // checked, and may be checked ahead
  std::uint64_t ahead_bytes = 0;
  std::size_t ahead_count = 0;
  for (std::size_t i = 0; i < accepted->size(); ++i) {
    const AcceptedEntry& item = (*accepted)[i];
    wanted[i] = sink.Wants(item.flat_name);
    if (wanted[i] && !item.too_large && InflatedWhole(*item.entry, item.entry->size) &&
        !sink.NeedsData(item.flat_name)) {
      ahead[i] = true;
      ahead_bytes += item.entry->size;
      ++ahead_count;
    }
  }
  // Declared after the file, so that the helpers are done with it before it is closed.
  std::optional<MembersAhead> checked;
  if (helpers != nullptr && ahead_count >= 2 && ahead_bytes >= kAheadSet) {
    checked.emplace(
        ahead,
        [&accepted, fd = file->Fd()](std::size_t i) {
          return CheckStreamed(fd, *(*accepted)[i].entry);
        },
        *helpers);
  }
  std::uint64_t produced = 0;
  for (std::size_t i = 0; i < accepted->size(); ++i) {
    const AcceptedEntry& item = (*accepted)[i];
    if (!wanted[i]) continue;
    if (item.too_large) {
      sink.Passed(item.flat_name, item.entry->size, item.entry->crc);
      problem(item.entry->name + ": " + FileLimitText(limits));
      continue;
    }
    // The verdict of a check ahead, when one was made.
    std::optional<bool> verdict;
    if (checked) verdict = checked->Take(i);
    FlatSink::Begun begun = sink.Begin(item.flat_name, item.entry->size);
    Status status = begun.status;
    const std::uint64_t left = limit - std::min(produced, limit);
    if (status) {
      const std::uint64_t room = std::min(limits.file, left);
      const bool fits = item.entry->size <= room;
      if (!verdict && ahead[i] && fits) verdict = CheckStreamed(file->Fd(), *item.entry);
      if (verdict.value_or(false) && fits) {
        // The decoding below would have given the data whole, of this size and CRC-32.
        produced += item.entry->size;
        status = sink.Checked(item.entry->size, item.entry->crc);
      } else {
        status =
            DecodeZipEntry(file->Fd(), *item.entry, room, [&](const char* data, std::size_t size) {
              produced += size;
              return sink.Data(data, size);
            });
      }
      if (status) {
        status = sink.End();
      } else {
        sink.Abandon();
        // The claimed size was a lie: the line names the limit that the data passed.
        if (status.Message() == kPassesLimit)
          status = Failure(limits.file < left ? FileLimitText(limits) : SetLimitText(limits));
      }
    }
    if (!status) problem(item.entry->name + ": " + status.Message());
    if (!begun.status && begun.stop) break;
  }
  return problems.empty() ? Success() : Status(Failure(problems));
}

}  // namespace kw::platform::archive
