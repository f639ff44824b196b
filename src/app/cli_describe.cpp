// describe: the detailed description of a set ("Romset details") as the report window holds it.
#include <cstdio>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "common/ascii.h"
#include "core/reports/set_description.h"
#include "core/shared/app_names.h"
#include "core/shared/emulator_config.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings.h"
#include "platform/ini.h"
#include "platform/system_info.h"

namespace kw::cli {

namespace {

constexpr const char* kDescribeUsage = "Usage: kestrelwing-cli describe PROFILE.KSL SET\n";

}  // namespace

int Describe(const Args& args) {
  if (!FixedArguments("describe", args, {"PROFILE.KSL", "SET"}, kDescribeUsage)) return 2;
  const AppNames names = AppNames::Compute(platform::ProgramDir(), platform::SystemDir());
  platform::IniFile ini(names.SettingsPath);
  ini.Load();  // a missing file gives every default
  const FrontEndSettings settings = LoadSettings(ini, names.SystemDir);

  GameDatabase db;
  if (!LoadProfileFile(db, args[0])) return 1;
  // The profile keeps its names in upper case; a name typed in lower case finds its set too.
  long position = db.FindGamePosition(args[1]);
  if (position < 0) position = db.FindGamePosition(AsciiUpperCase(args[1]));
  if (position < 0) return UnknownSet("describe", args[1]);
  EmulatorConfig config;
  if (const Status read = ReadEmulatorConfig(db.EmulatorDir, config); !read) {
    // The defaults name the same files; the description goes on with them.
    std::fprintf(stderr, "kestrelwing-cli describe: %s\n", read.Message().c_str());
  }
  PlayStats stats(names.StatsPath);
  stats.SetNameWidth(NameWidthsOf(db.Dialect).set);
  stats.LoadStats();

  ReportDocument report;
  SupportFiles files;
  const DescriptionSources sources{db,
                                   stats,
                                   SupportPathsOf(config, db.EmulatorDir),
                                   names.ProductName,
                                   names.ProgramDir,
                                   settings.BoldFontSize,
                                   settings.NormalFontSize};
  DescribeSet(report, files, sources, db.Game(static_cast<std::size_t>(position)));
  std::string out = report.ReportTitle + "\n";
  for (const ReportLine& line : report.Lines())
    out += line.text + "\n";
  return WriteOut(out) && FlushOut() ? 0 : 1;
}

}  // namespace kw::cli
