// Inflate plus CRC-32 of the deflated members of some ZIP archives with each library Debian
// carries, on one core: zlib (streamed in 256 KiB blocks, as the verifier reads, and whole),
// libdeflate (whole members only) and ISA-L (streamed and whole). The members' compressed bytes
// are read into memory first, so only the decoding is timed. Each line gives the output MiB/s,
// the best of RUNS passes over every member; every decoder's CRC-32s are checked against the
// archives' own.
//
//   inflate_bench [--runs N] ZIP...
#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>
#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/zip_directory.h"

namespace {

namespace archive = kw::platform::archive;

struct Member {
  std::string packed;
  std::string decoded;  // for the CRC-alone lines
  std::size_t size = 0;
  std::uint32_t crc = 0;
};

constexpr std::size_t kBlock = 256 * 1024;

bool ZlibStream(const Member& m, std::string& out, std::uint32_t& crc) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(m.packed.data()));
  z.avail_in = static_cast<uInt>(m.packed.size());
  uLong running = crc32(0L, Z_NULL, 0);
  int result = Z_OK;
  while (result == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(kBlock);
    result = inflate(&z, Z_NO_FLUSH);
    running = crc32_z(running, reinterpret_cast<const Bytef*>(out.data()), kBlock - z.avail_out);
  }
  inflateEnd(&z);
  crc = static_cast<std::uint32_t>(running);
  return result == Z_STREAM_END;
}

bool ZlibWhole(const Member& m, std::string& out, std::uint32_t& crc) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(m.packed.data()));
  z.avail_in = static_cast<uInt>(m.packed.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(m.size);
  const int result = inflate(&z, Z_FINISH);
  const std::size_t got = m.size - z.avail_out;
  inflateEnd(&z);
  crc = static_cast<std::uint32_t>(crc32_z(0L, reinterpret_cast<const Bytef*>(out.data()), got));
  return result == Z_STREAM_END;
}

bool Libdeflate(const Member& m, std::string& out, std::uint32_t& crc) {
  thread_local libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  std::size_t got = 0;
  if (libdeflate_deflate_decompress(d, m.packed.data(), m.packed.size(), out.data(), m.size,
                                    &got) != LIBDEFLATE_SUCCESS)
    return false;
  crc = libdeflate_crc32(0, out.data(), got);
  return true;
}

bool IsalInflate(const Member& m, std::string& out, std::uint32_t& crc, std::size_t block) {
  inflate_state state;
  isal_inflate_init(&state);
  state.crc_flag = ISAL_GZIP_NO_HDR;
  state.next_in = reinterpret_cast<std::uint8_t*>(const_cast<char*>(m.packed.data()));
  state.avail_in = static_cast<std::uint32_t>(m.packed.size());
  while (state.block_state != ISAL_BLOCK_FINISH) {
    state.next_out = reinterpret_cast<std::uint8_t*>(out.data());
    state.avail_out = static_cast<std::uint32_t>(block);
    const int result = isal_inflate(&state);
    if (result != ISAL_DECOMP_OK) return false;
    if (state.avail_out == block && state.avail_in == 0 && state.block_state != ISAL_BLOCK_FINISH)
      return false;
  }
  crc = state.crc;
  return true;
}

bool IsalStream(const Member& m, std::string& out, std::uint32_t& crc) {
  return IsalInflate(m, out, crc, kBlock);
}
bool IsalWhole(const Member& m, std::string& out, std::uint32_t& crc) {
  return IsalInflate(m, out, crc, std::max<std::size_t>(m.size, 1));
}

// CRC-32 alone over the members' decoded bytes, for the CRC's share of the time.
bool ZlibCrc(const Member& m, std::string&, std::uint32_t& crc) {
  crc = static_cast<std::uint32_t>(
      crc32_z(0L, reinterpret_cast<const Bytef*>(m.decoded.data()), m.decoded.size()));
  return true;
}
bool LibdeflateCrc(const Member& m, std::string&, std::uint32_t& crc) {
  crc = libdeflate_crc32(0, m.decoded.data(), m.decoded.size());
  return true;
}
bool IsalCrc(const Member& m, std::string&, std::uint32_t& crc) {
  crc = crc32_gzip_refl(0, reinterpret_cast<const unsigned char*>(m.decoded.data()),
                        m.decoded.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  std::vector<Member> members;
  std::size_t largest = kBlock;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
      continue;
    }
    auto file = archive::OpenFile::Open(argv[i]);
    if (!file) continue;
    auto entries = archive::ReadZipDirectory(file->Fd());
    if (!entries) continue;
    for (const archive::StoredEntry& entry : *entries) {
      if (entry.method != 8 || entry.encrypted) continue;
      // The raw bytes after the local header, read once.
      unsigned char local[30];
      if (pread(file->Fd(), local, 30, static_cast<off_t>(entry.local_offset)) != 30) continue;
      const std::uint64_t at =
          entry.local_offset + 30 + (local[26] | local[27] << 8) + (local[28] | local[29] << 8);
      Member m;
      m.packed.resize(entry.packed_size);
      if (pread(file->Fd(), m.packed.data(), m.packed.size(), static_cast<off_t>(at)) !=
          static_cast<ssize_t>(m.packed.size()))
        continue;
      m.size = entry.size;
      m.crc = entry.crc;
      largest = std::max(largest, m.size);
      members.push_back(std::move(m));
    }
  }
  if (members.empty()) {
    std::fprintf(stderr, "usage: inflate_bench [--runs N] ZIP...   (no deflated member found)\n");
    return 2;
  }
  std::size_t total = 0, packed = 0;
  for (const Member& m : members) {
    total += m.size;
    packed += m.packed.size();
  }
  std::printf("%zu members, %.1f MiB decoded from %.1f MiB, the largest %.1f MiB; best of %d\n",
              members.size(), total / 1048576.0, packed / 1048576.0, largest / 1048576.0, runs);
  std::string out(largest, '\0');
  for (Member& m : members) {
    std::uint32_t crc = 0;
    if (Libdeflate(m, out, crc)) m.decoded.assign(out.data(), m.size);
  }
  struct Decoder {
    const char* name;
    bool (*decode)(const Member&, std::string&, std::uint32_t&);
  };
  const Decoder decoders[] = {
      {"zlib inflate + crc32, 256 KiB blocks", ZlibStream},
      {"zlib inflate + crc32, whole member", ZlibWhole},
      {"libdeflate decompress + crc32", Libdeflate},
      {"ISA-L inflate with crc, 256 KiB blocks", IsalStream},
      {"ISA-L inflate with crc, whole member", IsalWhole},
      {"crc32 alone, zlib", ZlibCrc},
      {"crc32 alone, libdeflate", LibdeflateCrc},
      {"crc32 alone, ISA-L", IsalCrc},
  };
  for (const Decoder& decoder : decoders) {
    double best = 1e30;
    bool right = true;
    for (int r = 0; r < runs; ++r) {
      const auto start = std::chrono::steady_clock::now();
      for (const Member& m : members) {
        std::uint32_t crc = 0;
        if (!decoder.decode(m, out, crc) || crc != m.crc) right = false;
      }
      best = std::min(
          best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("%-42s %8.1f MiB/s%s\n", decoder.name, total / 1048576.0 / best,
                right ? "" : "  (WRONG CRC)");
  }
  return 0;
}
