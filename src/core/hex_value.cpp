#include "core/hex_value.h"

#include <array>

namespace kw {

namespace {

// The value of each byte as a hexadecimal digit; 0 for a byte that is not one.
constexpr std::array<std::uint8_t, 256> kDigitValues = [] {
  std::array<std::uint8_t, 256> values{};
  for (int c = '0'; c <= '9'; ++c)
    values[c] = static_cast<std::uint8_t>(c - '0');
  for (int c = 'A'; c <= 'F'; ++c)
    values[c] = values[c + ('a' - 'A')] = static_cast<std::uint8_t>(c - 'A' + 10);
  return values;
}();

}  // namespace

std::uint32_t HexValue(std::string_view text) {
  // Summing digit * 16^position from the right is the same as shifting in from the left; the
  // 32-bit wrap drops every digit beyond the eighth from the right either way. A byte that is
  // not a digit counts as 0.
  std::uint32_t value = 0;
  for (char c : text)
    value = (value << 4) | kDigitValues[static_cast<unsigned char>(c)];
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
