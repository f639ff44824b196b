#include "core/launch/crash_check.h"

#include "core/launch/set_archives.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw {

void CrashCheck(UserInterface& ui, const std::string& temp_dir, const std::string& product_name) {
  if (!platform::fs::DirectoryExists(temp_dir)) return;
  ui.Ask(
      "Warning: MAME crashed the computer the last time it was run.\r"
      "This may be due to problems related to the MAME version you are using (eg. Betas, "
      "etc.)\r"
      "and it's not a " +
          product_name +
          " fault. You better don't try to run that game again\r"
          "until you get an updated version.",
      MsgIcon::Warning);
  if (!DeleteTempDir(temp_dir)) {
    ui.Ask(kTempDirNotDeleted, MsgIcon::Error);
  }
}

}  // namespace kw
