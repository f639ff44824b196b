// The word reader of the emulator's -listinfo text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kw {

// The words of listinfo text: separators are the bytes 0x00 to 0x0D and the space; a word in
// double quotes keeps its letter case and its backslash escapes (see ReadToken); any other word
// is upper-cased (ASCII letters only). Works on the caller's bytes without copying them.
class ListinfoReader {
 public:
  explicit ListinfoReader(std::string_view data) : data_(data) {}

  // The next word, or the empty text at the end of the input. The view stays valid until the
  // next call (it points into the input or into the reader's own buffers).
  std::string_view ReadToken();
  // False when the last ReadToken met the end of the input before any word (an empty quoted
  // word "" is a word).
  bool FoundWord() const { return found_word_; }
  std::size_t Position() const { return pos_; }
  // Where the next word starts (the input's size when there is none).
  std::size_t NextWordPosition() { return NextWordStart(pos_); }
  std::size_t Size() const { return data_.size(); }
  std::string_view Data() const { return data_; }
  bool AtEnd() const { return pos_ >= data_.size(); }

 private:
  // Separators are looked for eight bytes at a time (see the .cpp).
  std::size_t NextWordStart(std::size_t pos) const;
  std::size_t NextSeparator(std::size_t pos) const;

  std::string_view data_;
  std::size_t pos_ = 0;
  bool found_word_ = false;
  std::string buffer_;   // quoted words that differ from their bytes in the input
  std::string scratch_;  // unquoted words, upper-cased
  char short_word_[8];   // an unquoted word shorter than eight bytes, upper-cased
};

}  // namespace kw
