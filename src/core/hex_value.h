// Hexadecimal numbers as the emulator's text files write them (CRCs, offsets, addresses).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kw {

// Reads `text` as a hexadecimal number from its last character backwards, one digit position
// per character: '0'-'9' and 'A'-'F' (either case) give their values, every other character
// counts as a digit of value 0. The value wraps at 32 bits; the empty text gives 0.
std::uint32_t HexValue(std::string_view text);

// `value` in upper-case hexadecimal digits, with leading zeros up to `at_least` digits
// (HexDigits(0xA, 2) is "0A", HexDigits(0x1F2AB, 2) is "1F2AB").
std::string HexDigits(std::uint32_t value, std::size_t at_least);

// `value` as eight upper-case hexadecimal digits ("0001F2AB"), as CRCs are shown.
std::string Hex8(std::uint32_t value);

}  // namespace kw
