// The program over the main window: the composition root with the window's slices as its views,
// and the window bound to its controllers. The GUI, the window tests and the screenshot tool
// build it the same way.
#pragma once

#include <utility>

#include "app/program.h"
#include "ui/browser/game_filter_menus.h"
#include "ui/browser/game_list_panel.h"
#include "ui/browser/quick_info_panel.h"
#include "ui/launch/recording_panel.h"
#include "ui/launch/stats_panel.h"
#include "ui/shell/main_window.h"

namespace kw {

class GuiProgram : public Program {
 public:
  GuiProgram(UserInterface& ui, TMainFRM& window, AppNames names)
      : Program(ui,
                ProgramViews{window, window, window, window.GameList(), window.QuickInfo(),
                             window.Recording(), window.Stats(), window.NewProfile(), &window,
                             &window.Filters()},
                std::move(names)) {
    window.Bind({&profiles, &help, &game_list, &quick_info, &recording, &database, &statistics,
                 &launch, &verify, &search, &profile_info, &command_line, &game_files, &describe,
                 &options, &preferences, &filters});
  }
};

}  // namespace kw
