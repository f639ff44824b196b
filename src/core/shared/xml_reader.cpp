#include "core/shared/xml_reader.h"

#include <array>
#include <cstring>

namespace kw {

namespace {

// Byte classes, looked up once per byte in the loops that read names and values.
enum : std::uint8_t {
  kSpace = 1,
  kNameStart = 2,
  kNameChar = 4,
  kValueStop = 8,  // a quote, '<' or '&': a byte that ends the plain run of a value
};

constexpr std::array<std::uint8_t, 256> MakeClasses() {
  std::array<std::uint8_t, 256> c{};
  for (int b : {' ', '\t', '\r', '\n'})
    c[b] = kSpace;
  for (int b = 'a'; b <= 'z'; ++b)
    c[b] = kNameStart | kNameChar;
  for (int b = 'A'; b <= 'Z'; ++b)
    c[b] = kNameStart | kNameChar;
  for (int b = '0'; b <= '9'; ++b)
    c[b] = kNameChar;
  c['_'] = c[':'] = kNameStart | kNameChar;
  c['-'] = c['.'] = kNameChar;
  // Bytes of multi-byte UTF-8 sequences are taken as name characters.
  for (int b = 0x80; b <= 0xFF; ++b)
    c[b] = kNameStart | kNameChar;
  for (int b : {'"', '\'', '<', '&'})
    c[b] |= kValueStop;
  return c;
}
constexpr std::array<std::uint8_t, 256> kClasses = MakeClasses();

inline std::uint8_t ClassOf(char b) {
  return kClasses[static_cast<unsigned char>(b)];
}

// A character of the document character range (the code points XML allows).
bool IsXmlChar(std::uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The code point of a reference's text between '&' and ';', or -1 when it is not one of the
// predefined entities or a valid character reference.
long ReferenceValue(std::string_view ref) {
  if (ref == "amp") return '&';
  if (ref == "lt") return '<';
  if (ref == "gt") return '>';
  if (ref == "quot") return '"';
  if (ref == "apos") return '\'';
  if (ref.size() < 2 || ref[0] != '#') return -1;
  ref.remove_prefix(1);
  const bool hex = ref[0] == 'x';
  if (hex) ref.remove_prefix(1);
  if (ref.empty()) return -1;
  std::uint32_t value = 0;
  for (char ch : ref) {
    std::uint32_t digit;
    if (ch >= '0' && ch <= '9') {
      digit = static_cast<std::uint32_t>(ch - '0');
    } else if (hex && ch >= 'a' && ch <= 'f') {
      digit = static_cast<std::uint32_t>(ch - 'a' + 10);
    } else if (hex && ch >= 'A' && ch <= 'F') {
      digit = static_cast<std::uint32_t>(ch - 'A' + 10);
    } else {
      return -1;
    }
    value = value * (hex ? 16 : 10) + digit;
    if (value > 0x10FFFF) return -1;
  }
  return IsXmlChar(value) ? static_cast<long>(value) : -1;
}

// The longest reference text between '&' and ';' that can be valid: "#x" and six digits, or
// leading zeros of a numeric one. Longer ones are refused.
constexpr std::size_t kMaxReference = 32;

void AppendUtf8(std::uint32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

const XmlAttribute* XmlReader::Find(std::string_view name) const {
  for (const XmlAttribute& a : attributes_)
    if (a.name == name) return &a;
  return nullptr;
}

XmlReader::Event XmlReader::Fail(std::size_t offset, std::string reason) {
  failed_ = true;
  error_offset_ = offset;
  error_reason_ = std::move(reason);
  return Event::kError;
}

std::string XmlReader::LineColumn(std::size_t offset) const {
  offset = std::min(offset, data_.size());
  std::size_t line = 1, line_start = 0;
  const char* const base = data_.data();
  for (const char* p = base; p < base + offset;) {
    const auto* nl = static_cast<const char*>(std::memchr(p, '\n', base + offset - p));
    if (!nl) break;
    ++line;
    line_start = static_cast<std::size_t>(nl - base) + 1;
    p = nl + 1;
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(offset - line_start + 1);
}

void XmlReader::AppendDecoded(std::string_view raw, std::string& out) {
  std::size_t p = 0;
  for (;;) {
    const std::size_t amp = raw.find('&', p);
    if (amp == std::string_view::npos) break;
    out.append(raw.substr(p, amp - p));
    const std::size_t semi = raw.find(';', amp + 1);
    const long value =
        semi == std::string_view::npos ? -1 : ReferenceValue(raw.substr(amp + 1, semi - amp - 1));
    if (value < 0) {  // not checked by the reader: kept as written
      out += '&';
      p = amp + 1;
      continue;
    }
    AppendUtf8(static_cast<std::uint32_t>(value), out);
    p = semi + 1;
  }
  out.append(raw.substr(p));
}

bool XmlReader::CheckReferences(std::size_t amp, std::size_t to) {
  const char* const base = data_.data();
  while (amp < to) {
    const std::size_t limit = std::min(to, amp + 2 + kMaxReference);
    std::size_t semi = amp + 1;
    while (semi < limit && base[semi] != ';')
      ++semi;
    if (semi >= limit || ReferenceValue({base + amp + 1, semi - amp - 1}) < 0) {
      Fail(amp, "a reference that is not &amp; &lt; &gt; &quot; &apos; or a character's number");
      return false;
    }
    const auto* next = static_cast<const char*>(std::memchr(base + semi + 1, '&', to - semi - 1));
    amp = next ? static_cast<std::size_t>(next - base) : to;
  }
  return true;
}

XmlReader::Event XmlReader::Next() {
  if (failed_) return Event::kError;
  if (pending_end_) {  // the end of a self-closing tag: name and depth stay as they were
    pending_end_ = false;
    return Event::kEnd;
  }
  const std::size_t size = data_.size();
  const char* const base = data_.data();
  for (;;) {
    if (pos_ >= size) {
      if (!open_starts_.empty()) {
        const std::string_view open = std::string_view(open_names_).substr(open_starts_.back());
        return Fail(size, "the stream ends inside <" + std::string(open) + ">");
      }
      if (!seen_root_) return Fail(size, "no root element");
      return Event::kDone;
    }
    if (base[pos_] != '<') {
      if (!open_starts_.empty()) return ReadText();
      // Outside the root only white space may stand between the markup.
      while (pos_ < size && (ClassOf(base[pos_]) & kSpace))
        ++pos_;
      if (pos_ < size && base[pos_] != '<')
        return Fail(pos_,
                    seen_root_ ? "text after the root element" : "text before the root element");
      continue;
    }
    if (pos_ + 1 >= size) return Fail(pos_, "the stream ends inside a tag");
    const char next = base[pos_ + 1];
    if (next == '/') return ReadEndTag();
    if (next == '!' || next == '?') {
      const Event e = ReadMarkup();
      if (e == Event::kStart) continue;  // skipped: a comment, a declaration, ...
      return e;
    }
    if (ClassOf(next) & kNameStart) return ReadStartTag();
    return Fail(pos_, "'<' not followed by a name");
  }
}

XmlReader::Event XmlReader::ReadText() {
  const char* const base = data_.data();
  const std::size_t size = data_.size();
  const auto* lt = static_cast<const char*>(std::memchr(base + pos_, '<', size - pos_));
  const std::size_t end = lt ? static_cast<std::size_t>(lt - base) : size;
  const auto* amp = static_cast<const char*>(std::memchr(base + pos_, '&', end - pos_));
  if (amp && !CheckReferences(static_cast<std::size_t>(amp - base), end)) return Event::kError;
  text_ = data_.substr(pos_, end - pos_);
  cdata_ = false;
  event_depth_ = open_starts_.size();
  pos_ = end;
  return Event::kText;
}

XmlReader::Event XmlReader::ReadStartTag() {
  const char* const base = data_.data();
  const std::size_t size = data_.size();
  const std::size_t tag = pos_;
  if (seen_root_ && open_starts_.empty()) return Fail(tag, "a second root element");
  std::size_t p = tag + 1;
  while (p < size && (ClassOf(base[p]) & kNameChar))
    ++p;
  name_ = data_.substr(tag + 1, p - tag - 1);
  attributes_.clear();
  const auto unclosed = [&] {
    return Fail(tag, "the stream ends inside the tag <" + std::string(name_));
  };
  bool self_closing = false;
  for (;;) {
    const std::size_t before = p;
    while (p < size && (ClassOf(base[p]) & kSpace))
      ++p;
    if (p >= size) return unclosed();
    const char c = base[p];
    if (c == '>') {
      ++p;
      break;
    }
    if (c == '/') {
      if (p + 1 >= size) return unclosed();
      if (base[p + 1] != '>') return Fail(p, "'/' not followed by '>' in a tag");
      p += 2;
      self_closing = true;
      break;
    }
    if (p == before || !(ClassOf(c) & kNameStart))
      return Fail(p, "a tag with a bad attribute name");
    XmlAttribute attribute;
    const std::size_t name_begin = p;
    while (p < size && (ClassOf(base[p]) & kNameChar))
      ++p;
    attribute.name = data_.substr(name_begin, p - name_begin);
    while (p < size && (ClassOf(base[p]) & kSpace))
      ++p;
    if (p >= size) return unclosed();
    if (base[p] != '=') return Fail(p, "an attribute without '='");
    ++p;
    while (p < size && (ClassOf(base[p]) & kSpace))
      ++p;
    if (p >= size) return unclosed();
    const char quote = base[p];
    if (quote != '"' && quote != '\'') return Fail(p, "an attribute value without quotes");
    const std::size_t value_begin = ++p;
    std::size_t amp = 0;
    for (;;) {
      while (p < size && !(ClassOf(base[p]) & kValueStop))
        ++p;
      if (p >= size) return unclosed();
      const char stop = base[p];
      if (stop == quote) break;
      if (stop == '<') return Fail(p, "'<' in an attribute value");
      if (stop == '&' && amp == 0) amp = p;
      ++p;
    }
    attribute.raw = data_.substr(value_begin, p - value_begin);
    if (amp != 0) {
      if (!CheckReferences(amp, p)) return Event::kError;
      attribute.has_reference = true;
    }
    ++p;  // the closing quote
    attributes_.push_back(attribute);
  }
  seen_root_ = true;
  pos_ = p;
  if (self_closing) {
    pending_end_ = true;
    event_depth_ = open_starts_.size() + 1;
  } else {
    open_starts_.push_back(static_cast<std::uint32_t>(open_names_.size()));
    open_names_.append(name_);
    event_depth_ = open_starts_.size();
  }
  return Event::kStart;
}

XmlReader::Event XmlReader::ReadEndTag() {
  const char* const base = data_.data();
  const std::size_t size = data_.size();
  const std::size_t tag = pos_;
  std::size_t p = tag + 2;
  while (p < size && (ClassOf(base[p]) & kNameChar))
    ++p;
  name_ = data_.substr(tag + 2, p - tag - 2);
  while (p < size && (ClassOf(base[p]) & kSpace))
    ++p;
  if (p >= size) return Fail(tag, "the stream ends inside the tag </" + std::string(name_));
  if (base[p] != '>') return Fail(p, "an end tag with more than a name");
  if (open_starts_.empty()) return Fail(tag, "</" + std::string(name_) + "> without a start tag");
  const std::string_view open = std::string_view(open_names_).substr(open_starts_.back());
  if (open != name_)
    return Fail(tag, "</" + std::string(name_) + "> closes <" + std::string(open) + ">");
  event_depth_ = open_starts_.size();
  open_names_.resize(open_starts_.back());
  open_starts_.pop_back();
  pos_ = p + 1;
  return Event::kEnd;
}

// Comments, processing instructions and the DOCTYPE are skipped (kStart is returned for "go
// on"); a CDATA section is character data.
XmlReader::Event XmlReader::ReadMarkup() {
  const std::string_view rest = data_.substr(pos_);
  const auto skip_to = [&](std::size_t from, std::string_view close, const char* what) {
    const std::size_t found = data_.find(close, pos_ + from);
    if (found == std::string_view::npos)
      return Fail(pos_, std::string("the stream ends inside ") + what);
    pos_ = found + close.size();
    return Event::kStart;
  };
  if (rest.starts_with("<?")) return skip_to(2, "?>", "a processing instruction");
  if (rest.starts_with("<!--")) return skip_to(4, "-->", "a comment");
  if (rest.starts_with("<![CDATA[")) {
    if (open_starts_.empty()) return Fail(pos_, "a CDATA section outside the root element");
    const std::size_t found = data_.find("]]>", pos_ + 9);
    if (found == std::string_view::npos)
      return Fail(pos_, "the stream ends inside a CDATA section");
    text_ = data_.substr(pos_ + 9, found - pos_ - 9);
    cdata_ = true;
    event_depth_ = open_starts_.size();
    pos_ = found + 3;
    return Event::kText;
  }
  if (rest.starts_with("<!DOCTYPE")) {
    if (seen_root_) return Fail(pos_, "a DOCTYPE after the root element");
    return SkipDoctype() ? Event::kStart : Event::kError;
  }
  return Fail(pos_, "markup that is neither a comment, a CDATA section nor a DOCTYPE");
}

// Skips <!DOCTYPE ...> with its internal subset: the quoted literals, comments and processing
// instructions in it may hold ']' and '>'.
bool XmlReader::SkipDoctype() {
  const char* const base = data_.data();
  const std::size_t size = data_.size();
  const std::size_t start = pos_;
  bool in_subset = false;
  for (std::size_t p = start + 9; p < size;) {
    const char c = base[p];
    if (c == '"' || c == '\'') {
      const std::size_t close = data_.find(c, p + 1);
      if (close == std::string_view::npos) break;
      p = close + 1;
    } else if (in_subset && data_.substr(p, 4) == "<!--") {
      const std::size_t close = data_.find("-->", p + 4);
      if (close == std::string_view::npos) break;
      p = close + 3;
    } else if (in_subset && data_.substr(p, 2) == "<?") {
      const std::size_t close = data_.find("?>", p + 2);
      if (close == std::string_view::npos) break;
      p = close + 2;
    } else if (!in_subset && c == '[') {
      in_subset = true;
      ++p;
    } else if (in_subset && c == ']') {
      in_subset = false;
      ++p;
      while (p < size && (ClassOf(base[p]) & kSpace))
        ++p;
      if (p < size && base[p] != '>') {
        Fail(p, "the DOCTYPE's ']' not followed by '>'");
        return false;
      }
    } else if (!in_subset && c == '>') {
      pos_ = p + 1;
      return true;
    } else {
      ++p;
    }
  }
  Fail(start, "the stream ends inside the DOCTYPE");
  return false;
}

}  // namespace kw
