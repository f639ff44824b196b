// cmdline and launch: the emulator's command line for a set, and the whole launch of a set
// without windows, through the same controllers as the program.
#include <cstdio>
#include <optional>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "app/console_views.h"
#include "app/program.h"
#include "core/launch/launch_controller.h"
#include "core/shared/command_line.h"
#include "core/shared/game_database.h"
#include "core/shared/report_document.h"
#include "core/shared/settings_store.h"
#include "platform/fs.h"
#include "platform/system_info.h"

namespace kw::cli {

namespace {

constexpr const char* kCmdlineUsage =
    "Usage: kestrelwing-cli cmdline PROFILE.KSL SET [--record STEM | --playback STEM]\n";
constexpr const char* kLaunchUsage =
    "Usage: kestrelwing-cli launch PROFILE.KSL SET [--record STEM | --playback STEM] [--yes]\n";

struct LaunchArgs {
  std::string profile;
  std::string set;
  RecordingMode mode = RecordingMode::None;
  std::string stem;
  bool yes = false;
};

// The words after the command; nothing when they do not make sense (what is wrong and the
// usage are said).
std::optional<LaunchArgs> ParseLaunchArgs(const char* command, const Args& args, bool takes_yes,
                                          const char* usage) {
  auto bad = [&](const std::string& why) -> std::optional<LaunchArgs> {
    BadUsage(command, why, usage);
    return std::nullopt;
  };
  LaunchArgs parsed;
  int positional = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--record" || a == "--playback") {
      if (i + 1 == args.size()) return bad(a + " needs a value");
      if (parsed.mode != RecordingMode::None)
        return bad("--record and --playback are given together or twice");
      parsed.mode = a == "--record" ? RecordingMode::Record : RecordingMode::Playback;
      parsed.stem = args[++i];
    } else if (takes_yes && a == "--yes") {
      parsed.yes = true;
    } else if (IsOption(a)) {
      return bad("unknown option '" + a + "'");
    } else if (positional < 2) {
      (positional++ == 0 ? parsed.profile : parsed.set) = a;
    } else {
      return bad("unexpected argument '" + a + "'");
    }
  }
  if (positional < 2) return bad(positional == 0 ? "missing PROFILE.KSL" : "missing SET");
  return parsed;
}

// The launch's user: messages and reports on standard output, questions answered No (Yes with
// --yes), hidden queries and games waited for as they are.
class LaunchUi : public ConsoleUi {
 public:
  explicit LaunchUi(bool yes) : yes_(yes) {}
  MsgAnswer Ask(const std::string& text, MsgIcon, MsgButtons buttons) override {
    (void)WriteOut(ConsoleText(text) + "\n");
    switch (buttons) {
      case MsgButtons::YesNo:
        return yes_ ? MsgAnswer::Yes : MsgAnswer::No;
      case MsgButtons::RetryCancel:
        return MsgAnswer::Cancel;
      case MsgButtons::Ok:
        break;
    }
    return MsgAnswer::Ok;
  }
  void ShowReport(const ReportDocument& report) override {
    std::string text = report.ReportTitle + "\n";
    for (const ReportLine& line : report.Lines())
      text += line.text + "\n";
    (void)WriteOut(text);
  }

 private:
  bool yes_;
};

AppNames Names() {
  return AppNames::Compute(platform::ProgramDir(), platform::SystemDir());
}

}  // namespace

int Cmdline(const Args& args) {
  std::optional<LaunchArgs> parsed = ParseLaunchArgs("cmdline", args, false, kCmdlineUsage);
  if (!parsed) return 2;
  GameDatabase db;
  if (!LoadProfileFile(db, parsed->profile)) return 1;
  // The window builds the line of a game of its list only.
  if (db.FindGamePosition(parsed->set) < 0) return UnknownSet("cmdline", parsed->set);
  const AppNames names = Names();
  SettingsStore settings(names.SettingsPath);
  settings.Load(names.SystemDir);
  // Today's emulator is given its own ROM folders: those of its mame.ini.
  std::string rompath;
  if (db.Dialect == EmulatorDialect::kListxml) {
    ConsoleUi ui;
    ConsoleViews views;
    Program program(ui, views.Views(), names);
    program.database = std::move(db);
    program.emulator_config.ReadEmulatorConfig();
    rompath = program.emulator_config.Config().directory.rompath;
    db = std::move(program.database);
  }
  std::string inp = parsed->stem;
  const ShellCommandLine line = BuildCommandLine(
      GameCommandOf(settings.Values(), db, names, parsed->mode, rompath), parsed->set, inp);
  return WriteOut(line.Text() + "\n") && FlushOut() ? 0 : 1;
}

int Launch(const Args& args) {
  std::optional<LaunchArgs> parsed = ParseLaunchArgs("launch", args, true, kLaunchUsage);
  if (!parsed) return 2;
  // The plays go into STATS.INI of the program directory, made as the program makes it.
  if (!EnsureProgramDirectory("launch")) return 1;
  LaunchUi ui(parsed->yes);
  ConsoleViews views;
  Program program(ui, views.Views(), Names());
  program.settings.Load(program.names.SystemDir);
  program.statistics.Load();
  program.profiles.OpenProfile(parsed->profile);
  if (!program.database.ProfileLoaded) return 1;
  const long position = program.database.FindGamePosition(parsed->set);
  if (position < 0) return UnknownSet("launch", parsed->set);
  views.SelectLine(position);
  if (parsed->mode == RecordingMode::Record) program.recording.SelectRecord();
  if (parsed->mode == RecordingMode::Playback) program.recording.SelectPlayback();
  program.recording.SetFileName(parsed->stem);
  const LaunchOutcome outcome = program.launch.RunGameOPTClick();
  if (!FlushOut()) return 1;
  switch (outcome) {
    case LaunchOutcome::Ran:
      return 0;
    case LaunchOutcome::Refused:
      return 4;
    case LaunchOutcome::NoGame:
    case LaunchOutcome::Failed:
      break;
  }
  return 1;
}

}  // namespace kw::cli
