#include "core/shell/default_services.h"

#include "core/profile/profile_file.h"
#include "core/shell/main_shell.h"
#include "platform/fs.h"

namespace kw {

void DefaultProfileService::OpenProfile(const std::string& given_path) {
  // Kept as a full path: the current directory moves to the emulator's once the profile opens.
  const std::string path = platform::fs::ExpandFileName(given_path);
  UserInterface& ui = shell_.Ui();
  GameDatabase& db = shell_.Database();
  if (!platform::fs::FileExists(path)) {
    if (ui.Ask("Cannot find " + path + " profile!\rDo you want to create a new profile?\r",
               MsgIcon::Error, MsgButtons::YesNo) == MsgAnswer::Yes)
      CreateProfile();
    shell_.UpdateProfileControls();
    return;
  }
  ProfileFileContext context;
  context.ProductName = shell_.Names().ProductName;
  context.ProfilePathChanged = [this](const std::string& loaded) {
    shell_.Settings().LastProfile = loaded;
    shell_.AddToReopenList(loaded);
  };
  db.ProfileLoaded = false;
  if (LoadProfile(db, path, ui, context)) {
    if (platform::fs::SetCurrentDirectory(db.EmulatorDir)) {
      // The check of the emulator's version line comes with profile validation.
      db.ProfileLoaded = true;
      shell_.View().SetTitle(shell_.MainTitle());
      shell_.EmulatorConfig().ReadEmulatorConfig();
    } else {
      ui.HideProgress();
      if (ui.Ask(db.EmulatorDir + " directory does not exist! This profile is unusable.\r" +
                     "Do you want to create a new profile?\r",
                 MsgIcon::Error, MsgButtons::YesNo) == MsgAnswer::Yes)
        CreateProfile();
    }
  }
  ui.HideProgress();
  shell_.UpdateProfileControls();
}

void DefaultProfileService::CreateProfile() {
  shell_.Ui().Ask(
      "Profile creation is not available in this version yet.\r"
      "A profile can be made with the command kestrelwing-cli parse-listinfo.",
      MsgIcon::Information);
  shell_.UpdateProfileControls();
}

void DefaultEmulatorConfigService::ReadEmulatorConfig() {
  shell_.BuildTextFilesMenu();
}

}  // namespace kw
