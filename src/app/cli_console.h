// What every command of kestrelwing-cli shares: the console's stand-in for the windows and
// writing to standard output.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/silent_user_interface.h"

namespace kw {
class GameDatabase;
struct FrontEndSettings;
}  // namespace kw

namespace kw::cli {

// The console stands in for the windows: messages go to stderr, questions are answered Yes,
// progress is not shown.
class ConsoleUi : public SilentUserInterface {
 public:
  MsgAnswer Ask(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
  // A plain wait; Ctrl+C (SIGINT) while an emulator query does not come back ends the query.
  bool AwaitProgram(const std::function<bool()>& ended, bool offer_end) override;
};

// A message box's text as the console prints it: one line a line; after the message for a file
// that is not a profile, a line that says so in plain words.
std::string ConsoleText(const std::string& message);

// Bad usage: "kestrelwing-cli COMMAND: WHY" and the command's usage on stderr; gives exit status 2.
int BadUsage(const char* command, const std::string& why, const char* usage);

// Checks the words of a command that takes exactly the arguments `names` and no option: false
// (after BadUsage) for an option, a missing or an extra argument.
bool FixedArguments(const char* command, const std::vector<std::string>& args,
                    std::initializer_list<const char*> names, const char* usage);

// A word that is an option ("--x", "-x"), not an argument ("-" alone is an argument).
inline bool IsOption(const std::string& word) {
  return word.size() > 1 && word[0] == '-';
}

// "kestrelwing-cli COMMAND: the profile has no game named 'NAME'" on stderr; gives exit status 1.
int UnknownSet(const char* command, const std::string& name);

// Writes to standard output; false (with the reason on stderr, once) when the bytes did not
// all go out, e.g. to a full disk.
bool WriteOut(std::string_view text);
bool FlushOut();

// Loads a profile file into `db`; false with the reason said on stderr.
bool LoadProfileFile(GameDatabase& db, const std::string& path);

// Makes the program directory as the program does at start-up; false with the directory and the
// reason said on stderr.
bool EnsureProgramDirectory(const char* command);

// Puts the games into the game list's order: the sort of `settings` (KESTREL.INI), the most
// played counted from STATS.INI at `stats_path`.
void SortAsList(GameDatabase& db, const FrontEndSettings& settings, const std::string& stats_path);

}  // namespace kw::cli
