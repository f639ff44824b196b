// The emulator's own options, kept in MAME.CFG in its directory: read when a profile opens,
// edited in the option windows, written back before every run. Each key is declared once in a
// table (section, key, kind, default as the file would hold it, the field it fills); reading,
// writing, the CLI's listing and the option windows' bindings all work from that table. The
// emulator reads its keys in one order and the front-end writes them in another: the write
// order is a second list over the same declarations.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
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
  std::string HiscorePath;

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
// missing key at its default; a missing file gives all defaults. Sets HiscorePath. Fails only
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
