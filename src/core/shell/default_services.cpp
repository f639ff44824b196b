#include "core/shell/default_services.h"

#include "core/shell/main_shell.h"
#include "platform/fs.h"

namespace kw {

void DefaultProfileService::OpenProfile(const std::string& path) {
  UserInterface& ui = shell_.Ui();
  if (!platform::fs::FileExists(path)) {
    ui.SetBusy(false);
    if (ui.Ask("Cannot find " + path + " profile!\rDo you want to create a new profile?\r",
               MsgIcon::Error, MsgButtons::YesNo) == MsgAnswer::Yes)
      CreateProfile();
  }
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
