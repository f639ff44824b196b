// The records of a 7z archive's header that describe its streams (pack info, folders and their
// coders, substreams) and the cursor every header read goes through. Shared by the directory
// reader (sevenzip_directory.cpp) and the streams reader (sevenzip_streams.cpp) only.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw::platform::archive::sevenzip {

inline constexpr std::string_view kSignature("7z\xBC\xAF\x27\x1C", 6);
inline constexpr std::size_t kSignatureHeaderSize = 32;
// A header (packed or decoded) larger than this is no set archive's.
inline constexpr std::uint64_t kMaxHeader = std::uint64_t{64} << 20;
// Nor does a decoded header outgrow its archive by more than this factor: names and sizes
// compress well, the CRCs not at all.
inline constexpr std::uint64_t kMaxHeaderRatio = 128;
// A compressed header holds the header itself, perhaps compressed again; never deeper than this.
inline constexpr int kMaxHeaderLevels = 4;
// 7-Zip's own limits for one folder.
inline constexpr std::uint64_t kMaxCoders = 64;
inline constexpr std::uint64_t kMaxCoderStreams = 64;

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
inline constexpr std::uint64_t kCopyCoder = 0x00;
inline constexpr std::uint64_t kLzma2Coder = 0x21;
inline constexpr std::uint64_t kLzmaCoder = 0x030101;
inline constexpr std::uint64_t kAesCoder = 0x06F10701;

inline constexpr std::uint32_t kAttributeDirectory = 0x10;
// The high 16 bits of the attributes hold a Unix mode.
inline constexpr std::uint32_t kAttributeUnixExtension = 0x8000;

inline constexpr char kDamaged[] = "the header is damaged";
inline constexpr char kTruncated[] = "the archive is truncated";
inline constexpr char kUnsupportedCoder[] = "unsupported header coder";

inline std::uint32_t Le32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}
inline std::uint64_t Le64(std::string_view b, std::size_t at) {
  return Le32(b, at) | static_cast<std::uint64_t>(Le32(b, at + 4)) << 32;
}

// The CRC-32 of `bytes` (zlib's).
std::uint32_t Crc32(std::string_view bytes);

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

// `n` bits, the first in the highest bit of the first byte.
std::vector<bool> Bits(Cursor& in, std::uint64_t n);
// A byte saying all `n` are defined, or else the bits saying which are.
std::vector<bool> Defined(Cursor& in, std::uint64_t n);
// `n` CRCs, some perhaps undefined.
std::vector<std::optional<std::uint32_t>> Digests(Cursor& in, std::uint64_t n);
// The streams info after its property id, up to and including its kEnd.
StreamsInfo ReadStreamsInfo(Cursor& in);

}  // namespace kw::platform::archive::sevenzip
