// The start-up check for a temporary directory left by an emulator run that never came back.
#pragma once

#include <string>

namespace kw {

class UserInterface;

// When `temp_dir` exists, warns that the emulator crashed the last time and deletes it; a
// directory that cannot be deleted is reported and left for the next start. The one path is
// both tested and deleted.
// The message when a temporary directory could not be deleted (at start-up and after a run).
inline constexpr const char* kTempDirNotDeleted =
    "The temporary directory could not be deleted!\r"
    "This means one or more rom files of the game you ran could not be deleted.\r"
    "Please solve the problem and try again.";

void CrashCheck(UserInterface& ui, const std::string& temp_dir, const std::string& product_name);

}  // namespace kw
