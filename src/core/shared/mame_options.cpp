#include "core/shared/mame_options.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <optional>
#include <type_traits>

#include "common/ascii.h"
#include "platform/fs.h"

namespace kw {

namespace {

using Form = MameForm;
using namespace emulator_option;

// Whether a field of type T can hold an option of today's in `form`.
template <class T>
constexpr bool FormFits(MameForm form) {
  switch (form) {
    case Form::Bool:
    case Form::NotBool:
      return std::is_same_v<T, bool>;
    case Form::Int:
      return std::is_same_v<T, std::int32_t>;
    case Form::Real:
      return std::is_same_v<T, float>;
    default:
      return std::is_same_v<T, std::string>;
  }
}

// A line of the table: the record's option as declared, today's name, its form and today's
// value when no file gives one. A form that its field cannot hold does not compile.
template <class T>
consteval MameOption Today(const EmulatorOption<T>& era, std::string_view key, MameForm form,
                           std::string_view built_in) {
  if (!FormFits<T>(form)) throw "today's form does not fit the option's field";
  return {era.section, era.key, key, form, built_in};
}

// Each line: the record's option, today's, and today's value when no file gives one (the
// emulator's own defaults, as -showconfig prints them without a mame.ini).
const std::vector<MameOption> kTable = {
    Today(kRompath, "rompath", Form::Path, "roms"),
    Today(kSamplepath, "samplepath", Form::Path, "samples"),
    Today(kCfg, "cfg_directory", Form::Path, "cfg"),
    Today(kNvram, "nvram_directory", Form::Path, "nvram"),
    Today(kInp, "input_directory", Form::Path, "inp"),
    Today(kSnap, "snapshot_directory", Form::Path, "snap"),
    Today(kArtworkDir, "artpath", Form::Path, "artwork"),
    Today(kCheatDir, "cheatpath", Form::Path, "cheat"),
    Today(kFrameskip, "frameskip", Form::Frameskip, "0"),
    Today(kSamples, "samples", Form::Bool, "1"),
    Today(kSamplerate, "samplerate", Form::Number, "48000"),
    Today(kVolume, "volume", Form::Int, "0"),
    Today(kCheat, "cheat", Form::Bool, "0"),
    Today(kMouse, "mouse", Form::Bool, "0"),
    Today(kJoystick, "joystick", Form::Joystick, "1"),
    Today(kDebug, "debug", Form::Bool, "0"),
    Today(kGamma, "gamma", Form::Real, "1.0"),
    Today(kFlicker, "flicker", Form::Real, "0"),
    Today(kNorotate, "rotate", Form::NotBool, "1"),
    Today(kRor, "ror", Form::Bool, "0"),
    Today(kRol, "rol", Form::Bool, "0"),
    Today(kFlipx, "flipx", Form::Bool, "0"),
    Today(kFlipy, "flipy", Form::Bool, "0"),
    Today(kWaitvsync, "waitvsync", Form::Bool, "0"),
    Today(kResolution, "resolution", Form::Resolution, "auto"),
};

constexpr int kMaxFrameskip = 10;  // today's emulator skips at most 10 frames

std::optional<long long> ParseInteger(std::string_view text) {
  text = TrimIniBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<float> ParseFloat(std::string_view text) {
  text = TrimIniBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  float value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed | std::chars_format::scientific);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// 0 or 1; another value counts as not given (the emulator refuses it and keeps what it had).
std::optional<bool> ParseFlag(std::string_view text) {
  text = TrimIniBlanks(text);
  if (text == "1") return true;
  if (text == "0") return false;
  return std::nullopt;
}

// The shortest text that reads back as the value, with a decimal point as the emulator writes
// reals ("1.0", "0.5").
std::string FormatFloat(float value) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text = error == std::errc() ? std::string(buffer, end) : std::string("0");
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

std::string ExpandedPath(std::string_view path) {
  std::string out;
  for (const std::string& entry : SplitMamePath(path)) {
    if (!out.empty()) out += ';';
    out += ExpandMamePath(entry);
  }
  return out;
}

const EmulatorKey& KeyOf(const MameOption& option) {
  return *FindEmulatorKey(option.section, option.era_key);  // every line names a key of the record
}

// One option of today's files into the record.
void ReadOption(const MameOption& option, const MameIniFiles& files, EmulatorConfig& config) {
  const EmulatorKey& key = KeyOf(option);
  const std::string text = files.Get(option.key, option.built_in);
  switch (option.form) {
    case Form::Path:
      *key.Get<std::string>(config) = ExpandedPath(text);
      break;
    case Form::Bool:
    case Form::NotBool: {
      const bool flag = ParseFlag(text).value_or(option.built_in == "1");
      *key.Get<bool>(config) = option.form == Form::Bool ? flag : !flag;
      break;
    }
    case Form::Int: {
      const long long value =
          ParseInteger(text).value_or(ParseInteger(option.built_in).value_or(0));
      *key.Get<std::int32_t>(config) =
          static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
      break;
    }
    case Form::Number:
      *key.Get<std::string>(config) = std::string(TrimIniBlanks(text));
      break;
    case Form::Real:
      *key.Get<float>(config) = ParseFloat(text).value_or(ParseFloat(option.built_in).value_or(0));
      break;
    case Form::Frameskip: {
      if (ParseFlag(files.Get("autoframeskip", "0")).value_or(false)) {
        *key.Get<std::string>(config) = "AUTO";
      } else {
        const long long count =
            std::clamp<long long>(ParseInteger(text).value_or(0), 0, kMaxFrameskip);
        *key.Get<std::string>(config) = std::to_string(count);
      }
      break;
    }
    case Form::Joystick:
      *key.Get<std::string>(config) = ParseFlag(text).value_or(true) ? "AUTO" : "NONE";
      break;
    case Form::Resolution:
      *key.Get<std::string>(config) = AsciiUpperCase(TrimIniBlanks(text));
      break;
  }
}

// The record's option as today's emulator is given it.
void WriteOption(const MameOption& option, const EmulatorConfig& config,
                 std::vector<std::pair<std::string, std::string>>& out) {
  const EmulatorKey& key = KeyOf(option);
  const std::string name(option.key);
  switch (option.form) {
    case Form::Path:
    case Form::Number:
      out.emplace_back(name, *key.Get<std::string>(config));
      break;
    case Form::Bool:
      out.emplace_back(name, *key.Get<bool>(config) ? "1" : "0");
      break;
    case Form::NotBool:
      out.emplace_back(name, *key.Get<bool>(config) ? "0" : "1");
      break;
    case Form::Int:
      out.emplace_back(name, std::to_string(*key.Get<std::int32_t>(config)));
      break;
    case Form::Real:
      out.emplace_back(name, FormatFloat(*key.Get<float>(config)));
      break;
    case Form::Frameskip: {
      const std::string& value = *key.Get<std::string>(config);
      if (EqualNoCase(value, "AUTO")) {
        out.emplace_back("autoframeskip", "1");
      } else if (std::optional<long long> count = ParseInteger(value)) {
        out.emplace_back("autoframeskip", "0");
        out.emplace_back(name, std::to_string(std::clamp<long long>(*count, 0, kMaxFrameskip)));
      }
      break;
    }
    case Form::Joystick:
      out.emplace_back(name, EqualNoCase(*key.Get<std::string>(config), "NONE") ? "0" : "1");
      break;
    case Form::Resolution:
      out.emplace_back(name, AsciiLowerCase(*key.Get<std::string>(config)));
      break;
  }
}

}  // namespace

bool DialectHasOption(EmulatorDialect dialect, const EmulatorKey& key) {
  return dialect == EmulatorDialect::kListinfo || FindMameOption(key.section, key.key) != nullptr;
}

const MameOption* FindMameOption(std::string_view section, std::string_view era_key) {
  for (const MameOption& option : kTable) {
    if (EqualNoCase(option.section, section) && EqualNoCase(option.era_key, era_key))
      return &option;
  }
  return nullptr;
}

EmulatorConfig ConfigFromMameIni(const MameIniFiles& files) {
  EmulatorConfig config;
  for (const MameOption& option : kTable)
    ReadOption(option, files, config);
  // The hiscore plugin keeps NAME.hi in "hiscore" under the first homepath directory, and reads
  // its description file from its own plugin directory.
  config.directory.hi = FirstMamePathEntry(files.Get("homepath", ".")) + "/hiscore";
  config.hiscore_path = FirstMamePathEntry(files.Get("pluginspath", "plugins")) + "/hiscore/" +
                        AsciiLowerCase(kHiscoreName);
  return config;
}

std::vector<std::pair<std::string, std::string>> MameIniChanges(const EmulatorConfig& read,
                                                                const EmulatorConfig& config) {
  std::vector<std::pair<std::string, std::string>> changes;
  for (const MameOption& option : kTable) {
    const EmulatorKey& key = KeyOf(option);
    if (key.Written(read) != key.Written(config)) WriteOption(option, config, changes);
  }
  return changes;
}

Status ReadMameConfig(const std::string& emulator_path, const std::string& working_dir,
                      EmulatorConfig& config, MameIniFiles& files) {
  std::vector<std::string> problems;
  files = ReadMameIniFiles(MameInitialIniPath(emulator_path), working_dir, &problems);
  config = ConfigFromMameIni(files);
  if (problems.empty()) return Success();
  std::string message = "Unable to read";
  for (const std::string& problem : problems)
    message += " " + problem;
  return Failure(message);
}

Status WriteMameConfig(const MameIniFiles& files, const EmulatorConfig& read,
                       const EmulatorConfig& config) {
  const std::vector<std::pair<std::string, std::string>> changes = MameIniChanges(read, config);
  if (changes.empty()) return Success();
  if (files.user_file.empty()) return Failure(files.user_file_problem);
  return WriteMameIniChanges(files.user_file, changes);
}

std::string FormatMameConfig(const EmulatorConfig& config) {
  std::string out;
  for (const MameOption& option : kTable) {
    out += std::string(option.section) + "." + std::string(option.era_key) + "=" +
           KeyOf(option).Written(config) + "  (" + std::string(option.key) + ")\n";
  }
  out += "directory.hi=" + config.directory.hi + "  (homepath/hiscore)\n";
  return out;
}

}  // namespace kw
