// The spine of the program: start-up (FormCreate, FormShow) and shutdown (FormDestroy), in the
// order the program runs them. Each step is the work of a feature's controller; the shell only
// calls them in their places.
#pragma once

#include <string>
#include <vector>

#include "core/shared/app_names.h"

namespace kw {

class EmulatorConfigController;
class GameDatabase;
class GameListController;
class HelpController;
class ProfileController;
class QuickInfoController;
class SettingsStore;
class StatsController;
class ShellView;
class UserInterface;

// The controllers that take part in start-up and shutdown.
struct ShellParts {
  SettingsStore& settings;
  GameDatabase& database;
  ProfileController& profiles;
  EmulatorConfigController& emulator_config;
  HelpController& help;
  GameListController& game_list;
  QuickInfoController& quick_info;
  StatsController& statistics;
};

class MainShell {
 public:
  MainShell(UserInterface& ui, ShellView& view, const AppNames& names, ShellParts parts);

  void FormCreate();
  void FormShow(const std::vector<std::string>& args);
  void FormDestroy();

  // Writes KESTREL.INI now; a failure is said ("Unable to write to ..."). True when written.
  bool SaveSettingsNow();

  const std::vector<std::string>& LanguageCodes() const { return language_codes_; }
  // Optical drives found at start (mount points); offered by the Preferences window.
  const std::vector<std::string>& CdDrives() const { return cd_drives_; }

 private:
  UserInterface& ui_;
  ShellView& view_;
  const AppNames& names_;
  ShellParts parts_;
  std::vector<std::string> language_codes_;
  std::vector<std::string> cd_drives_;
};

}  // namespace kw
