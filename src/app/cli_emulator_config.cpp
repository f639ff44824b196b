// emulator-config: the emulator's MAME.CFG of a profile as the option windows hold it, and
// written back as a game start writes it.
#include <cstdio>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "core/profile/game_database.h"
#include "core/shell/app_names.h"
#include "core/shell/emulator_config.h"
#include "platform/system_info.h"

namespace kw::cli {

namespace {

constexpr const char* kUsage = "Usage: kestrelwing-cli emulator-config PROFILE.KSL [--rewrite]\n";

}  // namespace

int EmulatorConfigCommand(const Args& args) {
  std::string profile;
  bool rewrite = false;
  for (const std::string& a : args) {
    if (a == "--rewrite") {
      rewrite = true;
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      std::fprintf(stderr, "kestrelwing-cli emulator-config: unknown option '%s'\n%s", a.c_str(),
                   kUsage);
      return 2;
    } else if (profile.empty()) {
      profile = a;
    } else {
      std::fprintf(stderr, "kestrelwing-cli emulator-config: unexpected argument '%s'\n%s",
                   a.c_str(), kUsage);
      return 2;
    }
  }
  if (profile.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  GameDatabase db;
  if (!LoadProfileFile(db, profile)) return 1;
  EmulatorConfig config;
  if (Status read = ReadEmulatorConfig(db.EmulatorDir, config); !read) {
    std::fprintf(stderr, "kestrelwing-cli emulator-config: %s\n", read.Message().c_str());
    return 1;
  }
  if (!WriteOut(FormatEmulatorConfig(config)) || !FlushOut()) return 1;
  if (!rewrite) return 0;
  const AppNames names = AppNames::Compute(platform::ProgramDir(), platform::SystemDir());
  if (Status written = WriteEmulatorConfig(db.EmulatorDir, names.TempDirName, config); !written) {
    std::fprintf(stderr, "kestrelwing-cli emulator-config: %s\n", written.Message().c_str());
    return 1;
  }
  return 0;
}

}  // namespace kw::cli
