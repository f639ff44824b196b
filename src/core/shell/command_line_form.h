// The command-line window's work (TCmdLineFRM): the command the emulator is started with for the
// selected game, shown after the current directory like a prompt, and the settings that shape it
// beyond the option windows, each stored in the front-end settings at once.
#pragma once

#include <string>

namespace kw {

class GameDatabase;
class GameListNavigation;
class LaunchController;
struct FrontEndSettings;

// The set name shown when no game is selected.
inline constexpr const char* kPlaceholderSetName = "GAMENAME";

class CommandLineForm {
 public:
  CommandLineForm(FrontEndSettings& settings, const GameDatabase& database,
                  const GameListNavigation& list, LaunchController& launch);

  const FrontEndSettings& Settings() const { return settings_; }
  // AddOptionsClick, ExtraOptionsChange, LogMameClick, IgnoreCfgClick.
  void SetAddExtraOptions(bool on);
  void SetExtraOptions(const std::string& text);
  void SetLogTextOutput(bool on);
  void SetIgnoreConfig(bool on);

  // RefreshExample: the current directory (without its closing separator), ">" and the command
  // for the selected game's set name, or "GAMENAME" with no game selected. The set name is the
  // one the launch passes, so that the example is the command that runs.
  std::string Example();

 private:
  FrontEndSettings& settings_;
  const GameDatabase& database_;
  const GameListNavigation& list_;
  LaunchController& launch_;
};

}  // namespace kw
