// parse-listinfo and dump-profile: create a profile from a -listinfo capture without windows,
// and show what a profile file holds.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "common/result.h"
#include "core/profile/listinfo_parser.h"
#include "core/profile/profile_file.h"
#include "core/shared/game_database.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw::cli {

namespace {

// A report line as shown: to a terminal, the control bytes a capture may hold (an escape
// sequence would act on the terminal) as \xNN; into a pipe or file, the bytes as they are.
std::string Shown(std::string_view line, bool to_terminal) {
  if (!to_terminal) return std::string(line);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(line.size());
  for (char ch : line) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x20 || b == 0x7F) {
      shown += "\\x";
      shown += kHex[b >> 4];
      shown += kHex[b & 0xF];
    } else {
      shown += ch;
    }
  }
  return shown;
}

constexpr const char* kParseUsage =
    "Usage: kestrelwing-cli parse-listinfo INPUT OUTPUT.KSL [--emulator-dir DIR] "
    "[--emulator-exe NAME] [--emulator-version TEXT]\n"
    "  --emulator-dir defaults to the directory of INPUT.\n";
constexpr const char* kDumpUsage = "Usage: kestrelwing-cli dump-profile FILE.KSL\n";

// A JSON string in which each byte stands for the code point of the same value.
void AppendJsonString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (char ch : text) {
    auto b = static_cast<unsigned char>(ch);
    if (b == '"' || b == '\\') {
      out += '\\';
      out += ch;
    } else if (b < 0x20 || b == 0x7F) {
      out += "\\u00";
      out += kHex[b >> 4];
      out += kHex[b & 0xF];
    } else if (b < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  out += '"';
}

// Builds one JSON object, member by member.
class JsonObject {
 public:
  explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
  void Text(std::string_view key, std::string_view value) {
    Key(key);
    AppendJsonString(out_, value);
  }
  void Number(std::string_view key, long long value) {
    Key(key);
    out_ += std::to_string(value);
  }
  void Raw(std::string_view key, std::string_view json) {
    Key(key);
    out_ += json;
  }
  void Close() { out_ += '}'; }

 private:
  void Key(std::string_view key) {
    if (!first_) out_ += ',';
    first_ = false;
    AppendJsonString(out_, key);
    out_ += ':';
  }
  std::string& out_;
  bool first_ = true;
};

// A JSON array of `items`, each appended by `append`.
template <class Item, class Append>
std::string JsonList(std::span<const Item> items, Append append) {
  std::string list = "[";
  for (const Item& item : items) {
    if (list.size() > 1) list += ',';
    append(list, item);
  }
  list += ']';
  return list;
}

void AppendRecordJson(std::string& out, const GameDatabase& db, const GameRecord& r, bool is_game) {
  JsonObject o(out);
  o.Text("kind", is_game ? "game" : "resource");
  o.Number("Index", r.Index);
  o.Text("Name", r.Name.View());
  o.Text("Description", db.Text(r.Description));
  o.Number("Year", r.Year);
  o.Text("Manufacturer", db.Text(r.Manufacturer));
  o.Text("CloneOf", r.CloneOf.View());
  o.Text("RomOf", r.RomOf.View());
  o.Text("SampleOf", r.SampleOf.View());
  o.Number("Raster", r.Raster);
  o.Number("Vertical", r.Vertical);
  o.Number("Width", r.Width);
  o.Number("Height", r.Height);
  o.Number("Colors", r.Colors);
  o.Text("Freq", db.Text(r.Freq));
  o.Number("Channels", r.Channels);
  o.Number("Players", r.Players);
  o.Number("Control", r.Control);
  o.Number("Buttons", r.Buttons);
  o.Number("Coins", r.Coins);
  o.Number("Tilt", r.Tilt);
  o.Number("Service", r.Service);
  o.Number("DipSwitches", r.DipSwitches);
  o.Number("DriverStatus", r.DriverStatus);
  o.Number("DriverColor", r.DriverColor);
  o.Number("DriverSound", r.DriverSound);
  o.Number("ColorDeep", r.ColorDeep);

  o.Raw("Roms", JsonList(db.Roms(r), [&db](std::string& out_rom, const RomRecord& rom) {
          JsonObject ro(out_rom);
          ro.Text("Name", db.Text(rom.Name));
          ro.Text("Merge", db.Text(rom.Merge));
          ro.Text("Region", db.Text(rom.Region));
          ro.Number("Flags", rom.Flags);
          ro.Number("Offset", rom.Offset);
          ro.Number("Size", rom.Size);
          ro.Number("Crc", rom.Crc);
          ro.Close();
        }));
  o.Raw("Chips", JsonList(db.Chips(r), [&db](std::string& out_chip, const ChipRecord& chip) {
          JsonObject co(out_chip);
          co.Number("Kind", chip.Kind);
          co.Number("Flags", chip.Flags);
          co.Text("Name", db.Text(chip.Name));
          co.Text("Clock", db.Text(chip.Clock));
          co.Close();
        }));
  o.Raw("Samples", JsonList(db.Samples(r), [&db](std::string& out_sample, TextId sample) {
          AppendJsonString(out_sample, db.Text(sample));
        }));
  o.Close();
  out += '\n';
}

}  // namespace

int ReportAndSaveProfile(const char* command, const std::vector<ListinfoLogEntry>& log,
                         GameDatabase& db, const std::string& output) {
  const bool to_terminal = isatty(STDOUT_FILENO) == 1;
  std::string report;
  for (const ListinfoLogEntry& entry : log) {
    report += Shown(ListinfoLogLine(entry), to_terminal);
    report += '\n';
  }
  report += "Games found: " + std::to_string(db.GameCount()) + "\n";
  report += "Resources found: " + std::to_string(db.ResourceCount()) + "\n";
  if (!WriteOut(report) || !FlushOut()) return 1;

  if (db.GameCount() == 0) {
    // No games, no profile: a profile of an earlier run at OUTPUT stays as it was.
    std::fprintf(
        stderr, "kestrelwing-cli %s: no games found: nothing was written%s\n", command,
        platform::fs::FileExists(output) ? ("; " + output + " was left as it was").c_str() : "");
    return 1;
  }
  ConsoleUi ui;
  if (Status saved = SaveProfile(db, output, ui, ProfileFileContext{}); !saved) {
    ui.Ask(saved.Message(), MsgIcon::Error, MsgButtons::Ok);
    return 1;
  }
  return log.empty() ? 0 : 3;
}

int ParseListinfo(const Args& args) {
  std::string input, output;
  GameDatabase db;
  int positional = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string* target = nullptr;
    if (a == "--emulator-dir") {
      target = &db.EmulatorDir;
    } else if (a == "--emulator-exe") {
      target = &db.EmulatorExe;
    } else if (a == "--emulator-version") {
      target = &db.EmulatorVersion;
    }
    if (target) {
      if (i + 1 == args.size())
        return BadUsage("parse-listinfo", a + " needs a value", kParseUsage);
      *target = args[++i];
    } else if (IsOption(a)) {
      return BadUsage("parse-listinfo", "unknown option '" + a + "'", kParseUsage);
    } else if (positional < 2) {
      (positional++ == 0 ? input : output) = a;
    } else {
      return BadUsage("parse-listinfo", "unexpected argument '" + a + "'", kParseUsage);
    }
  }
  if (positional != 2)
    return BadUsage("parse-listinfo", positional == 0 ? "missing INPUT" : "missing OUTPUT.KSL",
                    kParseUsage);
  // The program enters the emulator's directory when it opens the profile: the profile keeps it
  // absolute with its trailing separator, by default the directory of the capture (where the
  // emulator wrote it).
  db.EmulatorDir = platform::fs::IncludeTrailingSeparator(platform::fs::ExpandFileName(
      db.EmulatorDir.empty() ? platform::fs::ExtractFilePath(platform::fs::ExpandFileName(input))
                             : db.EmulatorDir));

  Result<std::vector<ListinfoLogEntry>> log = ParseListinfoFile(input, db);
  if (!log) {
    std::fprintf(stderr, "kestrelwing-cli parse-listinfo: %s: %s\n", input.c_str(),
                 log.Message().c_str());
    return 1;
  }

  return ReportAndSaveProfile("parse-listinfo", *log, db, output);
}

int DumpProfile(const Args& args) {
  if (!FixedArguments("dump-profile", args, {"FILE.KSL"}, kDumpUsage)) return 2;
  GameDatabase db;
  if (!LoadProfileFile(db, args[0])) return 1;

  std::string out;
  {
    JsonObject o(out);
    o.Text("EmulatorDir", db.EmulatorDir);
    o.Text("EmulatorExe", db.EmulatorExe);
    o.Text("EmulatorVersion", db.EmulatorVersion);
    o.Close();
    out += '\n';
  }
  // Written in pieces so that a large profile does not build one huge string; the first write
  // that fails ends the dump.
  auto flush = [&out] {
    const bool written = WriteOut(out);
    out.clear();
    return written;
  };
  for (const std::vector<GameRecord>* list : {&db.Games(), &db.Resources()}) {
    const bool is_game = list == &db.Games();
    for (const GameRecord& r : *list) {
      AppendRecordJson(out, db, r, is_game);
      if (out.size() > (1 << 20) && !flush()) return 1;
    }
  }
  return flush() && FlushOut() ? 0 : 1;
}

}  // namespace kw::cli
