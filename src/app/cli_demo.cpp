// make-demo: writes the demo collection that a new user can open at once.
#include <cstdio>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "demo/demo_collection.h"
#include "platform/fs.h"
#include "platform/system_info.h"

namespace kw::cli {

namespace {

constexpr const char* kMakeDemoUsage = "Usage: kestrelwing-cli make-demo DIR\n";
constexpr const char* kStandInName = "kw-stand-in-emulator";

// The stand-in emulator: in the installed tree's lib/kestrelwing/, beside this program (a
// copied pair), else where the build tree makes it.
std::string FindStandInEmulator(std::string& tried) {
  return platform::FindHelperProgram(platform::ExecutableDir(), kStandInName,
                                     "tools/stand-in-emulator", tried);
}

}  // namespace

int MakeDemo(const Args& args) {
  if (!FixedArguments("make-demo", args, {"DIR"}, kMakeDemoUsage)) return 2;
  if (args[0].empty()) return BadUsage("make-demo", "DIR is empty", kMakeDemoUsage);
  const std::string& dir = args[0];
  std::string tried;
  const std::string stand_in = FindStandInEmulator(tried);
  if (stand_in.empty()) {
    std::fprintf(stderr,
                 "kestrelwing-cli: the stand-in emulator (%s) was not found (looked at %s)\n",
                 kStandInName, tried.c_str());
    return 1;
  }
  if (Status written = demo::WriteDemoCollection(dir, stand_in); !written) {
    std::fprintf(stderr, "kestrelwing-cli: %s\n", written.Message().c_str());
    return 1;
  }

  // The demo's profile, made as the new-profile window makes one: the stand-in emulator is asked
  // for its version line and its -listinfo text.
  const std::string profile = platform::fs::IncludeTrailingSeparator(dir) + "DEMO.KSL";
  if (CreateProfileHeadless(demo::DemoEmulatorDir(dir) + "mame", profile) != 0) return 1;

  std::printf("Demo collection written to %s\n", dir.c_str());
  return 0;
}

}  // namespace kw::cli
