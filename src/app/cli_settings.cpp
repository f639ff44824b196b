#include <cstdio>

#include "app/cli_commands.h"
#include "core/shell/app_names.h"
#include "core/shell/settings.h"
#include "platform/ini.h"
#include "platform/system_info.h"

namespace kw::cli {

int Settings(const Args& args) {
  if (!args.empty()) {
    std::fprintf(stderr, "kestrelwing-cli settings: unexpected argument '%s'\n", args[0].c_str());
    return 2;
  }
  AppNames names = AppNames::Compute(platform::ProgramDir(), platform::SystemDir());
  platform::IniFile ini(names.SettingsPath);
  ini.Load();  // a missing file gives every default
  std::fputs(FormatSettings(LoadSettings(ini, names.SystemDir)).c_str(), stdout);
  return 0;
}

}  // namespace kw::cli
