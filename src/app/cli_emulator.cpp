// create-profile and check-profile: the profile creation after its window, and the validation
// of an opened profile, without windows, through the same emulator queries as the program.
#include <cstdio>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "core/launch/emulator_run.h"
#include "core/profile/emulator_query.h"
#include "core/profile/game_database.h"
#include "core/profile/listinfo_parser.h"
#include "core/profile/profile_controller.h"
#include "core/shell/app_names.h"
#include "core/shell/settings_store.h"
#include "platform/fs.h"
#include "platform/system_info.h"

namespace kw::cli {

namespace fs = platform::fs;

namespace {

constexpr const char* kCreateUsage = "Usage: kestrelwing-cli create-profile EMULATOR OUT.KSL\n";
constexpr const char* kCheckUsage = "Usage: kestrelwing-cli check-profile PROFILE.KSL\n";

// A message of the flow on stderr, its lines one a line.
int Fail(const std::string& message) {
  ConsoleUi().Ask(message, MsgIcon::Error, MsgButtons::Ok);
  return 1;
}

// The program directory's capture name and KillPifFile, as the program would use them.
EmulatorQueryContext QueryContext(const AppNames& names) {
  SettingsStore settings(names.SettingsPath);
  settings.Load(names.SystemDir);
  EmulatorQueryContext context;
  context.CaptureFileName = names.CaptureFileName;
  context.KillPifFile = settings.Values().KillPifFile;
  context.PifPath = PifFilePath(names.ProgramDir);
  return context;
}

}  // namespace

int CreateProfileHeadless(const std::string& emulator, const std::string& output) {
  const AppNames names = AppNames::Compute(platform::ProgramDir(), platform::SystemDir());
  const std::string full = fs::ExpandFileName(emulator);
  const std::string out = fs::ExpandFileName(output);
  const std::string dir = fs::ExtractFilePath(full);
  const std::string exe = fs::ExtractFileName(full);
  if (!fs::SetCurrentDirectory(dir)) return Fail(kEmulatorDirMissing);
  if (exe.empty() || !fs::FileExists(exe)) return Fail(kEmulatorFileMissing);

  ConsoleUi ui;
  const EmulatorQueryContext context = QueryContext(names);
  Result<std::string> version = QueryEmulatorVersion(ui, exe, context);
  if (!version) return Fail(kNoEmulatorVersion);
  if (!WriteOut(*version + "\n")) return 1;

  if (!QueryListinfo(ui, exe, context) || !fs::FileExists(context.CaptureFileName))
    return Fail(kNoGameInfo);
  GameDatabase db;
  db.EmulatorVersion = *version;
  db.EmulatorDir = dir;
  db.EmulatorExe = exe;
  Result<std::vector<ListinfoLogEntry>> log = ParseListinfoFile(context.CaptureFileName, db);
  (void)fs::Delete(fs::Resolve(context.CaptureFileName));
  if (!log) return Fail(kNoGameInfo);
  return ReportAndSaveProfile("create-profile", *log, db, out);
}

int CreateProfile(const Args& args) {
  if (args.size() != 2 || (args[0].size() > 1 && args[0][0] == '-')) {
    std::fputs(kCreateUsage, stderr);
    return 2;
  }
  return CreateProfileHeadless(args[0], args[1]);
}

int CheckProfile(const Args& args) {
  if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-')) {
    std::fputs(kCheckUsage, stderr);
    return 2;
  }
  const AppNames names = AppNames::Compute(platform::ProgramDir(), platform::SystemDir());
  const std::string path = fs::ExpandFileName(args[0]);
  if (!fs::FileExists(path)) return Fail("Cannot find " + path + " profile!");
  GameDatabase db;
  if (!LoadProfileFile(db, path)) return 1;
  if (!fs::SetCurrentDirectory(db.EmulatorDir))
    return Fail(db.EmulatorDir + " directory does not exist! This profile is unusable.");
  if (!fs::FileExists(db.EmulatorExe))
    return Fail(db.EmulatorDir + db.EmulatorExe + " emulator not found! This profile is unusable.");
  ConsoleUi ui;
  Result<std::string> found = QueryEmulatorVersion(ui, db.EmulatorExe, QueryContext(names));
  const std::string line = found ? *found : std::string();
  if (line != db.EmulatorVersion) {
    return Fail("The emulator executable file has changed:\r\rExpected = " + db.EmulatorVersion +
                "\rFound    = " + line + "\r\rThis profile has become invalid.");
  }
  return WriteOut("Profile accepted: " + db.EmulatorVersion + "\n") && FlushOut() ? 0 : 1;
}

}  // namespace kw::cli
