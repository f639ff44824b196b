// profile-info and sysinfo: the profile information report and the system information window,
// as text.
#include <cstdio>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "core/profile/profile_info.h"
#include "core/reports/system_info_form.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "platform/ini.h"
#include "platform/system_info.h"

namespace kw::cli {

int ProfileInfo(const Args& args) {
  if (!FixedArguments("profile-info", args, {"PROFILE.KSL"},
                      "Usage: kestrelwing-cli profile-info PROFILE.KSL\n"))
    return 2;
  const AppNames names = AppNames::Compute(platform::ProgramDir(), platform::SystemDir());
  platform::IniFile ini(names.SettingsPath);
  ini.Load();  // a missing file gives every default
  const FrontEndSettings settings = LoadSettings(ini, names.SystemDir);
  GameDatabase db;
  if (!LoadProfileFile(db, args[0])) return 1;
  // The report walks the games as the window's list holds them.
  SortAsList(db, settings, names.StatsPath);
  ReportDocument report;
  BuildProfileInfo(db, names.ProductName, names.ProgramDir, settings.BoldFontSize,
                   settings.NormalFontSize, report);
  std::string out;
  for (const ReportLine& line : report.Lines()) {
    out += line.text;
    out += '\n';
  }
  return WriteOut(out) && FlushOut() ? 0 : 1;
}

int SysInfo(const Args& args) {
  if (!FixedArguments("sysinfo", args, {}, "Usage: kestrelwing-cli sysinfo\n")) return 2;
  const SystemInfoText text = FormatSystemInfo(ReadSystemFacts());
  std::string out;
  for (const auto& [caption, value] : text.values)
    out += caption + " " + value + "\n";
  for (const std::string& line : text.lines)
    out += line + "\n";
  return WriteOut(out) && FlushOut() ? 0 : 1;
}

}  // namespace kw::cli
