// Hints to the system about how the program uses its memory.
#pragma once

#include <cstddef>

namespace kw::platform {

// Asks for huge pages for the whole pages within [data, data + bytes): a large buffer filled
// front to back then takes one page fault every 2 MiB instead of every 4 KiB. Only a hint: the
// bytes and their meaning stay the same whether or not the system follows it.
void AdviseHugePages(const void* data, std::size_t bytes);

}  // namespace kw::platform
