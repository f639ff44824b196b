// Private-profile INI files held as their lines, grouped by section, so that everything the
// program does not touch is written back byte for byte. Indexes of sections and keys find a line
// without a scan, so saving thousands of keys does not take quadratic time.
#include "platform/ini.h"

#include <algorithm>
#include <charconv>

#include "common/ascii.h"
#include "platform/fs.h"

namespace kw::platform {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The section name when the line is a section header.
std::optional<std::string_view> SectionName(std::string_view line) {
  std::string_view text = TrimIniBlanks(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  std::size_t close = text.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimIniBlanks(text.substr(1, close - 1));
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
  std::string_view key = TrimIniBlanks(line.substr(0, equals));
  if (key.empty() || key.front() == ';') return std::nullopt;
  return KeyLine{key, TrimIniBlanks(line.substr(equals + 1))};
}

// Line breaks inside a written text would split the line and change the file's structure.
std::string OneLine(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return result;
}

std::string Lower(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    c = AsciiLower(c);
  return result;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

bool IniFile::Load() {
  Result<std::string> text = fs::ReadFile(path_);
  LoadFromText(text ? *text : std::string());
  return text.Ok();
}

void IniFile::LoadFromText(std::string_view text) {
  dirty_ = false;
  std::vector<Line> lines;
  // A byte-order mark is kept apart, so that it does not hide the first section.
  bom_ = text.substr(0, kUtf8Bom.size()) == kUtf8Bom;
  if (bom_) text.remove_prefix(kUtf8Bom.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    Line line;
    if (end == std::string_view::npos) {
      line.text = std::string(text.substr(pos));
      end = text.size();
    } else {
      bool crlf = end > pos && text[end - 1] == '\r';
      std::size_t text_end = crlf ? end - 1 : end;
      line.text = std::string(text.substr(pos, text_end - pos));
      line.eol = crlf ? "\r\n" : "\n";
    }
    lines.push_back(std::move(line));
    pos = end + 1;
  }
  Build(std::move(lines));
}

void IniFile::Build(std::vector<Line> lines) {
  blocks_.clear();
  sections_.clear();
  lf_lines_ = 0;
  crlf_lines_ = 0;
  blocks_.emplace_back();  // the lines before the first header
  for (Line& line : lines) {
    if (SectionName(line.text)) blocks_.emplace_back();
    CountEol(line.eol, 1);
    blocks_.back().lines.push_back(std::move(line));
  }
  for (std::size_t b = 1; b < blocks_.size(); ++b)
    IndexBlock(b);
}

void IniFile::IndexBlock(std::size_t index) {
  Block& block = blocks_[index];
  sections_[Lower(*SectionName(block.lines.front().text))].push_back(index);
  for (std::size_t i = 1; i < block.lines.size(); ++i)
    IndexLine(block, i);
}

void IniFile::IndexLine(Block& block, std::size_t position) {
  std::optional<KeyLine> line = ParseKeyLine(block.lines[position].text);
  if (!line) return;
  std::vector<std::size_t>& positions = block.keys[Lower(line->key)];
  positions.insert(std::lower_bound(positions.begin(), positions.end(), position), position);
}

void IniFile::UnindexLine(Block& block, std::size_t position) {
  std::optional<KeyLine> line = ParseKeyLine(block.lines[position].text);
  if (!line) return;
  auto found = block.keys.find(Lower(line->key));
  if (found == block.keys.end()) return;
  std::vector<std::size_t>& positions = found->second;
  auto at = std::lower_bound(positions.begin(), positions.end(), position);
  if (at != positions.end() && *at == position) positions.erase(at);
  if (positions.empty()) block.keys.erase(found);
}

// Drops the marks of deleted lines once they are half the block, so they cost no more than the
// deletions did.
void IniFile::Compact(Block& block) {
  if (block.deleted_lines * 2 <= block.lines.size()) return;
  std::erase_if(block.lines, [](const Line& line) { return line.deleted; });
  block.deleted_lines = 0;
  block.keys.clear();
  for (std::size_t i = 1; i < block.lines.size(); ++i)
    IndexLine(block, i);
}

void IniFile::RegroupIfHeader(std::string_view written) {
  if (!SectionName(written)) return;
  std::vector<Line> lines;
  for (Block& block : blocks_) {
    if (block.deleted) continue;
    for (Line& line : block.lines) {
      if (!line.deleted) lines.push_back(std::move(line));
    }
  }
  Build(std::move(lines));
}

long IniFile::FindSection(std::string_view section) const {
  auto found = sections_.find(Lower(section));
  if (found == sections_.end() || found->second.empty()) return -1;
  return static_cast<long>(found->second.front());
}

long IniFile::FindKey(const Block& block, std::string_view key) {
  auto found = block.keys.find(Lower(key));
  if (found == block.keys.end() || found->second.empty()) return -1;
  return static_cast<long>(found->second.front());
}

IniFile::Line* IniFile::LastLine() {
  for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
    if (block->deleted) continue;
    for (auto line = block->lines.rbegin(); line != block->lines.rend(); ++line) {
      if (!line->deleted) return &*line;
    }
  }
  return nullptr;
}

void IniFile::CountEol(const std::string& eol, int change) {
  std::size_t* count = eol == "\n" ? &lf_lines_ : eol == "\r\n" ? &crlf_lines_ : nullptr;
  if (!count) return;
  if (change > 0) {
    *count += static_cast<std::size_t>(change);
  } else {
    *count -= static_cast<std::size_t>(-change);
  }
}

std::string IniFile::DefaultEol() const {
  return lf_lines_ > crlf_lines_ ? "\n" : "\r\n";
}

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
  long header = FindSection(section);
  if (header < 0) return std::nullopt;
  const Block& block = blocks_[static_cast<std::size_t>(header)];
  long index = FindKey(block, key);
  if (index < 0) return std::nullopt;
  std::string_view value = ParseKeyLine(block.lines[static_cast<std::size_t>(index)].text)->value;
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
  std::string_view text = TrimIniBlanks(*value);
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

std::vector<std::string> IniFile::Sections() const {
  std::vector<std::string> names;
  for (std::size_t b = 1; b < blocks_.size(); ++b) {
    if (blocks_[b].deleted) continue;
    std::string_view name = *SectionName(blocks_[b].lines.front().text);
    if (FindSection(name) == static_cast<long>(b)) names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  long header = FindSection(section);
  if (header < 0) return keys;
  const Block& block = blocks_[static_cast<std::size_t>(header)];
  for (std::size_t i = 1; i < block.lines.size(); ++i) {
    if (block.lines[i].deleted) continue;
    std::optional<KeyLine> line = ParseKeyLine(block.lines[i].text);
    if (line && FindKey(block, line->key) == static_cast<long>(i)) keys.emplace_back(line->key);
  }
  return keys;
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::string text = OneLine(key) + "=" + OneLine(value);
  dirty_ = true;
  const std::string eol = DefaultEol();
  long header = FindSection(section);
  if (header < 0) {
    if (Line* last = LastLine(); last && last->eol.empty()) {
      last->eol = eol;
      CountEol(eol, 1);
    }
    Block block;
    block.lines.push_back({"[" + OneLine(section) + "]", eol});
    block.lines.push_back({text, eol});
    CountEol(eol, 2);
    blocks_.push_back(std::move(block));
    IndexBlock(blocks_.size() - 1);
    RegroupIfHeader(text);
    return;
  }
  Block& block = blocks_[static_cast<std::size_t>(header)];
  long index = FindKey(block, key);
  if (index >= 0) {
    const std::size_t at = static_cast<std::size_t>(index);
    UnindexLine(block, at);
    block.lines[at].text = text;
    IndexLine(block, at);
    RegroupIfHeader(text);
    return;
  }
  // After the last non-blank line of the section, so blank separator lines stay below it.
  std::size_t after = block.lines.size() - 1;
  while (after > 0 &&
         (block.lines[after].deleted || TrimIniBlanks(block.lines[after].text).empty()))
    --after;
  if (block.lines[after].eol.empty()) {
    block.lines[after].eol = eol;
    CountEol(eol, 1);
  }
  block.lines.insert(block.lines.begin() + static_cast<long>(after) + 1, Line{text, eol});
  CountEol(eol, 1);
  // The lines moved down are blank or deleted: none of them is in the key index.
  IndexLine(block, after + 1);
  RegroupIfHeader(text);
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  long header = FindSection(section);
  if (header < 0) return;
  Block& block = blocks_[static_cast<std::size_t>(header)];
  long index = FindKey(block, key);
  if (index < 0) return;
  const std::size_t at = static_cast<std::size_t>(index);
  UnindexLine(block, at);
  block.lines[at].deleted = true;
  CountEol(block.lines[at].eol, -1);
  ++block.deleted_lines;
  Compact(block);
  dirty_ = true;
}

void IniFile::DeleteSection(std::string_view section) {
  long header = FindSection(section);
  if (header < 0) return;
  Block& block = blocks_[static_cast<std::size_t>(header)];
  std::vector<std::size_t>& same_name = sections_[Lower(section)];
  same_name.erase(same_name.begin());
  for (const Line& line : block.lines) {
    if (!line.deleted) CountEol(line.eol, -1);
  }
  block.deleted = true;
  block.lines.clear();
  block.keys.clear();
  dirty_ = true;
}

std::string IniFile::Text() const {
  std::size_t size = 0;
  for (const Block& block : blocks_) {
    for (const Line& line : block.lines)
      size += line.text.size() + line.eol.size();
  }
  std::string text;
  text.reserve(size + kUtf8Bom.size());
  if (bom_) text += kUtf8Bom;
  for (const Block& block : blocks_) {
    if (block.deleted) continue;
    for (const Line& line : block.lines) {
      if (line.deleted) continue;
      text += line.text;
      text += line.eol;
    }
  }
  return text;
}

Status IniFile::Flush() {
  if (Status written = fs::WriteFileAtomic(path_, Text()); !written) return written;
  dirty_ = false;
  return Success();
}

}  // namespace kw::platform
