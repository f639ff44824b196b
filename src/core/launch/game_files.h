// The emulator's per-game files on request: the selected game's configuration, high scores and
// non-volatile memory, or the default configuration, deleted after a question; and the desktop's
// file manager opened on the directory of the picture shown.
#pragma once

#include <string>
#include <string_view>

#include "core/shared/emulator_dialect.h"

namespace kw {

class EmulatorConfigController;
class GameDatabase;
class GameListNavigation;
class QuickInfoController;
class UserInterface;
struct AppNames;
struct EmulatorConfig;

enum class GameFileKind : int { Config = 0, HiScore = 1, NVRam = 2, DefaultConfig = 3 };

// The file's path: its directory of MAME.CFG with a separator added when it is not empty and has
// none at its end, the stem (the set name, or "DEFAULT") and ".CFG", ".HI" or ".NV". Today's
// emulator has NAME.cfg, NAME.hi, default.cfg, and its non-volatile memory as the directory NAME.
std::string GameFilePath(const EmulatorConfig& config, GameFileKind kind, std::string_view set_name,
                         EmulatorDialect dialect = EmulatorDialect::kListinfo);
// "Really delete the high score file for [MYGAME]?\rFile = HI/MYGAME.HI".
std::string DeleteQuestion(GameFileKind kind, std::string_view set_name, const std::string& path);

class GameFilesController {
 public:
  GameFilesController(UserInterface& ui, const GameDatabase& database,
                      const GameListNavigation& list,
                      const EmulatorConfigController& emulator_config,
                      const QuickInfoController& quick_info, const AppNames& names);

  // DeleteConfigOPTClick, DeleteHiScoreOPTClick, DeleteNVRamOPTClick,
  // DeleteDefaultConfigOPTClick. Only the one file of the name is ever deleted: a name that would
  // reach another file (a separator, "..", a link) deletes nothing and says so. A missing file
  // is no error; a file that cannot be deleted is said with the system's reason.
  void DeleteGameFile(GameFileKind kind);
  // ExplorerOPTClick: the file manager on the directory of the picture shown, not waited for.
  void ExplorerOPTClick();

 private:
  UserInterface& ui_;
  const GameDatabase& database_;
  const GameListNavigation& list_;
  const EmulatorConfigController& emulator_config_;
  const QuickInfoController& quick_info_;
  const AppNames& names_;
};

}  // namespace kw
