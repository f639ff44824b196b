// Letter case of ASCII letters only: the program's names are compared and upper-cased the way
// the emulator's own (8-bit, code-page) names are, leaving every other byte alone.
#pragma once

#include <string>
#include <string_view>

namespace kw {

inline char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Blanks around INI names and values: a stray carriage return (a line end from another system)
// counts as one too.
inline bool IsIniBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

inline std::string_view TrimIniBlanks(std::string_view text) {
  while (!text.empty() && IsIniBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsIniBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

inline std::string AsciiUpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = AsciiUpper(c);
  return out;
}

inline std::string AsciiLowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = AsciiLower(c);
  return out;
}

}  // namespace kw
