#include "core/hex_value.h"

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

std::string HexDigits(std::uint32_t value, std::size_t at_least) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char text[8];
  std::size_t first = sizeof text;
  do {
    text[--first] = kDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  std::string digits;
  const std::size_t count = sizeof text - first;
  if (count < at_least) digits.assign(at_least - count, '0');
  digits.append(text + first, count);
  return digits;
}

std::string Hex8(std::uint32_t value) {
  return HexDigits(value, 8);
}

}  // namespace kw
