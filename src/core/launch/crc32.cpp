#include "core/launch/crc32.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

#include "platform/fs.h"

namespace kw {

std::uint32_t CRC32Update(std::uint32_t crc, const void* data, std::size_t size) {
  // zlib answers its own initial value for an empty buffer, whatever the running value.
  if (size == 0) return crc;
  // zlib complements on the way in and on the way out; undo both.
  return ~static_cast<std::uint32_t>(
      crc32_z(~crc & 0xFFFFFFFFul, static_cast<const Bytef*>(data), size));
}

bool FileCRC32(const std::string& path, std::uint32_t& crc) {
  std::FILE* file = std::fopen(platform::fs::Resolve(path).c_str(), "rb");
  if (!file) return false;
  std::vector<unsigned char> block(64 * 1024);
  std::uint32_t running = 0xFFFFFFFFu;
  bool ok = true;
  for (;;) {
    const std::size_t n = std::fread(block.data(), 1, block.size(), file);
    running = CRC32Update(running, block.data(), n);
    if (n < block.size()) {
      ok = std::ferror(file) == 0;
      break;
    }
  }
  std::fclose(file);
  if (!ok) return false;
  crc = ~running;
  return true;
}

}  // namespace kw
