#include "core/text_encoding.h"

namespace kw {

namespace {

// Code page 1252 from 0x80 to 0x9F; the undefined bytes map to the C1 control of their number.
constexpr char16_t kHighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

}  // namespace

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::optional<char32_t> DecodeUtf8At(std::string_view text, std::size_t& pos) {
  if (pos >= text.size()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return static_cast<char32_t>(text[pos++]);

  std::size_t length;
  char32_t code_point;
  // The smallest value of each length, and the bounds of the second byte that keep out
  // overlong forms, surrogates and values above U+10FFFF.
  unsigned char second_min = 0x80, second_max = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code_point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code_point = lead & 0x0F;
    if (lead == 0xE0) second_min = 0xA0;
    if (lead == 0xED) second_max = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code_point = lead & 0x07;
    if (lead == 0xF0) second_min = 0x90;
    if (lead == 0xF4) second_max = 0x8F;
  } else {
    return std::nullopt;
  }
  if (text.size() - pos < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    const unsigned char low = i == 1 ? second_min : 0x80;
    const unsigned char high = i == 1 ? second_max : 0xBF;
    if (next < low || next > high) return std::nullopt;
    code_point = (code_point << 6) | (next & 0x3F);
  }
  pos += length;
  return code_point;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (!DecodeUtf8At(text, pos)) return false;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t code_point) {
  if ((code_point >= 0xD800 && code_point <= 0xDFFF) || code_point > 0x10FFFF) {
    code_point = 0xFFFD;
  }
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code_point >> 18));
    out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

char32_t Windows1252ToCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighTable[byte - 0x80];
  return byte;
}

std::optional<unsigned char> CodePointToWindows1252(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    return static_cast<unsigned char>(code_point);
  }
  for (int i = 0; i < 32; ++i) {
    if (kHighTable[i] == code_point) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

std::u32string DecodeSystemText(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  if (IsValidUtf8(text)) {
    std::size_t pos = 0;
    while (auto code_point = DecodeUtf8At(text, pos))
      out += *code_point;
  } else {
    for (char c : text)
      out += Windows1252ToCodePoint(static_cast<unsigned char>(c));
  }
  return out;
}

}  // namespace kw
