#include "core/reports/cheat_file.h"

#include <bitset>

#include "common/ascii.h"
#include "core/hex_value.h"
#include "core/reports/text_lines.h"
#include "core/shared/game_database.h"
#include "core/shared/report_document.h"

namespace kw {

namespace {

constexpr std::size_t kFields = 7;

// A line that holds a cheat: trimmed, not empty, not a comment.
bool CheatLine(std::string_view raw, std::string_view& line) {
  line = TrimControls(raw);
  return !line.empty() && line.front() != ';';
}

std::string UpperName(std::string_view line) {
  const std::size_t colon = line.find(':');
  return AsciiUpperCase(line.substr(0, std::min(colon, kTextWidth)));
}

std::string ValueSelection(const std::string& address, std::uint32_t low, std::uint32_t high,
                           bool bcd, bool change) {
  std::string text = "$" + address + "=$" + HexDigits(low, 2) + "..$" + HexDigits(high, 2);
  if (bcd) text += " (bcd)";
  if (change) text += " when change found";
  return text + " then deactivate cheat";
}

std::string TypeText(const CheatFields& c, std::uint32_t type) {
  const std::string set = "$" + c.Address + "=$" + c.Data;
  const std::uint32_t v = HexValue(c.Data);
  const std::string bits = std::bitset<8>(v & 0xFF).to_string();
  // The linked parts of a cheat take the texts of the types 0 to 75 as 500 to 575.
  const std::uint32_t base = type >= 0x500 && type <= 0x575 ? type - 0x500 : type;
  switch (base) {
    case 0x0:
      return set + " and cannot be changed";
    case 0x1:
      return set + " and cheat is deactivated";
    case 0x2:
      return set + " once every second";
    case 0x3:
      return set + " once every 2 seconds";
    case 0x4:
      return set + " once every 5 seconds";
    case 0x5:
      return set + " 1 second after it changes";
    case 0x6:
      return set + " 2 seconds after it changes";
    case 0x7:
      return set + " 5 seconds after it changes";
    case 0x8:
      return set + " if not decrementing by 1 each frame";
    case 0x9:
      return set + " if not decrementing by 2 each frame";
    case 0x10:
      return set + " if not decrementing by 3 each frame";
    case 0x11:
      return set + " if not decrementing by 4 each frame";
    case 0x20:
      return "Hold %" + bits + " bits set in $" + c.Address;
    case 0x21:
      return "Set %" + bits + " bits in $" + c.Address + " and deactivate cheat";
    case 0x40:
      return "Hold %" + bits + " bits reset in $" + c.Address;
    case 0x41:
      return "Reset %" + bits + " bits in $" + c.Address + " and deactivate cheat";
    case 0x60:
      return ValueSelection(c.Address, 0, v, false, true);
    case 0x61:
      return ValueSelection(c.Address, 1, v + 1, false, true);
    case 0x62:
      return ValueSelection(c.Address, 1, v, false, true);
    case 0x63:
      return ValueSelection(c.Address, 0, v, true, true);
    case 0x64:
      return ValueSelection(c.Address, 1, v + 1, true, false);
    case 0x65:
      return ValueSelection(c.Address, 1, v, false, true);
    case 0x70:
      return ValueSelection(c.Address, 0, v, false, false);
    case 0x71:
      return ValueSelection(c.Address, 1, v + 1, false, false);
    case 0x72:
      return ValueSelection(c.Address, 1, v, false, false);
    case 0x73:
      return ValueSelection(c.Address, 0, v, true, false);
    case 0x74:
      return ValueSelection(c.Address, 1, v + 1, true, false);
    case 0x75:
      return ValueSelection(c.Address, 1, v, false, false);
    case 0x998:
      return "Add $" + c.Address + " as watch";
    default:
      return "Unknown cheat type!!! Address=$" + c.Address + " Value=$" + c.Data +
             " Type=" + c.Type;
  }
}

}  // namespace

CheatFields ParseCheatLine(std::string_view line) {
  CheatFields c;
  std::array<std::string*, kFields> fields = {&c.Name, &c.Cpu,         &c.Address, &c.Data,
                                              &c.Type, &c.Description, &c.Comment};
  std::size_t field = 0;
  for (char ch : line) {
    if (ch == ':') {
      if (field + 1 < kFields) ++field;
      continue;
    }
    if (fields[field]->size() < kTextWidth) fields[field]->push_back(ch);
  }
  return c;
}

std::string FormatCheat(const CheatFields& cheat) {
  std::string text = cheat.Description;
  if (!TrimControls(cheat.Comment).empty()) text += " " + cheat.Comment;
  const std::uint32_t type = HexValue(cheat.Type);
  if (type == 0x999) return PaddedTo(text, 29) + "  (comment)";
  std::string line = PaddedTo(text + ":", 30) + " CPU=" + cheat.Cpu + ", " + TypeText(cheat, type);
  if (type > 0x499 && type < 0x998) line += " (linked part)";
  return line;
}

CheatFile::CheatFile(std::string bytes) : bytes_(std::move(bytes)) {
  compressed_ = bytes_.size() >= 2 && static_cast<unsigned char>(bytes_[0]) == 0x1F &&
                static_cast<unsigned char>(bytes_[1]) == 0x8B;
  if (compressed_) return;
  TextLines lines(bytes_);
  std::string_view raw, line;
  for (;;) {
    const std::size_t start = lines.Position();
    if (!lines.Next(raw)) break;
    if (CheatLine(raw, line)) lines_[UpperName(line)].push_back(start);
  }
}

std::vector<std::string> CheatFile::Cheats(std::string_view set_name) const {
  std::vector<std::string> out;
  const auto found = lines_.find(AsciiUpperCase(set_name));
  if (found == lines_.end()) return out;
  TextLines lines(bytes_);
  std::string_view raw, line;
  for (std::size_t start : found->second) {
    lines.Seek(start);
    if (lines.Next(raw) && CheatLine(raw, line)) out.push_back(FormatCheat(ParseCheatLine(line)));
  }
  return out;
}

std::vector<std::string> ScanCheatFile(std::string_view bytes, std::string_view set_name) {
  std::vector<std::string> out;
  const std::string wanted = AsciiUpperCase(set_name);
  TextLines lines(bytes);
  std::string_view raw, line;
  while (lines.Next(raw)) {
    if (!CheatLine(raw, line)) continue;
    CheatFields cheat = ParseCheatLine(line);
    if (AsciiUpperCase(cheat.Name) == wanted) out.push_back(FormatCheat(cheat));
  }
  return out;
}

}  // namespace kw
