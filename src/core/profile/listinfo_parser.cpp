#include "core/profile/listinfo_parser.h"

#include "core/profile/capture_parse.h"
#include "core/profile/listinfo_records.h"
#include "core/user_interface.h"

namespace kw {

std::vector<ListinfoLogEntry> ParseListinfoText(std::string_view data, GameDatabase& db,
                                                UserInterface* progress) {
  return BuildListinfoRecords(data, db, progress);
}

Result<std::vector<ListinfoLogEntry>> ParseListinfoFile(std::string_view path, GameDatabase& db,
                                                        UserInterface* progress) {
  return ParseMappedFile(path, db, [&](std::string_view bytes, platform::MappedFile& file) {
    return BuildListinfoRecords(bytes, db, progress, &file);
  });
}

bool ParseListinfo(GameDatabase& db, UserInterface& ui, ReportDocument& report,
                   const ListinfoContext& context) {
  BeginCaptureParse(db, ui, "Parsing MAME listinfo file...");
  // The busy cursor only once the file is open: a file that cannot be read is said at once.
  const Result<std::vector<ListinfoLogEntry>> log = ParseMappedFile(
      context.CaptureFileName, db, [&](std::string_view bytes, platform::MappedFile& file) {
        ui.SetBusy(true);
        return BuildListinfoRecords(bytes, db, &ui, &file);
      });
  if (!log) {
    ui.SetProgress(-1);
    ui.HideProgress();
    ui.Ask("Cannot read game info file!", MsgIcon::Error);
    return false;
  }
  EndCaptureParse(ui);
  return OfferParsedProfile(db, ui, report, context, *log);
}

}  // namespace kw
