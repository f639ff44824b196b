// What every command of kestrelwing-cli shares: the console's stand-in for the windows and
// writing to standard output.
#pragma once

#include <string>
#include <string_view>

#include "core/silent_user_interface.h"

namespace kw {
class GameDatabase;
}

namespace kw::cli {

// The console stands in for the windows: messages go to stderr, questions are answered Yes,
// progress is not shown.
class ConsoleUi : public SilentUserInterface {
 public:
  MsgAnswer Ask(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
  // A plain wait; Ctrl+C (SIGINT) while an emulator query does not come back ends the query.
  bool AwaitProgram(const std::function<bool()>& ended, bool offer_end) override;
};

// Writes to standard output; false (with the reason on stderr, once) when the bytes did not
// all go out, e.g. to a full disk.
bool WriteOut(std::string_view text);
bool FlushOut();

// Loads a profile file into `db`; false with the reason said on stderr.
bool LoadProfileFile(GameDatabase& db, const std::string& path);

}  // namespace kw::cli
