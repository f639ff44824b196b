// The spine of the program: start-up (FormCreate, FormShow), shutdown (FormDestroy), the reopen
// list, the Help menu's commands and the crash check. Owns the settings and the game database
// for the whole run; the main window forwards its events here.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/profile/game_database.h"
#include "core/shell/app_names.h"
#include "core/shell/main_view.h"
#include "core/shell/services.h"
#include "core/shell/settings.h"
#include "core/user_interface.h"
#include "platform/ini.h"

namespace kw {

// Addresses opened by the Help menu.
inline constexpr const char* kEmulatorWebPage = "https://www.mamedev.org/";
inline constexpr const char* kProductWebPage = "https://kestrelwing.example.org/";
inline constexpr const char* kSupportMail = "mailto:support@kestrelwing.example.org";

class MainShell {
 public:
  MainShell(UserInterface& ui, MainView& view, AppNames names);
  ~MainShell();

  // Later parts plug in here; until then the defaults of services.cpp stand in.
  void SetProfileService(ProfileService* service);
  void SetEmulatorConfigService(EmulatorConfigService* service);
  void SetStatsService(StatsService* service);

  // Start-up and shutdown, in the order the program runs them.
  void FormCreate();
  void FormShow(const std::vector<std::string>& args);
  void FormDestroy();

  // Reopen list.
  void AddToReopenList(const std::string& path);
  // The item name is "ReopenFile" + slot number (1..5); any other name does nothing.
  void ReopenProfile(const std::string& item_name);

  // Help menu.
  void BuildTextFilesMenu();
  // The item name is "File" + position in TextFileList; any other name does nothing.
  void ShowMAMETextFile(const std::string& item_name);
  void KestrelHistory();
  void VisitMame();
  void VisitWeb();
  void Email();

  // Looks for a temporary directory left by an emulator run that never came back.
  void CrashCheck();

  // Applies ProfileLoaded to the window's controls.
  void UpdateProfileControls();
  // Title of the main window for the current state.
  std::string MainTitle() const;

  // Writes KESTREL.INI now; reports "Unable to write to ..." on failure. True when written.
  bool SaveSettingsNow();

  const AppNames& Names() const { return names_; }
  FrontEndSettings& Settings() { return settings_; }
  GameDatabase& Database() { return database_; }
  UserInterface& Ui() { return ui_; }
  MainView& View() { return view_; }
  ProfileService& Profiles() { return *profiles_; }
  EmulatorConfigService& EmulatorConfig() { return *emulator_config_; }
  StatsService& Stats() { return *stats_; }

  const std::vector<std::string>& TextFileList() const { return text_file_list_; }
  const std::vector<std::string>& LanguageCodes() const { return language_codes_; }
  // Optical drives found at start (mount points); offered by the Preferences window.
  const std::vector<std::string>& CdDrives() const { return cd_drives_; }

 private:
  void OpenInEditor(const std::string& path);

  UserInterface& ui_;
  MainView& view_;
  AppNames names_;
  FrontEndSettings settings_;
  GameDatabase database_;
  platform::IniFile settings_file_;

  std::unique_ptr<ProfileService> default_profiles_;
  std::unique_ptr<EmulatorConfigService> default_emulator_config_;
  std::unique_ptr<StatsService> default_stats_;
  ProfileService* profiles_;
  EmulatorConfigService* emulator_config_;
  StatsService* stats_;

  std::vector<std::string> text_file_list_;
  std::vector<std::string> language_codes_;
  std::vector<std::string> cd_drives_;
};

// Text files of the emulator directory and its sub-directories (extension .TXT in any case,
// DIR.TXT left out), sorted by their upper-case full paths. The paths are returned as on disk,
// so that the editor can open them.
std::vector<std::string> FindTextFiles(const std::string& emulator_dir);

}  // namespace kw
