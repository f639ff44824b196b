#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace kw {
namespace {

TEST(TextEncoding, ValidUtf8IsWellFormedOnly) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("Pac-Man"));
  EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"));
  EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));  // U+10FFFF
  // Windows-1252 text: a lone high byte.
  EXPECT_FALSE(IsValidUtf8("caf\xE9"));
  EXPECT_FALSE(IsValidUtf8("\x80"));
  // Overlong forms, encoded surrogates, values above U+10FFFF, sequences cut short.
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));
  EXPECT_FALSE(IsValidUtf8("\xF0\x80\x80\xAF"));
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));
  EXPECT_FALSE(IsValidUtf8("\xF5\x80\x80\x80"));
  EXPECT_FALSE(IsValidUtf8("\xE6\x97"));
  EXPECT_FALSE(IsValidUtf8("\xE6\x97x"));
}

TEST(TextEncoding, DecodesAndEncodesCodePoints) {
  const std::string text = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80";
  std::size_t pos = 0;
  std::u32string decoded;
  while (auto code_point = DecodeUtf8At(text, pos))
    decoded += *code_point;
  EXPECT_EQ(pos, text.size());
  EXPECT_EQ(decoded, (std::u32string{U'a', 0xE9, 0x65E5, 0x1F600}));
  std::string encoded;
  for (char32_t c : decoded)
    AppendUtf8(encoded, c);
  EXPECT_EQ(encoded, text);

  pos = 1;
  EXPECT_EQ(DecodeUtf8At("x\xE9", pos), std::nullopt);
  EXPECT_EQ(pos, 1u);
  encoded.clear();
  AppendUtf8(encoded, 0xD800);
  EXPECT_EQ(encoded, "\xEF\xBF\xBD");
}

TEST(TextEncoding, Windows1252BothWays) {
  EXPECT_EQ(Windows1252ToCodePoint(0x80), U'\u20AC');
  EXPECT_EQ(Windows1252ToCodePoint(0x9F), U'\u0178');
  EXPECT_EQ(Windows1252ToCodePoint(0xE9), U'\u00E9');
  // Every byte comes back, the five undefined ones included.
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(CodePointToWindows1252(Windows1252ToCodePoint(byte)), byte) << b;
  }
  EXPECT_EQ(CodePointToWindows1252(0x80), std::nullopt);  // a C1 control that 0x80 is not
  EXPECT_EQ(CodePointToWindows1252(0x65E5), std::nullopt);
}

TEST(TextEncoding, SystemTextIsUtf8WhereValidElseWindows1252) {
  EXPECT_EQ(DecodeSystemText("caf\xC3\xA9"), U"caf\u00E9");
  EXPECT_EQ(DecodeSystemText("caf\xE9 \x80"), U"caf\u00E9 \u20AC");
  EXPECT_EQ(DecodeSystemText("\xE6\x97\xA5\xE6\x9C\xAC"), U"\u65E5\u672C");
  // One bad byte makes the whole text Windows-1252.
  EXPECT_EQ(DecodeSystemText("\xC3\xA9\xE9"), U"\u00C3\u00A9\u00E9");
}

}  // namespace
}  // namespace kw
