// The emulator's per-game files around a run: the game's configuration, non-volatile memory,
// high scores and the recording are copied aside before the run. After it, what the emulator
// wrote is kept; the copy returns only where the emulator left the file missing or empty (a
// game the set test refused was never run, so its files stay exactly as they were). Each copy
// is named after the file it came from, so that it can only ever return to that file.
#pragma once

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "core/shared/emulator_dialect.h"

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

// The name of the file's copy in its directory: `temp_name`.STEM.EXT ("$KSTEMP$.PACMAN.cfg"),
// `temp_name`.STEM for a directory. The copy takes the file's name as it is spelled on disk,
// and is looked up without regard to case.
std::string BackupNameOf(const RunFile& file, const std::string& temp_name);

// BackupRunFile: the file, when it is a regular file (a link is left alone), copied to its
// backup name, replacing a copy left there (a link at that name is removed, never written
// through); a directory is copied whole, its links left out. Gives the path of a link removed
// so (for the user to be told), else nothing.
std::string BackupRunFile(const RunFile& file, const std::string& temp_name);

// What became of a file's copy.
enum class BackupOutcome {
  None,      // there was no copy
  PutBack,   // the file was missing or empty: the copy took its place
  Deleted,   // the file holds what the emulator wrote: the copy was deleted
  LinkGone,  // a link stood at the copy's name: it was removed
  Kept,      // something other than a file stands in the file's place, or the copy could not
             // be put back or deleted: it stays
};
struct BackupSettled {
  BackupOutcome outcome = BackupOutcome::None;
  std::string reason;  // the system's, when a rename or deletion failed
};

// RestoreRunFile: the copy, when there is one, put back in place of the file when that is
// missing or empty (by a rename, so the file is never half written), deleted otherwise.
BackupSettled RestoreRunFile(const RunFile& file, const std::string& temp_name);

// Copies that runs which never came back left in the run files' directories (relative ones
// taken in `work_dir`; the temporary directory `work_dir` + `temp_name` itself is never
// touched): each goes back to its own file as RestoreRunFile does; an older copy that names no
// file (`temp_name`.cfg, or the directory `temp_name` in today's nvram directory) is deleted.
// One line for each copy found, saying what was done; none when there was none.
std::vector<std::string> SettleLeftBackups(const EmulatorConfig& config,
                                           const std::string& work_dir,
                                           const std::string& temp_name, EmulatorDialect dialect);

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
