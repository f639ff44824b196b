// parse-listinfo and dump-profile: create a profile from a -listinfo capture without windows,
// and show what a profile file holds.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli_commands.h"
#include "core/profile/game_database.h"
#include "core/profile/listinfo_parser.h"
#include "core/profile/profile_file.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw::cli {

namespace {

// The console stands in for the windows: messages go to stderr, questions are answered Yes,
// progress is not shown.
class ConsoleUi : public UserInterface {
 public:
  MsgAnswer Ask(const std::string& text, MsgIcon, MsgButtons buttons) override {
    std::string shown = text;
    for (char& c : shown) {
      if (c == '\r') c = '\n';
    }
    std::fprintf(stderr, "%s\n", shown.c_str());
    switch (buttons) {
      case MsgButtons::YesNo:
        return MsgAnswer::Yes;
      case MsgButtons::RetryCancel:
        return MsgAnswer::Cancel;
      default:
        return MsgAnswer::Ok;
    }
  }
  void SetOperation(const std::string&) override {}
  void SetProgress(int) override {}
  void ShowProgress() override {}
  void HideProgress() override {}
  void SetBusy(bool) override {}
  void ProcessMessages() override {}
  void ShowReport(const ReportDocument&) override {}
};

void WriteOut(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
}

constexpr const char* kParseUsage =
    "Usage: kestrelwing-cli parse-listinfo INPUT OUTPUT.KSL [--emulator-dir DIR] "
    "[--emulator-exe NAME] [--emulator-version TEXT]\n";
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
std::string JsonList(const std::vector<Item>& items, Append append) {
  std::string list = "[";
  for (const Item& item : items) {
    if (list.size() > 1) list += ',';
    append(list, item);
  }
  list += ']';
  return list;
}

void AppendRecordJson(std::string& out, const GameRecord& r, bool is_game) {
  JsonObject o(out);
  o.Text("kind", is_game ? "game" : "resource");
  o.Number("Index", r.Index);
  o.Text("Name", r.Name);
  o.Text("Description", r.Description);
  o.Number("Year", r.Year);
  o.Text("Manufacturer", r.Manufacturer);
  o.Text("CloneOf", r.CloneOf);
  o.Text("RomOf", r.RomOf);
  o.Text("SampleOf", r.SampleOf);
  o.Number("Raster", r.Raster);
  o.Number("Vertical", r.Vertical);
  o.Number("Width", r.Width);
  o.Number("Height", r.Height);
  o.Number("Colors", r.Colors);
  o.Text("Freq", r.Freq);
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

  o.Raw("Roms", JsonList(r.Roms, [](std::string& out_rom, const RomRecord& rom) {
          JsonObject ro(out_rom);
          ro.Text("Name", rom.Name);
          ro.Text("Merge", rom.Merge);
          ro.Text("Region", rom.Region);
          ro.Number("Flags", rom.Flags);
          ro.Number("Offset", rom.Offset);
          ro.Number("Size", rom.Size);
          ro.Number("Crc", rom.Crc);
          ro.Close();
        }));
  o.Raw("Chips", JsonList(r.Chips, [](std::string& out_chip, const ChipRecord& chip) {
          JsonObject co(out_chip);
          co.Number("Kind", chip.Kind);
          co.Number("Flags", chip.Flags);
          co.Text("Name", chip.Name);
          co.Text("Clock", chip.Clock);
          co.Close();
        }));
  o.Raw("Samples", JsonList(r.Samples, [](std::string& out_sample, const std::string& sample) {
          AppendJsonString(out_sample, sample);
        }));
  o.Close();
  out += '\n';
}

}  // namespace

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
      if (i + 1 == args.size()) {
        std::fprintf(stderr, "kestrelwing-cli parse-listinfo: %s needs a value\n%s", a.c_str(),
                     kParseUsage);
        return 2;
      }
      *target = args[++i];
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      std::fprintf(stderr, "kestrelwing-cli parse-listinfo: unknown option '%s'\n%s", a.c_str(),
                   kParseUsage);
      return 2;
    } else if (positional < 2) {
      (positional++ == 0 ? input : output) = a;
    } else {
      std::fprintf(stderr, "kestrelwing-cli parse-listinfo: unexpected argument '%s'\n%s",
                   a.c_str(), kParseUsage);
      return 2;
    }
  }
  if (positional != 2) {
    std::fputs(kParseUsage, stderr);
    return 2;
  }
  // The profile keeps the emulator's directory with its trailing separator.
  if (!db.EmulatorDir.empty())
    db.EmulatorDir = platform::fs::IncludeTrailingSeparator(db.EmulatorDir);

  Result<std::string> data = platform::fs::ReadFile(input);
  if (!data) {
    std::fprintf(stderr, "kestrelwing-cli parse-listinfo: %s: %s\n", input.c_str(),
                 data.Message().c_str());
    return 1;
  }
  const std::vector<ListinfoLogEntry> log = ParseListinfoText(*data, db);
  std::string().swap(*data);  // the text is no longer needed

  std::string report;
  for (const std::string& line : ErrorReportLines(log)) {
    report += line;
    report += '\n';
  }
  report += "Games found: " + std::to_string(db.GameCount()) + "\n";
  report += "Resources found: " + std::to_string(db.ResourceCount()) + "\n";
  WriteOut(report);
  std::fflush(stdout);

  if (db.GameCount() == 0) {
    // No games, no profile. A profile left from an earlier run would be read as this run's
    // result, so it goes.
    std::fprintf(stderr, "kestrelwing-cli parse-listinfo: no games found: %s not written\n",
                 output.c_str());
    if (platform::fs::FileExists(output)) {
      if (Status deleted = platform::fs::Delete(output); !deleted) {
        std::fprintf(stderr,
                     "kestrelwing-cli parse-listinfo: %s: the earlier profile cannot be "
                     "deleted: %s\n",
                     output.c_str(), deleted.Message().c_str());
        return 1;
      }
      std::fprintf(stderr, "kestrelwing-cli parse-listinfo: the earlier %s was deleted\n",
                   output.c_str());
    }
  } else {
    ConsoleUi ui;
    if (!SaveProfile(db, output, ui, ProfileFileContext{})) return 1;
  }
  return log.empty() ? 0 : 3;
}

int DumpProfile(const Args& args) {
  if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-')) {
    std::fputs(kDumpUsage, stderr);
    return 2;
  }
  ConsoleUi ui;
  GameDatabase db;
  if (!LoadProfile(db, args[0], ui, ProfileFileContext{})) return 1;

  std::string out;
  {
    JsonObject o(out);
    o.Text("EmulatorDir", db.EmulatorDir);
    o.Text("EmulatorExe", db.EmulatorExe);
    o.Text("EmulatorVersion", db.EmulatorVersion);
    o.Close();
    out += '\n';
  }
  // Flushed in pieces so that a large profile does not build one huge string.
  auto flush = [&out] {
    WriteOut(out);
    out.clear();
  };
  for (const GameRecord& r : db.Games()) {
    AppendRecordJson(out, r, true);
    if (out.size() > (1 << 20)) flush();
  }
  for (const GameRecord& r : db.Resources()) {
    AppendRecordJson(out, r, false);
    if (out.size() > (1 << 20)) flush();
  }
  flush();
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace kw::cli
