// The program's texts are 8-bit byte strings exactly as read. Where their characters matter (on
// screen, in rich text, in a search) they are read by one rule: valid UTF-8 is UTF-8, anything
// else is Windows-1252. These are the pieces of that rule that need no window.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

// Whether every byte is below 0x80.
bool IsAscii(std::string_view text);

// Whether the text is well-formed UTF-8: no overlong forms, no encoded surrogates, nothing above
// U+10FFFF, no sequence cut short. Plain ASCII is valid UTF-8.
bool IsValidUtf8(std::string_view text);

// Reads the UTF-8 sequence that starts at `pos` and moves `pos` past it; nothing (and `pos`
// unchanged) when the bytes there are not a well-formed sequence or `pos` is at the end.
std::optional<char32_t> DecodeUtf8At(std::string_view text, std::size_t& pos);

// The UTF-8 bytes of a code point (a surrogate or a value above U+10FFFF becomes U+FFFD).
void AppendUtf8(std::string& out, char32_t code_point);

// Windows-1252: the character of a byte, and the byte of a character. The five bytes that the
// code page leaves undefined stand for the C1 controls of the same number, both ways, so that
// they survive a round trip.
char32_t Windows1252ToCodePoint(unsigned char byte);
std::optional<unsigned char> CodePointToWindows1252(char32_t code_point);

// The characters of an 8-bit text by the program's rule: the code points of valid UTF-8, else
// one Windows-1252 character per byte.
std::u32string DecodeSystemText(std::string_view text);

}  // namespace kw
