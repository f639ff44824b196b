#include "core/reports/hiscore_file.h"

#include "common/ascii.h"
#include "core/hex_value.h"
#include "core/reports/text_lines.h"
#include "core/shared/game_database.h"

namespace kw {

namespace {

// Keys longer than a set name and its ":" are not indexed; such a look-up reads the file.
constexpr std::size_t kKeyWidth = kSetNameWidth + 1;

// The text before the first ":" of `rest`, `rest` going on after it; without a ":" the field is
// empty and `rest` stays.
std::string_view NextField(std::string_view& rest) {
  const std::size_t colon = rest.find(':');
  if (colon == std::string_view::npos) return {};
  const std::string_view field = rest.substr(0, colon);
  rest.remove_prefix(colon + 1);
  return field;
}

// The report lines of the area lines that begin at `position`.
std::vector<std::string> ReadAreas(std::string_view bytes, std::size_t position) {
  TextLines lines(bytes);
  lines.Seek(position);
  std::vector<std::string> areas;
  std::string_view raw;
  while (lines.Next(raw)) {
    const std::string line = AsciiUpperCase(TrimControls(raw));
    if (line.empty()) break;
    // Name lines of further sets are skipped: their only ":" ends them. A ";" starts a comment
    // in this file, also after a name ("nemesuk: ; top score not right"), so the test is made
    // on the line without its comment, and a line that is all comment is skipped as well.
    const std::string_view bare = TrimControls(std::string_view(line).substr(0, line.find(';')));
    if (bare.empty() || bare.find(':') == bare.size() - 1) continue;
    areas.push_back(FormatHiscoreArea(line));
  }
  return areas;
}

}  // namespace

std::string FormatHiscoreArea(std::string_view line) {
  std::string_view rest = line;
  const std::string_view cpu = NextField(rest);
  const std::string_view address = NextField(rest);
  const std::string_view length = NextField(rest);
  const std::string_view start = NextField(rest);
  const std::string_view end = rest;
  // HexValue reads at most 255 characters of a field.
  const std::uint32_t first = HexValue(address.substr(0, kTextWidth));
  const std::string last =
      HexDigits(first + HexValue(length.substr(0, kTextWidth)) - 1, address.size());

  std::string out = "CPU=" + std::string(cpu) + ", Memory area=$" + std::string(address);
  if (last != address) {
    out += "..$" + last + ", ";
  } else {
    out += ", " + std::string(last.size() + 3, ' ');
  }
  out += "Area delimiters=$" + std::string(start) + ",$" + std::string(end);
  return out;
}

HiscoreFile::HiscoreFile(std::string bytes) : bytes_(std::move(bytes)) {
  TextLines lines(bytes_);
  std::string_view raw;
  while (lines.Next(raw)) {
    const std::string_view line = TrimControls(raw);
    // A line begins with every key that is one of its prefixes ending in ":".
    const std::string head = AsciiUpperCase(line.substr(0, kKeyWidth));
    for (std::size_t colon = head.find(':'); colon != std::string::npos;
         colon = head.find(':', colon + 1))
      first_entry_.try_emplace(head.substr(0, colon + 1), lines.Position());
  }
}

std::optional<std::vector<std::string>> HiscoreFile::Areas(std::string_view set_name) const {
  const std::string key = AsciiUpperCase(set_name) + ":";
  if (key.size() > kKeyWidth) return ScanHiscoreFile(bytes_, set_name);
  const auto found = first_entry_.find(key);
  if (found == first_entry_.end()) return std::nullopt;
  return ReadAreas(bytes_, found->second);
}

std::optional<std::vector<std::string>> ScanHiscoreFile(std::string_view bytes,
                                                        std::string_view set_name) {
  const std::string key = AsciiUpperCase(set_name) + ":";
  TextLines lines(bytes);
  std::string_view raw;
  while (lines.Next(raw)) {
    if (AsciiUpperCase(TrimControls(raw)).starts_with(key))
      return ReadAreas(bytes, lines.Position());
  }
  return std::nullopt;
}

}  // namespace kw
