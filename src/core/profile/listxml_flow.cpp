#include "core/profile/listxml_flow.h"

#include "core/profile/capture_parse.h"
#include "core/profile/emulator_query.h"
#include "core/profile/listxml_parser.h"
#include "core/shared/game_database.h"
#include "core/user_interface.h"

namespace kw {

bool ParseListxml(GameDatabase& db, UserInterface& ui, ReportDocument& report,
                  const ListinfoContext& context) {
  BeginCaptureParse(db, ui, "Parsing MAME listxml file...");
  ui.SetBusy(true);
  Result<std::vector<ListinfoLogEntry>> log = ParseListxmlFile(context.CaptureFileName, db, &ui);
  EndCaptureParse(ui);
  if (!log) {
    ui.Ask(kNoGameInfo, MsgIcon::Error);
    return false;
  }
  return OfferParsedProfile(db, ui, report, context, *log, kListxmlRefused);
}

}  // namespace kw
