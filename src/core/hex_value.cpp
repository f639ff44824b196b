#include "core/hex_value.h"

#include <cstdio>

namespace kw {

std::uint32_t HexValue(std::string_view text) {
  // Summing digit * 16^position from the right is the same as shifting in from the left; the
  // 32-bit wrap drops every digit beyond the eighth from the right either way.
  std::uint32_t value = 0;
  for (char c : text) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    }
    value = (value << 4) | digit;
  }
  return value;
}

std::string Hex8(std::uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
  return text;
}

}  // namespace kw
