#include "core/profile/listinfo_reader.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "common/ascii.h"

namespace kw {

namespace {

// The reader looks at eight bytes at a time: a word is found with a few arithmetic steps per
// eight bytes instead of a branch per byte. Every byte test below is exact for each byte on its
// own (no carry crosses a byte), so the lowest flagged byte is the first match.
static_assert(std::endian::native == std::endian::little, "the byte masks read bytes in order");

constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
constexpr std::uint64_t kHigh = 0x8080808080808080;
constexpr std::size_t kStep = 8;

inline std::uint64_t Load(const char* p) {
  std::uint64_t bytes;
  std::memcpy(&bytes, p, sizeof bytes);
  return bytes;
}

// The high bit of each byte of `bytes` that is below `limit` (at most 0x80).
constexpr std::uint64_t BytesBelow(std::uint64_t bytes, std::uint8_t limit) {
  return ~(((bytes & kLow7) + kOnes * (0x80 - limit)) | bytes) & kHigh;
}
// The high bit of each byte of `bytes` that equals `c`.
constexpr std::uint64_t BytesEqual(std::uint64_t bytes, char c) {
  const std::uint64_t diff = bytes ^ (kOnes * static_cast<std::uint8_t>(c));
  return ~(((diff & kLow7) + kLow7) | diff) & kHigh;
}
// Separators are the bytes 0x00 to 0x0D and the space.
constexpr std::uint64_t Separators(std::uint64_t bytes) {
  return BytesBelow(bytes, 0x0E) | BytesEqual(bytes, ' ');
}
constexpr std::uint64_t LowerLetters(std::uint64_t bytes) {
  return BytesBelow(bytes, 'z' + 1) & ~BytesBelow(bytes, 'a');
}
inline bool IsSeparator(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte <= 0x0D || byte == ' ';
}
// The position of the first flagged byte of a non-zero mask.
inline std::size_t FirstFlagged(std::uint64_t mask) {
  return static_cast<std::size_t>(std::countr_zero(mask)) / 8;
}

// The first double quote or backslash in [p, end), or end.
const char* FindQuoteOrBackslash(const char* p, const char* end) {
  for (; end - p >= static_cast<std::ptrdiff_t>(kStep); p += kStep) {
    const std::uint64_t bytes = Load(p);
    if (std::uint64_t hits = BytesEqual(bytes, '"') | BytesEqual(bytes, '\\'))
      return p + FirstFlagged(hits);
  }
  while (p < end && *p != '"' && *p != '\\')
    ++p;
  return p;
}

// The first separator in [p, end), or end; `has_lower` tells whether a lower-case letter came
// before it.
const char* FindWordEnd(const char* p, const char* end, bool& has_lower) {
  std::uint64_t lower = 0;
  for (; end - p >= static_cast<std::ptrdiff_t>(kStep); p += kStep) {
    const std::uint64_t bytes = Load(p);
    if (std::uint64_t separators = Separators(bytes)) {
      const std::size_t n = FirstFlagged(separators);
      // Only the bytes before the separator belong to the word.
      const std::uint64_t word_bytes = n == 0 ? 0 : ~std::uint64_t{0} >> (64 - 8 * n);
      has_lower = (lower | (LowerLetters(bytes) & word_bytes)) != 0;
      return p + n;
    }
    lower |= LowerLetters(bytes);
  }
  for (; p < end && !IsSeparator(*p); ++p)
    lower |= (*p >= 'a' && *p <= 'z') ? 1 : 0;
  has_lower = lower != 0;
  return p;
}

// `word` upper-cased (ASCII letters only) into `out`.
void UpperInto(std::string_view word, std::string& out) {
  out.resize(word.size());
  char* to = out.data();
  const char* p = word.data();
  const char* const end = p + word.size();
  for (; end - p >= static_cast<std::ptrdiff_t>(kStep); p += kStep, to += kStep) {
    const std::uint64_t bytes = Load(p);
    // A lower-case letter is 0x20 above its capital.
    const std::uint64_t upper = bytes - (LowerLetters(bytes) >> 2);
    std::memcpy(to, &upper, sizeof upper);
  }
  for (; p < end; ++p, ++to)
    *to = AsciiUpper(*p);
}

}  // namespace

std::string_view ListinfoReader::ReadToken() {
  const char* const begin = data_.data();
  const char* const end = begin + data_.size();
  const char* p = begin + pos_;
  while (p < end && IsSeparator(*p))
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
    p = FindQuoteOrBackslash(p, end);
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
  bool has_lower = false;
  p = FindWordEnd(p, end, has_lower);
  std::string_view word(start, static_cast<std::size_t>(p - start));
  pos_ = static_cast<std::size_t>((p < end ? p + 1 : p) - begin);  // the separator is consumed
  if (!has_lower) return word;
  UpperInto(word, buffer_);
  return buffer_;
}

}  // namespace kw
