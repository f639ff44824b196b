#include "core/profile/profile_controller.h"

#include "core/profile/game_database.h"
#include "core/profile/profile_file.h"
#include "core/shell/shell_view.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw {

ProfileController::ProfileController(UserInterface& ui, GameDatabase& database,
                                     FrontEndSettings& settings, std::string product_name,
                                     ShellView& shell_view, ReopenMenuView& reopen_view)
    : ui_(ui),
      database_(database),
      settings_(settings),
      product_name_(std::move(product_name)),
      shell_view_(shell_view),
      reopen_view_(reopen_view) {}

void ProfileController::OpenProfile(const std::string& given_path) {
  // Kept as a full path: the current directory moves to the emulator's once the profile opens.
  const std::string path = platform::fs::ExpandFileName(given_path);
  if (!platform::fs::FileExists(path)) {
    if (ui_.Ask("Cannot find " + path + " profile!\rDo you want to create a new profile?\r",
                MsgIcon::Error, MsgButtons::YesNo) == MsgAnswer::Yes)
      CreateProfile();
    UpdateProfileControls();
    return;
  }
  ProfileFileContext context;
  context.ProductName = product_name_;
  context.ProfilePathChanged = [this](const std::string& loaded) {
    settings_.LastProfile = loaded;
    AddToReopenList(loaded);
  };
  database_.ProfileLoaded = false;
  if (Status loaded = LoadProfile(database_, path, ui_, context); !loaded) {
    ui_.Ask(loaded.Message(), MsgIcon::Error);
  } else {
    if (platform::fs::SetCurrentDirectory(database_.EmulatorDir)) {
      // The check of the emulator's version line comes with profile validation.
      database_.ProfileLoaded = true;
      shell_view_.SetTitle(MainTitle());
      for (ProfileListener* listener : listeners_)
        listener->ProfileOpened();
    } else {
      ui_.HideProgress();
      if (ui_.Ask(database_.EmulatorDir + " directory does not exist! This profile is unusable.\r" +
                      "Do you want to create a new profile?\r",
                  MsgIcon::Error, MsgButtons::YesNo) == MsgAnswer::Yes)
        CreateProfile();
    }
  }
  ui_.HideProgress();
  UpdateProfileControls();
}

void ProfileController::CreateProfile() {
  ui_.Ask(
      "Profile creation is not available in this version yet.\r"
      "A profile can be made with the command kestrelwing-cli parse-listinfo.",
      MsgIcon::Information);
  UpdateProfileControls();
}

void ProfileController::ReopenProfile(std::size_t slot) {
  if (slot >= kReopenSlots) return;
  const std::string path = settings_.ReopenList[slot];
  if (!path.empty()) OpenProfile(path);
}

void ProfileController::AddToReopenList(const std::string& path) {
  if (kw::AddToReopenList(settings_, path)) ShowReopenList();
}

void ProfileController::ShowReopenList() {
  reopen_view_.RebuildReopenMenus(settings_.ReopenList);
}

std::string ProfileController::MainTitle() const {
  if (!database_.ProfileLoaded) return product_name_ + " - no profile loaded";
  return product_name_ + " - [" + database_.EmulatorVersion + "]";
}

void ProfileController::UpdateProfileControls() {
  shell_view_.ShowProfileState(database_.ProfileLoaded);
  if (!database_.ProfileLoaded) shell_view_.SetTitle(MainTitle());
  for (ProfileListener* listener : listeners_)
    listener->ProfileStateChanged(database_.ProfileLoaded);
}

}  // namespace kw
