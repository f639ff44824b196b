#include "core/reports/report_find.h"

namespace kw {

namespace {

// Lower case in code page 1252: ASCII, the Latin-1 letters and the four extra pairs of the
// 0x80 to 0x9F range.
unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A:  // S caron
    case 0x8C:  // OE
    case 0x8E:  // Z caron
      return static_cast<unsigned char>(c + 16);
    case 0x9F:  // Y diaeresis
      return 0xFF;
    default:
      return c;
  }
}

}  // namespace

bool IsReportWordChar(unsigned char c) {
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') {
    return true;
  }
  if (c >= 0xC0) return c != 0xD7 && c != 0xF7;
  switch (c) {
    case 0x83:  // f hook
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
    case 0xAA:  // feminine ordinal
    case 0xB5:  // micro
    case 0xBA:  // masculine ordinal
      return true;
    default:
      return false;
  }
}

std::optional<std::size_t> FindInReport(std::string_view text, std::string_view needle,
                                        std::size_t from, FindOptions options) {
  if (needle.empty() || from > text.size() || needle.size() > text.size() - from) {
    return std::nullopt;
  }
  auto same = [&options](char a, char b) {
    if (options.match_case) return a == b;
    return FoldCase(static_cast<unsigned char>(a)) == FoldCase(static_cast<unsigned char>(b));
  };
  const std::size_t last = text.size() - needle.size();
  for (std::size_t pos = from; pos <= last; ++pos) {
    std::size_t i = 0;
    while (i < needle.size() && same(text[pos + i], needle[i]))
      ++i;
    if (i < needle.size()) continue;
    if (options.whole_word) {
      const bool word_before =
          pos > 0 && IsReportWordChar(static_cast<unsigned char>(text[pos - 1]));
      const std::size_t end = pos + needle.size();
      const bool word_after =
          end < text.size() && IsReportWordChar(static_cast<unsigned char>(text[end]));
      if (word_before || word_after) continue;
    }
    return pos;
  }
  return std::nullopt;
}

}  // namespace kw
