// The main window's construction: its menus, tool bar and the parts of its client area, placed
// by hand in the fixed-size window.
#include "ui/shell/main_window.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/shared/app_names.h"
#include "ui/browser/game_filter_menus.h"
#include "ui/browser/game_list_panel.h"
#include "ui/browser/quick_info_panel.h"
#include "ui/launch/recording_panel.h"
#include "ui/launch/stats_panel.h"
#include "ui/resources.h"

namespace kw {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;

QKeySequence AltKey(Qt::Key key) {
  return QKeySequence(Qt::ALT | key);
}

}  // namespace

TMainFRM::TMainFRM(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint) {
  InitResources();
  setObjectName("MainFRM");
  setWindowTitle(kProductName);
  setWindowIcon(QIcon(":/logo/LOGO01.png"));

  CreateMenus();

  // The client area: the tool bar over the body that holds everything else.
  auto* client = new QWidget(this);
  client->setObjectName("ClientArea");
  client->setFixedSize(kClientWidth, kClientHeight);
  auto* client_layout = new QVBoxLayout(client);
  client_layout->setContentsMargins(0, 0, 0, 0);
  client_layout->setSpacing(0);
  CreateToolBar(client);
  client_layout->addWidget(ToolBar);
  auto* body = new QWidget(client);
  body->setObjectName("Body");
  client_layout->addWidget(body, 1);
  setCentralWidget(client);

  game_list_ = new GameListPanel(body, SortTypeSUB);
  game_list_->AddPopUpTwins(PlayGameOPT, DetailOPT, DeleteSUB);
  filter_menus_ = new GameFilterMenus(this, FiltersSUB, game_list_->GamesPopUpMENU);
  quick_info_ = new QuickInfoPanel(body);
  quick_info_->AddPopUpTwin(ExplorerOPT);
  recording_ = new RecordingPanel(body);
  stats_ = new StatsPanel(this);
  LayOut(body);
  // The quick information grows by its status line for a game of today's emulator; the game
  // list gives up the room.
  connect(quick_info_, &QuickInfoPanel::LinesChanged, this, [this, body] { LayOut(body); });
  // So does the line that counts the games a filter shows.
  connect(game_list_, &GameListPanel::ShownCountChanged, this, [this, body] { LayOut(body); });
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  // The state of a window without a profile until the controllers show another.
  RebuildReopenMenus({});
  BuildTextFilesMenu({});
  ShowProfileState(false);
  game_list_->ShowGames(false);
  filter_menus_->SetFiltersEnabled(false);
  quick_info_->ShowProfileState(false);
  recording_->SetRecordingEnabled(false);
}

// ----------------------------------------------------------------------------------------------
// Construction

void TMainFRM::CreateMenus() {
  auto action = [this](QMenu* menu, const char* name, const char* caption,
                       void (TMainFRM::*handler)(), QKeySequence shortcut = {}) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    if (handler) connect(a, &QAction::triggered, this, handler);
    return a;
  };
  auto submenu = [](QMenu* menu, const char* name, const char* caption) {
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(name);
    sub->menuAction()->setObjectName(name);
    return sub;
  };

  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMENU");

  FileSUB = bar->addMenu("&File");
  FileSUB->setObjectName("FileSUB");
  NewOPT = action(FileSUB, "NewOPT", "&New profile", &TMainFRM::NewOPTClick, AltKey(Qt::Key_N));
  OpenOPT = action(FileSUB, "OpenOPT", "Open profile", &TMainFRM::OpenOPTClick);
  ReopenSUB = submenu(FileSUB, "ReopenSUB", "Reopen...");
  FileSUB->addSeparator();
  ProfileInfoOPT = action(FileSUB, "ProfileInfoOPT", "Profile info", &TMainFRM::VersionOPTClick);
  FileSUB->addSeparator();
  QuitOPT = action(FileSUB, "QuitOPT", "Quit", &TMainFRM::QuitOPTClick, AltKey(Qt::Key_F4));

  MAMESUB = bar->addMenu("&MAME");
  MAMESUB->setObjectName("MAMESUB");
  PlayGameOPT = action(MAMESUB, "PlayGameOPT", "&Play selected game", &TMainFRM::RunGameOPTClick,
                       AltKey(Qt::Key_P));
  DetailOPT =
      action(MAMESUB, "DetailOPT", "Romset de&tails", &TMainFRM::DetailBTNClick, AltKey(Qt::Key_T));
  DeleteSUB = submenu(MAMESUB, "DeleteSUB", "Delete...");
  DeleteConfigOPT =
      action(DeleteSUB, "DeleteConfigOPT", "Game config file", &TMainFRM::DeleteConfigOPTClick);
  DeleteHiScoreOPT =
      action(DeleteSUB, "DeleteHiScoreOPT", "Game high scores", &TMainFRM::DeleteHiScoreOPTClick);
  DeleteNVRamOPT =
      action(DeleteSUB, "DeleteNVRamOPT", "Game NV-Ram", &TMainFRM::DeleteNVRamOPTClick);
  DeleteSUB->addSeparator();
  DeleteDefaultConfigOPT = action(DeleteSUB, "DeleteDefaultConfigOPT", "Default configuration file",
                                  &TMainFRM::DeleteDefaultConfigOPTClick);
  MAMESUB->addSeparator();
  VideoOPT =
      action(MAMESUB, "VideoOPT", "&Video settings", &TMainFRM::VideoOPTClick, AltKey(Qt::Key_V));
  AudioOPT =
      action(MAMESUB, "AudioOPT", "&Audio settings", &TMainFRM::AudioOPTClick, AltKey(Qt::Key_A));
  MiscOPT =
      action(MAMESUB, "MiscOPT", "M&isc settings", &TMainFRM::MiscOPTClick, AltKey(Qt::Key_I));
  MAMEdirOPT =
      action(MAMESUB, "MAMEdirOPT", "&Directories", &TMainFRM::MAMEdirOPTClick, AltKey(Qt::Key_D));
  MAMESUB->addSeparator();
  VerifySetOPT = action(MAMESUB, "VerifySetOPT", "Verify sets", &TMainFRM::VerifySetOPTClick);

  SearchSUB = bar->addMenu("&Search");
  SearchSUB->setObjectName("SearchSUB");
  GameOPT = action(SearchSUB, "GameOPT", "Find &game", &TMainFRM::GameOPTClick, AltKey(Qt::Key_G));
  RomSetOPT =
      action(SearchSUB, "RomSetOPT", "Find &romset", &TMainFRM::RomSetOPTClick, AltKey(Qt::Key_R));
  CloneOPT = action(SearchSUB, "CloneOPT", "Find &clone sets", &TMainFRM::FindClonesTOOLClick,
                    AltKey(Qt::Key_C));
  ManufacturerOPT = action(SearchSUB, "ManufacturerOPT", "Find man&ufacturer",
                           &TMainFRM::FindManufacturerTOOLClick, AltKey(Qt::Key_U));
  SearchSUB->addSeparator();
  SelectRandomGameOPT = action(SearchSUB, "SelectRandomGameOPT", "Choose random game",
                               &TMainFRM::SelectRandomGameOPTClick);
  SearchSUB->addSeparator();
  NextMatchOPT = action(SearchSUB, "NextMatchOPT", "Highlight &next match",
                        &TMainFRM::NextMatchOPTClick, QKeySequence(Qt::Key_F3));

  FiltersSUB = bar->addMenu("Filters");
  FiltersSUB->setObjectName("FiltersSUB");

  OptionsSUB = bar->addMenu("&Options");
  OptionsSUB->setObjectName("OptionsSUB");
  DirectoriesOPT = action(OptionsSUB, "DirectoriesOPT", "Pr&eferences",
                          &TMainFRM::DirectoriesOPTClick, AltKey(Qt::Key_E));
  SortTypeSUB = submenu(OptionsSUB, "SortTypeSUB", "Sort games by...");
  ShowCmdLineOPT = action(OptionsSUB, "ShowCmdLineOPT", "Show / edit command &line",
                          &TMainFRM::ShowCmdLineOPTClick, AltKey(Qt::Key_L));
  OptionsSUB->addSeparator();
  ExplorerOPT = action(OptionsSUB, "ExplorerOPT", "Show image directory in explorer",
                       &TMainFRM::ExplorerOPTClick);
  SysInfoOPT = action(OptionsSUB, "SysInfoOPT", "System info", &TMainFRM::SysInfoOPTClick);
  OptionsSUB->addSeparator();
  ShowStatSUB = submenu(OptionsSUB, "ShowStatSUB", "Show statistics by...");
  NPlaysOPT = action(ShowStatSUB, "NPlaysOPT", "Number of plays", &TMainFRM::NPlaysOPTClick);
  PlayTimeOPT = action(ShowStatSUB, "PlayTimeOPT", "Playing time", &TMainFRM::PlayTimeOPTClick);
  ResetStatsOPT =
      action(OptionsSUB, "ResetStatsOPT", "Reset statistics", &TMainFRM::ResetStatsOPTClick);

  HelpSUB = bar->addMenu("&Help");
  HelpSUB->setObjectName("HelpSUB");
  TextFilesSUB = submenu(HelpSUB, "TextFilesSUB", "MAME text files");
  VisitMameOPT =
      action(HelpSUB, "VisitMameOPT", "Visit MAME's Web site", &TMainFRM::VisitMameOPTClick);
  HelpSUB->addSeparator();
  KestrelHistoryOPT = action(HelpSUB, "KestrelHistoryOPT", "What's new in this version",
                             &TMainFRM::KestrelHistoryOPTClick);
  VisitWebOPT = action(HelpSUB, "VisitWebOPT", "Visit Web site", &TMainFRM::VisitWebOPTClick);
  EmailOPT = action(HelpSUB, "EmailOPT", "E-mail the author", &TMainFRM::EmailOPTClick);
  HelpSUB->addSeparator();
  AboutOPT = action(HelpSUB, "AboutOPT", "A&bout", &TMainFRM::AboutOPTClick, AltKey(Qt::Key_B));
}

void TMainFRM::CreateToolBar(QWidget* parent) {
  ToolBar = new QToolBar(parent);
  ToolBar->setObjectName("ToolBar");
  ToolBar->setMovable(false);
  ToolBar->setFloatable(false);
  ToolBar->setIconSize(QSize(24, 24));
  ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);

  auto tool = [this](const char* name, const char* icon, const char* hint,
                     void (TMainFRM::*handler)()) {
    auto* button = new QToolButton(ToolBar);
    button->setObjectName(name);
    button->setIcon(QIcon(QString(":/icons/%1.png").arg(icon)));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, handler);
    ToolBar->addWidget(button);
    return button;
  };

  NewTOOL = tool("NewTOOL", "new", "Create new profile", &TMainFRM::NewOPTClick);
  OpenTOOL = tool("OpenTOOL", "open", "Open existing profile", &TMainFRM::OpenOPTClick);
  ReopenPopUpMENU = new QMenu(OpenTOOL);
  ReopenPopUpMENU->setObjectName("ReopenPopUpMENU");
  OpenTOOL->setMenu(ReopenPopUpMENU);
  OpenTOOL->setPopupMode(QToolButton::MenuButtonPopup);
  InfoTOOL = tool("InfoTOOL", "info", "Profile info", &TMainFRM::VersionOPTClick);
  ToolBar->addSeparator();
  PlayTOOL = tool("PlayTOOL", "play", "Play selected game", &TMainFRM::RunGameOPTClick);
  DetailTOOL =
      tool("DetailTOOL", "detail", "Detailed romset description", &TMainFRM::DetailBTNClick);
  ToolBar->addSeparator();
  VideoSetupTOOL =
      tool("VideoSetupTOOL", "video", "Open video settings page", &TMainFRM::VideoOPTClick);
  AudioSetupTOOL =
      tool("AudioSetupTOOL", "audio", "Open audio settings page", &TMainFRM::AudioOPTClick);
  MiscSetupTOOL =
      tool("MiscSetupTOOL", "misc", "Open misc. settings page", &TMainFRM::MiscOPTClick);
  DirectoriesTOOL =
      tool("DirectoriesTOOL", "directories", "Change MAME directories", &TMainFRM::MAMEdirOPTClick);
  EmulatorTOOL = tool("EmulatorTOOL", "preferences", "Preferences", &TMainFRM::DirectoriesOPTClick);
  ToolBar->addSeparator();
  FindGameTOOL = tool("FindGameTOOL", "find_game", "Find game", &TMainFRM::GameOPTClick);
  FindRomSetTOOL = tool("FindRomSetTOOL", "find_romset", "Find romset", &TMainFRM::RomSetOPTClick);
  FindClonesTOOL =
      tool("FindClonesTOOL", "find_clones", "Find clone sets", &TMainFRM::FindClonesTOOLClick);
  FindManufacturerTOOL = tool("FindManufacturerTOOL", "find_manufacturer", "Find manufacturer",
                              &TMainFRM::FindManufacturerTOOLClick);
  RandomGameTOOL =
      tool("RandomGameTOOL", "random", "Select random game", &TMainFRM::SelectRandomGameOPTClick);
  ToolBar->addSeparator();
  CommandLineTOOL = tool("CommandLineTOOL", "command_line", "Show / edit command line",
                         &TMainFRM::ShowCmdLineOPTClick);
  ToolBar->addSeparator();
  AboutTOOL = tool("AboutTOOL", "about", "About", &TMainFRM::AboutOPTClick);
}

// The window has a fixed size, so its parts are placed by hand: the game list and the quick
// information on the left, the picture tabs (whose picture frame is fixed) and the recording
// box on the right, all ending on one bottom line.
void TMainFRM::LayOut(QWidget* body) {
  const int body_height = kClientHeight - ToolBar->sizeHint().height();
  body->setFixedSize(kClientWidth, body_height);
  const int bottom = body_height - kMargin;
  const int top = kGap;

  const int tabs_width = QuickInfoPanel::kPictureTabsSize.width();
  const int tabs_height = QuickInfoPanel::kPictureTabsSize.height();
  const int right_x = kClientWidth - kMargin - tabs_width;
  quick_info_->ScreenShotPGE->setGeometry(right_x, top, tabs_width, tabs_height);
  const int recording_top = top + tabs_height + kGap;
  recording_->GameRecordingBOX->setGeometry(right_x, recording_top, tabs_width,
                                            bottom - recording_top);

  const int left_width = right_x - kGap - kMargin;
  const int info_height = quick_info_->QuickInfoBOX->sizeHint().height();
  const int info_top = bottom - info_height;
  quick_info_->QuickInfoBOX->setGeometry(kMargin, info_top, left_width, info_height);
  int list_bottom = info_top - kGap;
  if (QLabel* shown = game_list_->ShownLBL; !shown->isHidden()) {
    const int height = shown->sizeHint().height();
    list_bottom -= height;
    shown->setGeometry(kMargin, list_bottom, left_width, height);
  }
  game_list_->GamesList->setGeometry(kMargin, top, left_width, list_bottom - top);
}

}  // namespace kw
