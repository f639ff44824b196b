// The profile information report (VersionOPTClick): where the profile and the emulator are, how
// many sets, masters, clones, ROM files and sample sets the profile holds, which games use
// resource sets, and the CPUs and sound chips of the emulator.
#pragma once

#include <string>

#include "core/shared/report_document.h"

namespace kw {

class GameDatabase;
class UserInterface;
struct AppNames;
struct FrontEndSettings;

// Fills `report` with the report of the open profile. `program_dir` is where it is saved.
void BuildProfileInfo(const GameDatabase& db, const std::string& product_name,
                      const std::string& program_dir, int bold_font_size, int normal_font_size,
                      ReportDocument& report);

// "[NAME]" padded with blanks to 10 characters, then " uses [" + resource + "]".
std::string ExternalResourceLine(const std::string& name, const std::string& resource);

class ProfileInfoController {
 public:
  ProfileInfoController(UserInterface& ui, const FrontEndSettings& settings,
                        const GameDatabase& database, const AppNames& names);
  // VersionOPTClick: builds the report and shows it; nothing without an open profile.
  void VersionOPTClick();

 private:
  UserInterface& ui_;
  const FrontEndSettings& settings_;
  const GameDatabase& database_;
  const AppNames& names_;
  ReportDocument report_;
};

}  // namespace kw
