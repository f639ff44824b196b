// The word reader of the emulator's -listinfo text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kw {

// The words of listinfo text: separators are the bytes 0x00 to 0x0D and the space; a word in
// double quotes keeps its letter case and its backslash escapes (see ReadToken); any other word
// is upper-cased (ASCII letters only). Works on the caller's bytes without copying them, or
// reads a file a piece at a time into a buffer of its own: the pieces stay in the processor's
// cache, and the buffer grows only for a word longer than it.
class ListinfoReader {
 public:
  static constexpr std::size_t kPieceBytes = 256 * 1024;

  explicit ListinfoReader(std::string_view data) : data_(data), size_(data.size()) {}
  // The bytes [begin, end) of the open file `fd` (which the caller keeps open), read with
  // pread, so that readers of one file never disturb each other. Positions count from `begin`.
  ListinfoReader(int fd, std::uint64_t begin, std::uint64_t end,
                 std::size_t piece_bytes = kPieceBytes);

  // The next word, or the empty text at the end of the input. The view stays valid until the
  // next call (it points into the input or into the reader's own buffers).
  std::string_view ReadToken();
  // False when the last ReadToken met the end of the input before any word (an empty quoted
  // word "" is a word).
  bool FoundWord() const { return found_word_; }
  std::size_t Position() const { return base_ + pos_; }
  // Where the next word starts (the input's size when there is none).
  std::size_t NextWordPosition();
  std::size_t Size() const { return size_; }
  bool AtEnd() const { return Position() >= size_; }
  // Where the first `text` at or after `from` starts, or the input's size.
  std::size_t Find(std::string_view text, std::size_t from) const;
  // A reader of this one's input from `position` on, with positions counting from there.
  ListinfoReader From(std::size_t position) const;
  // The system's error number of a failed read, 0 when none failed. A failed read, or a file
  // that ends early, ends the input there.
  int ReadError() const { return read_error_; }

 private:
  // Separators are looked for eight bytes at a time (see the .cpp).
  std::size_t NextWordStart(std::size_t pos) const;
  std::size_t NextSeparator(std::size_t pos) const;
  // True when the buffer holds the input up to its end: a word that reaches the buffer's end
  // is then whole.
  bool AllRead() const { return base_ + data_.size() >= size_; }
  // Drops the bytes before pos_ from the buffer and reads on after what it holds; false when
  // nothing more could be read.
  bool ReadMore();

  std::string_view data_;  // the input, or the part of it in the buffer
  std::size_t base_ = 0;   // the position of data_'s first byte
  std::size_t pos_ = 0;    // within data_
  std::size_t size_;
  int fd_ = -1;
  std::uint64_t file_begin_ = 0;
  std::size_t piece_bytes_ = kPieceBytes;
  std::string piece_;  // the buffer of a file's pieces
  int read_error_ = 0;
  bool found_word_ = false;
  std::string buffer_;       // quoted words that differ from their bytes in the input
  std::string scratch_;      // unquoted words, upper-cased
  char short_word_[8] = {};  // an unquoted word shorter than eight bytes, upper-cased
};

}  // namespace kw
