// Optical drives on Linux: the mount points of mounted optical media.
#include "platform/drives.h"

#include <cstdlib>
#include <string_view>

#include "platform/fs.h"

namespace kw::platform {
namespace {

// The non-empty pieces of `text` between separators.
std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find(separator, pos);
    if (end == std::string_view::npos) end = text.size();
    if (end > pos) pieces.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return pieces;
}

bool IsOctal(char c) {
  return c >= '0' && c <= '7';
}

// The kernel writes blanks, tabs, newlines and backslashes in paths as \ooo.
std::string Unescape(std::string_view text) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && IsOctal(text[i + 1]) && IsOctal(text[i + 2]) &&
        IsOctal(text[i + 3])) {
      result += static_cast<char>(((text[i + 1] - '0') << 6) | ((text[i + 2] - '0') << 3) |
                                  (text[i + 3] - '0'));
      i += 3;
    } else {
      result += text[i];
    }
  }
  return result;
}

}  // namespace

std::vector<std::string> OpticalDrivesFromMountInfo(const std::string& mountinfo) {
  std::vector<std::string> drives;
  for (std::string_view line : Split(mountinfo, '\n')) {
    std::vector<std::string_view> fields = Split(line, ' ');
    // id parent major:minor root mount-point options [optional...] - fstype source options
    std::size_t dash = 6;
    while (dash < fields.size() && fields[dash] != "-")
      ++dash;
    if (dash + 2 >= fields.size()) continue;
    std::string_view type = fields[dash + 1];
    std::string_view source = fields[dash + 2];
    if (type == "iso9660" || type == "udf" || source.starts_with("/dev/sr")) {
      drives.push_back(Unescape(fields[4]));
    }
  }
  return drives;
}

std::vector<std::string> OpticalDrives() {
  if (const char* override_list = std::getenv("KESTRELWING_OPTICAL_DRIVES")) {
    std::vector<std::string> drives;
    for (std::string_view drive : Split(override_list, ':'))
      drives.emplace_back(drive);
    return drives;
  }
  Result<std::string> mountinfo = fs::ReadFile("/proc/self/mountinfo");
  return mountinfo ? OpticalDrivesFromMountInfo(*mountinfo) : std::vector<std::string>();
}

}  // namespace kw::platform
