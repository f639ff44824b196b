#include "core/reports/history_xml.h"

#include "common/ascii.h"
#include "core/shared/xml_reader.h"

namespace kw {

namespace {

// Depths of the elements read (the root is 1).
constexpr std::size_t kEntryDepth = 2;
constexpr std::size_t kPartDepth = 3;    // <systems>, <software>, <text>
constexpr std::size_t kSystemDepth = 4;  // <system> inside <systems>

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

}  // namespace

HistoryXml::HistoryXml(std::string_view bytes) {
  XmlReader reader(bytes);
  std::vector<std::string> names;  // of the entry being read
  std::size_t text_start = 0;
  bool in_entry = false;
  bool in_systems = false;
  bool in_text = false;
  bool has_text = false;
  std::string scratch;
  for (;;) {
    const XmlReader::Event event = reader.Next();
    const std::size_t depth = reader.Depth();
    switch (event) {
      case XmlReader::Event::kStart:
        if (depth == 1 && reader.Name() != "history") {
          error_ = "not a history file: its root element is <" +
                   std::string(reader.Name().substr(0, 64)) + ">";
          return;
        }
        if (depth == kEntryDepth && reader.Name() == "entry") {
          in_entry = true;
          has_text = false;
          names.clear();
          text_start = texts_.size();
        } else if (in_entry && depth == kPartDepth) {
          in_systems = reader.Name() == "systems";
          in_text = reader.Name() == "text";
          // Several texts in one entry follow each other on lines of their own.
          if (in_text && has_text) texts_ += '\n';
          has_text = has_text || in_text;
        } else if (in_systems && depth == kSystemDepth && reader.Name() == "system") {
          if (const XmlAttribute* name = reader.Find("name"))
            names.push_back(AsciiUpperCase(XmlReader::Decode(*name, scratch)));
        }
        break;
      case XmlReader::Event::kEnd:
        if (depth == kPartDepth) {
          in_systems = false;
          in_text = false;
        } else if (depth == kEntryDepth && in_entry) {
          in_entry = false;
          if (has_text) {
            for (std::string& name : names)
              first_entry_.try_emplace(std::move(name), entries_.size());
            entries_.emplace_back(text_start, texts_.size() - text_start);
          } else {
            texts_.resize(text_start);
          }
        }
        break;
      case XmlReader::Event::kText:
        if (in_text && depth == kPartDepth) {
          if (reader.InCData()) {
            texts_ += reader.RawText();
          } else {
            XmlReader::AppendDecoded(reader.RawText(), texts_);
          }
        }
        break;
      case XmlReader::Event::kDone:
        return;
      case XmlReader::Event::kError:
        // The entry being read when the fault came is dropped; those before it stay.
        if (in_entry) texts_.resize(text_start);
        error_ = "not well-formed XML at " + reader.LineColumn(reader.ErrorOffset()) + " (" +
                 std::string(reader.ErrorReason()) + "): only the " +
                 std::to_string(entries_.size()) + " entries before it are used";
        return;
    }
  }
}

std::optional<InfoSection> HistoryXml::Text(std::string_view set_name) const {
  if (set_name.empty()) return std::nullopt;
  const auto found = first_entry_.find(AsciiUpperCase(set_name));
  if (found == first_entry_.end()) return std::nullopt;
  const auto [start, size] = entries_[found->second];
  const std::string_view text = std::string_view(texts_).substr(start, size);
  InfoSection lines;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    at = end + 1;
  }
  // The blank lines around the text come from the file's layout, not from the text.
  std::size_t first = 0;
  while (first < lines.size() && IsBlank(lines[first]))
    ++first;
  std::size_t last = lines.size();
  while (last > first && IsBlank(lines[last - 1]))
    --last;
  return InfoSection(lines.begin() + static_cast<std::ptrdiff_t>(first),
                     lines.begin() + static_cast<std::ptrdiff_t>(last));
}

}  // namespace kw
