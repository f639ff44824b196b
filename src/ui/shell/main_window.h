// The main window: menus, tool bar, and the panels of its client area (the game list, the
// quick-information box with the picture tabs, the game-recording box). It holds no rules:
// every command is a one-line forward to the controller of its feature, and the controllers
// drive the window through its view slices.
#pragma once

#include <QMainWindow>
#include <array>
#include <string>
#include <vector>

#include "core/browser/search.h"
#include "core/profile/profile_controller.h"
#include "core/shared/shell_view.h"
#include "core/shell/help_controller.h"
#include "ui/options/option_windows.h"
#include "ui/profile/new_profile_window.h"

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace kw {

class GameFilterController;
class GameFilterMenus;
class GameListController;
class GameListPanel;
class CommandLineForm;
class GameFilesController;
class LaunchController;
class OptionWindowsController;
class PreferencesController;
class ProfileInfoController;
class VerifyController;
class DescribeController;
class QuickInfoController;
class QuickInfoPanel;
class RecordingController;
class RecordingPanel;
class StatsController;
class StatsPanel;
class TAboutFRM;
class TSearchFRM;

// The controllers whose commands the main window forwards.
struct MainWindowControllers {
  ProfileController* profiles = nullptr;
  HelpController* help = nullptr;
  GameListController* game_list = nullptr;
  QuickInfoController* quick_info = nullptr;
  RecordingController* recording = nullptr;
  const GameDatabase* database = nullptr;
  StatsController* statistics = nullptr;
  LaunchController* launch = nullptr;
  VerifyController* verify = nullptr;
  SearchController* search = nullptr;
  ProfileInfoController* profile_info = nullptr;
  CommandLineForm* command_line = nullptr;
  GameFilesController* game_files = nullptr;
  DescribeController* describe = nullptr;
  OptionWindowsController* options = nullptr;
  PreferencesController* preferences = nullptr;
  GameFilterController* filters = nullptr;
};

class TMainFRM : public QMainWindow,
                 public ShellView,
                 public ReopenMenuView,
                 public TextFilesMenuView,
                 public SearchView {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 744;
  static constexpr int kClientHeight = 520;

  explicit TMainFRM(QWidget* parent = nullptr);
  ~TMainFRM() override;

  // The window is made before the controllers that drive it; both are joined here.
  void Bind(const MainWindowControllers& controllers);
  // Places the window in the middle of the screen (before its first showing, so that the
  // messages of the start-up appear over the place it will take).
  void CentreOnScreen();
  void SetAboutWindow(TAboutFRM* about) { about_ = about; }

  GameListPanel& GameList() const { return *game_list_; }
  GameFilterMenus& Filters() const { return *filter_menus_; }
  QuickInfoPanel& QuickInfo() const { return *quick_info_; }
  RecordingPanel& Recording() const { return *recording_; }
  StatsPanel& Stats() const { return *stats_; }
  ProfileWindows& NewProfile() { return profile_windows_; }
  OptionWindows& Options() { return option_windows_; }

  // ShellView
  void SetTitle(const std::string& title) override;
  void SetNewsAvailable(bool available) override;
  void ShowProfileState(bool profile_loaded) override;
  // ReopenMenuView
  void RebuildReopenMenus(const std::array<std::string, kReopenSlots>& slots) override;
  // TextFilesMenuView
  void BuildTextFilesMenu(const std::vector<std::string>& captions) override;
  // SearchView
  bool RunSearchWindow(SearchForm& form) override;
  void SetNextMatchEnabled(bool enabled) override;

  // File
  void NewOPTClick();
  void OpenOPTClick();
  void ReopenProfile(std::size_t slot);
  void VersionOPTClick();
  void QuitOPTClick();
  // MAME
  void RunGameOPTClick();
  void DetailBTNClick();
  void DeleteConfigOPTClick();
  void DeleteHiScoreOPTClick();
  void DeleteNVRamOPTClick();
  void DeleteDefaultConfigOPTClick();
  void VideoOPTClick();
  void AudioOPTClick();
  void MiscOPTClick();
  void MAMEdirOPTClick();
  void VerifySetOPTClick();
  // Search
  void GameOPTClick();
  void RomSetOPTClick();
  void FindClonesTOOLClick();
  void FindManufacturerTOOLClick();
  void SelectRandomGameOPTClick();
  void NextMatchOPTClick();
  // Options
  void DirectoriesOPTClick();
  void ShowCmdLineOPTClick();
  void ExplorerOPTClick();
  void SysInfoOPTClick();
  void NPlaysOPTClick();
  void PlayTimeOPTClick();
  void ResetStatsOPTClick();
  // Help
  void ShowMAMETextFile(std::size_t index);
  void VisitMameOPTClick();
  void KestrelHistoryOPTClick();
  void VisitWebOPTClick();
  void EmailOPTClick();
  void AboutOPTClick();

  // Menus: File
  QMenu* FileSUB;
  QAction* NewOPT;
  QAction* OpenOPT;
  QMenu* ReopenSUB;
  QAction* ProfileInfoOPT;
  QAction* QuitOPT;
  // MAME
  QMenu* MAMESUB;
  QAction* PlayGameOPT;
  QAction* DetailOPT;
  QMenu* DeleteSUB;
  QAction* DeleteConfigOPT;
  QAction* DeleteHiScoreOPT;
  QAction* DeleteNVRamOPT;
  QAction* DeleteDefaultConfigOPT;
  QAction* VideoOPT;
  QAction* AudioOPT;
  QAction* MiscOPT;
  QAction* MAMEdirOPT;
  QAction* VerifySetOPT;
  // Search
  QMenu* SearchSUB;
  QAction* GameOPT;
  QAction* RomSetOPT;
  QAction* CloneOPT;
  QAction* ManufacturerOPT;
  QAction* SelectRandomGameOPT;
  QAction* NextMatchOPT;
  // Filters (its items belong to the filter menus)
  QMenu* FiltersSUB;
  // Options (the sort items belong to the game list panel)
  QMenu* OptionsSUB;
  QAction* DirectoriesOPT;
  QMenu* SortTypeSUB;
  QAction* ShowCmdLineOPT;
  QAction* ExplorerOPT;
  QAction* SysInfoOPT;
  QMenu* ShowStatSUB;
  QAction* NPlaysOPT;
  QAction* PlayTimeOPT;
  QAction* ResetStatsOPT;
  // Help
  QMenu* HelpSUB;
  QMenu* TextFilesSUB;
  QAction* VisitMameOPT;
  QAction* KestrelHistoryOPT;
  QAction* VisitWebOPT;
  QAction* EmailOPT;
  QAction* AboutOPT;

  // Tool bar
  QToolBar* ToolBar;
  QToolButton* NewTOOL;
  QToolButton* OpenTOOL;
  QMenu* ReopenPopUpMENU;
  QToolButton* InfoTOOL;
  QToolButton* PlayTOOL;
  QToolButton* DetailTOOL;
  QToolButton* VideoSetupTOOL;
  QToolButton* AudioSetupTOOL;
  QToolButton* MiscSetupTOOL;
  QToolButton* DirectoriesTOOL;
  QToolButton* EmulatorTOOL;
  QToolButton* FindGameTOOL;
  QToolButton* FindRomSetTOOL;
  QToolButton* FindClonesTOOL;
  QToolButton* FindManufacturerTOOL;
  QToolButton* RandomGameTOOL;
  QToolButton* CommandLineTOOL;
  QToolButton* AboutTOOL;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateMenus();
  void CreateToolBar(QWidget* parent);
  void LayOut(QWidget* body);

  MainWindowControllers controllers_;
  TAboutFRM* about_ = nullptr;
  TSearchFRM* search_window_ = nullptr;
  GameListPanel* game_list_ = nullptr;
  GameFilterMenus* filter_menus_ = nullptr;
  QuickInfoPanel* quick_info_ = nullptr;
  RecordingPanel* recording_ = nullptr;
  StatsPanel* stats_ = nullptr;
  ProfileWindows profile_windows_{this};
  OptionWindows option_windows_{this};
  bool centred_ = false;
};

}  // namespace kw
