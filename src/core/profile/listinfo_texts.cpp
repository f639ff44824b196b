// The texts of the profile creation flow: the error log's report lines, the messages, and the
// report window's document.
#include <string>
#include <vector>

#include "core/profile/listinfo_parser.h"
#include "core/shared/game_database.h"
#include "core/shared/report_document.h"

namespace kw {

std::string ListinfoLogLine(const ListinfoLogEntry& entry) {
  switch (entry.kind) {
    case ListinfoError::kBracketExpected:
      return "\"(\" expected after " + entry.text + " tag but " + entry.found + " found";
    case ListinfoError::kTagUnknown:
      return "Tag unknown: " + entry.text;
    case ListinfoError::kValueNotAllowed:
      return "Value not allowed: " + entry.text;
    case ListinfoError::kTagNotAllowed:
      return "Tag not allowed: " + entry.text;
    case ListinfoError::kTooManyErrors:
      return "Too much errors encoutered (>100): the rest were ignored.";
    case ListinfoError::kTooManyRecords:
      return entry.text == "RESOURCE"
                 ? "Too many resources: a profile holds at most 65535; the rest were ignored."
                 : "Too many games: a profile holds at most 65535; the rest were ignored.";
    case ListinfoError::kUnexpectedEnd:
      return entry.text == "RESOURCE"
                 ? "Unexpected end of file: the last resource was not closed and was ignored."
                 : "Unexpected end of file: the last game was not closed and was ignored.";
    case ListinfoError::kMalformedXml:
      return "Malformed XML at " + entry.text + ": " + entry.found +
             ". The list was not read, and no game of it was kept.";
    case ListinfoError::kNotAMachineList:
      return "Not a list of machines: the root element is <" + entry.text +
             ">. The list was not read.";
  }
  return {};
}

bool LogRefusesProfile(const std::vector<ListinfoLogEntry>& log) {
  for (const ListinfoLogEntry& entry : log)
    if (entry.kind == ListinfoError::kMalformedXml || entry.kind == ListinfoError::kNotAMachineList)
      return true;
  return false;
}

std::vector<std::string> ErrorReportLines(const std::vector<ListinfoLogEntry>& log) {
  std::vector<std::string> lines;
  lines.reserve(log.size());
  for (const auto& entry : log)
    lines.push_back(ListinfoLogLine(entry));
  return lines;
}

std::string ListinfoSuccessMessage(const GameDatabase& db) {
  return "MAME info file parsed succesfully!\r\r" + db.EmulatorVersion + "\r" +
         "Games found:     " + std::to_string(db.GameCount()) + "\r" +
         "Resources found: " + std::to_string(db.ResourceCount());
}

std::string ListinfoErrorMessage(const std::string& product_name) {
  return product_name + " encoutered errors in parsing the emulator's listinfo file\r" +
         "You will be asked if to use the resulting profile anyway after having viewed the "
         "error log.\r"
         "Altough there will probably be no problems at all in using it, you are encouraged to "
         "download an\r"
         "updated version of this program, which is probably already available (or will be "
         "soon) on the\r"
         "author's web site (see the about box).\r"
         "Since bugged profiles are known to make the front-end crash sometimes, please do not "
         "report such\r"
         "problems to the author. He is perfectly aware of them. Thank you.";
}

void FillListinfoReport(ReportDocument& report, const std::vector<ListinfoLogEntry>& log,
                        const ListinfoContext& context) {
  report.StartReport(context.ProductName + " - profile creation report", context.ProgramDir,
                     "profile_report");
  report.AddHeading("Profile creation errors", context.BoldFontSize, context.NormalFontSize);
  for (const auto& entry : log)
    report.AddLine(ListinfoLogLine(entry));
}

}  // namespace kw
