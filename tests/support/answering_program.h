// The whole program over its windows, with a user interface that answers every question as a
// user who agrees would (Yes, else OK) and keeps the text of each: what the whole-program test
// and the picture tool drive.
#pragma once

#include <QString>
#include <QStringList>

#include "app/gui_program.h"
#include "platform/system_info.h"
#include "ui/reports/report_window.h"
#include "ui/shell/main_window.h"
#include "ui/shell/qt_user_interface.h"
#include "ui/shell/working_window.h"

namespace kw::test {

// The windows and the user interface over them, wired up before the program is made.
struct AnsweringWindows {
  TMainFRM window;
  TWorkingFRM working;
  TReportFRM report{&window};
  QtUserInterface ui{working, &report};
  QStringList messages;  // every question asked, in order

  AnsweringWindows() {
    ui.SetParentWindow(&window);
    ui.SetAskHook([this](const QString& text, MsgIcon, MsgButtons buttons) {
      messages << text;
      return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    });
  }
};

struct AnsweringProgram : AnsweringWindows {
  GuiProgram program{ui, window, AppNames::Compute(platform::ProgramDir(), platform::SystemDir())};
};

}  // namespace kw::test
