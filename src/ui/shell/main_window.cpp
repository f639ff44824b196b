#include "ui/shell/main_window.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "core/browser/game_list_controller.h"
#include "core/browser/quick_info_controller.h"
#include "core/launch/game_files.h"
#include "core/launch/launch_controller.h"
#include "core/launch/recording_controller.h"
#include "core/launch/stats_controller.h"
#include "core/profile/profile_info.h"
#include "core/reports/set_description.h"
#include "core/reports/verify_controller.h"
#include "core/shared/app_names.h"
#include "ui/browser/game_filter_menus.h"
#include "ui/browser/game_list_model.h"
#include "ui/browser/game_list_panel.h"
#include "ui/browser/quick_info_panel.h"
#include "ui/browser/search_window.h"
#include "ui/launch/recording_panel.h"
#include "ui/options/audio_window.h"
#include "ui/options/emulator_dirs_window.h"
#include "ui/options/misc_window.h"
#include "ui/options/preferences_window.h"
#include "ui/options/video_window.h"
#include "ui/reports/sysinfo_window.h"
#include "ui/reports/verify_window.h"
#include "ui/shell/about_window.h"
#include "ui/shell/cmdline_window.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"

namespace kw {

namespace {

// Menu captions take '&' as the mark of a mnemonic; names from files show it as it is.
QString MenuCaption(const QString& text) {
  QString caption = text;
  caption.replace('&', "&&");
  return caption;
}

void ClearMenu(QMenu* menu) {
  for (QAction* old : menu->actions()) {
    menu->removeAction(old);
    old->deleteLater();
  }
}

QAction* AddNoneItem(QMenu* menu, const char* name) {
  QAction* none = menu->addAction("<none>");
  none->setObjectName(name);
  none->setEnabled(false);
  return none;
}

}  // namespace

TMainFRM::~TMainFRM() = default;

void TMainFRM::Bind(const MainWindowControllers& controllers) {
  controllers_ = controllers;
  game_list_->Bind(controllers.game_list);
  filter_menus_->Bind(controllers.filters);
  quick_info_->Bind(controllers.quick_info);
  recording_->Bind(controllers.recording);
  option_windows_.Bind(controllers.options, controllers.preferences, controllers.database);
}

// ----------------------------------------------------------------------------------------------
// View slices

void TMainFRM::SetTitle(const std::string& title) {
  setWindowTitle(FromSystemText(title));
}

void TMainFRM::SetNewsAvailable(bool available) {
  KestrelHistoryOPT->setEnabled(available);
}

void TMainFRM::RebuildReopenMenus(const std::array<std::string, kReopenSlots>& reopen_slots) {
  for (QMenu* menu : {ReopenSUB, ReopenPopUpMENU}) {
    ClearMenu(menu);
    bool any = false;
    for (std::size_t n = 0; n < reopen_slots.size(); ++n) {
      if (reopen_slots[n].empty()) continue;
      any = true;
      QAction* item = menu->addAction(MenuCaption(FromSystemText(UpperCase(reopen_slots[n]))));
      item->setObjectName(QString("ReopenFile%1").arg(n + 1));
      connect(item, &QAction::triggered, this, [this, n] { ReopenProfile(n); });
    }
    if (!any) AddNoneItem(menu, "ReopenNoneOPT");
  }
}

void TMainFRM::BuildTextFilesMenu(const std::vector<std::string>& captions) {
  ClearMenu(TextFilesSUB);
  if (captions.empty()) {
    AddNoneItem(TextFilesSUB, "NoneOPT");
    return;
  }
  for (std::size_t k = 0; k < captions.size(); ++k) {
    QAction* item = TextFilesSUB->addAction(MenuCaption(FromSystemText(captions[k])));
    item->setObjectName(QString("File%1").arg(k));
    connect(item, &QAction::triggered, this, [this, k] { ShowMAMETextFile(k); });
  }
}

bool TMainFRM::RunSearchWindow(SearchForm& form) {
  // One window for the life of the main window.
  if (!search_window_) search_window_ = new TSearchFRM(this);
  return search_window_->Run(form, kProductName);
}

void TMainFRM::SetNextMatchEnabled(bool enabled) {
  NextMatchOPT->setEnabled(enabled);
}

void TMainFRM::ShowProfileState(bool loaded) {
  for (QWidget* w : std::initializer_list<QWidget*>{
           InfoTOOL, PlayTOOL, DetailTOOL, VideoSetupTOOL, AudioSetupTOOL, MiscSetupTOOL,
           DirectoriesTOOL, FindGameTOOL, FindRomSetTOOL, FindClonesTOOL, FindManufacturerTOOL,
           RandomGameTOOL, CommandLineTOOL})
    w->setEnabled(loaded);
  for (QAction* a : std::initializer_list<QAction*>{ResetStatsOPT,
                                                    PlayGameOPT,
                                                    DetailOPT,
                                                    VideoOPT,
                                                    AudioOPT,
                                                    MiscOPT,
                                                    MAMEdirOPT,
                                                    VerifySetOPT,
                                                    ProfileInfoOPT,
                                                    GameOPT,
                                                    RomSetOPT,
                                                    CloneOPT,
                                                    ManufacturerOPT,
                                                    SelectRandomGameOPT,
                                                    ShowCmdLineOPT,
                                                    SysInfoOPT,
                                                    SortTypeSUB->menuAction(),
                                                    ShowStatSUB->menuAction(),
                                                    TextFilesSUB->menuAction(),
                                                    DeleteSUB->menuAction()})
    a->setEnabled(loaded);
  // Whatever the state: no search match to go on with.
  NextMatchOPT->setEnabled(false);
  if (!loaded) ExplorerOPT->setEnabled(false);
}

// ----------------------------------------------------------------------------------------------
// Events

void TMainFRM::CentreOnScreen() {
  kw::CentreOnScreen(this);
}

void TMainFRM::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    CentreOnScreen();
  }
  QMainWindow::showEvent(event);
}

// ----------------------------------------------------------------------------------------------
// Handlers: one line each, to the controller (or the window) of the command's feature.

void TMainFRM::NewOPTClick() {
  if (controllers_.profiles) controllers_.profiles->CreateProfile();
}
void TMainFRM::OpenOPTClick() {
  if (controllers_.profiles) controllers_.profiles->OpenOPTClick();
}
void TMainFRM::ReopenProfile(std::size_t slot) {
  if (controllers_.profiles) controllers_.profiles->ReopenProfile(slot);
}
void TMainFRM::VersionOPTClick() {
  if (controllers_.profile_info) controllers_.profile_info->VersionOPTClick();
}
void TMainFRM::QuitOPTClick() {
  close();
}

void TMainFRM::RunGameOPTClick() {
  if (controllers_.launch) controllers_.launch->RunGameOPTClick();
}
void TMainFRM::DetailBTNClick() {
  if (controllers_.describe) controllers_.describe->DetailBTNClick();
}
void TMainFRM::DeleteConfigOPTClick() {
  if (controllers_.game_files) controllers_.game_files->DeleteGameFile(GameFileKind::Config);
}
void TMainFRM::DeleteHiScoreOPTClick() {
  if (controllers_.game_files) controllers_.game_files->DeleteGameFile(GameFileKind::HiScore);
}
void TMainFRM::DeleteNVRamOPTClick() {
  if (controllers_.game_files) controllers_.game_files->DeleteGameFile(GameFileKind::NVRam);
}
void TMainFRM::DeleteDefaultConfigOPTClick() {
  if (controllers_.game_files) controllers_.game_files->DeleteGameFile(GameFileKind::DefaultConfig);
}
void TMainFRM::VideoOPTClick() {
  if (TVideoFRM* window = option_windows_.Video()) window->Run();
}
void TMainFRM::AudioOPTClick() {
  if (TAudioFRM* window = option_windows_.Audio()) window->Run();
}
void TMainFRM::MiscOPTClick() {
  if (TMiscFRM* window = option_windows_.Misc()) window->Run();
}
void TMainFRM::MAMEdirOPTClick() {
  if (TMAMEDirFRM* window = option_windows_.Directories()) window->Run();
}
void TMainFRM::VerifySetOPTClick() {
  if (!controllers_.verify) return;
  TVerifyFRM window(controllers_.verify->ProgramDir(), this);
  window.Run(*controllers_.verify, controllers_.verify->WorkDir());
  if (controllers_.quick_info) controllers_.quick_info->ShowAgain();
  if (controllers_.filters) controllers_.filters->StatusesChanged();
  game_list_->GamesModel()->StatusChanged();
}

void TMainFRM::GameOPTClick() {
  if (controllers_.search) controllers_.search->GameOPTClick();
}
void TMainFRM::RomSetOPTClick() {
  if (controllers_.search) controllers_.search->RomSetOPTClick();
}
void TMainFRM::FindClonesTOOLClick() {
  if (controllers_.search) controllers_.search->FindClonesTOOLClick();
}
void TMainFRM::FindManufacturerTOOLClick() {
  if (controllers_.search) controllers_.search->FindManufacturerTOOLClick();
}
void TMainFRM::SelectRandomGameOPTClick() {
  if (controllers_.game_list) controllers_.game_list->SelectRandomGame();
}
void TMainFRM::NextMatchOPTClick() {
  if (controllers_.search) controllers_.search->SelectNextMatch();
}

void TMainFRM::DirectoriesOPTClick() {
  if (TDirectoriesFRM* window = option_windows_.Preferences()) window->Run();
}
void TMainFRM::ShowCmdLineOPTClick() {
  if (controllers_.command_line) TCmdLineFRM(this).Run(*controllers_.command_line);
}
void TMainFRM::ExplorerOPTClick() {
  if (controllers_.game_files) controllers_.game_files->ExplorerOPTClick();
}
void TMainFRM::SysInfoOPTClick() {
  TSysInfoFRM(this).Run();
}
void TMainFRM::NPlaysOPTClick() {
  if (controllers_.statistics) controllers_.statistics->ShowStatistics(StatsMode::Plays);
}
void TMainFRM::PlayTimeOPTClick() {
  if (controllers_.statistics) controllers_.statistics->ShowStatistics(StatsMode::Time);
}
void TMainFRM::ResetStatsOPTClick() {
  if (controllers_.statistics) controllers_.statistics->ResetStatsOPTClick();
}

void TMainFRM::ShowMAMETextFile(std::size_t index) {
  if (controllers_.help) controllers_.help->ShowTextFile(index);
}
void TMainFRM::VisitMameOPTClick() {
  if (controllers_.help) controllers_.help->VisitMame();
}
void TMainFRM::KestrelHistoryOPTClick() {
  if (controllers_.help) controllers_.help->KestrelHistory();
}
void TMainFRM::VisitWebOPTClick() {
  if (controllers_.help) controllers_.help->VisitWeb();
}
void TMainFRM::EmailOPTClick() {
  if (controllers_.help) controllers_.help->Email();
}
void TMainFRM::AboutOPTClick() {
  if (about_) about_->exec();
}

}  // namespace kw
