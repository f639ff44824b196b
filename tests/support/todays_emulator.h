// Today's emulator (Debian's mame package) for the tests that use it when it is installed, and
// the cache that keeps what it gives for one version between runs (its list of 45,000 machines
// takes it a quarter of a minute).
#pragma once

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/run_command.h"

namespace kw::test {

inline constexpr const char* kTodaysEmulator = "/usr/games/mame";

inline std::string TodaysEmulatorCacheDir() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  const std::string base = cache && *cache ? cache : std::string(home ? home : "/tmp") + "/.cache";
  return base + "/kestrelwing-tests/";
}

// The installed emulator's version line, and the same with every character that is not a
// letter, a digit or a dot made '_' (for file names of the cache).
struct TodaysVersion {
  std::string line;
  std::string key;
};
inline TodaysVersion TodaysEmulatorVersion() {
  const CommandResult asked = RunCommand(std::string(kTodaysEmulator) + " -version");
  TodaysVersion version{asked.out.substr(0, asked.out.find_first_of("\r\n")), ""};
  for (char c : version.line)
    version.key += std::isalnum(static_cast<unsigned char>(c)) || c == '.' ? c : '_';
  return version;
}

// The emulator's -listxml of its version, from the cache or made now and kept there; empty when
// it could not be made.
inline std::string TodaysListxml() {
  const std::string cached =
      TodaysEmulatorCacheDir() + "listxml-" + TodaysEmulatorVersion().key + ".xml";
  if (std::filesystem::exists(cached)) return cached;
  std::filesystem::create_directories(TodaysEmulatorCacheDir());
  const CommandResult made =
      RunCommand(std::string(kTodaysEmulator) + " -listxml >'" + cached + ".part' 2>/dev/null");
  std::error_code error;
  if (made.status != 0) {
    std::filesystem::remove(cached + ".part", error);
    return "";
  }
  std::filesystem::rename(cached + ".part", cached, error);
  return error ? "" : cached;
}

}  // namespace kw::test
