#include "core/profile/listinfo_reader.h"

#include <array>
#include <cstdint>

#include "common/ascii.h"

namespace kw {

namespace {

// Byte classes of the word reader.
constexpr std::uint8_t kSeparator = 1;
constexpr std::uint8_t kLower = 2;

constexpr std::array<std::uint8_t, 256> MakeByteClasses() {
  std::array<std::uint8_t, 256> classes{};
  for (int c = 0x00; c <= 0x0D; ++c)
    classes[c] = kSeparator;
  classes[' '] = kSeparator;
  for (int c = 'a'; c <= 'z'; ++c)
    classes[c] = kLower;
  return classes;
}
constexpr std::array<std::uint8_t, 256> kByteClasses = MakeByteClasses();

inline std::uint8_t ClassOf(char c) {
  return kByteClasses[static_cast<unsigned char>(c)];
}

}  // namespace

std::string_view ListinfoReader::ReadToken() {
  const char* const begin = data_.data();
  const char* const end = begin + data_.size();
  const char* p = begin + pos_;
  while (p < end && (ClassOf(*p) & kSeparator))
    ++p;
  if (p == end) {
    pos_ = data_.size();
    found_word_ = false;
    return {};
  }
  found_word_ = true;

  if (*p == '"') {
    ++p;
    const char* start = p;
    while (p < end && *p != '"' && *p != '\\')
      ++p;
    if (p == end || *p == '"') {
      std::string_view word(start, static_cast<std::size_t>(p - start));
      pos_ = static_cast<std::size_t>((p < end ? p + 1 : p) - begin);
      return word;
    }
    // A backslash: the word differs from its bytes. The backslash stays in the word; of the
    // byte after it, a double quote stays too (and does not end the word), N becomes a
    // carriage return, a second backslash stays, anything else is dropped.
    buffer_.assign(start, p);
    while (p < end) {
      char c = *p++;
      if (c == '"') break;
      buffer_ += c;
      if (c == '\\') {
        if (p == end) break;
        char next = AsciiUpper(*p++);
        if (next == '"') {
          buffer_ += '"';
        } else if (next == 'N') {
          buffer_ += '\r';
        } else if (next == '\\') {
          buffer_ += '\\';
        }
      }
    }
    pos_ = static_cast<std::size_t>(p - begin);
    return buffer_;
  }

  const char* start = p;
  std::uint8_t seen = 0;
  while (p < end) {
    std::uint8_t cls = ClassOf(*p);
    if (cls & kSeparator) break;
    seen |= cls;
    ++p;
  }
  std::string_view word(start, static_cast<std::size_t>(p - start));
  pos_ = static_cast<std::size_t>((p < end ? p + 1 : p) - begin);  // the separator is consumed
  if (!(seen & kLower)) return word;
  buffer_.assign(word);
  for (char& c : buffer_)
    c = AsciiUpper(c);
  return buffer_;
}

}  // namespace kw
