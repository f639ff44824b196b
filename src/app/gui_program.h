// The program over the main window: the composition root with the window's slices as its views,
// and the window bound to its controllers. The GUI, the window tests and the screenshot tool
// build it the same way.
#pragma once

#include <QMetaObject>
#include <utility>

#include "app/program.h"
#include "ui/browser/game_filter_menus.h"
#include "ui/browser/game_list_model.h"
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
    window.GameList().GamesModel()->SetStatusSource(
        {[this] { return !set_status.Empty(); },
         [this](int row) {
           // A row is a line of the list as shown, which a filter may have thinned.
           const long game = game_list.GameAt(row);
           if (game < 0 || static_cast<std::size_t>(game) >= database.GameCount())
             return AuditVerdict::kNoneNeeded;
           const SetStatus* kept =
               set_status.Find(database.Game(static_cast<std::size_t>(game)).Name.View());
           return kept ? kept->verdict : AuditVerdict::kNoneNeeded;
         }});
    // The check ends on its own thread; what it found is kept and shown on the window's.
    status_check.SetEndHook([this, &window] {
      QMetaObject::invokeMethod(
          &window, [this, &window] { StatusCheckEnded(window); }, Qt::QueuedConnection);
    });
  }

 private:
  void StatusCheckEnded(TMainFRM& window) {
    if (!status_check.Collect()) return;
    filters.StatusesChanged();
    window.GameList().GamesModel()->StatusChanged();
    quick_info.ShowAgain();
  }
};

}  // namespace kw
