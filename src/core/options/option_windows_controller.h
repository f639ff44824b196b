// The emulator option windows' work: the record they edit (the open profile's emulator
// configuration), the previews of the selected game, the cheat file's editor, the search paths
// after the directories window closes, and the miscellaneous window's error-log switch.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/options/option_lists.h"
#include "core/options/option_windows.h"

namespace kw {

class EmulatorConfigController;
class GameDatabase;
class GameListNavigation;
class UserInterface;
struct FrontEndSettings;

class OptionWindowsController {
 public:
  OptionWindowsController(UserInterface& ui, FrontEndSettings& settings,
                          const GameDatabase& database, EmulatorConfigController& emulator_config,
                          const GameListNavigation& game_list,
                          const std::vector<std::string>& language_codes, std::string product_name);

  EmulatorConfig& Config();
  // Whether the open profile's emulator has the option, so that its control is offered.
  bool Offers(const EmulatorKey& key) const;
  const EmulatorConfig& Config() const;
  FrontEndSettings& Settings() { return settings_; }
  const std::string& EmulatorDir() const;

  // ProductName + " - MAME video settings" and the others.
  std::string Title(std::string_view suffix) const { return product_name_ + std::string(suffix); }
  TextCodeList Languages() const { return LanguageList(language_codes_); }

  // ShowConfigInWindows' changes of the record, made each time a window shows it: the bars'
  // options and the language as StoreShownValues gives them, the view area's skip values as its
  // preview shows them (0 with the automatic resolution or a game that fits, else within the
  // limits). Today's emulator takes values the bars cannot show: its record is left as read.
  void ShowConfigInWindows();

  // The screen of the game selected in the game list; nothing when the list is empty or no
  // line is selected.
  std::optional<ScreenSize> SelectedGameScreen() const;
  // Whether the game list holds games (the view-area preview is drawn only then).
  bool HasGames() const;
  // DrawViewArea for the record's resolution and skip values and the selected game.
  ViewAreaPreview ViewArea() const;
  // After the user chose a resolution: the skip values take what the preview shows (0 where
  // nothing can move, else within the new limits). Nothing while the list holds no game.
  void ResolutionChanged();
  // A drag in the view-area preview: the distance, limited as the preview limits it.
  void DragViewArea(PreviewPoint start, PreviewPoint now);
  void DragCentering(PreviewPoint start, PreviewPoint now);
  void CenterViewBTNClick();
  void CenterScreenBTNClick();

  // The Edit... button is available only when the text editor's file exists.
  bool CheatEditAvailable() const;
  // A gzip-compressed cheat file is said; any other is opened in the text editor.
  void CheatEditBTNClick();

  // After the directories window closes: rompath and samplepath as the emulator is given them.
  void DirectoriesClosed();

 private:
  UserInterface& ui_;
  FrontEndSettings& settings_;
  const GameDatabase& database_;
  EmulatorConfigController& emulator_config_;
  const GameListNavigation& game_list_;
  const std::vector<std::string>& language_codes_;
  std::string product_name_;
};

}  // namespace kw
