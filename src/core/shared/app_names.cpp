#include "core/shared/app_names.h"

#include "platform/fs.h"
#include "platform/process.h"

namespace kw {

AppNames AppNames::Compute(const std::string& program_dir, const std::string& system_dir) {
  AppNames n;
  n.ProgramDir = platform::fs::IncludeTrailingSeparator(program_dir);
  n.SettingsPath = n.ProgramDir + "KESTREL.INI";
  n.StatsPath = n.ProgramDir + "STATS.INI";
  n.NewsPath = n.ProgramDir + "HISTORY.TXT";
  n.SystemDir = platform::fs::IncludeTrailingSeparator(system_dir);
  n.CommandPrefix = platform::CommandPrefix();
  n.CaptureFileName = n.TempDirName + ".NFO";
  return n;
}

}  // namespace kw
