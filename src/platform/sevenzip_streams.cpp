#include "platform/sevenzip_streams.h"

#include <zlib.h>

namespace kw::platform::archive::sevenzip {

std::uint32_t Crc32(std::string_view bytes) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes at most 4 GiB at a time; headers are far smaller.
  crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
  return static_cast<std::uint32_t>(crc);
}

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

namespace {

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

}  // namespace

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

}  // namespace kw::platform::archive::sevenzip
