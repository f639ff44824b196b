// ZIP sets come from anywhere: any bytes must give a directory or a failure, and reading the
// entries it names must end, within the size limit, without a crash.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/reports/set_contents.h"
#include "platform/zip_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace archive = kw::platform::archive;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kw::Result<std::vector<archive::StoredEntry>> parsed = archive::ParseZipDirectory(bytes);
  if (parsed && parsed->size() > size / 46) std::abort();  // no entry without its bytes

  const int fd = memfd_create("zip_fuzz", MFD_CLOEXEC);
  if (fd < 0) return 0;
  if (write(fd, data, size) == static_cast<ssize_t>(size)) {
    kw::ContentsSink sink;
    bool handled = false;
    constexpr std::uint64_t kLimit = 16 << 20;
    (void)archive::ReadZipFlat("/proc/self/fd/" + std::to_string(fd), sink, kLimit, handled);
    std::uint64_t total = 0;
    for (const kw::NamedSetFile& file : sink.Files())
      total += file.file.size;
    if (total > kLimit) std::abort();
  }
  close(fd);
  return 0;
}
