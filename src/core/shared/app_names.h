// Names and paths fixed at start-up, held for the whole run.
#pragma once

#include <string>

namespace kw {

inline constexpr const char* kProductName = "Kestrelwing";

struct AppNames {
  std::string ProductName = kProductName;
  std::string ProgramDir;    // with trailing separator
  std::string SettingsPath;  // ProgramDir + "KESTREL.INI"
  std::string TempDirName = "$KSTEMP$";
  std::string CaptureFileName = "$KSTEMP$.NFO";
  std::string DiscIniName = "MAMECD.INI";
  std::string StatsPath;  // ProgramDir + "STATS.INI"
  std::string NewsPath;   // ProgramDir + "HISTORY.TXT"
  std::string SystemDir;  // with trailing separator
  std::string CommandPrefix;

  static AppNames Compute(const std::string& program_dir, const std::string& system_dir);
};

}  // namespace kw
