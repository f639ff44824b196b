// create-profile, check-profile and dialect: the profile creation after its window, the
// validation of an opened profile and the dialect detection, without windows, through the same
// emulator queries as the program.
#include <cstdio>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "core/profile/emulator_query.h"
#include "core/profile/listinfo_parser.h"
#include "core/profile/listxml_flow.h"
#include "core/profile/listxml_parser.h"
#include "core/profile/profile_controller.h"
#include "core/shared/app_names.h"
#include "core/shared/emulator_run.h"
#include "core/shared/game_database.h"
#include "core/shared/settings_store.h"
#include "platform/fs.h"
#include "platform/system_info.h"

namespace kw::cli {

namespace fs = platform::fs;

namespace {

constexpr const char* kCreateUsage = "Usage: kestrelwing-cli create-profile EMULATOR OUT.KSL\n";
constexpr const char* kCheckUsage = "Usage: kestrelwing-cli check-profile PROFILE.KSL\n";
constexpr const char* kDialectUsage = "Usage: kestrelwing-cli dialect EMULATOR\n";

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
  context.SpareDir = names.ProgramDir;
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
  Result<DetectedDialect> detected = DetectDialect(full, context.AnswerLimitMs);
  if (!detected) return Fail(detected.Message());
  GameDatabase db;
  db.Dialect = detected->dialect;
  db.EmulatorDir = dir;
  db.EmulatorExe = exe;
  Result<std::string> version = Failure(kNoEmulatorVersion);
  if (db.Dialect == EmulatorDialect::kListinfo) {
    version = QueryEmulatorVersion(ui, exe, context);
  } else if (!detected->version.empty()) {
    version = detected->version;
  }
  if (!version) {
    const std::string failed = CaptureFailureOf(db.Dialect, version);
    return Fail(failed.empty() ? std::string(kNoEmulatorVersion) : failed);
  }
  db.EmulatorVersion = *version;
  if (!WriteOut(*version + "\n")) return 1;

  Result<std::vector<ListinfoLogEntry>> log = Failure(kNoGameInfo);
  if (db.Dialect == EmulatorDialect::kListinfo) {
    if (!QueryListinfo(ui, exe, context) || !fs::FileExists(context.CaptureFileName))
      return Fail(kNoGameInfo);
    log = ParseListinfoFile(context.CaptureFileName, db);
    (void)fs::Delete(fs::Resolve(context.CaptureFileName));
  } else {
    Result<std::string> capture = QueryListxml(ui, exe, context);
    if (!capture) return Fail(capture.Message());
    log = ParseListxmlFile(*capture, db);
    (void)fs::Delete(fs::Resolve(*capture));
  }
  if (!log) return Fail(kNoGameInfo);
  if (LogRefusesProfile(*log)) {
    // Nothing of a list that cannot be read is kept: the log says why, and nothing is written.
    for (const ListinfoLogEntry& entry : *log)
      if (!WriteOut(ListinfoLogLine(entry) + "\n")) return 1;
    return Fail(kListxmlRefused);
  }
  return ReportAndSaveProfile("create-profile", *log, db, out);
}

int Dialect(const Args& args) {
  if (!FixedArguments("dialect", args, {"EMULATOR"}, kDialectUsage)) return 2;
  const std::string full = fs::ExpandFileName(args[0]);
  if (!fs::FileExists(full)) return Fail(kEmulatorFileMissing);
  Result<DetectedDialect> detected = DetectDialect(full);
  if (!detected) return Fail(detected.Message());
  return WriteOut(std::string(DialectWord(detected->dialect)) + "\n") && FlushOut() ? 0 : 1;
}

int CreateProfile(const Args& args) {
  if (!FixedArguments("create-profile", args, {"EMULATOR", "OUT.KSL"}, kCreateUsage)) return 2;
  return CreateProfileHeadless(args[0], args[1]);
}

int CheckProfile(const Args& args) {
  if (!FixedArguments("check-profile", args, {"PROFILE.KSL"}, kCheckUsage)) return 2;
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
  Result<std::string> found = QueryVersionOf(db.Dialect, ui, db.EmulatorExe, QueryContext(names));
  const std::string line = found ? *found : std::string();
  if (const std::string failed = CaptureFailureOf(db.Dialect, found); !failed.empty())
    return Fail(UncheckedProfileMessage(failed));
  if (line != db.EmulatorVersion) {
    return Fail("The emulator executable file has changed:\r\rExpected = " + db.EmulatorVersion +
                "\rFound    = " + line + "\r\rThis profile has become invalid.");
  }
  return WriteOut("Profile accepted: " + db.EmulatorVersion + "\n") && FlushOut() ? 0 : 1;
}

}  // namespace kw::cli
