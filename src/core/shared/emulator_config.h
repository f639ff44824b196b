// The emulator's own options, kept in MAME.CFG in its directory: read when a profile opens,
// edited in the option windows, written back before every run. Each key is declared once in a
// table (section, key, kind, default as the file would hold it, the field it fills); reading,
// writing, the CLI's listing and the option windows' bindings all work from that table. The
// emulator reads its keys in one order and the front-end writes them in another: the write
// order is a second list over the same declarations.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "common/result.h"

namespace kw {

constexpr std::string_view kEmulatorConfigName = "MAME.CFG";
constexpr std::string_view kHiscoreName = "HISCORE.DAT";

struct EmulatorConfig {
  // Every field starts at its declared default (the table's, read as a missing key reads).
  EmulatorConfig();

  // Section [directory]: directories and search paths of the emulator.
  struct Directory {
    std::string inp;
    std::string nvram;
    std::string hi;
    std::string cfg;
    std::string snap;
    std::string memcard;
    std::string artwork;
    std::string rompath;     // ";"-separated, normalised (NormaliseSearchPath)
    std::string samplepath;  // ";"-separated, normalised
    std::string cheat;
    bool operator==(const Directory&) const = default;
  } directory;

  // Section [config].
  struct Config {
    bool scanlines = false;
    bool stretch = false;
    bool artwork = false;
    bool samples = false;
    bool vsync = false;
    bool waitvsync = false;
    bool triplebuffer = false;
    bool tweak = false;
    std::string vesamode;
    std::string mmx;
    std::string dirty;
    bool antialias = false;
    bool translucency = false;
    std::int32_t vgafreq = 0;
    bool alwayssynced = false;
    std::string depth;
    std::int32_t skiplines = 0;
    std::int32_t skipcolumns = 0;
    float beam = 0;
    float flicker = 0;
    float gamma = 0;
    std::string frameskip;
    bool norotate = false;
    bool ror = false;
    bool rol = false;
    bool flipx = false;
    bool flipy = false;
    std::int32_t soundcard = 0;
    bool ym3812opl = false;
    std::string samplerate;
    bool stereo = false;
    std::int32_t volume = 0;
    bool mouse = false;
    std::string joystick;
    bool hotrod = false;
    bool hotrodse = false;
    bool cheat = false;
    bool debug = false;
    std::string cheatfile;
    std::string historyfile;
    std::string mameinfofile;
    std::string resolution;
    std::string language;
    std::string monitor;
    std::int32_t centerx = 0;
    std::int32_t centery = 0;
    bool waitinterlace = false;
    bool operator==(const Config&) const = default;
  } config;

  // In no section of its own: found by a line scan wherever it stands (ReadEmulatorConfig).
  bool emulate_three = false;

  // Derived, not stored: the emulator directory's high-score description file, set by each read.
  std::string hiscore_path;

  bool operator==(const EmulatorConfig&) const = default;
};

enum class EmulatorKeyKind { Bool, Int32, Real, Text, UpperText };

// One key of MAME.CFG.
struct EmulatorKey {
  using Field = std::variant<bool& (*)(EmulatorConfig&), std::int32_t& (*)(EmulatorConfig&),
                             float& (*)(EmulatorConfig&), std::string& (*)(EmulatorConfig&)>;

  std::string_view section;  // empty for emulate_three, which is found by its own line scan
  std::string_view key;
  EmulatorKeyKind kind;
  std::string_view default_text;  // what a missing key reads as, in the file's form
  Field field;
  bool search_path = false;  // rompath, samplepath: normalised when read

  // The field in `config` when it has type T, else nullptr (for binding a control to it).
  template <class T>
  T* Get(EmulatorConfig& config) const {
    auto* f = std::get_if<T& (*)(EmulatorConfig&)>(&field);
    return f ? &(*f)(config) : nullptr;
  }
  template <class T>
  const T* Get(const EmulatorConfig& config) const {
    return Get<T>(const_cast<EmulatorConfig&>(config));
  }

  // Sets the field from the file's text; nullopt (a missing key) gives the default.
  void Read(EmulatorConfig& config, std::optional<std::string_view> stored) const;
  // The field as the file holds it: yes/no (YES/NO for emulate_three), decimal, seven
  // decimals, upper case for upper texts.
  std::string Written(const EmulatorConfig& config) const;
};

// How a key's text is kept beyond its type: upper-cased, or a search path normalised when read.
struct EmulatorOptionRules {
  bool upper_text = false;
  bool search_path = false;
};

// A key of MAME.CFG declared with the type of its field. Rules and controls reach the field
// through the declaration (`emulator_option::kStereo(config)`), so that a key that is not
// declared, or a field of another type, does not compile.
template <class T>
struct EmulatorOption {
  std::string_view section;
  std::string_view key;
  EmulatorKeyKind kind;
  std::string_view default_text;
  T& (*field)(EmulatorConfig&);
  bool search_path = false;

  T& operator()(EmulatorConfig& config) const { return field(config); }
  const T& operator()(const EmulatorConfig& config) const {
    return field(const_cast<EmulatorConfig&>(config));
  }
  // The declaration as the file's reader and writer take every key.
  EmulatorKey Key() const { return {section, key, kind, default_text, field, search_path}; }
};

namespace emulator_option_detail {
// The field `Member` of the section `Section` of the record (the record itself for nullptr).
template <auto Section, auto Member>
auto& Field(EmulatorConfig& config) {
  if constexpr (std::is_null_pointer_v<decltype(Section)>) {
    return config.*Member;
  } else {
    return (config.*Section).*Member;
  }
}
}  // namespace emulator_option_detail

template <auto Section, auto Member>
constexpr auto DeclareEmulatorOption(std::string_view section, std::string_view key,
                                     std::string_view default_text,
                                     EmulatorOptionRules rules = {}) {
  using T = std::remove_reference_t<decltype(emulator_option_detail::Field<Section, Member>(
      std::declval<EmulatorConfig&>()))>;
  EmulatorKeyKind kind = EmulatorKeyKind::Text;
  if constexpr (std::is_same_v<T, bool>) {
    kind = EmulatorKeyKind::Bool;
  } else if constexpr (std::is_same_v<T, std::int32_t>) {
    kind = EmulatorKeyKind::Int32;
  } else if constexpr (std::is_same_v<T, float>) {
    kind = EmulatorKeyKind::Real;
  } else {
    static_assert(std::is_same_v<T, std::string>, "an option is a flag, a number or a text");
    if (rules.upper_text) kind = EmulatorKeyKind::UpperText;
  }
  return EmulatorOption<T>{
      section,          key, kind, default_text, &emulator_option_detail::Field<Section, Member>,
      rules.search_path};
}

// Every key of MAME.CFG, each with its field, its default as the file would hold it and its
// rules, in the order the emulator reads them.
namespace emulator_option {

using EC = EmulatorConfig;
using Dir = EmulatorConfig::Directory;
using Cfg = EmulatorConfig::Config;
inline constexpr EmulatorOptionRules kUpper{.upper_text = true};
inline constexpr EmulatorOptionRules kSearchPath{.search_path = true};

// [directory]
inline constexpr auto kInp =
    DeclareEmulatorOption<&EC::directory, &Dir::inp>("directory", "inp", "INP");
inline constexpr auto kNvram =
    DeclareEmulatorOption<&EC::directory, &Dir::nvram>("directory", "nvram", "NVRAM");
inline constexpr auto kHi =
    DeclareEmulatorOption<&EC::directory, &Dir::hi>("directory", "hi", "HI");
inline constexpr auto kCfg =
    DeclareEmulatorOption<&EC::directory, &Dir::cfg>("directory", "cfg", "CFG");
inline constexpr auto kSnap =
    DeclareEmulatorOption<&EC::directory, &Dir::snap>("directory", "snap", "SNAP");
inline constexpr auto kMemcard =
    DeclareEmulatorOption<&EC::directory, &Dir::memcard>("directory", "memcard", "MEMCARD");
inline constexpr auto kArtworkDir =
    DeclareEmulatorOption<&EC::directory, &Dir::artwork>("directory", "artwork", "ARTWORK");
inline constexpr auto kRompath = DeclareEmulatorOption<&EC::directory, &Dir::rompath>(
    "directory", "rompath", "ROMS", kSearchPath);
inline constexpr auto kSamplepath = DeclareEmulatorOption<&EC::directory, &Dir::samplepath>(
    "directory", "samplepath", ".;SAMPLES", kSearchPath);
inline constexpr auto kCheatDir =
    DeclareEmulatorOption<&EC::directory, &Dir::cheat>("directory", "cheat", ".");
// [config]
inline constexpr auto kScanlines =
    DeclareEmulatorOption<&EC::config, &Cfg::scanlines>("config", "scanlines", "yes");
inline constexpr auto kStretch =
    DeclareEmulatorOption<&EC::config, &Cfg::stretch>("config", "stretch", "yes");
inline constexpr auto kArtwork =
    DeclareEmulatorOption<&EC::config, &Cfg::artwork>("config", "artwork", "yes");
inline constexpr auto kSamples =
    DeclareEmulatorOption<&EC::config, &Cfg::samples>("config", "samples", "yes");
inline constexpr auto kVsync =
    DeclareEmulatorOption<&EC::config, &Cfg::vsync>("config", "vsync", "no");
inline constexpr auto kWaitvsync =
    DeclareEmulatorOption<&EC::config, &Cfg::waitvsync>("config", "waitvsync", "no");
inline constexpr auto kTriplebuffer =
    DeclareEmulatorOption<&EC::config, &Cfg::triplebuffer>("config", "triplebuffer", "no");
inline constexpr auto kTweak =
    DeclareEmulatorOption<&EC::config, &Cfg::tweak>("config", "tweak", "yes");
inline constexpr auto kVesamode =
    DeclareEmulatorOption<&EC::config, &Cfg::vesamode>("config", "vesamode", "vesa3", kUpper);
inline constexpr auto kMmx =
    DeclareEmulatorOption<&EC::config, &Cfg::mmx>("config", "mmx", "auto", kUpper);
inline constexpr auto kDirty =
    DeclareEmulatorOption<&EC::config, &Cfg::dirty>("config", "dirty", "auto", kUpper);
inline constexpr auto kAntialias =
    DeclareEmulatorOption<&EC::config, &Cfg::antialias>("config", "antialias", "yes");
inline constexpr auto kTranslucency =
    DeclareEmulatorOption<&EC::config, &Cfg::translucency>("config", "translucency", "yes");
inline constexpr auto kVgafreq =
    DeclareEmulatorOption<&EC::config, &Cfg::vgafreq>("config", "vgafreq", "-1");
inline constexpr auto kAlwayssynced =
    DeclareEmulatorOption<&EC::config, &Cfg::alwayssynced>("config", "alwayssynced", "no");
inline constexpr auto kDepth =
    DeclareEmulatorOption<&EC::config, &Cfg::depth>("config", "depth", "auto", kUpper);
inline constexpr auto kSkiplines =
    DeclareEmulatorOption<&EC::config, &Cfg::skiplines>("config", "skiplines", "0");
inline constexpr auto kSkipcolumns =
    DeclareEmulatorOption<&EC::config, &Cfg::skipcolumns>("config", "skipcolumns", "0");
inline constexpr auto kBeam = DeclareEmulatorOption<&EC::config, &Cfg::beam>("config", "beam", "1");
inline constexpr auto kFlicker =
    DeclareEmulatorOption<&EC::config, &Cfg::flicker>("config", "flicker", "0");
inline constexpr auto kGamma =
    DeclareEmulatorOption<&EC::config, &Cfg::gamma>("config", "gamma", "1");
inline constexpr auto kFrameskip =
    DeclareEmulatorOption<&EC::config, &Cfg::frameskip>("config", "frameskip", "auto", kUpper);
inline constexpr auto kNorotate =
    DeclareEmulatorOption<&EC::config, &Cfg::norotate>("config", "norotate", "no");
inline constexpr auto kRor = DeclareEmulatorOption<&EC::config, &Cfg::ror>("config", "ror", "no");
inline constexpr auto kRol = DeclareEmulatorOption<&EC::config, &Cfg::rol>("config", "rol", "no");
inline constexpr auto kFlipx =
    DeclareEmulatorOption<&EC::config, &Cfg::flipx>("config", "flipx", "no");
inline constexpr auto kFlipy =
    DeclareEmulatorOption<&EC::config, &Cfg::flipy>("config", "flipy", "no");
inline constexpr auto kSoundcard =
    DeclareEmulatorOption<&EC::config, &Cfg::soundcard>("config", "soundcard", "-1");
inline constexpr auto kYm3812opl =
    DeclareEmulatorOption<&EC::config, &Cfg::ym3812opl>("config", "ym3812opl", "no");
inline constexpr auto kSamplerate =
    DeclareEmulatorOption<&EC::config, &Cfg::samplerate>("config", "samplerate", "22050", kUpper);
inline constexpr auto kStereo =
    DeclareEmulatorOption<&EC::config, &Cfg::stereo>("config", "stereo", "yes");
inline constexpr auto kVolume =
    DeclareEmulatorOption<&EC::config, &Cfg::volume>("config", "volume", "0");
inline constexpr auto kMouse =
    DeclareEmulatorOption<&EC::config, &Cfg::mouse>("config", "mouse", "yes");
inline constexpr auto kJoystick =
    DeclareEmulatorOption<&EC::config, &Cfg::joystick>("config", "joystick", "none", kUpper);
inline constexpr auto kHotrod =
    DeclareEmulatorOption<&EC::config, &Cfg::hotrod>("config", "hotrod", "no");
inline constexpr auto kHotrodse =
    DeclareEmulatorOption<&EC::config, &Cfg::hotrodse>("config", "hotrodse", "no");
inline constexpr auto kCheat =
    DeclareEmulatorOption<&EC::config, &Cfg::cheat>("config", "cheat", "no");
inline constexpr auto kDebug =
    DeclareEmulatorOption<&EC::config, &Cfg::debug>("config", "debug", "no");
inline constexpr auto kCheatfile =
    DeclareEmulatorOption<&EC::config, &Cfg::cheatfile>("config", "cheatfile", "CHEAT.DAT", kUpper);
inline constexpr auto kHistoryfile = DeclareEmulatorOption<&EC::config, &Cfg::historyfile>(
    "config", "historyfile", "HISTORY.DAT", kUpper);
inline constexpr auto kMameinfofile = DeclareEmulatorOption<&EC::config, &Cfg::mameinfofile>(
    "config", "mameinfofile", "MAMEINFO.DAT", kUpper);
inline constexpr auto kResolution =
    DeclareEmulatorOption<&EC::config, &Cfg::resolution>("config", "resolution", "auto", kUpper);
inline constexpr auto kLanguage =
    DeclareEmulatorOption<&EC::config, &Cfg::language>("config", "language", "english", kUpper);
inline constexpr auto kMonitor =
    DeclareEmulatorOption<&EC::config, &Cfg::monitor>("config", "monitor", "standard", kUpper);
inline constexpr auto kCenterx =
    DeclareEmulatorOption<&EC::config, &Cfg::centerx>("config", "centerx", "0");
inline constexpr auto kCentery =
    DeclareEmulatorOption<&EC::config, &Cfg::centery>("config", "centery", "0");
inline constexpr auto kWaitinterlace =
    DeclareEmulatorOption<&EC::config, &Cfg::waitinterlace>("config", "waitinterlace", "no");
// Found by a line scan wherever it stands (ScanEmulateThree); written YES or NO.
inline constexpr auto kEmulateThree =
    DeclareEmulatorOption<nullptr, &EC::emulate_three>("", "emulate_three", "NO");

}  // namespace emulator_option

// Every key in the order the emulator's configuration is read: [directory], [config], then
// emulate_three last.
const std::vector<EmulatorKey>& EmulatorConfigKeys();
// The keys of both sections in the order they are written (without emulate_three).
const std::vector<const EmulatorKey*>& EmulatorConfigWriteOrder();
// The declaration of a key (section and key without regard to case; section "" for
// emulate_three), nullptr when there is none.
const EmulatorKey* FindEmulatorKey(std::string_view section, std::string_view key);
// The declaration whose field in `config` is `field`, nullptr when none is.
const EmulatorKey* EmulatorKeyOf(const EmulatorConfig& config, const void* field);

// A search path as the emulator is given it: one that begins with ".;" or ends with ";." stays;
// any other gets ".;" in front, so the current directory is always searched.
std::string NormaliseSearchPath(std::string_view path);

// The emulate_three setting of a configuration file's text: the first line that, trimmed and
// upper-cased, begins with EMULATE_THREE gives the value after its first "=" with blanks
// removed; YES is true. No such line: false.
bool ScanEmulateThree(std::string_view text);
// Whether the text holds a line that the scan above would stop at.
bool HasEmulateThreeLine(std::string_view text);
// The text with every line that, trimmed, begins with EMULATE_THREE (any case; the lines the scan
// finds, indented or not) replaced by emulate_three=YES or =NO; every other byte as it was.
std::string RewriteEmulateThree(std::string_view text, bool value);

// Reads `emulator_dir`/MAME.CFG (name matched without regard to case) into `config`, every
// missing key at its default; a missing file gives all defaults. Sets hiscore_path. Fails only
// when the file exists but cannot be read (`config` then holds the defaults).
Status ReadEmulatorConfig(const std::string& emulator_dir, EmulatorConfig& config);

// Writes `config` into `emulator_dir`/MAME.CFG, keeping every line it does not hold: first the
// emulate_three line rewritten through the temporary file `temp_dir_name`.CFG in the same
// directory, which then replaces MAME.CFG by a rename, then both sections in their write order
// in one atomic write. A file without an emulate_three line gets emulate_three=YES at the end of
// [config] when the setting is on (without the line it reads as off). A missing file is created
// with the two sections. Only a regular file that the program may write is replaced; on failure
// MAME.CFG is as before the step that failed, and the message names the file.
Status WriteEmulatorConfig(const std::string& emulator_dir, const std::string& temp_dir_name,
                           const EmulatorConfig& config);

// The configuration as `[directory]` and `[config]` headers with key=value lines in read order,
// every value in its written form, then the emulate_three line (for the CLI).
std::string FormatEmulatorConfig(const EmulatorConfig& config);

}  // namespace kw
