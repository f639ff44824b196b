// A deflated ZIP member is inflated whole by one library and, when that fails, streamed by
// another. Any bytes must give what a plain streamed zlib inflate gives: the same data when it
// ends within the member's claimed size and the limit, a failure when it does not.
//
// Input: 3 bytes of claimed size, 3 bytes of limit (little-endian, below 1 MiB each), then the
// deflated data.
#include <sys/mman.h>
#include <unistd.h>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/zip_directory.h"

namespace {

std::uint64_t U24(const std::uint8_t* p) {
  return (p[0] | p[1] << 8 | static_cast<std::uint64_t>(p[2]) << 16) & 0xFFFFF;
}

// The data a streamed inflate of `packed` gives, and whether the stream ended, without going
// past `limit` bytes.
bool Reference(std::string_view packed, std::uint64_t limit, std::string& out) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  z.avail_in = static_cast<uInt>(packed.size());
  char block[4096];
  int result = Z_OK;
  while (result == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(block);
    z.avail_out = sizeof block;
    result = inflate(&z, Z_NO_FLUSH);
    out.append(block, sizeof block - z.avail_out);
    if (out.size() > limit) result = Z_DATA_ERROR;
    if (result == Z_OK && z.avail_out == sizeof block) result = Z_BUF_ERROR;  // stuck
  }
  inflateEnd(&z);
  return result == Z_STREAM_END;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace archive = kw::platform::archive;
  if (size < 6) return 0;
  archive::StoredEntry entry;
  entry.method = 8;
  entry.size = U24(data);
  const std::uint64_t limit = U24(data + 3);
  const std::string_view packed(reinterpret_cast<const char*>(data + 6), size - 6);
  entry.packed_size = packed.size();
  entry.local_offset = 0;

  // The directory's CRC-32 is that of the data, as in any archive that was not tampered with;
  // for a stream that zlib refuses, an arbitrary one.
  std::string want;
  const bool ended = Reference(packed, limit, want);
  entry.crc = ended ? static_cast<std::uint32_t>(
                          crc32(0L, reinterpret_cast<const Bytef*>(want.data()), want.size()))
                    : 0x6A3D91C7u;  // as good as never the CRC-32 of what ISA-L gives
  const int fd = memfd_create("inflate_fuzz", MFD_CLOEXEC);
  if (fd < 0) return 0;
  std::string file(30, '\0');
  file[0] = 'P', file[1] = 'K', file[2] = 3, file[3] = 4;
  file += packed;
  if (write(fd, file.data(), file.size()) == static_cast<ssize_t>(file.size())) {
    std::string got;
    const kw::Status decoded =
        archive::DecodeZipEntry(fd, entry, limit, [&](const char* bytes, std::size_t n) {
          got.append(bytes, n);
          return kw::Success();
        });
    if (static_cast<bool>(decoded) != ended) std::abort();
    if (ended && got != want) std::abort();
    if (got.size() > limit) std::abort();
  }
  close(fd);
  return 0;
}
