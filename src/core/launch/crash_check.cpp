#include "core/launch/crash_check.h"

#include "core/launch/run_files.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "core/shared/set_archives.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw {

void CrashCheck(UserInterface& ui, const GameDatabase& database, const EmulatorConfig& config,
                const AppNames& names) {
  if (!database.ProfileLoaded) return;
  const std::string& work_dir = database.WorkDirectory();
  const std::string temp_dir = work_dir + names.TempDirName;
  if (platform::fs::DirectoryExists(temp_dir)) {
    ui.Ask(
        "Warning: MAME crashed the computer the last time it was run.\r"
        "This may be due to problems related to the MAME version you are using (eg. Betas, "
        "etc.)\r"
        "and it's not a " +
            names.ProductName +
            " fault. You better don't try to run that game again\r"
            "until you get an updated version.",
        MsgIcon::Warning);
    if (!DeleteTempDir(temp_dir)) {
      ui.Ask(kTempDirNotDeleted, MsgIcon::Error);
    }
  }
  const std::vector<std::string> lines =
      SettleLeftBackups(config, work_dir, names.TempDirName, database.Dialect);
  if (lines.empty()) return;
  std::string text =
      "An emulator run that never came back left copies of the games' own files behind:";
  for (const std::string& line : lines)
    text += "\r" + line;
  ui.Ask(text, MsgIcon::Information);
}

}  // namespace kw
