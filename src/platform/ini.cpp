// Private-profile INI files held as their lines, so that everything the program does not touch
// is written back byte for byte.
#include "platform/ini.h"

#include <charconv>

#include "platform/ascii.h"
#include "platform/fs.h"

namespace kw::platform {
namespace {

// A stray carriage return (a line end from another system) counts as a blank too.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// The section name when the line is a section header.
std::optional<std::string_view> SectionName(std::string_view line) {
  std::string_view text = Trim(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  std::size_t close = text.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(text.substr(1, close - 1));
}

// The key and the raw value of a key line (a line with '=' whose key is not empty and that is
// not a comment).
struct KeyLine {
  std::string_view key;
  std::string_view value;
};
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  std::string_view key = Trim(line.substr(0, equals));
  if (key.empty() || key.front() == ';') return std::nullopt;
  return KeyLine{key, Trim(line.substr(equals + 1))};
}

// Line breaks inside a written text would split the line and change the file's structure.
std::string OneLine(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return result;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

bool IniFile::Load() {
  std::optional<std::string> text = fs::ReadFile(path_);
  LoadFromText(text ? *text : std::string());
  return text.has_value();
}

void IniFile::LoadFromText(std::string_view text) {
  lines_.clear();
  dirty_ = false;
  // A byte-order mark is kept apart, so that it does not hide the first section.
  bom_ = text.substr(0, kUtf8Bom.size()) == kUtf8Bom;
  if (bom_) text.remove_prefix(kUtf8Bom.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) {
      lines_.push_back({std::string(text.substr(pos)), ""});
      break;
    }
    bool crlf = end > pos && text[end - 1] == '\r';
    std::size_t text_end = crlf ? end - 1 : end;
    lines_.push_back({std::string(text.substr(pos, text_end - pos)), crlf ? "\r\n" : "\n"});
    pos = end + 1;
  }
}

long IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    std::optional<std::string_view> name = SectionName(lines_[i].text);
    if (name && EqualNoCase(*name, section)) return static_cast<long>(i);
  }
  return -1;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && !SectionName(lines_[i].text))
    ++i;
  return i;
}

long IniFile::FindKey(std::size_t header, std::string_view key) const {
  std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    std::optional<KeyLine> line = ParseKeyLine(lines_[i].text);
    if (line && EqualNoCase(line->key, key)) return static_cast<long>(i);
  }
  return -1;
}

std::string IniFile::DefaultEol() const {
  std::size_t lf = 0;
  std::size_t crlf = 0;
  for (const Line& line : lines_) {
    if (line.eol == "\n") ++lf;
    if (line.eol == "\r\n") ++crlf;
  }
  return lf > crlf ? "\n" : "\r\n";
}

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
  long header = FindSection(section);
  if (header < 0) return std::nullopt;
  long index = FindKey(static_cast<std::size_t>(header), key);
  if (index < 0) return std::nullopt;
  std::string_view value = ParseKeyLine(lines_[static_cast<std::size_t>(index)].text)->value;
  return std::string(value.substr(0, kIniMaxValue));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view default_value) const {
  std::optional<std::string> value = Read(section, key);
  return value ? *value : std::string(default_value);
}

long long IniFile::ReadInteger(std::string_view section, std::string_view key,
                               long long default_value) const {
  std::optional<std::string> value = Read(section, key);
  if (!value) return default_value;
  std::string_view text = Trim(*value);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return default_value;
  }
  long long result = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return default_value;
  }
  return result;
}

bool IniFile::SectionExists(std::string_view section) const {
  return FindSection(section) >= 0;
}

std::vector<std::string> IniFile::Sections() const {
  std::vector<std::string> names;
  for (const Line& line : lines_) {
    std::optional<std::string_view> name = SectionName(line.text);
    if (!name) continue;
    bool seen = false;
    for (const std::string& known : names)
      seen = seen || EqualNoCase(known, *name);
    if (!seen) names.emplace_back(*name);
  }
  return names;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  long header = FindSection(section);
  if (header < 0) return keys;
  std::size_t end = SectionEnd(static_cast<std::size_t>(header));
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
    std::optional<KeyLine> line = ParseKeyLine(lines_[i].text);
    if (!line) continue;
    bool seen = false;
    for (const std::string& known : keys)
      seen = seen || EqualNoCase(known, line->key);
    if (!seen) keys.emplace_back(line->key);
  }
  return keys;
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::string text = OneLine(key) + "=" + OneLine(value);
  dirty_ = true;
  long header = FindSection(section);
  if (header < 0) {
    std::string eol = DefaultEol();
    if (!lines_.empty() && lines_.back().eol.empty()) lines_.back().eol = eol;
    lines_.push_back({"[" + OneLine(section) + "]", eol});
    lines_.push_back({text, eol});
    return;
  }
  std::size_t start = static_cast<std::size_t>(header);
  long index = FindKey(start, key);
  if (index >= 0) {
    lines_[static_cast<std::size_t>(index)].text = text;
    return;
  }
  // After the last non-blank line of the section, so blank separator lines stay below it.
  std::size_t after = start;
  for (std::size_t i = start + 1; i < SectionEnd(start); ++i) {
    if (!Trim(lines_[i].text).empty()) after = i;
  }
  std::string eol = DefaultEol();
  if (lines_[after].eol.empty()) lines_[after].eol = eol;
  lines_.insert(lines_.begin() + static_cast<long>(after) + 1, Line{text, eol});
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  long header = FindSection(section);
  if (header < 0) return;
  long index = FindKey(static_cast<std::size_t>(header), key);
  if (index < 0) return;
  lines_.erase(lines_.begin() + index);
  dirty_ = true;
}

void IniFile::DeleteSection(std::string_view section) {
  long header = FindSection(section);
  if (header < 0) return;
  std::size_t end = SectionEnd(static_cast<std::size_t>(header));
  lines_.erase(lines_.begin() + header, lines_.begin() + static_cast<long>(end));
  dirty_ = true;
}

std::string IniFile::Text() const {
  std::size_t size = 0;
  for (const Line& line : lines_)
    size += line.text.size() + line.eol.size();
  std::string text;
  text.reserve(size + kUtf8Bom.size());
  if (bom_) text += kUtf8Bom;
  for (const Line& line : lines_) {
    text += line.text;
    text += line.eol;
  }
  return text;
}

bool IniFile::Flush(std::string* error) {
  if (!fs::WriteFileAtomic(path_, Text(), error)) return false;
  dirty_ = false;
  return true;
}

}  // namespace kw::platform
