#include "core/reports/report_find.h"

#include "core/text_encoding.h"

namespace kw {

namespace find_detail {

char32_t FoldCase(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  switch (c) {
    case 0x0160:  // S caron
    case 0x0152:  // OE
    case 0x017D:  // Z caron
      return c + 1;
    case 0x0178:  // Y diaeresis
      return 0xFF;
    default:
      return c;
  }
}

bool IsWordCodePoint(char32_t c) {
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') {
    return true;
  }
  if (c >= 0xC0 && c <= 0xFF) return c != 0xD7 && c != 0xF7;
  switch (c) {
    case 0x00AA:  // feminine ordinal
    case 0x00B5:  // micro
    case 0x00BA:  // masculine ordinal
    case 0x0192:  // f hook
    case 0x0160:  // S caron
    case 0x0161:
    case 0x0152:  // OE
    case 0x0153:
    case 0x017D:  // Z caron
    case 0x017E:
    case 0x0178:  // Y diaeresis
      return true;
    default:
      return false;
  }
}

char32_t CodePointOf(char unit) {
  return Windows1252ToCodePoint(static_cast<unsigned char>(unit));
}

}  // namespace find_detail

std::optional<std::size_t> FindInReport(std::string_view text, std::string_view needle,
                                        std::size_t from, FindOptions options) {
  return FindInText(text, needle, from, options);
}

}  // namespace kw
