#include "core/shared/emulator_config.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "common/ascii.h"
#include "platform/fs.h"
#include "platform/ini.h"

namespace kw {

namespace {

namespace fs = platform::fs;
using Kind = EmulatorKeyKind;
using EC = EmulatorConfig;
using Dir = EmulatorConfig::Directory;
using Cfg = EmulatorConfig::Config;

constexpr std::string_view kDirectory = "directory";
constexpr std::string_view kConfig = "config";
constexpr std::string_view kEmulateThree = "EMULATE_THREE";

template <auto Member>
auto& TopField(EC& c) {
  return c.*Member;
}
template <auto Member>
auto& DirField(EC& c) {
  return c.directory.*Member;
}
template <auto Member>
auto& CfgField(EC& c) {
  return c.config.*Member;
}

// The emulator's read order: [directory], then [config]; the line-scanned key last. Made on
// first use, so that a record made during static initialisation finds it.
std::vector<EmulatorKey> MakeKeys() {
  return {
      {kDirectory, "inp", Kind::Text, "INP", &DirField<&Dir::inp>},
      {kDirectory, "nvram", Kind::Text, "NVRAM", &DirField<&Dir::nvram>},
      {kDirectory, "hi", Kind::Text, "HI", &DirField<&Dir::hi>},
      {kDirectory, "cfg", Kind::Text, "CFG", &DirField<&Dir::cfg>},
      {kDirectory, "snap", Kind::Text, "SNAP", &DirField<&Dir::snap>},
      {kDirectory, "memcard", Kind::Text, "MEMCARD", &DirField<&Dir::memcard>},
      {kDirectory, "artwork", Kind::Text, "ARTWORK", &DirField<&Dir::artwork>},
      {kDirectory, "rompath", Kind::Text, "ROMS", &DirField<&Dir::rompath>, true},
      {kDirectory, "samplepath", Kind::Text, ".;SAMPLES", &DirField<&Dir::samplepath>, true},
      {kDirectory, "cheat", Kind::Text, ".", &DirField<&Dir::cheat>},
      {kConfig, "scanlines", Kind::Bool, "yes", &CfgField<&Cfg::scanlines>},
      {kConfig, "stretch", Kind::Bool, "yes", &CfgField<&Cfg::stretch>},
      {kConfig, "artwork", Kind::Bool, "yes", &CfgField<&Cfg::artwork>},
      {kConfig, "samples", Kind::Bool, "yes", &CfgField<&Cfg::samples>},
      {kConfig, "vsync", Kind::Bool, "no", &CfgField<&Cfg::vsync>},
      {kConfig, "waitvsync", Kind::Bool, "no", &CfgField<&Cfg::waitvsync>},
      {kConfig, "triplebuffer", Kind::Bool, "no", &CfgField<&Cfg::triplebuffer>},
      {kConfig, "tweak", Kind::Bool, "yes", &CfgField<&Cfg::tweak>},
      {kConfig, "vesamode", Kind::UpperText, "vesa3", &CfgField<&Cfg::vesamode>},
      {kConfig, "mmx", Kind::UpperText, "auto", &CfgField<&Cfg::mmx>},
      {kConfig, "dirty", Kind::UpperText, "auto", &CfgField<&Cfg::dirty>},
      {kConfig, "antialias", Kind::Bool, "yes", &CfgField<&Cfg::antialias>},
      {kConfig, "translucency", Kind::Bool, "yes", &CfgField<&Cfg::translucency>},
      {kConfig, "vgafreq", Kind::Int32, "-1", &CfgField<&Cfg::vgafreq>},
      {kConfig, "alwayssynced", Kind::Bool, "no", &CfgField<&Cfg::alwayssynced>},
      {kConfig, "depth", Kind::UpperText, "auto", &CfgField<&Cfg::depth>},
      {kConfig, "skiplines", Kind::Int32, "0", &CfgField<&Cfg::skiplines>},
      {kConfig, "skipcolumns", Kind::Int32, "0", &CfgField<&Cfg::skipcolumns>},
      {kConfig, "beam", Kind::Real, "1", &CfgField<&Cfg::beam>},
      {kConfig, "flicker", Kind::Real, "0", &CfgField<&Cfg::flicker>},
      {kConfig, "gamma", Kind::Real, "1", &CfgField<&Cfg::gamma>},
      {kConfig, "frameskip", Kind::UpperText, "auto", &CfgField<&Cfg::frameskip>},
      {kConfig, "norotate", Kind::Bool, "no", &CfgField<&Cfg::norotate>},
      {kConfig, "ror", Kind::Bool, "no", &CfgField<&Cfg::ror>},
      {kConfig, "rol", Kind::Bool, "no", &CfgField<&Cfg::rol>},
      {kConfig, "flipx", Kind::Bool, "no", &CfgField<&Cfg::flipx>},
      {kConfig, "flipy", Kind::Bool, "no", &CfgField<&Cfg::flipy>},
      {kConfig, "soundcard", Kind::Int32, "-1", &CfgField<&Cfg::soundcard>},
      {kConfig, "ym3812opl", Kind::Bool, "no", &CfgField<&Cfg::ym3812opl>},
      {kConfig, "samplerate", Kind::UpperText, "22050", &CfgField<&Cfg::samplerate>},
      {kConfig, "stereo", Kind::Bool, "yes", &CfgField<&Cfg::stereo>},
      {kConfig, "volume", Kind::Int32, "0", &CfgField<&Cfg::volume>},
      {kConfig, "mouse", Kind::Bool, "yes", &CfgField<&Cfg::mouse>},
      {kConfig, "joystick", Kind::UpperText, "none", &CfgField<&Cfg::joystick>},
      {kConfig, "hotrod", Kind::Bool, "no", &CfgField<&Cfg::hotrod>},
      {kConfig, "hotrodse", Kind::Bool, "no", &CfgField<&Cfg::hotrodse>},
      {kConfig, "cheat", Kind::Bool, "no", &CfgField<&Cfg::cheat>},
      {kConfig, "debug", Kind::Bool, "no", &CfgField<&Cfg::debug>},
      {kConfig, "cheatfile", Kind::UpperText, "CHEAT.DAT", &CfgField<&Cfg::cheatfile>},
      {kConfig, "historyfile", Kind::UpperText, "HISTORY.DAT", &CfgField<&Cfg::historyfile>},
      {kConfig, "mameinfofile", Kind::UpperText, "MAMEINFO.DAT", &CfgField<&Cfg::mameinfofile>},
      {kConfig, "resolution", Kind::UpperText, "auto", &CfgField<&Cfg::resolution>},
      {kConfig, "language", Kind::UpperText, "english", &CfgField<&Cfg::language>},
      {kConfig, "monitor", Kind::UpperText, "standard", &CfgField<&Cfg::monitor>},
      {kConfig, "centerx", Kind::Int32, "0", &CfgField<&Cfg::centerx>},
      {kConfig, "centery", Kind::Int32, "0", &CfgField<&Cfg::centery>},
      {kConfig, "waitinterlace", Kind::Bool, "no", &CfgField<&Cfg::waitinterlace>},
      {"", "emulate_three", Kind::Bool, "NO", &TopField<&EC::emulate_three>},
  };
}

// The order the front-end writes them in, over the same declarations.
constexpr std::string_view kDirectoryWriteOrder[] = {
    "inp", "hi", "cfg", "snap", "memcard", "artwork", "rompath", "samplepath", "nvram", "cheat"};
constexpr std::string_view kConfigWriteOrder[] = {
    "scanlines",    "stretch", "artwork",      "samples",     "vsync",        "waitvsync",
    "triplebuffer", "tweak",   "vesamode",     "mmx",         "dirty",        "antialias",
    "translucency", "vgafreq", "alwayssynced", "depth",       "skiplines",    "skipcolumns",
    "beam",         "flicker", "gamma",        "frameskip",   "norotate",     "ror",
    "rol",          "flipx",   "flipy",        "soundcard",   "ym3812opl",    "samplerate",
    "stereo",       "volume",  "mouse",        "joystick",    "hotrod",       "hotrodse",
    "cheat",        "debug",   "cheatfile",    "historyfile", "mameinfofile", "resolution",
    "language",     "monitor", "centerx",      "centery",     "waitinterlace"};

// A line the emulate_three scan stops at: trimmed and upper-cased, it begins with the key.
bool IsEmulateThreeLine(std::string_view line) {
  line = TrimIniBlanks(line);
  return AsciiUpperCase(line.substr(0, std::min(line.size(), kEmulateThree.size()))) ==
         kEmulateThree;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  text = TrimIniBlanks(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  long long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

// A decimal real ("1", "0.5", ".5", "-2", "1e-3"); not "inf" or "nan", nothing after it, and
// within the range of a single-precision real.
std::optional<float> ParseReal(std::string_view text) {
  text = TrimIniBlanks(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  for (char c : text) {
    if (!(c >= '0' && c <= '9') && c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E') {
      return std::nullopt;
    }
  }
  float value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Seven decimals in the C locale's form whatever the program's locale. The digit before the
// point is always there ("0.5000000", "-0.5000000"), so no value begins with "." and the
// emulator's reader never sees a bare fraction.
std::string FormatReal(float value) {
  char buffer[64];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 7);
  if (error != std::errc()) return "0.0000000";  // cannot happen: a float has at most 39 digits
  return std::string(buffer, end);
}

std::string ConfigPath(const std::string& emulator_dir) {
  return fs::Resolve(fs::IncludeTrailingSeparator(emulator_dir) + std::string(kEmulatorConfigName));
}

}  // namespace

EmulatorConfig::EmulatorConfig() {
  for (const EmulatorKey& key : EmulatorConfigKeys())
    key.Read(*this, std::nullopt);
}

void EmulatorKey::Read(EmulatorConfig& config, std::optional<std::string_view> stored) const {
  const std::string_view text = stored.value_or(default_text);
  switch (kind) {
    case Kind::Bool:
      *Get<bool>(config) = EqualNoCase(TrimIniBlanks(text), "yes");
      break;
    case Kind::Int32:
      *Get<std::int32_t>(config) = ParseInt32(text).value_or(ParseInt32(default_text).value_or(0));
      break;
    case Kind::Real:
      *Get<float>(config) = ParseReal(text).value_or(ParseReal(default_text).value_or(0));
      break;
    case Kind::Text:
    case Kind::UpperText: {
      std::string value = kind == Kind::UpperText ? AsciiUpperCase(text) : std::string(text);
      if (search_path) value = NormaliseSearchPath(value);
      *Get<std::string>(config) = std::move(value);
      break;
    }
  }
}

std::string EmulatorKey::Written(const EmulatorConfig& config) const {
  switch (kind) {
    case Kind::Bool: {
      const bool value = *Get<bool>(config);
      if (section.empty()) return value ? "YES" : "NO";  // emulate_three's own form
      return value ? "yes" : "no";
    }
    case Kind::Int32:
      return std::to_string(*Get<std::int32_t>(config));
    case Kind::Real:
      return FormatReal(*Get<float>(config));
    case Kind::Text:
      return *Get<std::string>(config);
    case Kind::UpperText:
      return AsciiUpperCase(*Get<std::string>(config));
  }
  return {};
}

const std::vector<EmulatorKey>& EmulatorConfigKeys() {
  static const std::vector<EmulatorKey> keys = MakeKeys();
  return keys;
}

const std::vector<const EmulatorKey*>& EmulatorConfigWriteOrder() {
  static const std::vector<const EmulatorKey*> order = [] {
    std::vector<const EmulatorKey*> keys;
    for (std::string_view key : kDirectoryWriteOrder)
      keys.push_back(FindEmulatorKey(kDirectory, key));
    for (std::string_view key : kConfigWriteOrder)
      keys.push_back(FindEmulatorKey(kConfig, key));
    return keys;
  }();
  return order;
}

const EmulatorKey* FindEmulatorKey(std::string_view section, std::string_view key) {
  for (const EmulatorKey& k : EmulatorConfigKeys()) {
    if (EqualNoCase(k.section, section) && EqualNoCase(k.key, key)) return &k;
  }
  return nullptr;
}

const EmulatorKey* EmulatorKeyOf(const EmulatorConfig& config, const void* field) {
  auto& record = const_cast<EmulatorConfig&>(config);
  for (const EmulatorKey& k : EmulatorConfigKeys()) {
    const void* own =
        std::visit([&record](auto get) -> const void* { return &get(record); }, k.field);
    if (own == field) return &k;
  }
  return nullptr;
}

std::string NormaliseSearchPath(std::string_view path) {
  if (path.starts_with(".;") || path.ends_with(";.")) return std::string(path);
  return ".;" + std::string(path);
}

bool ScanEmulateThree(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view raw = text.substr(pos, end - pos);
    pos = end + 1;
    if (!IsEmulateThreeLine(raw)) continue;
    const std::string line = AsciiUpperCase(TrimIniBlanks(raw));
    const std::size_t equals = line.find('=', kEmulateThree.size());
    if (equals == std::string::npos) return false;
    std::string value;
    for (char c : std::string_view(line).substr(equals + 1)) {
      if (!IsIniBlank(c)) value += c;
    }
    return value == "YES";
  }
  return false;
}

bool HasEmulateThreeLine(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    if (IsEmulateThreeLine(text.substr(pos, end - pos))) return true;
    pos = end + 1;
  }
  return false;
}

std::string RewriteEmulateThree(std::string_view text, bool value) {
  const std::string replacement = value ? "emulate_three=YES" : "emulate_three=NO";
  std::string out;
  out.reserve(text.size() + replacement.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    // The line end stays as it was: "\r\n", "\n" or none on the last line.
    std::string_view eol = end < text.size() ? text.substr(end, 1) : std::string_view();
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
      eol = end < text.size() ? "\r\n" : "\r";
    }
    if (IsEmulateThreeLine(line)) {
      out += replacement;
    } else {
      out += line;
    }
    out += eol;
    pos = end + 1;
  }
  return out;
}

Status ReadEmulatorConfig(const std::string& emulator_dir, EmulatorConfig& config) {
  config = EmulatorConfig();
  config.HiscorePath = fs::IncludeTrailingSeparator(emulator_dir) + std::string(kHiscoreName);
  const std::string path = ConfigPath(emulator_dir);
  if (!fs::Exists(path)) return Success();  // the emulator's defaults
  Result<std::string> text = fs::ReadFile(path);
  if (!text) return Failure("Unable to read " + path + ": " + text.Message());
  config.emulate_three = ScanEmulateThree(*text);
  platform::IniFile ini(path);
  ini.LoadFromText(*text);
  for (const EmulatorKey& key : EmulatorConfigKeys()) {
    if (key.section.empty()) continue;  // emulate_three: scanned above
    const std::optional<std::string> stored = ini.Read(key.section, key.key);
    key.Read(config, stored ? std::optional<std::string_view>(*stored) : std::nullopt);
  }
  return Success();
}

Status WriteEmulatorConfig(const std::string& emulator_dir, const std::string& temp_dir_name,
                           const EmulatorConfig& config) {
  const std::string path = ConfigPath(emulator_dir);
  const std::string cannot_write = "Unable to write to " + path + ": ";
  platform::IniFile ini(path);
  bool has_emulate_three = false;
  if (fs::Exists(path)) {
    // A file that is there but cannot be read is not replaced: its other lines would be lost.
    Result<std::string> text = fs::ReadFile(path);
    if (!text) return Failure(cannot_write + text.Message());
    has_emulate_three = HasEmulateThreeLine(*text);
    std::string rewritten = RewriteEmulateThree(*text, config.emulate_three);
    if (rewritten != *text) {
      Status replaced = fs::WriteFileAtomic(path, rewritten, temp_dir_name + std::string(".CFG"));
      if (!replaced) return Failure(cannot_write + replaced.Message());
    }
    ini.LoadFromText(rewritten);
  }
  for (const EmulatorKey* key : EmulatorConfigWriteOrder())
    ini.Write(key->section, key->key, key->Written(config));
  // A file without the line reads as NO: only a YES needs one, at the end of [config], where the
  // emulator's own reader finds it.
  if (!has_emulate_three && config.emulate_three) {
    const EmulatorKey* key = FindEmulatorKey("", "emulate_three");
    ini.Write(kConfig, key->key, key->Written(config));
  }
  if (Status flushed = ini.Flush(); !flushed) return Failure(cannot_write + flushed.Message());
  return Success();
}

std::string FormatEmulatorConfig(const EmulatorConfig& config) {
  std::string out;
  std::string_view section;
  for (const EmulatorKey& key : EmulatorConfigKeys()) {
    if (!key.section.empty() && key.section != section) {
      section = key.section;
      out += "[" + std::string(section) + "]\n";
    }
    out += std::string(key.key) + "=" + key.Written(config) + "\n";
  }
  return out;
}

}  // namespace kw
