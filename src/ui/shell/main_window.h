// The main window: menus, tool bar, the game list with the quick-information box under it, the
// picture tabs with the game-recording box under them. It holds no rules: every command goes to
// MainShell (or, for the commands that later parts of the program fill in, to a named handler
// that does nothing yet), and the shell drives the window through MainView.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <string>
#include <vector>

#include "core/shell/main_view.h"

class QAction;
class QActionGroup;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace kw {

class GameListModel;
class MainShell;
class TAboutFRM;

class TMainFRM : public QMainWindow, public MainView {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 744;
  static constexpr int kClientHeight = 520;
  static constexpr int kSortOrders = 5;
  static constexpr int kPictureTabs = 5;
  static constexpr int kQuickInfoRows = 12;
  // The text of every quick-information value until a game fills it.
  static constexpr const char* kNotAvailable = "Not available";

  explicit TMainFRM(QWidget* parent = nullptr);
  ~TMainFRM() override;

  // The window is made before the shell that drives it; both are joined here.
  void SetShell(MainShell* shell);
  // Places the window in the middle of the screen (before its first showing, so that the
  // messages of the start-up appear over the place it will take).
  void CentreOnScreen();
  void SetAboutWindow(TAboutFRM* about) { about_ = about; }

  // MainView
  void SetTitle(const std::string& title) override;
  void SetNewsAvailable(bool available) override;
  void ApplySettings(const FrontEndSettings& settings) override;
  void RebuildReopenMenus(const std::array<std::string, kReopenSlots>& slots) override;
  void BuildTextFilesMenu(const std::vector<std::string>& paths) override;
  void UpdateProfileControls(bool profile_loaded) override;

  GameListModel* GamesModel() const { return games_model_; }
  // The product picture shown when a game has no picture of its own.
  static QPixmap ProductPicture();

  // File
  void NewOPTClick();
  void OpenOPTClick();
  void ReopenProfile(const QString& item_name);
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
  void Sort0OPTClick();
  void Sort1OPTClick();
  void Sort2OPTClick();
  void Sort3OPTClick();
  void Sort4OPTClick();
  void AZOPTClick();
  void ZAOPTClick();
  void ShowCmdLineOPTClick();
  void ExplorerOPTClick();
  void SysInfoOPTClick();
  void NPlaysOPTClick();
  void PlayTimeOPTClick();
  void ResetStatsOPTClick();
  // Help
  void ShowMAMETextFile(const QString& item_name);
  void VisitMameOPTClick();
  void KestrelHistoryOPTClick();
  void VisitWebOPTClick();
  void EmailOPTClick();
  void AboutOPTClick();
  // Controls
  void GamesListClick();
  void GamesListKeyPress(QChar key);
  void ScreenShotPGEChange(int index);
  void NoneRDOClick();
  void PlayRDOClick();
  void RecordRDOClick();
  void InpBrowseBTNClick();
  void JoyCheckTMRTimer();

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
  // Options
  QMenu* OptionsSUB;
  QAction* DirectoriesOPT;
  QMenu* SortTypeSUB;
  std::array<QAction*, kSortOrders> SortOPT;  // Sort0OPT .. Sort4OPT
  QAction* AZOPT;
  QAction* ZAOPT;
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

  // Game list and its pop-up menu. The pop-up twins of main-menu items carry the item's name
  // with a leading underscore as object name ("_Sort0OPT"); in C++ such a name is reserved, so
  // the members are called Pop... instead.
  QListView* GamesList;
  QMenu* GamesPopUpMENU;
  QAction* RunGameOPT;
  QAction* DetailsOPT;
  QMenu* PopDeleteSUB;
  std::array<QAction*, kSortOrders> PopSortOPT;  // _Sort0OPT .. _Sort4OPT
  QAction* PopAZOPT;
  QAction* PopZAOPT;

  // Pictures
  QTabWidget* ScreenShotPGE;
  QLabel* SnapShot;
  QMenu* PicturePopUpMENU;
  QAction* PopExplorerOPT;  // _ExplorerOPT

  // Quick information: captions and values, in display order
  QGroupBox* QuickInfoBOX;
  std::array<QLabel*, kQuickInfoRows> QuickInfoCaptions;
  std::array<QLabel*, kQuickInfoRows> QuickInfoValues;
  QLabel* RomSetName;
  QLabel* Copyright;
  QLabel* ScreenTypeVAL;
  QLabel* Resolution;
  QLabel* Sound;
  QLabel* Controls;
  QLabel* Coins;
  QLabel* DipSwitch;
  QLabel* Driver;
  QLabel* Color;
  QLabel* SoundQuality;
  QLabel* Stats;

  // Game recordings
  QGroupBox* GameRecordingBOX;
  QToolButton* NoneBTN;
  QToolButton* PlayBTN;
  QToolButton* RecordBTN;
  QButtonGroup* RecordingGroup;
  QLabel* InpFileLBL;
  QLineEdit* InpFile;
  QPushButton* InpBrowseBTN;

  QTimer* JoyCheckTMR;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenus();
  void CreateToolBar(QWidget* parent);
  void CreateGameList(QWidget* parent);
  void CreatePictures(QWidget* parent);
  void CreateQuickInfo(QWidget* parent);
  void CreateRecording(QWidget* parent);
  void LayOut(QWidget* body);
  void SetInpFileEnabled(bool enabled);

  MainShell* shell_ = nullptr;
  TAboutFRM* about_ = nullptr;
  GameListModel* games_model_ = nullptr;
  QActionGroup* sort_group_ = nullptr;
  QActionGroup* order_group_ = nullptr;
  QActionGroup* popup_sort_group_ = nullptr;
  QActionGroup* popup_order_group_ = nullptr;
  bool centred_ = false;
};

}  // namespace kw
