// Sets kept on a collection of CD-ROM discs. Each disc holds MAMECD.INI in its root: which disc
// of the collection it is, where its ROM and sample sets lie, and on which disc each set is.
// The drive is the mount point the MameCdDrive setting names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kw {

class UserInterface;
struct FrontEndSettings;

class CdDiscs {
 public:
  CdDiscs(UserInterface& ui, const FrontEndSettings& settings,
          std::string disc_ini_name = "MAMECD.INI");

  // True once disc `n` is in the drive; false when the user gave up. Asks (Retry/Cancel) while
  // no disc or another disc is in the drive; the disc file is read again after every answer.
  bool EnsureDisc(std::int32_t n);

  // The disc directory to search a ROM set (or, with `samples`, a sample set) in, with a
  // trailing separator, once the disc that holds it is in the drive. Nothing when the set is to
  // be searched on the hard disk instead: no disc given, a set the collection does not list, an
  // empty directory value, or the user declined to insert the disc.
  std::optional<std::string> DiscDirectory(const std::string& set_name, bool samples);

 private:
  std::string DiscFilePath() const;
  bool DiscFileExists() const;
  std::string DriveText() const;

  UserInterface& ui_;
  const FrontEndSettings& settings_;
  std::string disc_ini_name_;
};

}  // namespace kw
