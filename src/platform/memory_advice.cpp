#include "platform/memory_advice.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace kw::platform {

namespace {

// Below this the buffer cannot hold a huge page, and the call would be wasted.
constexpr std::size_t kHugePageBytes = 2 * 1024 * 1024;

}  // namespace

void AdviseHugePages(const void* data, std::size_t bytes) {
  if (data == nullptr || bytes < kHugePageBytes) return;
  static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + page - 1) / page * page;
  const std::uintptr_t last = (start + bytes) / page * page;
  if (last <= first) return;
  madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace kw::platform
