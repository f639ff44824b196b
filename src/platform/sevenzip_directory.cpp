#include "platform/sevenzip_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include <lzma.h>
#include <zlib.h>

namespace kw::platform::archive {

namespace {

constexpr std::string_view kSignature("7z\xBC\xAF\x27\x1C", 6);
constexpr std::size_t kSignatureHeaderSize = 32;
// A header (packed or decoded) larger than this is no set archive's.
constexpr std::uint64_t kMaxHeader = std::uint64_t{64} << 20;
// Nor does a decoded header outgrow its archive by more than this factor: names and sizes
// compress well, the CRCs not at all.
constexpr std::uint64_t kMaxHeaderRatio = 128;
// A compressed header holds the header itself, perhaps compressed again; never deeper than this.
constexpr int kMaxHeaderLevels = 4;
// 7-Zip's own limits for one folder.
constexpr std::uint64_t kMaxCoders = 64;
constexpr std::uint64_t kMaxCoderStreams = 64;

// Property ids of the header.
enum : std::uint64_t {
  kEnd = 0x00,
  kHeader = 0x01,
  kArchiveProperties = 0x02,
  kAdditionalStreamsInfo = 0x03,
  kMainStreamsInfo = 0x04,
  kFilesInfo = 0x05,
  kPackInfo = 0x06,
  kUnpackInfo = 0x07,
  kSubStreamsInfo = 0x08,
  kSize = 0x09,
  kCrc = 0x0A,
  kFolder = 0x0B,
  kCodersUnpackSize = 0x0C,
  kNumUnpackStream = 0x0D,
  kEmptyStream = 0x0E,
  kEmptyFile = 0x0F,
  kAnti = 0x10,
  kName = 0x11,
  kWinAttributes = 0x15,
  kEncodedHeader = 0x17,
};

// Coder ids.
constexpr std::uint64_t kCopyCoder = 0x00;
constexpr std::uint64_t kLzma2Coder = 0x21;
constexpr std::uint64_t kLzmaCoder = 0x030101;
constexpr std::uint64_t kAesCoder = 0x06F10701;

constexpr std::uint32_t kAttributeDirectory = 0x10;
// The high 16 bits of the attributes hold a Unix mode.
constexpr std::uint32_t kAttributeUnixExtension = 0x8000;

const char kDamaged[] = "the header is damaged";
const char kTruncated[] = "the archive is truncated";
const char kUnsupportedCoder[] = "unsupported header coder";

std::uint32_t Le32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}
std::uint64_t Le64(std::string_view b, std::size_t at) {
  return Le32(b, at) | static_cast<std::uint64_t>(Le32(b, at + 4)) << 32;
}

std::uint32_t Crc32(std::string_view bytes) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes at most 4 GiB at a time; headers are far smaller.
  crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
  return static_cast<std::uint32_t>(crc);
}

// Reads a header's bytes. Failure is sticky: once a read goes past the end every later read gives
// zero and Left() gives 0, so a count checked against Left() stops every loop.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}
  bool Bad() const { return bad_; }
  void Fail() { bad_ = true; }
  std::size_t Left() const { return bad_ ? 0 : bytes_.size() - at_; }

  std::uint8_t Byte() {
    if (Left() < 1) {
      bad_ = true;
      return 0;
    }
    return static_cast<std::uint8_t>(bytes_[at_++]);
  }
  std::uint32_t U32() {
    std::string_view b = Take(4);
    return b.size() == 4 ? Le32(b, 0) : 0;
  }
  // The format's variable-length number: the leading one bits of the first byte count the bytes
  // that follow, little-endian, its other bits are the highest.
  std::uint64_t Number() {
    const std::uint8_t first = Byte();
    std::uint64_t value = 0;
    std::uint8_t mask = 0x80;
    for (int i = 0; i < 8; ++i) {
      if ((first & mask) == 0)
        return value | static_cast<std::uint64_t>(first & (mask - 1)) << (8 * i);
      value |= static_cast<std::uint64_t>(Byte()) << (8 * i);
      mask >>= 1;
    }
    return value;
  }
  // A number that counts things of which at most `most` can be there.
  std::uint64_t Count(std::uint64_t most) {
    const std::uint64_t n = Number();
    if (n > most) {
      bad_ = true;
      return 0;
    }
    return n;
  }
  std::string_view Take(std::uint64_t n) {
    if (n > Left()) {
      bad_ = true;
      return {};
    }
    std::string_view taken = bytes_.substr(at_, static_cast<std::size_t>(n));
    at_ += static_cast<std::size_t>(n);
    return taken;
  }
  // Skips a property's data: its size, then that many bytes.
  void SkipData() { Take(Number()); }
  // Skips properties until `id`; fails at the end of the list.
  void WaitId(std::uint64_t id) {
    for (;;) {
      const std::uint64_t type = Number();
      if (type == id || bad_) return;
      if (type == kEnd) {
        bad_ = true;
        return;
      }
      SkipData();
    }
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
  bool bad_ = false;
};

// `n` bits, the first in the highest bit of the first byte.
std::vector<bool> Bits(Cursor& in, std::uint64_t n) {
  if (n > std::uint64_t{in.Left()} * 8) {
    in.Fail();
    return {};
  }
  std::vector<bool> bits(static_cast<std::size_t>(n));
  std::uint8_t byte = 0;
  for (std::size_t i = 0; i < bits.size(); ++i) {
    if (i % 8 == 0) byte = in.Byte();
    bits[i] = (byte & (0x80 >> (i % 8))) != 0;
  }
  return bits;
}

// A byte saying all `n` are defined, or else the bits saying which are.
std::vector<bool> Defined(Cursor& in, std::uint64_t n) {
  if (in.Byte() == 0) return Bits(in, n);
  if (n > std::uint64_t{in.Left()} * 8) {
    in.Fail();
    return {};
  }
  return std::vector<bool>(static_cast<std::size_t>(n), true);
}

// `n` CRCs, some perhaps undefined.
std::vector<std::optional<std::uint32_t>> Digests(Cursor& in, std::uint64_t n) {
  std::vector<bool> defined = Defined(in, n);
  if (in.Bad()) return {};
  if (std::uint64_t(std::count(defined.begin(), defined.end(), true)) > in.Left() / 4) {
    in.Fail();
    return {};
  }
  std::vector<std::optional<std::uint32_t>> crcs(defined.size());
  for (std::size_t i = 0; i < crcs.size(); ++i) {
    if (defined[i]) crcs[i] = in.U32();
  }
  return crcs;
}

struct Coder {
  std::uint64_t id = 0;
  std::string_view properties;
  std::uint64_t in_streams = 1;   // packed side
  std::uint64_t out_streams = 1;  // unpacked side
};

struct Folder {
  std::vector<Coder> coders;
  std::uint64_t in_streams = 0;
  std::uint64_t out_streams = 0;
  std::vector<std::uint64_t> bound_outs;  // the out streams that feed another coder
  std::uint64_t packed_streams = 0;
  std::vector<std::uint64_t> unpack_sizes;  // one for each out stream
  std::optional<std::uint32_t> crc;

  // The size of the stream that leaves the folder: the one out stream not bound to a coder.
  std::uint64_t UnpackSize() const {
    for (std::uint64_t out = 0; out < unpack_sizes.size(); ++out) {
      if (std::find(bound_outs.begin(), bound_outs.end(), out) == bound_outs.end())
        return unpack_sizes[static_cast<std::size_t>(out)];
    }
    return 0;
  }
  bool Encrypted() const {
    return std::any_of(coders.begin(), coders.end(),
                       [](const Coder& c) { return c.id == kAesCoder; });
  }
};

struct Stream {
  std::uint64_t size = 0;
  std::optional<std::uint32_t> crc;
  std::size_t folder = 0;
};

struct StreamsInfo {
  std::uint64_t pack_pos = 0;
  std::vector<std::uint64_t> pack_sizes;
  std::vector<Folder> folders;
  std::vector<Stream> streams;  // the unpacked streams, in order
};

void ReadPackInfo(Cursor& in, StreamsInfo& info) {
  info.pack_pos = in.Number();
  const std::uint64_t n = in.Count(in.Left());
  bool sized = false;
  for (;;) {
    const std::uint64_t type = in.Number();
    if (type == kEnd || in.Bad()) break;
    if (type == kSize) {
      info.pack_sizes.clear();
      for (std::uint64_t i = 0; i < n; ++i)
        info.pack_sizes.push_back(in.Number());
      sized = true;
    } else if (type == kCrc) {
      (void)Digests(in, n);
    } else {
      in.SkipData();
    }
  }
  if (!sized) in.Fail();
}

Folder ReadFolder(Cursor& in) {
  Folder folder;
  const std::uint64_t coders = in.Number();
  if (coders == 0 || coders > kMaxCoders) {
    in.Fail();
    return folder;
  }
  for (std::uint64_t i = 0; i < coders && !in.Bad(); ++i) {
    Coder coder;
    const std::uint8_t flags = in.Byte();
    // Bit 7 announced alternative methods, which no writer has used; 7-Zip refuses them too.
    if (flags & 0x80) in.Fail();
    std::string_view id = in.Take(flags & 0x0F);
    if (id.size() > 8) in.Fail();
    for (char c : id)
      coder.id = coder.id << 8 | static_cast<unsigned char>(c);
    if (flags & 0x10) {
      coder.in_streams = in.Count(kMaxCoderStreams);
      coder.out_streams = in.Count(kMaxCoderStreams);
    }
    if (flags & 0x20) coder.properties = in.Take(in.Number());
    folder.in_streams += coder.in_streams;
    folder.out_streams += coder.out_streams;
    folder.coders.push_back(coder);
  }
  if (in.Bad() || folder.out_streams == 0 || folder.in_streams + 1 < folder.out_streams) {
    in.Fail();
    return folder;
  }
  const std::uint64_t bind_pairs = folder.out_streams - 1;
  for (std::uint64_t i = 0; i < bind_pairs; ++i) {
    if (in.Number() >= folder.in_streams) in.Fail();
    const std::uint64_t out = in.Number();
    if (out >= folder.out_streams) in.Fail();
    folder.bound_outs.push_back(out);
  }
  folder.packed_streams = folder.in_streams - bind_pairs;
  if (folder.packed_streams > 1) {
    for (std::uint64_t i = 0; i < folder.packed_streams; ++i) {
      if (in.Number() >= folder.in_streams) in.Fail();
    }
  }
  return folder;
}

void ReadUnpackInfo(Cursor& in, StreamsInfo& info) {
  in.WaitId(kFolder);
  // Each folder takes at least three bytes.
  const std::uint64_t n = in.Count(in.Left() / 3);
  // Folders kept elsewhere in the archive: no writer does that.
  if (in.Byte() != 0) in.Fail();
  for (std::uint64_t i = 0; i < n && !in.Bad(); ++i)
    info.folders.push_back(ReadFolder(in));
  in.WaitId(kCodersUnpackSize);
  for (Folder& folder : info.folders) {
    for (std::uint64_t i = 0; i < folder.out_streams && !in.Bad(); ++i)
      folder.unpack_sizes.push_back(in.Number());
  }
  for (;;) {
    const std::uint64_t type = in.Number();
    if (type == kEnd || in.Bad()) break;
    if (type == kCrc) {
      std::vector<std::optional<std::uint32_t>> crcs = Digests(in, n);
      for (std::size_t i = 0; i < crcs.size(); ++i)
        info.folders[i].crc = crcs[i];
    } else {
      in.SkipData();
    }
  }
}

// Without substreams each folder holds one stream.
void OneStreamEach(StreamsInfo& info) {
  info.streams.clear();
  for (std::size_t i = 0; i < info.folders.size(); ++i)
    info.streams.push_back({info.folders[i].UnpackSize(), info.folders[i].crc, i});
}

void ReadSubStreamsInfo(Cursor& in, StreamsInfo& info) {
  const std::vector<Folder>& folders = info.folders;
  std::vector<std::uint64_t> counts(folders.size(), 1);
  std::uint64_t type = 0;
  for (;;) {
    type = in.Number();
    if (in.Bad()) return;
    if (type == kNumUnpackStream) {
      // A folder of n streams lists n - 1 sizes, a byte at least each.
      for (std::uint64_t& count : counts)
        count = in.Count(std::uint64_t{in.Left()} + 1);
      continue;
    }
    if (type == kCrc || type == kSize || type == kEnd) break;
    in.SkipData();
  }
  info.streams.clear();
  for (std::size_t i = 0; i < folders.size() && !in.Bad(); ++i) {
    if (counts[i] == 0) continue;
    if (counts[i] > 1 && (type != kSize || counts[i] - 1 > in.Left())) {
      in.Fail();
      return;
    }
    std::uint64_t sum = 0;
    for (std::uint64_t j = 1; j < counts[i]; ++j) {
      const std::uint64_t size = in.Number();
      sum += size;
      if (sum < size) in.Fail();
      info.streams.push_back({size, std::nullopt, i});
    }
    const std::uint64_t folder_size = folders[i].UnpackSize();
    if (folder_size < sum) in.Fail();
    info.streams.push_back({folder_size - sum, std::nullopt, i});
  }
  if (type == kSize) type = in.Number();

  // A folder of one stream with its own CRC lists no digest for it again.
  auto own_crc = [&](std::size_t i) { return counts[i] == 1 && folders[i].crc.has_value(); };
  std::uint64_t digests = 0;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (!own_crc(i)) digests += counts[i];
  }
  for (Stream& stream : info.streams) {
    if (own_crc(stream.folder)) stream.crc = folders[stream.folder].crc;
  }
  for (;;) {
    if (type == kEnd || in.Bad()) break;
    if (type == kCrc) {
      std::vector<std::optional<std::uint32_t>> crcs = Digests(in, digests);
      std::size_t k = 0;
      for (Stream& stream : info.streams) {
        if (!own_crc(stream.folder) && k < crcs.size()) stream.crc = crcs[k++];
      }
    } else {
      in.SkipData();
    }
    type = in.Number();
  }
}

StreamsInfo ReadStreamsInfo(Cursor& in) {
  StreamsInfo info;
  std::uint64_t type = in.Number();
  if (type == kPackInfo) {
    ReadPackInfo(in, info);
    type = in.Number();
  }
  if (type == kUnpackInfo) {
    ReadUnpackInfo(in, info);
    type = in.Number();
  }
  OneStreamEach(info);
  if (type == kSubStreamsInfo) {
    ReadSubStreamsInfo(in, info);
    type = in.Number();
  }
  if (type != kEnd) in.Fail();
  return info;
}

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// `n` names, each UTF-16LE ended by a zero, as UTF-8; a lone surrogate becomes U+FFFD.
std::vector<std::string> Names(Cursor& in, std::uint64_t n) {
  std::string_view data = in.Take(in.Left());
  std::vector<std::string> names;
  if (data.size() % 2 != 0) {
    in.Fail();
    return names;
  }
  std::string name;
  const std::size_t units = data.size() / 2;
  auto unit = [&](std::size_t i) -> std::uint32_t {
    return static_cast<unsigned char>(data[2 * i]) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(data[2 * i + 1])) << 8;
  };
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t c = unit(i);
    if (c == 0) {
      if (names.size() == n) {
        in.Fail();
        return names;
      }
      names.push_back(std::move(name));
      name.clear();
      continue;
    }
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 &&
        unit(i + 1) < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    AppendUtf8(name, c);
  }
  if (names.size() != n || !name.empty()) in.Fail();
  return names;
}

Result<std::vector<StoredEntry>> ReadFilesInfo(Cursor& in, const StreamsInfo& main) {
  // A file takes a byte of the header at least (its name takes two).
  const std::uint64_t n = in.Count(in.Left());
  std::vector<bool> empty_stream(static_cast<std::size_t>(n), false);
  std::vector<bool> empty_file;
  std::vector<bool> anti;
  std::vector<std::string> names;
  std::vector<bool> has_attributes;
  std::vector<std::uint32_t> attributes;
  std::uint64_t empty_streams = 0;
  for (;;) {
    const std::uint64_t type = in.Number();
    if (type == kEnd || in.Bad()) break;
    Cursor property(in.Take(in.Number()));
    switch (type) {
      case kEmptyStream:
        empty_stream = Bits(property, n);
        empty_streams =
            static_cast<std::uint64_t>(std::count(empty_stream.begin(), empty_stream.end(), true));
        empty_file.clear();
        anti.clear();
        break;
      case kEmptyFile:
        empty_file = Bits(property, empty_streams);
        break;
      case kAnti:
        anti = Bits(property, empty_streams);
        break;
      case kName:
        // Names kept elsewhere in the archive: no writer does that.
        if (property.Byte() != 0) property.Fail();
        names = Names(property, n);
        break;
      case kWinAttributes: {
        has_attributes = Defined(property, n);
        if (property.Byte() != 0) property.Fail();
        const auto defined = static_cast<std::uint64_t>(
            std::count(has_attributes.begin(), has_attributes.end(), true));
        if (defined > property.Left() / 4) property.Fail();
        attributes.assign(has_attributes.size(), 0);
        for (std::size_t i = 0; i < attributes.size() && !property.Bad(); ++i) {
          if (has_attributes[i]) attributes[i] = property.U32();
        }
        break;
      }
      default:  // times, start positions, padding and what later versions add
        break;
    }
    if (property.Bad()) in.Fail();
  }
  if (in.Bad()) return Failure(kDamaged);

  std::vector<StoredEntry> entries;
  entries.reserve(static_cast<std::size_t>(n));
  std::size_t stream = 0;
  std::size_t empty = 0;
  for (std::size_t i = 0; i < n; ++i) {
    StoredEntry entry;
    if (i < names.size()) entry.name = std::move(names[i]);
    if (empty_stream[i]) {
      const bool is_file = empty < empty_file.size() && empty_file[empty];
      const bool is_anti = empty < anti.size() && anti[empty];
      ++empty;
      if (is_anti) continue;
      entry.is_directory = !is_file;
    } else {
      if (stream >= main.streams.size()) return Failure(kDamaged);
      const Stream& data = main.streams[stream++];
      entry.size = data.size;
      entry.crc = data.crc.value_or(0);
      entry.crc_known = data.crc.has_value();
      entry.encrypted = main.folders[data.folder].Encrypted();
    }
    if (i < has_attributes.size() && has_attributes[i]) {
      const std::uint32_t a = attributes[i];
      if (a & kAttributeDirectory) entry.is_directory = true;
      if (a & kAttributeUnixExtension) {
        const mode_t mode = a >> 16;
        if (S_ISDIR(mode)) entry.is_directory = true;
        if (S_ISLNK(mode)) entry.is_link = true;
        if (S_ISCHR(mode) || S_ISBLK(mode) || S_ISFIFO(mode) || S_ISSOCK(mode))
          entry.is_other = true;
      }
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

// The header after its kHeader id.
Result<std::vector<StoredEntry>> ReadHeader(Cursor& in) {
  std::uint64_t type = in.Number();
  if (type == kArchiveProperties) {
    for (;;) {
      const std::uint64_t property = in.Number();
      if (property == kEnd || in.Bad()) break;
      in.SkipData();
    }
    type = in.Number();
  }
  if (type == kAdditionalStreamsInfo) {
    (void)ReadStreamsInfo(in);
    type = in.Number();
  }
  StreamsInfo main;
  if (type == kMainStreamsInfo) {
    main = ReadStreamsInfo(in);
    type = in.Number();
  }
  std::vector<StoredEntry> entries;
  if (type == kFilesInfo) {
    Result<std::vector<StoredEntry>> files = ReadFilesInfo(in, main);
    if (!files) return files;
    entries = std::move(*files);
    type = in.Number();
  }
  if (type != kEnd || in.Bad()) return Failure(kDamaged);
  return entries;
}

// Decodes a raw LZMA or LZMA2 stream of exactly `size` bytes.
Result<std::string> DecodeLzma(std::uint64_t coder, std::string_view properties,
                               std::string_view packed, std::size_t size) {
  lzma_filter filters[2] = {};
  filters[0].id = coder == kLzmaCoder ? LZMA_FILTER_LZMA1 : LZMA_FILTER_LZMA2;
  filters[1].id = LZMA_VLI_UNKNOWN;
  if (lzma_properties_decode(&filters[0], nullptr,
                             reinterpret_cast<const std::uint8_t*>(properties.data()),
                             properties.size()) != LZMA_OK)
    return Failure(kDamaged);
  // The decoder allocates its whole dictionary at once, and a crafted header may ask for 4 GiB;
  // it never needs more than what it decodes.
  auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
  options->dict_size = static_cast<std::uint32_t>(std::max<std::uint64_t>(
      LZMA_DICT_SIZE_MIN, std::min<std::uint64_t>(options->dict_size, size)));
  lzma_stream stream = LZMA_STREAM_INIT;
  const lzma_ret started = lzma_raw_decoder(&stream, filters);
  std::free(filters[0].options);
  if (started != LZMA_OK) return Failure(kDamaged);
  std::string out(size, '\0');
  stream.next_in = reinterpret_cast<const std::uint8_t*>(packed.data());
  stream.avail_in = packed.size();
  stream.next_out = reinterpret_cast<std::uint8_t*>(out.data());
  stream.avail_out = out.size();
  // Ends at the size, at the stream's end mark, or when no progress is possible.
  while (stream.avail_out > 0) {
    if (lzma_code(&stream, LZMA_FINISH) != LZMA_OK) break;
  }
  const bool complete = stream.avail_out == 0;
  lzma_end(&stream);
  if (!complete) return Failure(kDamaged);
  return out;
}

// The archive's file as a way to read `size` bytes at `offset`.
template <typename ReadAtFn>
Result<std::vector<StoredEntry>> ParseArchive(std::uint64_t file_size, ReadAtFn read_at) {
  if (file_size < kSignature.size()) return Failure("not a 7z archive");
  Result<std::string> start =
      read_at(0, static_cast<std::size_t>(std::min<std::uint64_t>(file_size, 32)));
  if (!start) return Failure(start.Message());
  if (std::string_view(*start).substr(0, kSignature.size()) != kSignature)
    return Failure("not a 7z archive");
  if (start->size() < kSignatureHeaderSize) return Failure(kTruncated);
  if (static_cast<unsigned char>((*start)[6]) != 0) return Failure("unsupported 7z version");
  if (Crc32(std::string_view(*start).substr(12, 20)) != Le32(*start, 8))
    return Failure("the start header is damaged");
  const std::uint64_t next_offset = Le64(*start, 12);
  const std::uint64_t next_size = Le64(*start, 20);
  const std::uint32_t next_crc = Le32(*start, 28);
  if (next_size == 0) {
    // An empty archive.
    if (next_offset != 0) return Failure(kDamaged);
    return std::vector<StoredEntry>{};
  }
  const std::uint64_t body = file_size - kSignatureHeaderSize;
  if (next_offset > body || next_size > body - next_offset) return Failure(kTruncated);
  if (next_size > kMaxHeader) return Failure("the header is too large");
  Result<std::string> header =
      read_at(kSignatureHeaderSize + next_offset, static_cast<std::size_t>(next_size));
  if (!header) return Failure(header.Message());
  if (Crc32(*header) != next_crc) return Failure(kDamaged);

  const std::uint64_t max_decoded = std::min(kMaxHeader, file_size * kMaxHeaderRatio);
  for (int level = 0;; ++level) {
    Cursor in(*header);
    const std::uint64_t type = in.Number();
    if (type == kHeader) return ReadHeader(in);
    if (type != kEncodedHeader || level == kMaxHeaderLevels) return Failure(kDamaged);
    const StreamsInfo info = ReadStreamsInfo(in);
    if (in.Bad() || info.folders.size() != 1 || info.pack_sizes.empty()) return Failure(kDamaged);
    const Folder& folder = info.folders[0];
    if (folder.coders.size() != 1 || folder.in_streams != 1 || folder.out_streams != 1)
      return Failure(kUnsupportedCoder);
    const Coder& coder = folder.coders[0];
    if (coder.id != kCopyCoder && coder.id != kLzmaCoder && coder.id != kLzma2Coder)
      return Failure(kUnsupportedCoder);
    const std::uint64_t packed_size = info.pack_sizes[0];
    if (info.pack_pos > body || packed_size > body - info.pack_pos) return Failure(kTruncated);
    const std::uint64_t size = folder.UnpackSize();
    if (packed_size > kMaxHeader || size > max_decoded) return Failure("the header is too large");
    Result<std::string> packed =
        read_at(kSignatureHeaderSize + info.pack_pos, static_cast<std::size_t>(packed_size));
    if (!packed) return Failure(packed.Message());
    Result<std::string> decoded =
        coder.id == kCopyCoder
            ? (packed->size() >= size ? Result<std::string>(packed->substr(0, size))
                                      : Result<std::string>(Failure(kDamaged)))
            : DecodeLzma(coder.id, coder.properties, *packed, static_cast<std::size_t>(size));
    if (!decoded) return Failure(decoded.Message());
    const std::optional<std::uint32_t> crc =
        folder.crc ? folder.crc : (info.streams.size() == 1 ? info.streams[0].crc : std::nullopt);
    if (crc && Crc32(*decoded) != *crc) return Failure(kDamaged);
    header = std::move(decoded);
  }
}

Result<std::string> ReadAt(int fd, std::uint64_t offset, std::size_t size) {
  std::string data(size, '\0');
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = pread(fd, data.data() + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Failure(std::strerror(errno));
    if (n == 0) return Failure(kTruncated);
    done += static_cast<std::size_t>(n);
  }
  return data;
}

Result<std::vector<StoredEntry>> Named(std::string_view name,
                                       Result<std::vector<StoredEntry>> result) {
  if (result) return result;
  return Failure(std::string(name) + ": " + result.Message());
}

}  // namespace

Result<std::vector<StoredEntry>> Read7zDirectory(std::string_view path) {
  Result<OpenFile> opened = OpenFile::Open(path);
  if (!opened) return Named(path, Failure(opened.Message()));
  const int fd = opened->Fd();
  struct stat st;
  if (fstat(fd, &st) != 0) return Named(path, Failure(std::strerror(errno)));
  return Named(path, ParseArchive(static_cast<std::uint64_t>(st.st_size),
                                  [fd](std::uint64_t offset, std::size_t size) {
                                    return ReadAt(fd, offset, size);
                                  }));
}

Result<std::vector<StoredEntry>> Parse7zDirectory(std::string_view bytes, std::string_view name) {
  return Named(name,
               ParseArchive(bytes.size(),
                            [bytes](std::uint64_t offset, std::size_t size) -> Result<std::string> {
                              if (offset > bytes.size() || size > bytes.size() - offset)
                                return Failure(kTruncated);
                              return std::string(bytes.substr(offset, size));
                            }));
}

}  // namespace kw::platform::archive
