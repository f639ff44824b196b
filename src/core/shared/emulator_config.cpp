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

constexpr std::string_view kDirectory = "directory";
constexpr std::string_view kConfig = "config";
constexpr std::string_view kEmulateThreeWord = "EMULATE_THREE";

// The emulator's read order: [directory], then [config]; the line-scanned key last. Made on
// first use, so that a record made during static initialisation finds it.
std::vector<EmulatorKey> MakeKeys() {
  using namespace emulator_option;
  return {kInp.Key(),           kNvram.Key(),       kHi.Key(),           kCfg.Key(),
          kSnap.Key(),          kMemcard.Key(),     kArtworkDir.Key(),   kRompath.Key(),
          kSamplepath.Key(),    kCheatDir.Key(),    kScanlines.Key(),    kStretch.Key(),
          kArtwork.Key(),       kSamples.Key(),     kVsync.Key(),        kWaitvsync.Key(),
          kTriplebuffer.Key(),  kTweak.Key(),       kVesamode.Key(),     kMmx.Key(),
          kDirty.Key(),         kAntialias.Key(),   kTranslucency.Key(), kVgafreq.Key(),
          kAlwayssynced.Key(),  kDepth.Key(),       kSkiplines.Key(),    kSkipcolumns.Key(),
          kBeam.Key(),          kFlicker.Key(),     kGamma.Key(),        kFrameskip.Key(),
          kNorotate.Key(),      kRor.Key(),         kRol.Key(),          kFlipx.Key(),
          kFlipy.Key(),         kSoundcard.Key(),   kYm3812opl.Key(),    kSamplerate.Key(),
          kStereo.Key(),        kVolume.Key(),      kMouse.Key(),        kJoystick.Key(),
          kHotrod.Key(),        kHotrodse.Key(),    kCheat.Key(),        kDebug.Key(),
          kCheatfile.Key(),     kHistoryfile.Key(), kMameinfofile.Key(), kResolution.Key(),
          kLanguage.Key(),      kMonitor.Key(),     kCenterx.Key(),      kCentery.Key(),
          kWaitinterlace.Key(), kEmulateThree.Key()};
}

// The order the front-end writes them in, over the same declarations.
constexpr std::string_view kDirectoryWriteOrder[] = {
    emulator_option::kInp.key,     emulator_option::kHi.key,
    emulator_option::kCfg.key,     emulator_option::kSnap.key,
    emulator_option::kMemcard.key, emulator_option::kArtworkDir.key,
    emulator_option::kRompath.key, emulator_option::kSamplepath.key,
    emulator_option::kNvram.key,   emulator_option::kCheatDir.key};
constexpr std::string_view kConfigWriteOrder[] = {
    emulator_option::kScanlines.key,    emulator_option::kStretch.key,
    emulator_option::kArtwork.key,      emulator_option::kSamples.key,
    emulator_option::kVsync.key,        emulator_option::kWaitvsync.key,
    emulator_option::kTriplebuffer.key, emulator_option::kTweak.key,
    emulator_option::kVesamode.key,     emulator_option::kMmx.key,
    emulator_option::kDirty.key,        emulator_option::kAntialias.key,
    emulator_option::kTranslucency.key, emulator_option::kVgafreq.key,
    emulator_option::kAlwayssynced.key, emulator_option::kDepth.key,
    emulator_option::kSkiplines.key,    emulator_option::kSkipcolumns.key,
    emulator_option::kBeam.key,         emulator_option::kFlicker.key,
    emulator_option::kGamma.key,        emulator_option::kFrameskip.key,
    emulator_option::kNorotate.key,     emulator_option::kRor.key,
    emulator_option::kRol.key,          emulator_option::kFlipx.key,
    emulator_option::kFlipy.key,        emulator_option::kSoundcard.key,
    emulator_option::kYm3812opl.key,    emulator_option::kSamplerate.key,
    emulator_option::kStereo.key,       emulator_option::kVolume.key,
    emulator_option::kMouse.key,        emulator_option::kJoystick.key,
    emulator_option::kHotrod.key,       emulator_option::kHotrodse.key,
    emulator_option::kCheat.key,        emulator_option::kDebug.key,
    emulator_option::kCheatfile.key,    emulator_option::kHistoryfile.key,
    emulator_option::kMameinfofile.key, emulator_option::kResolution.key,
    emulator_option::kLanguage.key,     emulator_option::kMonitor.key,
    emulator_option::kCenterx.key,      emulator_option::kCentery.key,
    emulator_option::kWaitinterlace.key};

// A line the emulate_three scan stops at: trimmed and upper-cased, it begins with the key.
bool IsEmulateThreeLine(std::string_view line) {
  line = TrimIniBlanks(line);
  return AsciiUpperCase(line.substr(0, std::min(line.size(), kEmulateThreeWord.size()))) ==
         kEmulateThreeWord;
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
    const std::size_t equals = line.find('=', kEmulateThreeWord.size());
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
  config.hiscore_path = fs::IncludeTrailingSeparator(emulator_dir) + std::string(kHiscoreName);
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
    const EmulatorKey key = emulator_option::kEmulateThree.Key();
    ini.Write(kConfig, key.key, key.Written(config));
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
