// emulator-config: the emulator's MAME.CFG of a profile as the option windows hold it, and
// written back as a game start writes it; --set changes options as the option windows do. For a
// profile of today's emulator: the options of its mame.ini that the option windows edit.
#include <cstdio>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "common/ascii.h"
#include "core/shared/app_names.h"
#include "core/shared/emulator_config.h"
#include "core/shared/game_database.h"
#include "core/shared/mame_options.h"
#include "platform/system_info.h"

namespace kw::cli {

namespace {

constexpr const char* kUsage =
    "Usage: kestrelwing-cli emulator-config PROFILE.KSL [--rewrite] [--set [SECTION.]KEY=VALUE "
    "...]\n";

// The declaration a --set names: SECTION.KEY, or a KEY that only one section has. The message
// says why there is none.
const EmulatorKey* FindKey(const std::string& name, std::string& why) {
  const std::size_t dot = name.find('.');
  if (dot != std::string::npos) {
    const EmulatorKey* key = FindEmulatorKey(name.substr(0, dot), name.substr(dot + 1));
    if (!key) why = "unknown option '" + name + "'";
    return key;
  }
  const EmulatorKey* found = nullptr;
  for (const EmulatorKey& key : EmulatorConfigKeys()) {
    if (!EqualNoCase(key.key, name)) continue;
    if (found) {
      why = "option '" + name + "' is in more than one section: write config." + name +
            " or directory." + name;
      return nullptr;
    }
    found = &key;
  }
  if (!found) why = "unknown option '" + name + "'";
  return found;
}

// Today's emulator: the options both emulators know, from its mame.ini files; --set writes the
// changed ones into the user's mame.ini as a game start would (--rewrite has nothing to write).
int TodaysConfig(const GameDatabase& db,
                 const std::vector<std::pair<const EmulatorKey*, std::string>>& sets) {
  EmulatorConfig config;
  MameIniFiles files;
  if (Status read = ReadMameConfig(db.EmulatorDir + db.EmulatorExe, db.EmulatorDir, config, files);
      !read) {
    std::fprintf(stderr, "kestrelwing-cli emulator-config: %s\n", read.Message().c_str());
    return 1;
  }
  const EmulatorConfig read = config;
  for (const auto& [key, value] : sets) {
    if (!FindMameOption(key->section, key->key)) {
      std::fprintf(stderr, "kestrelwing-cli emulator-config: today's emulator has no option '%s'\n",
                   std::string(key->key).c_str());
      return 2;
    }
    key->Read(config, value);
  }
  if (!WriteOut(FormatMameConfig(config)) || !FlushOut()) return 1;
  if (Status written = WriteMameConfig(files, read, config); !written) {
    std::fprintf(stderr, "kestrelwing-cli emulator-config: %s\n", written.Message().c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int EmulatorConfigCommand(const Args& args) {
  std::string profile;
  bool rewrite = false;
  std::vector<std::pair<const EmulatorKey*, std::string>> sets;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--rewrite") {
      rewrite = true;
    } else if (a == "--set" && i + 1 == args.size()) {
      return BadUsage("emulator-config", "--set needs a value", kUsage);
    } else if (a == "--set") {
      const std::string& assignment = args[++i];
      const std::size_t equals = assignment.find('=');
      std::string why = "'" + assignment + "' is not KEY=VALUE";
      const EmulatorKey* key =
          equals == std::string::npos ? nullptr : FindKey(assignment.substr(0, equals), why);
      if (!key) {
        std::fprintf(stderr, "kestrelwing-cli emulator-config: %s\n", why.c_str());
        return 2;
      }
      sets.emplace_back(key, assignment.substr(equals + 1));
    } else if (IsOption(a)) {
      return BadUsage("emulator-config", "unknown option '" + a + "'", kUsage);
    } else if (profile.empty()) {
      profile = a;
    } else {
      return BadUsage("emulator-config", "unexpected argument '" + a + "'", kUsage);
    }
  }
  if (profile.empty()) return BadUsage("emulator-config", "missing PROFILE.KSL", kUsage);
  GameDatabase db;
  if (!LoadProfileFile(db, profile)) return 1;
  if (db.Dialect == EmulatorDialect::kListxml) return TodaysConfig(db, sets);
  EmulatorConfig config;
  if (Status read = ReadEmulatorConfig(db.EmulatorDir, config); !read) {
    std::fprintf(stderr, "kestrelwing-cli emulator-config: %s\n", read.Message().c_str());
    return 1;
  }
  for (const auto& [key, value] : sets)
    key->Read(config, value);
  if (!WriteOut(FormatEmulatorConfig(config)) || !FlushOut()) return 1;
  if (!rewrite && sets.empty()) return 0;
  const AppNames names = AppNames::Compute(platform::ProgramDir(), platform::SystemDir());
  if (Status written = WriteEmulatorConfig(db.EmulatorDir, names.TempDirName, config); !written) {
    std::fprintf(stderr, "kestrelwing-cli emulator-config: %s\n", written.Message().c_str());
    return 1;
  }
  return 0;
}

}  // namespace kw::cli
