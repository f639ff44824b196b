// The emulator's per-game files around a run: the game's configuration, non-volatile memory,
// high scores and the recording are copied aside before the run and brought back after it, so
// that what the emulator wrote during a run never replaces what the user had.
#pragma once

#include <array>
#include <chrono>
#include <string>

#include "core/profile/emulator_dialect.h"

namespace kw {

struct EmulatorConfig;

struct RunFile {
  std::string Directory;  // as MAME.CFG names it (relative to the emulator directory)
  std::string Stem;
  std::string Extension;  // without the dot; empty for a directory
  // Today's emulator keeps a game's non-volatile memory as a directory of the set's name.
  bool IsDirectory = false;
};

// The four files of a run, in their order: cfg, nv, hi (named after the set) and the recording
// (named after the recording file name). Today's emulator has cfg/NAME.cfg, the directory
// nvram/NAME, hiscore/NAME.hi and the recording's file as the command line names it.
std::array<RunFile, 4> RunFilesOf(const EmulatorConfig& config, const std::string& set_name,
                                  const std::string& recording_name,
                                  EmulatorDialect dialect = EmulatorDialect::kListinfo);

// BackupRunFile: the file, when it exists, copied to `temp_name`.EXT in its directory (a
// directory copied whole to `temp_name`, its links left out).
void BackupRunFile(const RunFile& file, const std::string& temp_name);
// RestoreRunFile: the copy, when there is one, put back in place of the file (by a rename, so the
// file is never half written), and no copy left behind.
void RestoreRunFile(const RunFile& file, const std::string& temp_name);

// A file name that stays in its directory: not empty, no separator, not "." or "..". Run files
// of other names (a set name from a damaged list) are left alone.
bool IsPlainFileName(const std::string& name);

struct PlayTime {
  unsigned Hours = 0;
  unsigned Minutes = 0;
  unsigned Seconds = 0;
};

// The elapsed time as a time of day: whole days and fractions of a second dropped.
PlayTime PlayTimeOf(std::chrono::nanoseconds elapsed);

}  // namespace kw
