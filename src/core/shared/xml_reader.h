// A small streaming XML reader for the emulator's machine lists and today's history file: it walks
// the bytes in place (no tree, no copy of the input) and hands out one event at a time. It reads
// what the emulator prints: the XML declaration and other processing instructions, a DOCTYPE with
// its internal subset (skipped), comments, CDATA sections, elements with attributes in ' or ",
// self-closing tags, character data and the predefined and numeric character references. Anything
// that is not well-formed XML of that kind stops it with an error event and a reason; it does not
// check character classes, duplicate attributes or the DTD's rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

// An attribute of a start tag: its name and its value as written between the quotes. The
// references in a value have been checked; Decode replaces them.
struct XmlAttribute {
  std::string_view name;
  std::string_view raw;
  bool has_reference = false;
};

class XmlReader {
 public:
  enum class Event : std::uint8_t {
    kStart,  // a start tag (a self-closing tag gives kStart, then kEnd)
    kEnd,    // an end tag
    kText,   // character data inside the root element (a CDATA section is one of its own)
    kDone,   // the end of a well-formed document
    kError,  // not well-formed: see ErrorReason and ErrorOffset; every later call repeats it
  };

  explicit XmlReader(std::string_view data) : data_(data), pos_(0) {}

  Event Next();

  // The element of a kStart or kEnd event; valid until the next call.
  std::string_view Name() const { return name_; }
  // The attributes of a kStart event; valid until the next call.
  std::span<const XmlAttribute> Attributes() const { return attributes_; }
  // The attribute of that name, or nullptr.
  const XmlAttribute* Find(std::string_view name) const;
  // The text of a kText event as written.
  std::string_view RawText() const { return text_; }
  // Whether that text is a CDATA section's, which holds no references.
  bool InCData() const { return cdata_; }
  // The depth of the element of a kStart or kEnd event (the root is 1), or of the element that
  // holds a kText event's text.
  std::size_t Depth() const { return event_depth_; }

  // How far the reader has come: no later event looks at the bytes before this.
  std::size_t Position() const { return pos_; }
  std::size_t Size() const { return data_.size(); }

  std::string_view ErrorReason() const { return error_reason_; }
  std::size_t ErrorOffset() const { return error_offset_; }
  // "line L, column C" of a byte offset (both from 1, the column in bytes).
  std::string LineColumn(std::size_t offset) const;

  // `raw` with its (checked) references replaced, appended to `out`. Numeric references are
  // written as UTF-8; every other byte is kept as it is.
  static void AppendDecoded(std::string_view raw, std::string& out);
  // `raw` with its references replaced: `raw` itself when it has none, else the text kept in
  // `scratch`.
  static std::string_view Decode(std::string_view raw, bool has_reference, std::string& scratch) {
    if (!has_reference) return raw;
    scratch.clear();
    AppendDecoded(raw, scratch);
    return scratch;
  }
  static std::string_view Decode(const XmlAttribute& attribute, std::string& scratch) {
    return Decode(attribute.raw, attribute.has_reference, scratch);
  }

 private:
  Event Fail(std::size_t offset, std::string reason);
  Event ReadText();
  Event ReadStartTag();
  Event ReadEndTag();
  Event ReadMarkup();  // <! and <?
  bool SkipDoctype();
  // Checks the references of data_[from, to) from the first '&' at `amp`.
  bool CheckReferences(std::size_t amp, std::size_t to);

  std::string_view data_;
  std::size_t pos_;

  // The names of the open elements, one after the other, and where each begins.
  std::string open_names_;
  std::vector<std::uint32_t> open_starts_;
  bool seen_root_ = false;
  bool pending_end_ = false;  // the last kStart was a self-closing tag

  std::string_view name_;
  std::vector<XmlAttribute> attributes_;
  std::string_view text_;
  bool cdata_ = false;
  std::size_t event_depth_ = 0;

  bool failed_ = false;
  std::string error_reason_;
  std::size_t error_offset_ = 0;
};

}  // namespace kw
