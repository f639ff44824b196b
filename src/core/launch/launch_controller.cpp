#include "core/launch/launch_controller.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/ascii.h"
#include "core/audit/machine_audit.h"
#include "core/browser/game_list_controller.h"
#include "core/launch/crash_check.h"
#include "core/launch/recording_controller.h"
#include "core/launch/run_files.h"
#include "core/launch/set_test.h"
#include "core/launch/stats_controller.h"
#include "core/launch/text_output.h"
#include "core/shared/command_line.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/emulator_run.h"
#include "core/shared/game_database.h"
#include "core/shared/set_archives.h"
#include "core/shared/set_bounds.h"
#include "core/shared/settings.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/process.h"

namespace kw {

std::vector<const GameRecord*> BorrowedSets(const GameDatabase& database, const GameRecord& game,
                                            SetName GameRecord::*link) {
  std::vector<const GameRecord*> chain;
  for (const GameRecord* current = &game; !(current->*link).empty();) {
    current = database.FindSet((current->*link).View(), true);
    if (!current) break;
    // Sets that name each other or themselves: a set already taken ends the chain.
    const auto taken = [current](const GameRecord* set) { return set->Name == current->Name; };
    if (current->Name == game.Name || std::any_of(chain.begin(), chain.end(), taken)) break;
    chain.push_back(current);
  }
  return chain;
}

LaunchController::LaunchController(UserInterface& ui, const FrontEndSettings& settings,
                                   GameDatabase& database,
                                   EmulatorConfigController& emulator_config,
                                   StatsController& statistics, GameListController& game_list,
                                   RecordingController& recording, SetArchives& archives,
                                   const AppNames& names)
    : ui_(ui),
      settings_(settings),
      database_(database),
      emulator_config_(emulator_config),
      statistics_(statistics),
      game_list_(game_list),
      recording_(recording),
      archives_(archives),
      names_(names),
      memory_total_(PhysicalMemoryTotal) {}

LaunchOutcome LaunchController::RunGameOPTClick() {
  return Launch(game_list_.SelectedGame());
}

GameCommand GameCommandOf(const FrontEndSettings& settings, const GameDatabase& database,
                          const AppNames& names, RecordingMode mode, const std::string& rompath) {
  GameCommand command;
  if (database.Dialect == EmulatorDialect::kListxml) command.RomPath = rompath;
  command.Dialect = database.Dialect;
  command.EmulatorPath = database.EmulatorDir + database.EmulatorExe;
  command.TempDirName = names.TempDirName;
  command.CaptureFileName = names.CaptureFileName;
  command.ErrorLog = settings.ErrorLog;
  command.IgnoreConfig = settings.IgnoreConfig;
  command.Record = mode == RecordingMode::Record;
  command.Playback = mode == RecordingMode::Playback;
  command.AddExtraOptions = settings.AddExtraOptions;
  command.ExtraOptions = settings.ExtraOptions;
  command.LogTextOutput = settings.LogTextOutput;
  return command;
}

ShellCommandLine LaunchController::LineFor(const std::string& set_name) {
  std::string inp = recording_.FileName();
  ShellCommandLine line =
      BuildCommandLine(GameCommandOf(settings_, database_, names_, recording_.Mode(),
                                     emulator_config_.Config().directory.rompath),
                       set_name, inp);
  if (inp != recording_.FileName()) recording_.SetFileName(inp);
  return line;
}

std::string LaunchController::CommandLineText(const std::string& set_name) {
  return LineFor(set_name).Text();
}

std::string ExtractionProblemsMessage(const std::vector<std::string>& lines) {
  // A message box has room for a few lines; the report keeps them all.
  constexpr std::size_t kShown = 10;
  std::string text =
      "Some files of the game's sets could not be put into the temporary directory:\r";
  for (std::size_t i = 0; i < lines.size() && i < kShown; ++i)
    text += "\r" + lines[i];
  if (lines.size() > kShown) text += "\r... and " + std::to_string(lines.size() - kShown) + " more";
  return text + "\r\rThe game passed the rom set test all the same: MAME will be run.";
}

namespace {

// Whether today's emulator reads the set found at `location` as it stands: a ZIP or 7z archive
// or a folder, under the set's name in lower case (it looks for no other spelling).
bool ReadsAsItStands(const std::string& location, const std::string& lower_name) {
  const std::string file =
      platform::fs::ExtractFileName(platform::fs::ExcludeTrailingSeparator(location));
  if (platform::fs::DirectoryExists(location)) return file == lower_name;
  return file == lower_name + ".zip" || file == lower_name + ".7z";
}

// One line for each problem of `status`, each after `prefix`.
void AddProblems(std::vector<std::string>& problems, const std::string& prefix,
                 const Status& status) {
  if (status) return;
  const std::string& text = status.Message();
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    problems.push_back(prefix + text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

std::vector<std::string> LaunchController::ExtractSets(const GameRecord& game) {
  const EmulatorConfig& config = emulator_config_.Config();
  // The game's own sets first, then those it borrows from, nearest first: a file of the same
  // name in a later set replaces the earlier one.
  std::vector<std::pair<std::string, SetKind>> sets;
  if (!database_.Roms(game).empty()) sets.emplace_back(game.Name.Str(), SetKind::Rom);
  for (const GameRecord* set : BorrowedSets(database_, game, &GameRecord::RomOf))
    sets.emplace_back(set->Name.Str(), SetKind::Rom);
  if (!database_.Samples(game).empty()) sets.emplace_back(game.Name.Str(), SetKind::Sample);
  for (const GameRecord* set : BorrowedSets(database_, game, &GameRecord::SampleOf))
    sets.emplace_back(set->Name.Str(), SetKind::Sample);
  if (database_.Dialect == EmulatorDialect::kListxml) return ExtractTodaysSets(game);
  const std::string into = SetDirectory(game);
  // No set gets more than the game's sets list: an archive bomb stops there.
  const SetBounds bounds(database_);
  const platform::archive::SizeLimits rom_limits = bounds.ForRoms(game);
  const platform::archive::SizeLimits sample_limits = bounds.ForSamples(game);
  std::vector<std::string> problems;
  for (const auto& [name, kind] : sets) {
    const bool rom = kind == SetKind::Rom;
    const std::string& search = rom ? config.directory.rompath : config.directory.samplepath;
    const Status extracted =
        archives_.ExtractSet(name, search, kind, into, rom ? rom_limits : sample_limits);
    // One line for each problem, which names the set it came from.
    AddProblems(problems, PaddedName(name) + (rom ? " rom set: " : " sample set: "), extracted);
  }
  return problems;
}

std::vector<std::string> LaunchController::ExtractTodaysSets(const GameRecord& game) {
  const EmulatorConfig& config = emulator_config_.Config();
  const SetBounds bounds(database_);
  std::vector<std::string> problems;
  // The emulator reads the collection itself; only the sets it cannot read as they stand (RAR
  // and ACE archives, names in another case) go into the temporary directory, each into a
  // directory of its own name, where it looks first.
  std::vector<const GameRecord*> sets{&game};
  for (const GameRecord* set : BorrowedSets(database_, game, &GameRecord::RomOf))
    sets.push_back(set);
  for (std::uint32_t device : database_.Devices(game)) {
    if (const GameRecord* set = database_.FindSet(database_.DeviceName(device), true))
      sets.push_back(set);
  }
  for (const GameRecord* set : sets) {
    const std::string lower = AsciiLowerCase(set->Name.View());
    const std::string location =
        archives_.LocateSetFile(set->Name.Str(), config.directory.rompath, SetKind::Rom);
    if (location.empty() || ReadsAsItStands(location, lower)) continue;
    AddProblems(problems, PaddedName(set->Name.Str()) + " rom set: ",
                archives_.ExtractSet(set->Name.Str(), config.directory.rompath, SetKind::Rom, lower,
                                     bounds.ForRoms(*set)));
  }
  // Its samples as before: in the game's directory, the game's own last.
  std::vector<std::string> samples;
  for (const GameRecord* set : BorrowedSets(database_, game, &GameRecord::SampleOf))
    samples.insert(samples.begin(), set->Name.Str());
  if (!database_.Samples(game).empty()) samples.push_back(game.Name.Str());
  for (const std::string& name : samples) {
    AddProblems(problems, PaddedName(name) + " sample set: ",
                archives_.ExtractSet(name, config.directory.samplepath, SetKind::Sample,
                                     SetDirectory(game), bounds.ForSamples(game)));
  }
  return problems;
}

std::string LaunchController::SetDirectory(const GameRecord& game) const {
  return database_.Dialect == EmulatorDialect::kListxml ? AsciiLowerCase(game.Name.View())
                                                        : std::string();
}

LaunchOutcome LaunchController::RunGame(const GameRecord& game) {
  const std::string name = game.Name.Str();
  ui_.SetOperation("Uncompressing rom set...");
  ui_.SetProgress(-1);
  ui_.ShowProgress();
  ui_.ProcessMessages();
  const std::vector<std::string> extraction = ExtractSets(game);

  const std::array<RunFile, 4> run_files =
      RunFilesOf(emulator_config_.Config(), name, recording_.FileName(), database_.Dialect);
  for (const RunFile& file : run_files) {
    if (const std::string link = BackupRunFile(file, names_.TempDirName); !link.empty())
      ui_.Ask(LinkRemovedMessage(link), MsgIcon::Warning);
  }
  ui_.HideProgress();
  ui_.ProcessMessages();

  // The test looks where the emulator will: in the game's directory for today's emulator.
  AppNames tested = names_;
  if (const std::string into = SetDirectory(game); !into.empty())
    tested.TempDirName += platform::fs::kSeparator + into;
  bool passed = false;
  if (database_.Dialect == EmulatorDialect::kListxml) {
    // Judged where the emulator will look: the temporary directory, then the ROM folders.
    Collection collection(
        SearchDirectories(names_.TempDirName + ";" + emulator_config_.Config().directory.rompath),
        false);
    const MachineAudit audit = MachineAuditor(database_, collection).Audit(game);
    passed = AuditedLaunchTest(ui_, settings_, database_, game, tested, report_, audit, extraction);
  } else {
    passed =
        PreLaunchTest(ui_, settings_, database_, game, tested, report_, memory_total_, extraction);
  }
  if (!passed) {
    for (const RunFile& file : run_files)
      RestoreRunFile(file, names_.TempDirName);
    return LaunchOutcome::Refused;
  }
  // The report that holds the extraction's lines is offered only for a game refused.
  if (!extraction.empty()) ui_.Ask(ExtractionProblemsMessage(extraction), MsgIcon::Warning);

  ui_.SetBusy(true);
  TextOutputContext output;
  output.ProductName = names_.ProductName;
  output.ProgramDir = names_.ProgramDir;
  output.CaptureFileName = names_.CaptureFileName;
  output.NormalFontSize = settings_.NormalFontSize;
  output.OutputLogged = settings_.LogTextOutput;
  // Today's emulator says why a game cannot run on its standard error, and ends with its failure
  // status: both are kept to tell the user.
  const bool today = database_.Dialect == EmulatorDialect::kListxml;
  if (today) output.ErrorFileName = names_.TempDirName + ".ERR";
  const ShellCommandLine line = LineFor(name);
  if (settings_.LogTextOutput) BeginTextOutput(report_, line.Text(), output);

  DeletePifFile(settings_.KillPifFile, PifFilePath(names_.ProgramDir));
  const auto started = std::chrono::steady_clock::now();
  const EmulatorEnd end = RunGameEmulator(ui_, line, output.ErrorFileName);
  const PlayTime played = PlayTimeOf(std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::steady_clock::now() - started));
  const bool failed = today && end.Outcome == RunOutcome::Ended && end.ExitCode != 0;
  if (!failed)
    statistics_.RecordRun(settings_.UseStats, name, played.Hours, played.Minutes, played.Seconds);

  for (const RunFile& file : run_files)
    RestoreRunFile(file, names_.TempDirName);
  ui_.SetBusy(false);
  if (failed) {
    EndFailedRunOutput(ui_, report_, line.Text(), output, end.ExitCode);
    return LaunchOutcome::Failed;
  }
  if (today) platform::PassOnToStandardError(platform::fs::Resolve(output.ErrorFileName));
  if (settings_.LogTextOutput) EndTextOutput(ui_, report_, output);
  return LaunchOutcome::Ran;
}

LaunchOutcome LaunchController::Launch(long position) {
  game_list_.SuspendJoystick();
  (void)emulator_config_.WriteEmulatorConfig();
  LaunchOutcome outcome = LaunchOutcome::NoGame;
  std::string played;
  if (database_.ProfileLoaded && position >= 0 &&
      static_cast<std::size_t>(position) < database_.GameCount()) {
    const GameRecord game = database_.Game(static_cast<std::size_t>(position));
    played = game.Name.Str();
    outcome = RunGame(game);
  }
  if (!DeleteTempDir(database_.WorkDirectory() + names_.TempDirName)) {
    ui_.Ask(kTempDirNotDeleted, MsgIcon::Error);
  }
  game_list_.ReselectAfterRun(played, settings_.SortBy == kSortMostPlayed && settings_.UseStats);
  game_list_.ResumeJoystick();
  return outcome;
}

}  // namespace kw
