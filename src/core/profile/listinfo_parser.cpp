#include "core/profile/listinfo_parser.h"

#include <functional>
#include <string>

#include "core/profile/capture_parse.h"
#include "core/profile/listinfo_records.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/input_file.h"

namespace kw {

std::vector<ListinfoLogEntry> ParseListinfoText(std::string_view data, GameDatabase& db,
                                                UserInterface* progress) {
  return BuildListinfoRecords(data, db, progress);
}

namespace {

// Reads the capture at `path` a piece at a time; a file whose size the system does not give (as
// under /proc) is read whole instead. `opened` runs once the file is open. The database is
// cleared when the file cannot be read.
Result<std::vector<ListinfoLogEntry>> ParseCaptureFile(std::string_view path, GameDatabase& db,
                                                       UserInterface* progress,
                                                       const std::function<void()>& opened) {
  const std::string resolved = platform::fs::Resolve(path);
  Result<platform::InputFile> input = platform::InputFile::Open(resolved);
  if (input && input->Size() > 0) {
    opened();
    return BuildListinfoRecords(input->Fd(), input->Size(), db, progress);
  }
  return ParseMappedFile(path, db, [&](std::string_view bytes, platform::MappedFile& file) {
    opened();
    return BuildListinfoRecords(bytes, db, progress, &file);
  });
}

}  // namespace

Result<std::vector<ListinfoLogEntry>> ParseListinfoFile(std::string_view path, GameDatabase& db,
                                                        UserInterface* progress) {
  return ParseCaptureFile(path, db, progress, [] {});
}

bool ParseListinfo(GameDatabase& db, UserInterface& ui, ReportDocument& report,
                   const ListinfoContext& context) {
  BeginCaptureParse(db, ui, "Parsing MAME listinfo file...");
  // The busy cursor only once the file is open: a file that cannot be read is said at once.
  const Result<std::vector<ListinfoLogEntry>> log =
      ParseCaptureFile(context.CaptureFileName, db, &ui, [&] { ui.SetBusy(true); });
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
