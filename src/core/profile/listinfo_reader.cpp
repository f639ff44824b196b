#include "core/profile/listinfo_reader.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "common/ascii.h"

namespace kw {

namespace {

// Quoted words are searched and words upper-cased eight bytes at a time, with a few arithmetic
// steps instead of a branch per byte. Every byte test below is exact for each byte on its own
// (no carry crosses a byte), so the lowest flagged byte is the first match.
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
constexpr std::uint64_t LowerLetters(std::uint64_t bytes) {
  return BytesBelow(bytes, 'z' + 1) & ~BytesBelow(bytes, 'a');
}
// Separators are the bytes 0x00 to 0x0D and the space.
constexpr std::uint64_t SeparatorBytes(std::uint64_t bytes) {
  return BytesBelow(bytes, 0x0E) | BytesEqual(bytes, ' ');
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

// `word` upper-cased (ASCII letters only) into `scratch`, which only grows; gives the copy.
// Whole eight-byte steps are copied, the bytes after the word too as long as `input_end` allows:
// a short word then takes one step, not a loop over its bytes.
std::string_view UpperInto(std::string_view word, const char* input_end, std::string& scratch) {
  if (scratch.size() < word.size() + kStep) scratch.resize(2 * (word.size() + kStep));
  char* to = scratch.data();
  const char* p = word.data();
  const char* const end = p + word.size();
  for (; p < end && input_end - p >= static_cast<std::ptrdiff_t>(kStep); p += kStep, to += kStep) {
    const std::uint64_t bytes = Load(p);
    // A lower-case letter is 0x20 above its capital.
    const std::uint64_t upper = bytes - (LowerLetters(bytes) >> 2);
    std::memcpy(to, &upper, sizeof upper);
  }
  for (; p < end; ++p, ++to)
    *to = AsciiUpper(*p);
  return {scratch.data(), word.size()};
}

}  // namespace

std::size_t ListinfoReader::NextWordStart(std::size_t pos) const {
  const char* const begin = data_.data();
  const std::size_t size = data_.size();
  for (; size - pos >= kStep; pos += kStep) {
    if (const std::uint64_t others = ~SeparatorBytes(Load(begin + pos)) & kHigh)
      return pos + FirstFlagged(others);
  }
  while (pos < size && IsSeparator(begin[pos]))
    ++pos;
  return pos;
}

std::size_t ListinfoReader::NextSeparator(std::size_t pos) const {
  const char* const begin = data_.data();
  const std::size_t size = data_.size();
  for (; size - pos >= kStep; pos += kStep) {
    if (const std::uint64_t separators = SeparatorBytes(Load(begin + pos)))
      return pos + FirstFlagged(separators);
  }
  while (pos < size && !IsSeparator(begin[pos]))
    ++pos;
  return pos;
}

ListinfoReader::ListinfoReader(int fd, std::uint64_t begin, std::uint64_t end,
                               std::size_t piece_bytes)
    : size_(static_cast<std::size_t>(end > begin ? end - begin : 0)),
      fd_(fd),
      file_begin_(begin),
      piece_bytes_(std::max<std::size_t>(piece_bytes, 1)) {}

bool ListinfoReader::ReadMore() {
  if (fd_ < 0 || AllRead()) return false;
  const std::size_t kept = data_.size() - pos_;
  if (piece_.size() < kept + piece_bytes_) {
    // The first piece, or a word longer than the buffer: it grows to hold the word and a piece
    // more.
    std::string grown(std::max(kept + piece_bytes_, 2 * piece_.size()), '\0');
    if (kept > 0) std::memcpy(grown.data(), data_.data() + pos_, kept);
    piece_.swap(grown);
  } else if (kept > 0) {
    std::memmove(piece_.data(), data_.data() + pos_, kept);
  }
  base_ += pos_;
  pos_ = 0;
  std::size_t filled = kept;
  const std::size_t wanted = std::min(piece_.size(), size_ - base_);
  while (filled < wanted) {
    const ssize_t n = pread(fd_, piece_.data() + filled, wanted - filled,
                            static_cast<off_t>(file_begin_ + base_ + filled));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n < 0) read_error_ = errno;
      size_ = base_ + filled;  // the input ends where the file did
      break;
    }
    filled += static_cast<std::size_t>(n);
  }
  data_ = std::string_view(piece_.data(), filled);
  return filled > kept;
}

std::size_t ListinfoReader::NextWordPosition() {
  for (;;) {
    pos_ = NextWordStart(pos_);
    if (pos_ < data_.size() || !ReadMore()) return Position();
  }
}

std::size_t ListinfoReader::Find(std::string_view text, std::size_t from) const {
  if (fd_ < 0) return std::min(data_.find(text, from), size_);
  // Read a piece at a time; each piece starts with the end of the last, so that a text across
  // two pieces is found.
  std::string piece(std::max(piece_bytes_, 2 * text.size()), '\0');
  std::size_t at = from, held = 0;
  while (at + held < size_) {
    const std::size_t wanted = std::min(piece.size() - held, size_ - at - held);
    const ssize_t n =
        pread(fd_, piece.data() + held, wanted, static_cast<off_t>(file_begin_ + at + held));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    held += static_cast<std::size_t>(n);
    const std::size_t found = std::string_view(piece.data(), held).find(text);
    if (found != std::string_view::npos) return at + found;
    const std::size_t keep = std::min(held, text.size() - 1);
    std::memmove(piece.data(), piece.data() + held - keep, keep);
    at += held - keep;
    held = keep;
  }
  return size_;
}

ListinfoReader ListinfoReader::From(std::size_t position) const {
  position = std::min(position, size_);
  if (fd_ < 0) return ListinfoReader(data_.substr(position));
  return ListinfoReader(fd_, file_begin_ + position, file_begin_ + size_, piece_bytes_);
}

std::string_view ListinfoReader::ReadToken() {
  for (;;) {
    // Words are mostly one separator apart: the byte after the last word's separator starts
    // one.
    const std::size_t start =
        pos_ < data_.size() && !IsSeparator(data_[pos_]) ? pos_ : NextWordStart(pos_);
    if (start == data_.size()) {
      pos_ = start;
      if (ReadMore()) continue;
      found_word_ = false;
      return {};
    }
    found_word_ = true;
    const char* const begin = data_.data();
    const char* const end = begin + data_.size();

    if (data_[start] == '"') {
      const char* p = begin + start + 1;
      const char* word_start = p;
      p = FindQuoteOrBackslash(p, end);
      if ((p == end && AllRead()) || (p < end && *p == '"')) {
        std::string_view word(word_start, static_cast<std::size_t>(p - word_start));
        pos_ = static_cast<std::size_t>((p < end ? p + 1 : p) - begin);
        return word;
      }
      if (p < end) {
        // A backslash: the word differs from its bytes. The backslash stays in the word; of
        // the byte after it, a double quote stays too (and does not end the word), N becomes
        // a carriage return, a second backslash stays, anything else is dropped.
        buffer_.assign(word_start, p);
        bool closed = false;
        while (p < end) {
          char c = *p++;
          if (c == '"') {
            closed = true;
            break;
          }
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
        if (closed || AllRead()) {
          pos_ = static_cast<std::size_t>(p - begin);
          return buffer_;
        }
      }
      // The word goes on past the buffer: read on and read it again.
      pos_ = start;
      ReadMore();
      continue;
    }

    // Most words end within eight bytes: one load finds the end and upper-cases the word.
    if (data_.size() - start >= kStep) {
      const std::uint64_t bytes = Load(begin + start);
      if (const std::uint64_t separators = SeparatorBytes(bytes)) {
        const std::size_t length = FirstFlagged(separators);
        pos_ = start + length + 1;  // the separator is consumed
        const std::uint64_t upper = bytes - (LowerLetters(bytes) >> 2);
        std::memcpy(short_word_, &upper, sizeof upper);
        return {short_word_, length};
      }
    }
    const std::size_t stop = NextSeparator(start);
    if (stop == data_.size() && !AllRead()) {
      pos_ = start;
      ReadMore();
      continue;
    }
    pos_ = stop < data_.size() ? stop + 1 : stop;  // the separator is consumed
    return UpperInto(data_.substr(start, stop - start), end, scratch_);
  }
}

}  // namespace kw
