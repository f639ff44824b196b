#include "app/user_demo.h"

#include "platform/fs.h"
#include "platform/process.h"

namespace kw {

namespace fs = platform::fs;

Result<std::string> EnsureUserDemo(const std::string& program_dir, const std::string& cli) {
  const std::string dir = fs::IncludeTrailingSeparator(program_dir) + "DEMO/";
  const std::string profile = dir + "DEMO.KSL";
  if (fs::FileExists(profile)) return profile;
  if (cli.empty() || !fs::FileExists(cli)) {
    return Failure(
        "the demo collection cannot be written: the console program kestrelwing-cli "
        "was not found beside this program");
  }
  Result<int> made = platform::RunQuietly(platform::Command{{cli, "make-demo", dir}});
  if (!made) return Failure("kestrelwing-cli make-demo could not be started: " + made.Message());
  if (*made != 0 || !fs::FileExists(profile)) {
    return Failure("kestrelwing-cli make-demo " + dir + " failed (exit status " +
                   std::to_string(*made) + ")");
  }
  return profile;
}

}  // namespace kw
