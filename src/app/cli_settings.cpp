// settings: KESTREL.INI as the program reads it; with --set, values written through the same
// declarations and reading rules as the file's, then the file saved and shown.
#include <cstdio>
#include <variant>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "common/ascii.h"
#include "core/shared/app_names.h"
#include "core/shared/settings.h"
#include "platform/ini.h"
#include "platform/system_info.h"

namespace kw::cli {

namespace {

constexpr const char* kUsage = "Usage: kestrelwing-cli settings [--set SECTION.KEY=VALUE ...]\n";

struct Assignment {
  std::string section;
  std::string key;
  std::string value;
};

// SECTION.KEY=VALUE, split at the first "=" and the last "." before it.
bool ParseAssignment(const std::string& text, Assignment& out) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos) return false;
  const std::string name = text.substr(0, equals);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == name.size()) return false;
  out = {name.substr(0, dot), name.substr(dot + 1), text.substr(equals + 1)};
  return true;
}

const AnySetting<FrontEndSettings>* FindSetting(const Assignment& a) {
  for (const AnySetting<FrontEndSettings>& any : SettingDeclarations()) {
    const bool match = std::visit(
        [&](const auto& s) {
          return EqualNoCase(s.section, a.section) && EqualNoCase(s.key, a.key);
        },
        any);
    if (match) return &any;
  }
  return nullptr;
}

}  // namespace

int Settings(const Args& args) {
  std::vector<Assignment> assignments;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--set" && i + 1 == args.size()) {
      return BadUsage("settings", "--set needs a value", kUsage);
    } else if (args[i] == "--set") {
      Assignment a;
      if (!ParseAssignment(args[++i], a))
        return BadUsage("settings", "'" + args[i] + "' is not SECTION.KEY=VALUE", kUsage);
      assignments.push_back(a);
    } else if (IsOption(args[i])) {
      return BadUsage("settings", "unknown option '" + args[i] + "'", kUsage);
    } else {
      return BadUsage("settings", "unexpected argument '" + args[i] + "'", kUsage);
    }
  }
  AppNames names = AppNames::Compute(platform::ProgramDir(), platform::SystemDir());
  platform::IniFile ini(names.SettingsPath);
  ini.Load();  // a missing file gives every default
  FrontEndSettings settings = LoadSettings(ini, names.SystemDir);
  if (!assignments.empty()) {
    // Every key is checked before anything is written.
    std::vector<AnySetting<FrontEndSettings>> declared;
    for (const Assignment& a : assignments) {
      const AnySetting<FrontEndSettings>* found = FindSetting(a);
      if (!found) {
        std::fprintf(stderr, "kestrelwing-cli settings: unknown setting '%s.%s'\n",
                     a.section.c_str(), a.key.c_str());
        return 2;
      }
      declared.push_back(*found);
    }
    // Each value is read as the file's line would be read, into the settings as they stand.
    platform::IniFile given("");
    for (std::size_t i = 0; i < assignments.size(); ++i) {
      std::visit([&](const auto& s) { given.Write(s.section, s.key, assignments[i].value); },
                 declared[i]);
    }
    FrontEndSettings defaults;
    defaults.TextEditor = DefaultTextEditor(names.SystemDir);
    ReadSettings<FrontEndSettings>(given, declared, defaults, settings);
    settings.AddExtraOptions = !settings.ExtraOptions.empty();
    if (Status saved = SaveSettings(settings, ini); !saved) {
      std::fprintf(stderr, "kestrelwing-cli settings: %s\n", saved.Message().c_str());
      return 1;
    }
  }
  std::fputs(FormatSettings(settings).c_str(), stdout);
  return 0;
}

}  // namespace kw::cli
