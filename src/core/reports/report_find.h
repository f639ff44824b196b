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

// The first position at or after `from` where `needle` occurs in `text`, or nothing when it does
// not occur before the end (an empty needle is never found). Both texts are 8-bit in code page
// 1252: without match case, letters are compared with ASCII and Latin-1 case folding. A whole
// word has no word character (letter, digit, underscore) right before or after it.
std::optional<std::size_t> FindInReport(std::string_view text, std::string_view needle,
                                        std::size_t from, FindOptions options);

// Whether the 8-bit character counts as part of a word (letters of code page 1252, digits, '_').
bool IsReportWordChar(unsigned char c);

}  // namespace kw
