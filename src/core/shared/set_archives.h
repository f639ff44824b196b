// Finding a ROM or sample set (an ACE, RAR, ZIP or 7z archive, or a directory named after the
// set) in a search list or on the CD-ROM discs, and putting its files into the flat temporary
// directory the emulator loads from. The user's collection is only ever read.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/result.h"
#include "core/shared/cd_discs.h"
#include "platform/archive.h"
#include "platform/fs.h"

namespace kw {

class UserInterface;
struct FrontEndSettings;

enum class SetKind : std::uint8_t { Plain = 0, Rom = 1, Sample = 2 };

// The directories of a ';'-separated search list, each with its trailing separator, relative
// ones taken from the current directory.
std::vector<std::string> SearchDirectories(const std::string& search_list);

// Where a set is: its path as it is on disk (empty when it is nowhere), and whether that is a
// directory rather than an archive, and the run's listing it was found in (when it was looked
// for in listings).
struct LocatedSet {
  std::string path;
  bool directory = false;
  const platform::fs::DirectoryNames* listed_in = nullptr;
};

class SetArchives {
 public:
  // `emulator_dir` holds the temporary directory `temp_dir_name`; empty means the current
  // directory.
  SetArchives(UserInterface& ui, const FrontEndSettings& settings, std::string emulator_dir,
              std::string temp_dir_name = "$KSTEMP$", std::string disc_ini_name = "MAMECD.INI");

  // The set's path as it is on disk, or empty when it is nowhere. ROM and sample sets are
  // looked for on the discs first when MameCd is on.
  std::string LocateSetFile(const std::string& name, const std::string& search_list, SetKind kind);
  // The same in the directories of a search list already split (SearchDirectories), for a caller
  // that looks for many sets in one list.
  LocatedSet LocateSet(const std::string& name, const std::vector<std::string>& directories,
                       SetKind kind);
  // The same in listings of those directories made for a whole run (fs::DirectoryNames).
  LocatedSet LocateSet(const std::string& name,
                       const std::vector<platform::fs::DirectoryNames>& directories, SetKind kind);
  // Puts every file of the set into the temporary directory (made when missing), replacing
  // files of the same name. A set that is not found is no failure. A failure lists each file
  // that could not be put there; the others are there all the same. A non-empty `into` is a
  // directory of that name in the temporary directory that takes the files instead (today's
  // emulator looks for a set's files in a directory of the set's name). `limits` are what the
  // profile lets the set hold (SetBounds), within the size limit below.
  Status ExtractSet(const std::string& name, const std::string& search_list, SetKind kind,
                    const std::string& into = "", const platform::archive::SizeLimits& limits = {});

  // Reads the set found at `location` (a directory or an archive) into `sink`, with the same
  // rules and problem lines as ExtractSet.
  Status ReadLocatedSet(const std::string& location, platform::archive::FlatSink& sink,
                        const platform::archive::SizeLimits& limits = {});

  // The temporary directory, without trailing separator.
  std::string TempDir() const;
  // The most one set may put there (a smaller one for tests).
  void SetSizeLimit(std::uint64_t bytes) { size_limit_ = bytes; }
  // `limits` within the size limit.
  platform::archive::SizeLimits Within(platform::archive::SizeLimits limits) const;

 private:
  // Makes the temporary directory (or one in it) when missing, removing a link in its place or
  // in it, never following one; the user is told of each link removed.
  Status MakeTempDir(const std::string& path);
  Status ExtractAce(const std::string& location, platform::archive::FlatSink& sink,
                    const platform::archive::SizeLimits& limits);

  UserInterface& ui_;
  const FrontEndSettings& settings_;
  std::string emulator_dir_;
  std::string temp_dir_name_;
  CdDiscs discs_;
  std::uint64_t size_limit_ = platform::archive::kSetSizeLimit;
};

// Whether the set at `location` is an ACE archive, which only the unace program reads.
bool IsAceSet(const std::string& location);
// Reads a set directory, ZIP, RAR or 7z archive into `sink` without starting a program or
// touching the windows (any thread may do it); an ACE set fails.
Status ReadSetWithoutPrograms(const std::string& location, platform::archive::FlatSink& sink,
                              const platform::archive::SizeLimits& limits);

// Reads every file of a set directory into `sink` (a subdirectory is a problem line, so is a
// file larger than the file limit); `tick` runs after each file. A directory that cannot be
// opened fails with "LOCATION: reason", as an archive that cannot be opened does.
Status ReadSetDirectory(const std::string& location, platform::archive::FlatSink& sink,
                        const std::function<void()>& tick = {},
                        const platform::archive::SizeLimits& limits = {});

// Whether ACE sets can be extracted: the `unace` program is installed (looked up once).
bool LoadAceLibrary();

// Deletes the directory and everything in it, read-only files too; a link is removed, never
// followed. True when it is gone or never was; a file that cannot be deleted stays, with the
// directory, and gives false.
bool DeleteTempDir(const std::string& path);

}  // namespace kw
