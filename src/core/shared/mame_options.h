// The emulator configuration record for today's emulator: the options of the record that both
// emulators know, read from and written into mame.ini under today's names and in today's forms.
// Every other option of the record keeps its default and is never written; every other line of
// mame.ini is left alone.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/result.h"
#include "core/shared/emulator_config.h"
#include "core/shared/emulator_dialect.h"
#include "core/shared/mame_ini.h"

namespace kw {

// How a value of the record and today's value are made into each other.
enum class MameForm {
  Path,        // a directory or ";"-separated search path: $HOME and ~ expanded when read
  Bool,        // 0 or 1
  NotBool,     // 0 or 1, the record's flag the other way round (norotate against rotate)
  Int,         // decimal
  Number,      // a record's text that today's emulator holds as a number (samplerate)
  Real,        // a decimal real
  Frameskip,   // AUTO against autoframeskip 1; a count against autoframeskip 0 and frameskip
  Joystick,    // NONE against joystick 0; any joystick against 1 (read back as AUTO)
  Resolution,  // AUTO or 640X480 against auto or 640x480
};

struct MameOption {
  std::string_view section;  // the record's section and key (emulator_config.h)
  std::string_view era_key;
  std::string_view key;  // today's option
  MameForm form;
  std::string_view built_in;  // today's value when no mame.ini gives one
};

// The table's entry for a key of the record, nullptr when today's emulator has none.
const MameOption* FindMameOption(std::string_view section, std::string_view era_key);

// Whether the emulator of `dialect` has the record's option: every one for the era's emulator,
// the table's for today's. The option windows offer only these.
bool DialectHasOption(EmulatorDialect dialect, const EmulatorKey& key);

// The record as `files` give it: the table's options; the high-score directory, which today's
// emulator does not name, as its hiscore plugin finds it (the first homepath directory and
// "hiscore"); hiscore_path the plugin's description file; everything else at its default.
EmulatorConfig ConfigFromMameIni(const MameIniFiles& files);

// The options of today's emulator to write for what changed from `read` to `config`, in the
// table's order.
std::vector<std::pair<std::string, std::string>> MameIniChanges(const EmulatorConfig& read,
                                                                const EmulatorConfig& config);

// Reads the record of today's emulator at `emulator_path` run in `working_dir` into `config`
// (and the files it came from into `files`). Fails only when a mame.ini exists but cannot be
// read (the record then holds what the others gave).
Status ReadMameConfig(const std::string& emulator_path, const std::string& working_dir,
                      EmulatorConfig& config, MameIniFiles& files);
// Writes what changed from `read` to `config` into the user's mame.ini of `files` (nothing to
// write is no failure; no user's file is). The system's file is never written.
Status WriteMameConfig(const MameIniFiles& files, const EmulatorConfig& read,
                       const EmulatorConfig& config);

// The table's options as SECTION.KEY=VALUE lines with today's name after each (for the CLI).
std::string FormatMameConfig(const EmulatorConfig& config);

}  // namespace kw
