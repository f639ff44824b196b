#include "core/shared/crc32.h"

#include <isa-l/crc.h>

#include <vector>

#include "platform/fs.h"
#include "platform/input_file.h"

namespace kw {

std::uint32_t CRC32Update(std::uint32_t crc, const void* data, std::size_t size) {
  if (size == 0) return crc;
  // ISA-L complements on the way in and on the way out, as zlib does; undo both.
  return ~crc32_gzip_refl(~crc, static_cast<const unsigned char*>(data), size);
}

bool FileCRC32(const std::string& path, std::uint32_t& crc) {
  Result<platform::InputFile> file = platform::InputFile::Open(platform::fs::Resolve(path));
  if (!file) return false;
  std::vector<char> block(64 * 1024);
  std::uint32_t running = 0xFFFFFFFFu;
  for (;;) {
    const long n = file->Read(block.data(), block.size());
    if (n < 0) return false;
    running = CRC32Update(running, block.data(), static_cast<std::size_t>(n));
    if (static_cast<std::size_t>(n) < block.size()) break;
  }
  crc = ~running;
  return true;
}

}  // namespace kw
