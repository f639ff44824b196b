#include "core/profile/listxml_flow.h"

#include "core/profile/emulator_query.h"
#include "core/profile/game_database.h"
#include "core/profile/listxml_parser.h"
#include "core/user_interface.h"

namespace kw {

bool ParseListxml(GameDatabase& db, UserInterface& ui, ReportDocument& report,
                  const ListinfoContext& context) {
  db.ClearDatabase();
  ui.SetOperation("Parsing MAME listxml file...");
  ui.SetProgress(0);
  ui.ShowProgress();
  ui.ProcessMessages();
  ui.SetBusy(true);
  Result<std::vector<ListinfoLogEntry>> log = ParseListxmlFile(context.CaptureFileName, db, &ui);
  ui.SetProgress(-1);
  ui.ProcessMessages();
  ui.HideProgress();
  ui.SetBusy(false);
  if (!log) {
    ui.Ask(kNoGameInfo, MsgIcon::Error);
    return false;
  }
  if (log->empty()) {
    ui.Ask(ListinfoSuccessMessage(db), MsgIcon::Information);
    return true;
  }
  FillListinfoReport(report, *log, context);
  if (LogRefusesProfile(*log)) {
    ui.ShowReport(report);
    ui.Ask(kListxmlRefused, MsgIcon::Error);
    return false;
  }
  ui.Ask(ListinfoErrorMessage(context.ProductName), MsgIcon::Error);
  ui.ShowReport(report);
  return ui.Ask(kListinfoUseAnywayQuestion, MsgIcon::Warning, MsgButtons::YesNo) == MsgAnswer::Yes;
}

}  // namespace kw
