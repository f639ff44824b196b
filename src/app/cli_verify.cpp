// verify: the set verifier without windows, as the verify window runs it.
#include <cstdio>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_console.h"
#include "app/console_views.h"
#include "app/program.h"
#include "core/audit/machine_audit.h"
#include "core/reports/verifier.h"
#include "core/shared/set_archives.h"
#include "platform/fs.h"
#include "platform/system_info.h"

namespace kw::cli {

namespace {

constexpr const char* kVerifyUsage =
    "Usage: kestrelwing-cli verify PROFILE.KSL [--report FILE] [--quick]\n"
    "                              [--OPTION | --no-OPTION ...]\n"
    "       kestrelwing-cli verify PROFILE.KSL --status [--quick] [--sets NAME ...]\n";

// Sets the option named by `word` ("--VerifyCabinets", "--no-VerifySamples"); false when there
// is no such option.
bool SetOption(VerifyOptions& options, const std::string& word) {
  if (!word.starts_with("--")) return false;
  std::string name = word.substr(2);
  bool value = true;
  if (name.starts_with("no-")) {
    name = name.substr(3);
    value = false;
  }
  for (const VerifyOptionField& option : kVerifyOptionFields) {
    if (name == option.name) {
      options.*option.field = value;
      return true;
    }
  }
  return false;
}

// Keeps the verdicts of a check for the window's quick information; a failure is said, and the
// check stands.
void KeepVerdicts(Program& program, const SetVerdicts& verdicts, bool whole) {
  if (Status kept = program.set_status.Keep(verdicts, whole); !kept)
    std::fprintf(stderr, "kestrelwing-cli verify: %s\n", kept.Message().c_str());
}

// Each machine of a profile of today's emulator judged as the emulator judges it, one line each.
int PrintStatus(Program& program, bool quick, const std::vector<std::string>& sets) {
  if (program.database.Dialect != EmulatorDialect::kListxml) {
    std::fprintf(stderr,
                 "kestrelwing-cli verify: --status needs a profile of today's emulator; this one "
                 "is the era's\n");
    return 1;
  }
  Collection collection(SearchDirectories(program.emulator_config.Config().directory.rompath),
                        !quick);
  const std::vector<JudgedMachine> judged = AuditProfile(program.database, collection, sets);
  std::string text;
  SetVerdicts verdicts;
  for (const JudgedMachine& machine : judged) {
    text += machine.name + " " + std::string(AuditWord(machine.audit.verdict)) + "\n";
    verdicts.emplace_back(machine.name, machine.audit.verdict);
    for (const std::string& unreadable : machine.audit.unreadable)
      std::fprintf(stderr, "kestrelwing-cli verify: %s\n", unreadable.c_str());
  }
  KeepVerdicts(program, verdicts, sets.empty());
  return WriteOut(text) && FlushOut() ? 0 : 1;
}

}  // namespace

int Verify(const Args& args) {
  VerifyOptions options;
  std::string profile;
  std::string report;
  bool status = false;
  std::vector<std::string> sets;
  auto bad = [](const std::string& why) { return BadUsage("verify", why, kVerifyUsage); };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--report") {
      if (i + 1 == args.size()) return bad("--report needs a value");
      report = args[++i];
    } else if (a == "--quick") {
      options.QuickCheck = true;
    } else if (a == "--status") {
      status = true;
    } else if (a == "--sets") {
      while (i + 1 < args.size() && !args[i + 1].starts_with("--"))
        sets.push_back(args[++i]);
      if (sets.empty()) return bad("--sets needs at least one name");
    } else if (IsOption(a)) {
      if (!SetOption(options, a)) return bad("unknown option '" + a + "'");
    } else if (profile.empty()) {
      profile = a;
    } else {
      return bad("unexpected argument '" + a + "'");
    }
  }
  if (profile.empty()) return bad("missing PROFILE.KSL");
  if (!sets.empty() && !status) return bad("--sets goes with --status");
  if (!EnsureProgramDirectory("verify")) return 1;
  if (!report.empty()) report = platform::fs::ExpandFileName(report);
  ConsoleUi ui;
  ConsoleViews views;
  Program program(ui, views.Views(),
                  AppNames::Compute(platform::ProgramDir(), platform::SystemDir()));
  program.settings.Load(program.names.SystemDir);
  program.profiles.OpenProfile(profile);
  if (!program.database.ProfileLoaded) return 1;
  if (status) return PrintStatus(program, options.QuickCheck, sets);
  // The report as the window names it by default; a relative name was taken from where the
  // command was started, not from the emulator directory the open profile makes current.
  options.LogFileName = report.empty() ? program.names.ProgramDir + "REPORT.TXT" : report;
  options.OpenInEditor = false;

  // Nobody watches the run and it is never aborted; no sound, no editor.
  VerifyProgress unwatched;
  const EmulatorConfig& config = program.emulator_config.Config();
  Verifier verifier(ui, program.settings.Values(), program.database, program.names,
                    config.directory.rompath, config.directory.samplepath, unwatched);
  Result<VerifyOutcome> outcome = verifier.Run(options);
  if (!outcome) {
    std::fprintf(stderr, "kestrelwing-cli verify: %s\n", outcome.Message().c_str());
    return 1;
  }
  if (*outcome != VerifyOutcome::Completed) return 1;
  if (!verifier.Verdicts().empty())
    KeepVerdicts(program, verifier.Verdicts(), verifier.VerdictsWhole());
  std::string text;
  for (const VerifyCounterField& counter : kVerifyCounterFields)
    text +=
        std::string(counter.name) + "=" + std::to_string(verifier.Counters().*counter.field) + "\n";
  return WriteOut(text) && FlushOut() ? 0 : 1;
}

}  // namespace kw::cli
