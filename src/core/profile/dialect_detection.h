// Which dialect a program speaks: the questions asked of a program that might be the emulator,
// and the working directory a profile's emulator is run from.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "core/shared/emulator_dialect.h"

namespace kw {

// How long a program is given to answer one question of the detection (and today's version
// query), after which it is killed with what it started, and how much of its answer is kept.
inline constexpr int kAnswerLimitMs = 10000;
inline constexpr std::size_t kAnswerMaxBytes = 64 * 1024;

struct DetectedDialect {
  EmulatorDialect dialect = EmulatorDialect::kListinfo;
  // The version line the program gave: for today's emulator the first line of -version (empty
  // when it gave none in time), for the era's the first line it prints without arguments.
  std::string version;
};

// The refusal of a program that answers neither as today's emulator nor as the era's.
std::string NotAnEmulatorMessage(const std::string& program);

// True for what today's emulator prints for -help: a first line "MAME v0.251 (...)" (a build
// of another name ending in MAME, "GroovyMAME v0.251", counts too) and a "Usage:" line.
bool AnswersAsTodaysEmulator(std::string_view help);

// Finds out which dialect the program speaks, without ever waiting on it for good: today's
// emulator run without arguments starts its own window and waits, so it is first asked -help;
// an answer as today's emulator gives is kListxml, its version then asked with -version. A
// program that has not answered -help at the limit is refused there. Else the era's question,
// the program without arguments: a non-empty first line is kListinfo. Each question runs for at
// most `limit_ms` (then the program is killed with what it started), standard input on
// /dev/null, `tick` called about every 15 ms meanwhile. A bare name is a file in the current
// directory. Fails with NotAnEmulatorMessage for a program that answers neither way: one that
// prints nothing, ends at once or never ends, or cannot be started.
Result<DetectedDialect> DetectDialect(const std::string& program, int limit_ms = kAnswerLimitMs,
                                      const std::function<void()>& tick = {});

class GameDatabase;

// The directory the program works in while `database` is open: the emulator's directory, where
// the era's emulator expects its temporary directory and files. Today's emulator is installed in
// a directory of the system that a user cannot write ("/usr/games/"): when its directory cannot
// be written, the work goes into WORK/ of `program_dir`, the user's own.
std::string WorkDirOf(const GameDatabase& database, const std::string& program_dir);
// Records WorkDirOf in database.WorkDir, makes it when missing and makes it the current
// directory (the emulator then runs there too). Fails with the system's reason, the current
// directory unchanged.
Status EnterWorkDir(GameDatabase& database, const std::string& program_dir);

}  // namespace kw
