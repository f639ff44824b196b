// 7z sets come from anywhere: any bytes must give a directory or a failure with a message,
// without a crash, and no more entries than the header's bytes can describe. The input is also
// read with its two header CRCs made right, so that mutations get past them into the header.
#include <sys/mman.h>
#include <unistd.h>

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/sevenzip_directory.h"

namespace {

namespace archive = kw::platform::archive;

std::uint64_t Le64(const std::string& b, std::size_t at) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

void PutLe32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

std::uint32_t Crc(std::string_view bytes) {
  return static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

void Check(std::string_view bytes) {
  kw::Result<std::vector<archive::StoredEntry>> parsed =
      archive::Parse7zDirectory(bytes, "fuzz.7z");
  if (!parsed && parsed.Message().empty()) std::abort();
  // A decoded header is at most 128 times the archive, and a file takes a byte of it.
  if (parsed && parsed->size() > 128 * bytes.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Check(bytes);

  if (bytes.size() >= 32) {
    std::string mended = bytes;
    const std::uint64_t offset = Le64(mended, 12);
    const std::uint64_t length = Le64(mended, 20);
    const std::uint64_t body = mended.size() - 32;
    if (offset <= body && length <= body - offset)
      PutLe32(mended, 28, Crc(std::string_view(mended).substr(32 + offset, length)));
    PutLe32(mended, 8, Crc(std::string_view(mended).substr(12, 20)));
    Check(mended);
  }

  // The file reader gives what the memory reader gives.
  const int fd = memfd_create("sevenzip_fuzz", MFD_CLOEXEC);
  if (fd < 0) return 0;
  if (write(fd, data, size) == static_cast<ssize_t>(size)) {
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    kw::Result<std::vector<archive::StoredEntry>> read = archive::Read7zDirectory(path);
    kw::Result<std::vector<archive::StoredEntry>> parsed = archive::Parse7zDirectory(bytes, path);
    if (read.Ok() != parsed.Ok() || read.Message() != parsed.Message()) std::abort();
    if (read && read->size() != parsed->size()) std::abort();
  }
  close(fd);
  return 0;
}
