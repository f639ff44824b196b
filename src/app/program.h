// The composition root: every controller of the program, built once with only what it uses and
// wired together. The GUI builds it over its windows, the tests over recording stand-ins.
#pragma once

#include "core/audit/set_status_controller.h"
#include "core/browser/game_filter_controller.h"
#include "core/browser/game_list_controller.h"
#include "core/browser/quick_info_controller.h"
#include "core/browser/search.h"
#include "core/launch/game_files.h"
#include "core/launch/launch_controller.h"
#include "core/launch/recording_controller.h"
#include "core/launch/stats_controller.h"
#include "core/options/option_windows_controller.h"
#include "core/options/preferences_controller.h"
#include "core/profile/profile_controller.h"
#include "core/profile/profile_info.h"
#include "core/reports/set_description.h"
#include "core/reports/status_check.h"
#include "core/reports/verify_controller.h"
#include "core/shared/app_names.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/shared/set_archives.h"
#include "core/shared/settings_store.h"
#include "core/shell/command_line_form.h"
#include "core/shell/help_controller.h"
#include "core/shell/main_shell.h"
#include "platform/joystick.h"

namespace kw {

class ShellView;
class UserInterface;

// The slices of the main window that the controllers drive.
struct ProgramViews {
  ShellView& shell;
  ReopenMenuView& reopen_menus;
  TextFilesMenuView& text_files;
  GameListView& game_list;
  QuickInfoView& quick_info;
  RecordingView& recording;
  StatsView& statistics;
  NewProfileView& new_profile;
  // The search window; without one (the console program) a search is never opened.
  SearchView* search = nullptr;
  // The Filters menus; without them (the console program) nothing is shown.
  GameFilterView* filters = nullptr;
};

class Program {
 public:
  Program(UserInterface& ui, const ProgramViews& views, AppNames names);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  const AppNames names;
  SettingsStore settings;
  GameDatabase database;
  PlayStats stats;
  platform::Joystick joystick;
  ProfileController profiles;
  EmulatorConfigController emulator_config;
  HelpController help;
  SetStatusController set_status;
  QuickInfoController quick_info;
  GameListController game_list;

 private:
  struct NoFilterMenus : GameFilterView {
    void ShowFilters(const FilterSettings&) override {}
    void ShowCategories(const std::vector<CategoryGroup>&) override {}
    void SetFiltersEnabled(bool) override {}
  } no_filter_menus_;

 public:
  GameFilterController filters;
  RecordingController recording;
  StatsController statistics;
  SetArchives archives;
  LaunchController launch;
  VerifyController verify;
  // After the set status it keeps its verdicts in; cancelled before a verification.
  StatusCheck status_check;
  DescribeController describe;
  MainShell shell;
  // The option windows take the language codes and the optical drives the shell finds.
  OptionWindowsController options;
  PreferencesController preferences;

 private:
  struct NoSearchWindow : SearchView {
    bool RunSearchWindow(SearchForm&) override { return false; }
    void SetNextMatchEnabled(bool) override {}
  } no_search_window_;

 public:
  SearchController search;
  ProfileInfoController profile_info;
  CommandLineForm command_line;
  GameFilesController game_files;
};

}  // namespace kw
