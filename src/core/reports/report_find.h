// The search of the report window: downwards only, from a position to the end of the text,
// with or without regard to case and as a whole word or anywhere; never wraps to the top.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace kw {

struct FindOptions {
  bool match_case = false;
  bool whole_word = false;
};

namespace find_detail {

// Lower case of the letters that a search folds: ASCII, Latin-1 and the four further pairs
// that Windows-1252 holds (S caron, OE, Z caron, Y diaeresis). Other characters stay as they are.
char32_t FoldCase(char32_t code_point);
// Letters of Windows-1252, digits and '_'.
bool IsWordCodePoint(char32_t code_point);

// The character a code unit stands for: bytes are Windows-1252; UTF-16 and UTF-32 units are
// taken as they are (a surrogate half is no letter and no word character).
char32_t CodePointOf(char unit);
inline char32_t CodePointOf(char16_t unit) {
  return unit;
}
inline char32_t CodePointOf(char32_t unit) {
  return unit;
}

}  // namespace find_detail

// The first position at or after `from` where `needle` occurs in `text`, or nothing when it does
// not occur before the end (an empty needle is never found). Positions count code units.
// Without match case, letters are compared with ASCII and Latin-1 case folding. A whole word
// has no word character (letter, digit, underscore) right before or after it.
template <typename CharT>
std::optional<std::size_t> FindInText(std::basic_string_view<CharT> text,
                                      std::basic_string_view<CharT> needle, std::size_t from,
                                      FindOptions options) {
  using find_detail::CodePointOf;
  if (needle.empty() || from > text.size() || needle.size() > text.size() - from) {
    return std::nullopt;
  }
  auto same = [&options](CharT a, CharT b) {
    if (a == b) return true;
    if (options.match_case) return false;
    return find_detail::FoldCase(CodePointOf(a)) == find_detail::FoldCase(CodePointOf(b));
  };
  auto is_word = [](CharT unit) { return find_detail::IsWordCodePoint(CodePointOf(unit)); };
  const std::size_t last = text.size() - needle.size();
  for (std::size_t pos = from; pos <= last; ++pos) {
    std::size_t i = 0;
    while (i < needle.size() && same(text[pos + i], needle[i]))
      ++i;
    if (i < needle.size()) continue;
    if (options.whole_word) {
      const std::size_t end = pos + needle.size();
      if ((pos > 0 && is_word(text[pos - 1])) || (end < text.size() && is_word(text[end]))) {
        continue;
      }
    }
    return pos;
  }
  return std::nullopt;
}

// The same search on the program's 8-bit texts, read as Windows-1252.
std::optional<std::size_t> FindInReport(std::string_view text, std::string_view needle,
                                        std::size_t from, FindOptions options);

}  // namespace kw
