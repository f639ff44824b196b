#include "core/options/option_windows_controller.h"

#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/game_list_navigation.h"
#include "core/shared/mame_options.h"
#include "core/shared/settings.h"
#include "core/shown_program.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/process.h"

namespace kw {

OptionWindowsController::OptionWindowsController(UserInterface& ui, FrontEndSettings& settings,
                                                 const GameDatabase& database,
                                                 EmulatorConfigController& emulator_config,
                                                 const GameListNavigation& game_list,
                                                 const std::vector<std::string>& language_codes,
                                                 std::string product_name)
    : ui_(ui),
      settings_(settings),
      database_(database),
      emulator_config_(emulator_config),
      game_list_(game_list),
      language_codes_(language_codes),
      product_name_(std::move(product_name)) {}

EmulatorConfig& OptionWindowsController::Config() {
  return emulator_config_.Config();
}
const EmulatorConfig& OptionWindowsController::Config() const {
  return emulator_config_.Config();
}
bool OptionWindowsController::Offers(const EmulatorKey& key) const {
  return DialectHasOption(database_.Dialect, key);
}
const std::string& OptionWindowsController::EmulatorDir() const {
  return database_.EmulatorDir;
}

void OptionWindowsController::ShowConfigInWindows() {
  if (database_.Dialect == EmulatorDialect::kListxml) return;
  StoreShownValues(Config(), language_codes_);
  ResolutionChanged();
}

std::optional<ScreenSize> OptionWindowsController::SelectedGameScreen() const {
  const long position = game_list_.SelectedGame();
  if (game_list_.LineCount() <= 0 || position < 0 ||
      static_cast<std::size_t>(position) >= database_.GameCount()) {
    return std::nullopt;
  }
  const GameRecord& game = database_.Game(static_cast<std::size_t>(position));
  return ScreenSize{game.Width, game.Height};
}

bool OptionWindowsController::HasGames() const {
  return game_list_.LineCount() > 0;
}

ViewAreaPreview OptionWindowsController::ViewArea() const {
  const auto& c = Config().config;
  return DrawViewArea(c.resolution, SelectedGameScreen(), c.skipcolumns, c.skiplines);
}

void OptionWindowsController::ResolutionChanged() {
  if (!HasGames()) return;  // no game to preview: nothing is drawn or changed
  const ViewAreaPreview view = ViewArea();
  Config().config.skipcolumns = view.skipcolumns;
  Config().config.skiplines = view.skiplines;
}

void OptionWindowsController::DragViewArea(PreviewPoint start, PreviewPoint now) {
  if (!ViewArea().active) return;
  kw::DragViewArea(Config(), start, now);
  ResolutionChanged();  // limited as the preview limits it
}

void OptionWindowsController::DragCentering(PreviewPoint start, PreviewPoint now) {
  if (!DrawCentering(Config()).active) return;
  kw::DragCentering(Config(), start, now);
}

void OptionWindowsController::CenterViewBTNClick() {
  Config().config.skipcolumns = 0;
  Config().config.skiplines = 0;
}

void OptionWindowsController::CenterScreenBTNClick() {
  Config().config.centerx = 0;
  Config().config.centery = 0;
}

bool OptionWindowsController::CheatEditAvailable() const {
  return !settings_.TextEditor.empty() && platform::fs::FileExists(settings_.TextEditor);
}

void OptionWindowsController::CheatEditBTNClick() {
  const std::string& cheat_file = Config().config.cheatfile;
  // The emulator reads the cheat file from its own directory.
  std::string path = cheat_file;
  if (!platform::fs::IsAbsolute(path)) path = database_.EmulatorDir + path;
  if (IsGzipFile(path)) {
    ui_.Ask(std::string(kCheatFileCompressed), MsgIcon::Information);
    return;
  }
  OpenInTextEditor(ui_, settings_.TextEditor, cheat_file);
}

void OptionWindowsController::DirectoriesClosed() {
  // Today's emulator searches only the directories it is given: its paths stay as written.
  if (database_.Dialect == EmulatorDialect::kListxml) return;
  NormaliseSearchPaths(Config());
}

}  // namespace kw
