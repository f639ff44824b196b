// Reading the emulator's support files (history, information, high-score and cheat files) line
// by line, as the emulator's own text-file reading sees them: a line ends at LF, a CR before it
// belongs to the line end, and the last line needs no LF.
#pragma once

#include <cstddef>
#include <string_view>

namespace kw {

class TextLines {
 public:
  explicit TextLines(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return position_ >= bytes_.size(); }
  // Where the next line starts.
  std::size_t Position() const { return position_; }
  void Seek(std::size_t position) { position_ = position; }

  // The next line without its line end; false at the end of the bytes.
  bool Next(std::string_view& line) {
    if (AtEnd()) return false;
    const std::size_t end = bytes_.find('\n', position_);
    const std::size_t stop = end == std::string_view::npos ? bytes_.size() : end;
    line = bytes_.substr(position_, stop - position_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    position_ = end == std::string_view::npos ? bytes_.size() : end + 1;
    return true;
  }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

// Blanks and control characters around a text go, as the emulator's file readers trim them.
inline std::string_view TrimControls(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
    text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
    text.remove_suffix(1);
  return text;
}

// True when `text` begins with `prefix` (upper case), letters compared without regard to case.
inline bool StartsNoCase(std::string_view text, std::string_view upper_prefix) {
  if (text.size() < upper_prefix.size()) return false;
  for (std::size_t i = 0; i < upper_prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != upper_prefix[i]) return false;
  }
  return true;
}

}  // namespace kw
