// The start-up check for what an emulator run that never came back left behind: the temporary
// directory and the copies of the game's per-game files, in the work directory of the profile
// just opened.
#pragma once

#include <string>

namespace kw {

class GameDatabase;
class UserInterface;
struct AppNames;
struct EmulatorConfig;

// The message when a temporary directory could not be deleted (at start-up and after a run).
inline constexpr const char* kTempDirNotDeleted =
    "The temporary directory could not be deleted!\r"
    "This means one or more rom files of the game you ran could not be deleted.\r"
    "Please solve the problem and try again.";

// With a profile open: when the temporary directory exists in its work directory, warns that
// the emulator crashed the last time and deletes it (a directory that cannot be deleted is
// reported and left for the next start). Then settles the copies left in the run files'
// directories of `config` (SettleLeftBackups) and says in one message what became of each.
// Without a profile nothing is looked at: the current directory is then nobody's.
void CrashCheck(UserInterface& ui, const GameDatabase& database, const EmulatorConfig& config,
                const AppNames& names);

}  // namespace kw
