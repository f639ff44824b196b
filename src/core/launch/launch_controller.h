// The launch of the selected game (RunGameOPTClick): the emulator's options written, the game's
// ROM and sample sets put into the temporary directory, its per-game files set aside, the set
// tested, the emulator run and waited for, the play recorded, the per-game files the run left
// missing or empty put back, and the list brought back to the same game.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/shared/app_names.h"
#include "core/shared/command_line.h"
#include "core/shared/game_database.h"
#include "core/shared/report_document.h"

namespace kw {

class EmulatorConfigController;
class GameDatabase;
class GameListController;
class RecordingController;
class SetArchives;
class StatsController;
class UserInterface;
struct FrontEndSettings;
struct GameRecord;

enum class RecordingMode;

// The parts of a game's command line that the settings, the profile and the recording controls
// give.
// `rompath` is the emulator's own (today's emulator reads the collection where it stands).
GameCommand GameCommandOf(const FrontEndSettings& settings, const GameDatabase& database,
                          const AppNames& names, RecordingMode mode,
                          const std::string& rompath = "");

// The sets `game` borrows from through `link` (RomOf or SampleOf), nearest first: each name
// looked up in Games, then Resources, until a record has none or the name is not found. Each
// set is taken at most once, so sets that name each other end the chain.
std::vector<const GameRecord*> BorrowedSets(const GameDatabase& database, const GameRecord& game,
                                            SetName GameRecord::*link);

// What the user is told of the lines below when the set test passes all the same: the
// extraction's problem lines, the first ten of them.
std::string ExtractionProblemsMessage(const std::vector<std::string>& lines);

// How a launch ended.
enum class LaunchOutcome {
  NoGame,   // no profile or an empty list: nothing was run
  Refused,  // the set test found the game not runnable
  Ran,      // the emulator ran (or could not be started, which is not told apart)
  Failed,   // today's emulator ended with its failure status: the game did not run
};

class LaunchController {
 public:
  LaunchController(UserInterface& ui, const FrontEndSettings& settings, GameDatabase& database,
                   EmulatorConfigController& emulator_config, StatsController& statistics,
                   GameListController& game_list, RecordingController& recording,
                   SetArchives& archives, const AppNames& names);

  // RunGameOPTClick: the launch of the game selected in the list.
  LaunchOutcome RunGameOPTClick();
  // The launch of the game at `position` in Games (the console program names a set).
  LaunchOutcome Launch(long position);

  // The command line for `set_name` with the settings and recording controls as they are (the
  // command-line window's and the console program's); a recording name is filled in as a
  // launch fills it.
  std::string CommandLineText(const std::string& set_name);

  // The machine's memory as the set test sees it (tests replace it).
  void SetMemoryTotal(std::function<std::uint64_t()> total) { memory_total_ = std::move(total); }
  // What the last launch showed: the set test's report or the emulator's text output.
  const ReportDocument& Report() const { return report_; }

 private:
  // The game's command line; a recording name left empty becomes the set's (the edit shows it).
  ShellCommandLine LineFor(const std::string& set_name);
  // Puts the game's sets into the temporary directory; gives one line for each problem, which
  // names the set ("NAME         rom set: ...").
  std::vector<std::string> ExtractSets(const GameRecord& game);
  // Where in the temporary directory the game's sets go: today's emulator looks for them in a
  // directory of the game's name in lower case; the era's in the temporary directory itself
  // (empty).
  std::string SetDirectory(const GameRecord& game) const;
  LaunchOutcome RunGame(const GameRecord& game);
  std::vector<std::string> ExtractTodaysSets(const GameRecord& game);

  UserInterface& ui_;
  const FrontEndSettings& settings_;
  GameDatabase& database_;
  EmulatorConfigController& emulator_config_;
  StatsController& statistics_;
  GameListController& game_list_;
  RecordingController& recording_;
  SetArchives& archives_;
  const AppNames& names_;
  ReportDocument report_;
  std::function<std::uint64_t()> memory_total_;
};

}  // namespace kw
