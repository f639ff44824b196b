#include "core/shell/main_shell.h"

#include <ctime>

#include "core/browser/game_list_controller.h"
#include "core/browser/quick_info_controller.h"
#include "core/launch/crash_check.h"
#include "core/launch/stats_controller.h"
#include "core/profile/profile_controller.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/settings_store.h"
#include "core/shared/shell_view.h"
#include "core/shell/help_controller.h"
#include "core/user_interface.h"
#include "platform/drives.h"
#include "platform/fs.h"

namespace kw {

MainShell::MainShell(UserInterface& ui, ShellView& view, const AppNames& names, ShellParts parts)
    : ui_(ui), view_(view), names_(names), parts_(parts) {}

void MainShell::FormCreate() {
  ui_.SetBusy(true);
  view_.SetTitle(names_.ProductName);
  view_.SetNewsAvailable(platform::fs::FileExists(names_.NewsPath));

  parts_.settings.Load(names_.SystemDir);
  parts_.statistics.Load();
  parts_.game_list.ShowSettings();
  parts_.quick_info.ShowSettings();

  parts_.database.ProfileLoaded = false;
  parts_.game_list.SeedRandom(static_cast<unsigned>(std::time(nullptr)));
  language_codes_.clear();
  parts_.help.ClearTextFiles();

  parts_.profiles.ShowReopenList();
  ui_.SetBusy(false);
}

void MainShell::FormShow(const std::vector<std::string>& args) {
  ui_.SetBusy(true);
  view_.SetTitle(names_.ProductName);

  FrontEndSettings& settings = parts_.settings.Values();
  cd_drives_ = platform::OpticalDrives();
  if (cd_drives_.empty()) settings.MameCd = false;

  // Before any profile opens: opening one shows the emulator options, which look the
  // language up in this list.
  language_codes_ = {"ENGLISH"};
  ui_.SetBusy(false);

  if (!parts_.database.ProfileLoaded) {
    if (!args.empty()) {
      parts_.profiles.OpenProfile(args.front());
    } else if (settings.LastProfile != kFirstTime) {
      parts_.profiles.OpenProfile(settings.LastProfile);
    } else {
      const std::string& p = names_.ProductName;
      ui_.Ask("Hi and welcome to " + p +
                  "!\r"
                  "Since this is the first time you run this program, you will now be\r"
                  "asked to create a new profile. This is necessary for " +
                  p +
                  " to\r"
                  "correctly use the emulator and all of its capabilities.\r"
                  "The operation may take some time, but you will need to do it\r"
                  "only once.",
              MsgIcon::Information);
      parts_.profiles.CreateProfile();
    }
  }
  // What a run that never came back left lies in the work directory of the profile just
  // opened; without one there is nothing to look at.
  CrashCheck(ui_, parts_.database, parts_.emulator_config.Config(), names_);
}

void MainShell::FormDestroy() {
  SaveSettingsNow();
  parts_.emulator_config.WriteAtShutdown();
  parts_.statistics.Save();
  parts_.database.ClearDatabase();
  language_codes_.clear();
  parts_.help.ClearTextFiles();
}

bool MainShell::SaveSettingsNow() {
  Status saved = parts_.settings.Save();
  if (!saved) ui_.Ask(saved.Message(), MsgIcon::Error);
  return saved.Ok();
}

}  // namespace kw
