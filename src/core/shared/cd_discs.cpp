#include "core/shared/cd_discs.h"

#include <algorithm>

#include "common/ascii.h"
#include "core/shared/settings.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/ini.h"

namespace kw {

namespace fs = platform::fs;

namespace {

std::string Trim(std::string text) {
  const char* blanks = " \t";
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

}  // namespace

CdDiscs::CdDiscs(UserInterface& ui, const FrontEndSettings& settings, std::string disc_ini_name)
    : ui_(ui), settings_(settings), disc_ini_name_(std::move(disc_ini_name)) {}

std::string CdDiscs::DiscFilePath() const {
  return fs::IncludeTrailingSeparator(settings_.MameCdDrive) + disc_ini_name_;
}

bool CdDiscs::DiscFileExists() const {
  return !settings_.MameCdDrive.empty() && fs::FileExists(DiscFilePath());
}

// A drive letter ("d:") is shown upper case as the user knows it; a mount point as it is.
std::string CdDiscs::DriveText() const {
  const std::string& drive = settings_.MameCdDrive;
  if (drive.size() == 2 && drive[1] == ':') {
    std::string upper = drive;
    upper[0] = AsciiUpper(upper[0]);
    return upper;
  }
  return drive;
}

bool CdDiscs::EnsureDisc(std::int32_t n) {
  const std::string wanted =
      "Please insert disc " + std::to_string(n) + " into the drive " + DriveText();
  for (;;) {
    while (!DiscFileExists()) {
      if (ui_.Ask("No MAMECD compliant disc have been found into the CD-ROM drive.\r" + wanted,
                  MsgIcon::Information, MsgButtons::RetryCancel) == MsgAnswer::Cancel)
        return false;
    }
    platform::IniFile ini(fs::Resolve(DiscFilePath()));
    ini.Load();
    const long long disc = ini.ReadInteger("MAMECD", "Disc", 1);
    if (disc == n) return true;
    if (ui_.Ask("You have inserted disc " + std::to_string(disc) + ".\r" + wanted,
                MsgIcon::Information, MsgButtons::RetryCancel) == MsgAnswer::Cancel)
      return false;
  }
}

std::optional<std::string> CdDiscs::DiscDirectory(const std::string& set_name, bool samples) {
  if (!DiscFileExists() && !EnsureDisc(1)) return std::nullopt;
  platform::IniFile ini(fs::Resolve(DiscFilePath()));
  ini.Load();
  std::string value = Trim(samples ? ini.ReadString("MAMECD", "Samples", "SAMPLES")
                                   : ini.ReadString("MAMECD", "Roms", "ROMS"));
  if (value.empty()) return std::nullopt;
  std::replace(value.begin(), value.end(), '\\', fs::kSeparator);  // written on Windows
  std::string directory = fs::ExcludeTrailingSeparator(settings_.MameCdDrive);
  if (value.front() != fs::kSeparator) directory += fs::kSeparator;
  directory = fs::IncludeTrailingSeparator(directory + value);
  const long long disc = ini.ReadInteger(samples ? "Samples" : "Roms", set_name, 0);
  if (disc <= 0 || disc > INT32_MAX || !EnsureDisc(static_cast<std::int32_t>(disc)))
    return std::nullopt;
  return directory;
}

}  // namespace kw
