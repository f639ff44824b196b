// Emulators for the tests: real programs (shell scripts) that print a version line and a
// -listinfo text, or answer as today's emulator does, or misbehave as a broken emulator would.
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

// An emulator answering as today's does: its -help banner, `version` for -version (without a
// line break, as the real one prints it), the file `listxml` for -listxml; without arguments it
// waits, as the real one does in its own window.
inline std::string WriteTodaysEmulator(const TempDir& dir, const std::string& name,
                                       const std::string& version, const std::string& listxml) {
  return WriteScript(dir, name,
                     "case \"$1\" in\n"
                     "  -help) printf 'MAME v%s\\nCopyright MAMEdev and contributors\\n\\n"
                     "Usage:  mame [machine] [media] [software] [options]\\n' '" +
                         version +
                         "' ;;\n"
                         "  -version) printf '%s' '" +
                         version +
                         "' ;;\n"
                         "  -listxml) cat '" +
                         listxml +
                         "' ;;\n"
                         "  *) exec sleep 60 ;;\n"
                         "esac\n");
}

}  // namespace kw::test
