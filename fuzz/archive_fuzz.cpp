// Set archives come from anywhere: any bytes must extract or fail without a crash, and leave
// nothing in the temporary directory but regular files, each within the set's size limit.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/archive.h"
#include "platform/fs.h"

namespace fs = kw::platform::fs;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string base = "/tmp/kw-archive-fuzz-" + std::to_string(getpid()) + "/";
  static const std::string archive = base + "set.zip";
  static const std::string temp = base + "$KSTEMP$/";
  static const bool cleaned = std::atexit([] { (void)fs::DeleteTree(base); }) == 0;
  (void)cleaned;
  constexpr std::uint64_t kLimit = 16 << 20;
  (void)fs::DeleteTree(temp);
  if (!fs::MakeDirectories(temp)) return 0;
  if (!fs::WriteFile(archive, std::string(reinterpret_cast<const char*>(data), size))) return 0;

  kw::Status done = kw::platform::archive::ExtractFlat(archive, temp, kLimit);
  if (!done && done.Message().empty()) std::abort();
  std::uint64_t total = 0;
  for (const fs::DirEntry& entry : fs::List(temp)) {
    struct stat st;
    if (lstat((temp + entry.name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) std::abort();
    total += static_cast<std::uint64_t>(st.st_size);
  }
  if (total > kLimit) std::abort();
  if (fs::List(base).size() != 2) std::abort();  // nothing beside the archive and the directory
  return 0;
}
