#include "app/program.h"

#include <utility>

namespace kw {

Program::Program(UserInterface& ui, const ProgramViews& views, AppNames app_names)
    : names(std::move(app_names)),
      settings(names.SettingsPath),
      stats(names.StatsPath),
      profiles(ui, database, settings, names, views.shell, views.reopen_menus, views.new_profile),
      emulator_config(database, names.TempDirName),
      help(ui, settings.Values(), database, names.NewsPath, views.text_files),
      set_status(database, names),
      quick_info(settings.Values(), database, stats, set_status, views.quick_info),
      game_list(ui, settings, database, stats, joystick, views.game_list, quick_info),
      filters(ui, settings, database, set_status, names, game_list,
              views.filters ? *views.filters : no_filter_menus_),
      recording(database, game_list, emulator_config, views.recording),
      statistics(ui, stats, database, names.ProductName, views.statistics),
      // The sets are looked for from the current directory, the emulator's while a profile is
      // open.
      archives(ui, settings.Values(), "", names.TempDirName, names.DiscIniName),
      launch(ui, settings.Values(), database, emulator_config, statistics, game_list, recording,
             archives, names),
      verify(ui, settings.Values(), database, emulator_config, set_status, names),
      status_check(settings.Values(), database, names, emulator_config, set_status),
      describe(ui, settings.Values(), database, emulator_config, stats, game_list, names),
      shell(ui, views.shell, names,
            ShellParts{settings, database, profiles, emulator_config, help, game_list, quick_info,
                       statistics}),
      options(ui, settings.Values(), database, emulator_config, game_list, shell.LanguageCodes(),
              names.ProductName),
      preferences(ui, settings, database, emulator_config, game_list, joystick, shell.CdDrives(),
                  names.ProductName),
      search(ui, database, game_list, views.search ? *views.search : no_search_window_),
      profile_info(ui, settings.Values(), database, names),
      command_line(settings.Values(), database, game_list, launch),
      game_files(ui, database, game_list, emulator_config, quick_info, names) {
  // In the order the window is brought up to date after a profile opens or its state changes.
  profiles.AddListener(emulator_config);
  profiles.AddListener(help);
  profiles.AddListener(statistics);
  profiles.AddListener(set_status);
  // The favourites and categories are read before the list is filled with them.
  profiles.AddListener(filters);
  profiles.AddListener(status_check);
  profiles.AddListener(game_list);
  profiles.AddListener(quick_info);
  profiles.AddListener(recording);
  profiles.AddListener(search);
  statistics.AddResetListener(game_list);
  game_list.SetFilter(&filters);
  verify.SetStatusCheck(&status_check);
}

}  // namespace kw
