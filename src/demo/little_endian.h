// The little-endian fields of the file formats the demo writes by hand (BMP, WAV).
#pragma once

#include <cstdint>
#include <string>

namespace kw::demo {

inline void AppendLe16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

inline void AppendLe32(std::string& out, std::uint32_t v) {
  AppendLe16(out, v & 0xFFFF);
  AppendLe16(out, v >> 16);
}

}  // namespace kw::demo
