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

#include "platform/sevenzip_streams.h"

namespace kw::platform::archive {

namespace {

using namespace sevenzip;

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
    // A name longer than any set file's is kept only as far as its refusal shows it.
    if (name.size() <= kMaxNameBytes) AppendUtf8(name, c);
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
    if (entry.name.size() > kMaxNameBytes) {
      entry.name_too_long = true;
      entry.name.resize(kMaxNameBytes);
    }
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
