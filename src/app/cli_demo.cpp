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

// The stand-in emulator: beside this program (an installed or copied pair), else where the
// build tree made it.
std::string FindStandInEmulator(std::string& tried) {
  const std::string beside = platform::ExecutableDir() + kStandInName;
  tried = beside;
  if (!platform::ExecutableDir().empty() && platform::fs::FileExists(beside)) return beside;
#ifdef KW_STAND_IN_EMULATOR_BUILD_PATH
  tried += ", " KW_STAND_IN_EMULATOR_BUILD_PATH;
  if (platform::fs::FileExists(KW_STAND_IN_EMULATOR_BUILD_PATH))
    return KW_STAND_IN_EMULATOR_BUILD_PATH;
#endif
  return "";
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
