#include "core/reports/info_file.h"

#include "common/ascii.h"
#include "core/reports/text_lines.h"

namespace kw {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A file saved as UTF-8 with a byte-order mark would otherwise hide an entry on its first line.
TextLines LinesOf(std::string_view bytes) {
  TextLines lines(bytes);
  if (bytes.starts_with(kUtf8Mark)) lines.Seek(kUtf8Mark.size());
  return lines;
}

// The next entry from where `lines` stands: its list (upper case, continuation lines joined by
// blanks) and where its first "$" line begins. False when no entry is left, or when its list
// runs to the end of the file (such an entry has no section to give).
bool ReadEntry(TextLines& lines, std::string& list, std::size_t& pending) {
  std::string_view line;
  for (;;) {
    if (!lines.Next(line)) return false;
    if (StartsNoCase(line, "$INFO")) break;
  }
  list = AsciiUpperCase(line);
  for (;;) {
    const std::size_t start = lines.Position();
    if (!lines.Next(line)) return false;
    if (line.empty()) continue;
    if (line.front() == '$') {
      pending = start;
      // The "$" line is read again from here: it opens the section, or the next entry.
      lines.Seek(start);
      return true;
    }
    list += ' ';
    list += AsciiUpperCase(line);
  }
}

// Calls `take` with each name of the list after its first "=".
template <class Take>
void ForEachName(std::string_view list, Take&& take) {
  const std::size_t equals = list.find('=');
  if (equals == std::string_view::npos) return;
  list.remove_prefix(equals + 1);
  while (!list.empty()) {
    const std::size_t stop = list.find_first_of(", ");
    const std::string_view name = list.substr(0, stop);
    if (!name.empty() && take(name)) return;
    if (stop == std::string_view::npos) break;
    list.remove_prefix(stop + 1);
  }
}

// The section `tag` (upper case) read from the "$" line at `pending`.
std::optional<InfoSection> ReadSection(std::string_view bytes, std::size_t pending,
                                       std::string_view tag) {
  if (tag.empty()) return std::nullopt;
  const std::string opening = "$" + std::string(tag);
  TextLines lines(bytes);
  lines.Seek(pending);
  std::string_view line;
  for (;;) {
    if (!lines.Next(line)) return std::nullopt;
    if (StartsNoCase(line, opening)) break;
    if (StartsNoCase(line, "$END") || StartsNoCase(line, "$INFO")) return std::nullopt;
  }
  InfoSection text;
  while (lines.Next(line) && !StartsNoCase(line, "$END"))
    text.push_back(line);
  return text;
}

}  // namespace

InfoFile::InfoFile(std::string bytes) : bytes_(std::move(bytes)) {
  TextLines lines = LinesOf(bytes_);
  std::string list;
  std::size_t pending = 0;
  while (ReadEntry(lines, list, pending)) {
    ++entries_;
    ForEachName(list, [&](std::string_view name) {
      first_entry_.try_emplace(std::string(name), pending);
      return false;
    });
  }
}

std::optional<InfoSection> InfoFile::Section(std::string_view set_name,
                                             std::string_view tag) const {
  const auto found = first_entry_.find(AsciiUpperCase(set_name));
  if (found == first_entry_.end()) return std::nullopt;
  return ReadSection(bytes_, found->second, AsciiUpperCase(tag));
}

std::optional<std::vector<std::string>> ScanInfoFile(std::string_view bytes,
                                                     std::string_view set_name,
                                                     std::string_view tag) {
  const std::string wanted = AsciiUpperCase(set_name);
  TextLines lines = LinesOf(bytes);
  std::string list;
  std::size_t pending = 0;
  while (ReadEntry(lines, list, pending)) {
    bool match = false;
    ForEachName(list, [&](std::string_view name) { return match = name == wanted; });
    if (!match) continue;
    const auto section = ReadSection(bytes, pending, AsciiUpperCase(tag));
    if (!section) return std::nullopt;
    return std::vector<std::string>(section->begin(), section->end());
  }
  return std::nullopt;
}

}  // namespace kw
