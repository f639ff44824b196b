// Emulators for the tests: real programs (shell scripts) that print a version line and a
// -listinfo text, or misbehave as a broken emulator would.
#pragma once

#include <sys/stat.h>

#include <string>

#include "support/temp_dir.h"

namespace kw::test {

// Writes `dir/name` as an executable script with `body` after its #! line; returns its path.
inline std::string WriteScript(const TempDir& dir, const std::string& name,
                               const std::string& body) {
  const std::string path = dir.Write(name, "#!/bin/sh\n" + body);
  chmod(path.c_str(), 0755);
  return path;
}

// An emulator printing `version` without arguments and the file `listinfo` for -listinfo.
inline std::string WriteEmulator(const TempDir& dir, const std::string& name,
                                 const std::string& version, const std::string& listinfo) {
  return WriteScript(
      dir, name,
      "if [ \"$1\" = -listinfo ]; then cat '" + listinfo + "'; else echo '" + version + "'; fi\n");
}

}  // namespace kw::test
