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

#include "core/shell/app_names.h"
#include "core/shell/main_shell.h"
#include "ui/browser/game_list_model.h"
#include "ui/resources.h"
#include "ui/shell/about_window.h"
#include "ui/text_codec.h"

namespace kw {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr QSize kPictureFrame(320, 320);
constexpr QPoint kPictureOffset(8, 29);  // of the picture's frame inside the tab control
constexpr int kJoystickIntervalMs = 100;
constexpr int kInpFileWidth = 12;

constexpr void (TMainFRM::*kSortHandlers[TMainFRM::kSortOrders])() = {
    &TMainFRM::Sort0OPTClick, &TMainFRM::Sort1OPTClick, &TMainFRM::Sort2OPTClick,
    &TMainFRM::Sort3OPTClick, &TMainFRM::Sort4OPTClick};

const char* const kPictureTabNames[TMainFRM::kPictureTabs] = {"None", "Game", "Cabinet", "Flyer",
                                                              "Hardware"};
const char* const kSortCaptions[TMainFRM::kSortOrders] = {"No sorting", "Description",
                                                          "Manufacturer", "Year", "Most played"};
const char* const kPopupSortCaptions[TMainFRM::kSortOrders] = {
    "No sorting", "Sort by description", "Sort by manufacturer", "Sort by year",
    "Sort by most played"};

struct QuickInfoRow {
  const char* value_name;
  const char* caption;
};
const QuickInfoRow kQuickInfoLayout[TMainFRM::kQuickInfoRows] = {{"RomSetName", "Romset name:"},
                                                                 {"Copyright", "Copyright:"},
                                                                 {"ScreenTypeVAL", "Screen type:"},
                                                                 {"Resolution", "Resolution:"},
                                                                 {"Sound", "Sound:"},
                                                                 {"Controls", "Controls:"},
                                                                 {"Coins", "Coinage:"},
                                                                 {"DipSwitch", "Dip Switches:"},
                                                                 {"Driver", "Driver quality:"},
                                                                 {"Color", "Color quality:"},
                                                                 {"SoundQuality", "Sound quality:"},
                                                                 {"Stats", "Statistics:"}};

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

  games_model_ = new GameListModel(this);
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

  CreateGameList(body);
  CreatePictures(body);
  CreateQuickInfo(body);
  CreateRecording(body);
  LayOut(body);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  JoyCheckTMR = new QTimer(this);
  JoyCheckTMR->setObjectName("JoyCheckTMR");
  JoyCheckTMR->setInterval(kJoystickIntervalMs);
  connect(JoyCheckTMR, &QTimer::timeout, this, &TMainFRM::JoyCheckTMRTimer);

  RebuildReopenMenus({});
  BuildTextFilesMenu({});
  UpdateProfileControls(false);
  setWindowTitle(kProductName);  // the start-up title until the shell sets another
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

  OptionsSUB = bar->addMenu("&Options");
  OptionsSUB->setObjectName("OptionsSUB");
  DirectoriesOPT = action(OptionsSUB, "DirectoriesOPT", "Pr&eferences",
                          &TMainFRM::DirectoriesOPTClick, AltKey(Qt::Key_E));
  SortTypeSUB = submenu(OptionsSUB, "SortTypeSUB", "Sort games by...");
  sort_group_ = new QActionGroup(this);
  for (int i = 0; i < kSortOrders; ++i) {
    SortOPT[i] = SortTypeSUB->addAction(kSortCaptions[i]);
    SortOPT[i]->setObjectName(QString("Sort%1OPT").arg(i));
    SortOPT[i]->setCheckable(true);
    sort_group_->addAction(SortOPT[i]);
    connect(SortOPT[i], &QAction::triggered, this, kSortHandlers[i]);
  }
  SortTypeSUB->addSeparator();
  order_group_ = new QActionGroup(this);
  AZOPT = action(SortTypeSUB, "AZOPT", "A ... Z order", &TMainFRM::AZOPTClick);
  ZAOPT = action(SortTypeSUB, "ZAOPT", "Z ... A order", &TMainFRM::ZAOPTClick);
  for (QAction* a : {AZOPT, ZAOPT}) {
    a->setCheckable(true);
    order_group_->addAction(a);
  }
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

void TMainFRM::CreateGameList(QWidget* parent) {
  GamesList = new QListView(parent);
  GamesList->setObjectName("GamesList");
  GamesList->setModel(games_model_);
  GamesList->setSelectionMode(QAbstractItemView::SingleSelection);
  GamesList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GamesList->setUniformItemSizes(true);  // 65,535 rows lay out at once
  GamesList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  GamesList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  GamesList->installEventFilter(this);
  connect(GamesList, &QListView::clicked, this, [this] { GamesListClick(); });
  connect(GamesList, &QListView::doubleClicked, this, [this] { RunGameOPTClick(); });
  connect(GamesList->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { GamesListClick(); });

  GamesPopUpMENU = new QMenu(GamesList);
  GamesPopUpMENU->setObjectName("GamesPopUpMENU");
  RunGameOPT = GamesPopUpMENU->addAction("Play");
  RunGameOPT->setObjectName("RunGameOPT");
  connect(RunGameOPT, &QAction::triggered, this, &TMainFRM::RunGameOPTClick);
  DetailsOPT = GamesPopUpMENU->addAction("Romset details");
  DetailsOPT->setObjectName("DetailsOPT");
  connect(DetailsOPT, &QAction::triggered, this, &TMainFRM::DetailBTNClick);
  PopDeleteSUB = GamesPopUpMENU->addMenu("Delete...");
  PopDeleteSUB->setObjectName("_DeleteSUB");
  PopDeleteSUB->menuAction()->setObjectName("_DeleteSUB");
  for (QAction* twin : DeleteSUB->actions()) {
    QAction* a = PopDeleteSUB->addAction(twin->text());
    a->setObjectName("_" + twin->objectName());
    connect(a, &QAction::triggered, twin, &QAction::trigger);
  }
  GamesPopUpMENU->addSeparator();
  popup_sort_group_ = new QActionGroup(this);
  for (int i = 0; i < kSortOrders; ++i) {
    PopSortOPT[i] = GamesPopUpMENU->addAction(kPopupSortCaptions[i]);
    PopSortOPT[i]->setObjectName(QString("_Sort%1OPT").arg(i));
    PopSortOPT[i]->setCheckable(true);
    popup_sort_group_->addAction(PopSortOPT[i]);
    connect(PopSortOPT[i], &QAction::triggered, this, kSortHandlers[i]);
  }
  GamesPopUpMENU->addSeparator();
  popup_order_group_ = new QActionGroup(this);
  PopAZOPT = GamesPopUpMENU->addAction("Sort in A ... Z order");
  PopAZOPT->setObjectName("_AZOPT");
  connect(PopAZOPT, &QAction::triggered, this, &TMainFRM::AZOPTClick);
  PopZAOPT = GamesPopUpMENU->addAction("Sort in Z ... A order");
  PopZAOPT->setObjectName("_ZAOPT");
  connect(PopZAOPT, &QAction::triggered, this, &TMainFRM::ZAOPTClick);
  for (QAction* a : {PopAZOPT, PopZAOPT}) {
    a->setCheckable(true);
    popup_order_group_->addAction(a);
  }
  GamesList->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(GamesList, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    GamesPopUpMENU->popup(GamesList->viewport()->mapToGlobal(pos));
  });
}

void TMainFRM::CreatePictures(QWidget* parent) {
  ScreenShotPGE = new QTabWidget(parent);
  ScreenShotPGE->setObjectName("ScreenShotPGE");
  ScreenShotPGE->setFocusPolicy(Qt::TabFocus);
  for (const char* name : kPictureTabNames)
    ScreenShotPGE->addTab(new QWidget, name);
  connect(ScreenShotPGE, &QTabWidget::currentChanged, this, &TMainFRM::ScreenShotPGEChange);

  // The picture lies on the tab control itself, over whichever page is showing.
  SnapShot = new QLabel(ScreenShotPGE);
  SnapShot->setObjectName("SnapShot");
  SnapShot->setScaledContents(true);
  SnapShot->setPixmap(ProductPicture());
  SnapShot->setGeometry(QRect(kPictureOffset, kPictureFrame));
  SnapShot->raise();

  PicturePopUpMENU = new QMenu(ScreenShotPGE);
  PicturePopUpMENU->setObjectName("PicturePopUpMENU");
  PopExplorerOPT = PicturePopUpMENU->addAction("Open directory in explorer");
  PopExplorerOPT->setObjectName("_ExplorerOPT");
  connect(PopExplorerOPT, &QAction::triggered, this, &TMainFRM::ExplorerOPTClick);
  for (QWidget* w : {static_cast<QWidget*>(ScreenShotPGE), static_cast<QWidget*>(SnapShot)}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this,
            [this, w](const QPoint& pos) { PicturePopUpMENU->popup(w->mapToGlobal(pos)); });
  }
}

void TMainFRM::CreateQuickInfo(QWidget* parent) {
  QuickInfoBOX = new QGroupBox(" Quick info ", parent);
  QuickInfoBOX->setObjectName("QuickInfoBOX");
  auto* grid = new QGridLayout(QuickInfoBOX);
  grid->setContentsMargins(8, 4, 6, 6);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(1);
  for (int i = 0; i < kQuickInfoRows; ++i) {
    auto* caption = new QLabel(kQuickInfoLayout[i].caption, QuickInfoBOX);
    caption->setObjectName(QString(kQuickInfoLayout[i].value_name) + "LBL");
    auto* value = new QLabel(kNotAvailable, QuickInfoBOX);
    value->setObjectName(kQuickInfoLayout[i].value_name);
    value->setTextFormat(Qt::PlainText);
    // Long values are cut at the box's edge rather than widening it.
    value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    value->setMinimumWidth(1);
    grid->addWidget(caption, i, 0);
    grid->addWidget(value, i, 1);
    QuickInfoCaptions[i] = caption;
    QuickInfoValues[i] = value;
  }
  grid->setColumnStretch(1, 1);
  RomSetName = QuickInfoValues[0];
  Copyright = QuickInfoValues[1];
  ScreenTypeVAL = QuickInfoValues[2];
  Resolution = QuickInfoValues[3];
  Sound = QuickInfoValues[4];
  Controls = QuickInfoValues[5];
  Coins = QuickInfoValues[6];
  DipSwitch = QuickInfoValues[7];
  Driver = QuickInfoValues[8];
  Color = QuickInfoValues[9];
  SoundQuality = QuickInfoValues[10];
  Stats = QuickInfoValues[11];
}

void TMainFRM::CreateRecording(QWidget* parent) {
  GameRecordingBOX = new QGroupBox(" Game recordings ", parent);
  GameRecordingBOX->setObjectName("GameRecordingBOX");

  auto speed_button = [this](const char* name, const char* icon, const char* text,
                             const char* hint) {
    auto* button = new QToolButton(GameRecordingBOX);
    button->setObjectName(name);
    button->setIcon(QIcon(QString(":/icons/%1.png").arg(icon)));
    button->setIconSize(QSize(16, 16));
    button->setText(text);
    button->setToolTip(hint);
    button->setCheckable(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setMinimumHeight(26);
    return button;
  };
  NoneBTN = speed_button("NoneBTN", "rec_none", "None", "Neither record nor play back");
  PlayBTN = speed_button("PlayBTN", "rec_play", "Playback", "Play back a recorded game");
  RecordBTN = speed_button("RecordBTN", "rec_record", "Record", "Record the game");
  RecordingGroup = new QButtonGroup(this);
  RecordingGroup->setObjectName("RecordingGroup");
  RecordingGroup->setExclusive(true);
  RecordingGroup->addButton(NoneBTN);
  RecordingGroup->addButton(PlayBTN);
  RecordingGroup->addButton(RecordBTN);
  NoneBTN->setChecked(true);
  connect(NoneBTN, &QToolButton::clicked, this, &TMainFRM::NoneRDOClick);
  connect(PlayBTN, &QToolButton::clicked, this, &TMainFRM::PlayRDOClick);
  connect(RecordBTN, &QToolButton::clicked, this, &TMainFRM::RecordRDOClick);

  InpFileLBL = new QLabel("Filename:", GameRecordingBOX);
  InpFileLBL->setObjectName("InpFileLBL");
  InpFile = new QLineEdit(GameRecordingBOX);
  InpFile->setObjectName("InpFile");
  InpFile->setMaxLength(kInpFileWidth);
  InpFileLBL->setBuddy(InpFile);
  connect(InpFile, &QLineEdit::textEdited, this, [this](const QString& text) {
    const QString upper = text.toUpper();
    if (upper == text) return;
    const int cursor = InpFile->cursorPosition();
    InpFile->setText(upper.left(kInpFileWidth));
    InpFile->setCursorPosition(cursor);
  });
  InpBrowseBTN = new QPushButton("Browse...", GameRecordingBOX);
  InpBrowseBTN->setObjectName("InpBrowseBTN");
  connect(InpBrowseBTN, &QPushButton::clicked, this, &TMainFRM::InpBrowseBTNClick);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(4);
  buttons->addWidget(NoneBTN);
  buttons->addWidget(PlayBTN);
  buttons->addWidget(RecordBTN);
  auto* file_row = new QHBoxLayout;
  file_row->setSpacing(6);
  file_row->addWidget(InpFileLBL);
  file_row->addWidget(InpFile, 1);
  file_row->addWidget(InpBrowseBTN);
  // The two rows share the box's height evenly, whatever the font makes of it.
  auto* box = new QVBoxLayout(GameRecordingBOX);
  box->setContentsMargins(8, 4, 8, 6);
  box->setSpacing(0);
  box->addStretch(1);
  box->addLayout(buttons);
  box->addStretch(1);
  box->addLayout(file_row);
  box->addStretch(1);
}

// The window has a fixed size, so its parts are placed by hand: the game list and the quick
// information on the left, the picture tabs (whose picture frame is fixed) and the recording
// box on the right, all ending on one bottom line.
void TMainFRM::LayOut(QWidget* body) {
  const int body_height = kClientHeight - ToolBar->sizeHint().height();
  body->setFixedSize(kClientWidth, body_height);
  const int bottom = body_height - kMargin;
  const int top = kGap;

  const int tabs_width = kPictureOffset.x() + kPictureFrame.width() + kMargin;
  const int tabs_height = kPictureOffset.y() + kPictureFrame.height() + kMargin;
  const int right_x = kClientWidth - kMargin - tabs_width;
  ScreenShotPGE->setGeometry(right_x, top, tabs_width, tabs_height);
  const int recording_top = top + tabs_height + kGap;
  GameRecordingBOX->setGeometry(right_x, recording_top, tabs_width, bottom - recording_top);

  const int left_width = right_x - kGap - kMargin;
  const int info_height = QuickInfoBOX->sizeHint().height();
  const int info_top = bottom - info_height;
  QuickInfoBOX->setGeometry(kMargin, info_top, left_width, info_height);
  GamesList->setGeometry(kMargin, top, left_width, info_top - kGap - top);
}

}  // namespace kw
