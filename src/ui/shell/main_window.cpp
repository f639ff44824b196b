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

// Menu captions take '&' as the mark of a mnemonic; names from files show it as it is.
QString MenuCaption(const QString& text) {
  QString caption = text;
  caption.replace('&', "&&");
  return caption;
}

void SetBase(QWidget* widget, QPalette::ColorRole from) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, QApplication::palette().color(QPalette::Active, from));
  widget->setPalette(palette);
}
}  // namespace

TMainFRM::~TMainFRM() = default;

QPixmap TMainFRM::ProductPicture() {
  return QPixmap(":/pictures/KESTREL.png");
}

// ----------------------------------------------------------------------------------------------
// MainView

void TMainFRM::SetTitle(const std::string& title) {
  setWindowTitle(FromSystemText(title));
}

void TMainFRM::SetNewsAvailable(bool available) {
  KestrelHistoryOPT->setEnabled(available);
}

void TMainFRM::ApplySettings(const FrontEndSettings& settings) {
  for (int i = 0; i < kSortOrders; ++i) {
    SortOPT[i]->setChecked(settings.SortBy == i);
    PopSortOPT[i]->setChecked(settings.SortBy == i);
  }
  AZOPT->setChecked(!settings.ReverseSort);
  ZAOPT->setChecked(settings.ReverseSort);
  PopAZOPT->setChecked(!settings.ReverseSort);
  PopZAOPT->setChecked(settings.ReverseSort);
  if (settings.ScreenshotDisplay < kPictureTabs) {
    // Showing the stored tab is no change of the user's.
    const QSignalBlocker block(ScreenShotPGE);
    ScreenShotPGE->setCurrentIndex(settings.ScreenshotDisplay);
  }
  if (settings.DXGameSelect) {
    if (!JoyCheckTMR->isActive()) JoyCheckTMR->start();
  } else {
    JoyCheckTMR->stop();
  }
}

void TMainFRM::RebuildReopenMenus(const std::array<std::string, kReopenSlots>& reopen_slots) {
  for (QMenu* menu : {ReopenSUB, ReopenPopUpMENU}) {
    for (QAction* old : menu->actions()) {
      menu->removeAction(old);
      old->deleteLater();
    }
    bool any = false;
    for (std::size_t n = 0; n < reopen_slots.size(); ++n) {
      if (reopen_slots[n].empty()) continue;
      any = true;
      QAction* item = menu->addAction(MenuCaption(FromSystemText(UpperCase(reopen_slots[n]))));
      item->setObjectName(QString("ReopenFile%1").arg(n + 1));
      connect(item, &QAction::triggered, this, [this, item] { ReopenProfile(item->objectName()); });
    }
    if (!any) {
      QAction* none = menu->addAction("<none>");
      none->setObjectName("ReopenNoneOPT");
      none->setEnabled(false);
    }
  }
}

void TMainFRM::BuildTextFilesMenu(const std::vector<std::string>& paths) {
  for (QAction* old : TextFilesSUB->actions()) {
    TextFilesSUB->removeAction(old);
    old->deleteLater();
  }
  if (paths.empty()) {
    QAction* none = TextFilesSUB->addAction("<none>");
    none->setObjectName("NoneOPT");
    none->setEnabled(false);
    return;
  }
  for (std::size_t k = 0; k < paths.size(); ++k) {
    const std::string& path = paths[k];
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    QAction* item = TextFilesSUB->addAction(MenuCaption(FromSystemText(UpperCase(name))));
    item->setObjectName(QString("File%1").arg(k));
    connect(item, &QAction::triggered, this,
            [this, item] { ShowMAMETextFile(item->objectName()); });
  }
}

void TMainFRM::SetShell(MainShell* shell) {
  shell_ = shell;
  games_model_->SetDatabase(shell ? &shell->Database() : nullptr);
}

void TMainFRM::UpdateProfileControls(bool loaded) {
  for (QWidget* w : std::initializer_list<QWidget*>{
           InfoTOOL,        PlayTOOL,       DetailTOOL,           VideoSetupTOOL,
           AudioSetupTOOL,  MiscSetupTOOL,  DirectoriesTOOL,      FindGameTOOL,
           FindRomSetTOOL,  FindClonesTOOL, FindManufacturerTOOL, RandomGameTOOL,
           CommandLineTOOL, QuickInfoBOX,   GameRecordingBOX,     NoneBTN,
           PlayBTN,         RecordBTN,      ScreenShotPGE,        SnapShot,
           GamesList})
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
  SnapShot->setVisible(loaded);

  // Whatever the state: no search match to go on with, and no recording.
  NextMatchOPT->setEnabled(false);
  NoneBTN->setChecked(true);
  InpFile->clear();
  SetInpFileEnabled(false);

  if (loaded) {
    SetBase(GamesList, QPalette::Base);
    games_model_->Reload();
    return;
  }
  SetBase(GamesList, QPalette::Button);
  games_model_->Clear();
  ExplorerOPT->setEnabled(false);
  PopExplorerOPT->setEnabled(false);
  setWindowTitle(QString(kProductName) + " - no profile loaded");
  for (QLabel* value : QuickInfoValues)
    value->setText(kNotAvailable);
}

void TMainFRM::SetInpFileEnabled(bool enabled) {
  InpFileLBL->setEnabled(enabled);
  InpFile->setEnabled(enabled);
  InpBrowseBTN->setEnabled(enabled);
  SetBase(InpFile, enabled ? QPalette::Base : QPalette::Button);
}

// ----------------------------------------------------------------------------------------------
// Events

void TMainFRM::CentreOnScreen() {
  if (QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void TMainFRM::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    CentreOnScreen();
  }
  QMainWindow::showEvent(event);
}

bool TMainFRM::eventFilter(QObject* watched, QEvent* event) {
  if (watched == GamesList && event->type() == QEvent::KeyPress) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.size() == 1 && text[0].isPrint()) GamesListKeyPress(text[0]);
  }
  return QMainWindow::eventFilter(watched, event);
}

// ----------------------------------------------------------------------------------------------
// Handlers. Those marked "later" belong to parts of the program that are not built yet; their
// menu items and buttons exist and do nothing until then.

void TMainFRM::NewOPTClick() {
  if (shell_) shell_->Profiles().CreateProfile();
}
void TMainFRM::OpenOPTClick() {}  // later: the open-profile dialog
void TMainFRM::ReopenProfile(const QString& item_name) {
  if (shell_) shell_->ReopenProfile(item_name.toStdString());
}
void TMainFRM::VersionOPTClick() {}  // later: the profile information report
void TMainFRM::QuitOPTClick() {
  close();
}

void TMainFRM::RunGameOPTClick() {}              // later: the launch
void TMainFRM::DetailBTNClick() {}               // later: the set description
void TMainFRM::DeleteConfigOPTClick() {}         // later: per-game file maintenance
void TMainFRM::DeleteHiScoreOPTClick() {}        // later
void TMainFRM::DeleteNVRamOPTClick() {}          // later
void TMainFRM::DeleteDefaultConfigOPTClick() {}  // later
void TMainFRM::VideoOPTClick() {}                // later: the emulator option windows
void TMainFRM::AudioOPTClick() {}                // later
void TMainFRM::MiscOPTClick() {}                 // later
void TMainFRM::MAMEdirOPTClick() {}              // later
void TMainFRM::VerifySetOPTClick() {}            // later: the verify window

void TMainFRM::GameOPTClick() {}               // later: search
void TMainFRM::RomSetOPTClick() {}             // later
void TMainFRM::FindClonesTOOLClick() {}        // later
void TMainFRM::FindManufacturerTOOLClick() {}  // later
void TMainFRM::SelectRandomGameOPTClick() {}   // later: the game list
void TMainFRM::NextMatchOPTClick() {}          // later: search

void TMainFRM::DirectoriesOPTClick() {}  // later: the Preferences window
void TMainFRM::Sort0OPTClick() {}        // later: the game list's sort orders
void TMainFRM::Sort1OPTClick() {}        // later
void TMainFRM::Sort2OPTClick() {}        // later
void TMainFRM::Sort3OPTClick() {}        // later
void TMainFRM::Sort4OPTClick() {}        // later
void TMainFRM::AZOPTClick() {}           // later
void TMainFRM::ZAOPTClick() {}           // later
void TMainFRM::ShowCmdLineOPTClick() {}  // later: the command-line window
void TMainFRM::ExplorerOPTClick() {}     // later: per-game file maintenance
void TMainFRM::SysInfoOPTClick() {}      // later: the system information window
void TMainFRM::NPlaysOPTClick() {}       // later: play statistics
void TMainFRM::PlayTimeOPTClick() {}     // later
void TMainFRM::ResetStatsOPTClick() {}   // later

void TMainFRM::ShowMAMETextFile(const QString& item_name) {
  if (shell_) shell_->ShowMAMETextFile(item_name.toStdString());
}
void TMainFRM::VisitMameOPTClick() {
  if (shell_) shell_->VisitMame();
}
void TMainFRM::KestrelHistoryOPTClick() {
  if (shell_) shell_->KestrelHistory();
}
void TMainFRM::VisitWebOPTClick() {
  if (shell_) shell_->VisitWeb();
}
void TMainFRM::EmailOPTClick() {
  if (shell_) shell_->Email();
}
void TMainFRM::AboutOPTClick() {
  if (about_) about_->exec();
}

void TMainFRM::GamesListClick() {}          // later: quick information and picture
void TMainFRM::GamesListKeyPress(QChar) {}  // later: type-ahead
void TMainFRM::ScreenShotPGEChange(int index) {
  if (shell_) shell_->Settings().ScreenshotDisplay = static_cast<std::uint8_t>(index);
  GamesListClick();
}

void TMainFRM::NoneRDOClick() {
  SetInpFileEnabled(false);
}
void TMainFRM::PlayRDOClick() {
  if (games_model_->rowCount() == 0) return;
  SetInpFileEnabled(true);
  // later: an empty file name takes the selected game's set name
}
void TMainFRM::RecordRDOClick() {
  PlayRDOClick();
}
void TMainFRM::InpBrowseBTNClick() {}  // later: the recording file dialog
void TMainFRM::JoyCheckTMRTimer() {}   // later: joystick navigation of the game list

}  // namespace kw
