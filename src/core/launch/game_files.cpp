#include "core/launch/game_files.h"

#include "common/ascii.h"
#include "core/browser/quick_info_controller.h"
#include "core/launch/run_files.h"
#include "core/shared/app_names.h"
#include "core/shared/command_line.h"
#include "core/shared/emulator_config.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/game_list_navigation.h"
#include "core/shown_program.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/process.h"

namespace kw {

namespace fs = platform::fs;

namespace {

struct KindFacts {
  const char* word;
  const char* extension;
};

KindFacts FactsOf(GameFileKind kind) {
  switch (kind) {
    case GameFileKind::Config:
      return {"configuration", ".CFG"};
    case GameFileKind::HiScore:
      return {"high score", ".HI"};
    case GameFileKind::NVRam:
      return {"NV-Ram", ".NV"};
    case GameFileKind::DefaultConfig:
      return {"default configuration", ".CFG"};
  }
  return {"configuration", ".CFG"};
}

const std::string& DirectoryOf(const EmulatorConfig& config, GameFileKind kind) {
  switch (kind) {
    case GameFileKind::HiScore:
      return config.directory.hi;
    case GameFileKind::NVRam:
      return config.directory.nvram;
    default:
      return config.directory.cfg;
  }
}

// A directory of MAME.CFG that climbs out with "..": it could name any file of the disk.
bool ClimbsOut(const std::string& dir) {
  std::size_t begin = 0;
  while (begin <= dir.size()) {
    std::size_t end = dir.find_first_of("/\\", begin);
    if (end == std::string::npos) end = dir.size();
    if (dir.compare(begin, end - begin, "..") == 0) return true;
    begin = end + 1;
  }
  return false;
}

}  // namespace

std::string GameFilePath(const EmulatorConfig& config, GameFileKind kind, std::string_view set_name,
                         EmulatorDialect dialect) {
  std::string dir = DirectoryOf(config, kind);
  if (!dir.empty() && dir.back() != '/') dir += '/';
  const bool today = dialect == EmulatorDialect::kListxml;
  const std::string stem = kind == GameFileKind::DefaultConfig
                               ? std::string(today ? "default" : "DEFAULT")
                               : std::string(set_name);
  if (today && kind == GameFileKind::NVRam) return dir + stem;
  const std::string extension = FactsOf(kind).extension;
  return dir + stem + (today ? AsciiLowerCase(extension) : extension);
}

std::string DeleteQuestion(GameFileKind kind, std::string_view set_name, const std::string& path) {
  std::string question = std::string("Really delete the ") + FactsOf(kind).word + " file";
  if (kind != GameFileKind::DefaultConfig) question += " for [" + std::string(set_name) + "]";
  return question + "?\rFile = " + path;
}

GameFilesController::GameFilesController(UserInterface& ui, const GameDatabase& database,
                                         const GameListNavigation& list,
                                         const EmulatorConfigController& emulator_config,
                                         const QuickInfoController& quick_info,
                                         const AppNames& names)
    : ui_(ui),
      database_(database),
      list_(list),
      emulator_config_(emulator_config),
      quick_info_(quick_info),
      names_(names) {}

void GameFilesController::DeleteGameFile(GameFileKind kind) {
  if (!database_.ProfileLoaded || list_.LineCount() <= 0) return;
  const long position = list_.SelectedGame();
  std::string name;
  if (position >= 0 && static_cast<std::size_t>(position) < database_.GameCount())
    name = database_.Game(static_cast<std::size_t>(position)).Name.Str();
  if (name.empty() && kind != GameFileKind::DefaultConfig) return;
  const EmulatorConfig& config = emulator_config_.Config();
  const std::string path = GameFilePath(config, kind, name, database_.Dialect);
  const std::string stem = kind == GameFileKind::DefaultConfig ? "DEFAULT" : name;
  // Today's emulator keeps a game's non-volatile memory as a directory of the set's name.
  const bool directory =
      database_.Dialect == EmulatorDialect::kListxml && kind == GameFileKind::NVRam;
  if (!IsPlainFileName(stem + FactsOf(kind).extension) || ClimbsOut(DirectoryOf(config, kind))) {
    ui_.Ask("The file name " + path +
                " would reach a file outside its directory.\rNothing was deleted.",
            MsgIcon::Warning);
    return;
  }
  if (ui_.Ask(DeleteQuestion(kind, name, path), MsgIcon::Warning, MsgButtons::YesNo) !=
      MsgAnswer::Yes)
    return;
  // The emulator's own spelling of the name, found without regard to case.
  const std::string file = fs::Resolve(path);
  if (!fs::Exists(file) && !fs::IsLink(file)) return;  // nothing to delete: no message
  std::string dir = fs::ExtractFilePath(file);
  if (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (fs::IsLink(file) || (!dir.empty() && fs::IsLink(dir))) {
    ui_.Ask("The file " + path + " is a link to another file.\rNothing was deleted.",
            MsgIcon::Warning);
    return;
  }
  if (directory && fs::DirectoryExists(file)) {
    if (Status deleted = fs::DeleteTree(file); !deleted)
      ui_.Ask("Cannot delete " + path + "\r" + deleted.Message(), MsgIcon::Error);
    return;
  }
  if (!fs::FileExists(file)) {
    ui_.Ask("The file " + path + " is not a file.\rNothing was deleted.", MsgIcon::Warning);
    return;
  }
  if (Status deleted = fs::Delete(file); !deleted)
    ui_.Ask("Cannot delete " + path + "\r" + deleted.Message(), MsgIcon::Error);
}

void GameFilesController::ExplorerOPTClick() {
  const std::string& picture = quick_info_.ShownPicturePath();
  if (picture.empty()) return;
  // The directory is given to the file manager as its one argument, an absolute path: the
  // current directory stays the emulator's.
  const std::string dir = fs::ExpandFileName(fs::ExtractFilePath(picture));
  const platform::Command command = DirectCommand({names_.SystemDir + "xdg-open", dir});
  if (std::optional<ShowFailure> failed = StartShowingProgram(ui_, command)) {
    ui_.Ask(failed->started ? "Cannot show the directory " + dir + "\r" + failed->reason
                            : failed->reason,
            MsgIcon::Error);
  }
}

}  // namespace kw
