// kestrelwing-cli: the second front door to the same core, for scripts, checks and tests.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli_commands.h"

namespace {

constexpr const char* kUsage =
    "Usage: kestrelwing-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  settings\n"
    "      Print the effective front-end settings: KESTREL.INI of the program directory\n"
    "      ($KESTRELWING_HOME, else $XDG_DATA_HOME/kestrelwing) with every default filled\n"
    "      in, as [section] headers and key=value lines in file order.\n"
    "\n"
    "Options:\n"
    "  --help       Show this text and exit.\n"
    "  --version    Show the version and exit.\n"
    "\n"
    "Exit status: 0 success, 1 failure, 2 bad usage, 3 done with problems found.\n";

struct Command {
  const char* name;
  int (*run)(const kw::cli::Args&);
};

constexpr Command kCommands[] = {
    {"settings", kw::cli::Settings},
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string& first = args.front();
  if (first == "--help" || first == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (first == "--version") {
    std::printf("kestrelwing-cli %s\n", KW_VERSION_TEXT);
    return 0;
  }
  for (const Command& c : kCommands) {
    if (first == c.name) return c.run(kw::cli::Args(args.begin() + 1, args.end()));
  }
  if (!first.empty() && first[0] == '-')
    std::fprintf(stderr, "kestrelwing-cli: unknown option '%s'\n", first.c_str());
  else
    std::fprintf(stderr, "kestrelwing-cli: unknown command '%s'\n", first.c_str());
  std::fputs("Try 'kestrelwing-cli --help'.\n", stderr);
  return 2;
}
