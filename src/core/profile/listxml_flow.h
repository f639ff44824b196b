// The profile creation's reading of today's emulator's list of machines: the same flow as the
// era's listinfo (listinfo_parser.h, ParseListinfo), with one difference: a list that cannot be
// read as a whole (malformed XML, or XML of another shape) is refused, never offered for use.
#pragma once

#include "core/profile/listinfo_parser.h"

namespace kw {

class GameDatabase;
class ReportDocument;
class UserInterface;

// After the error report of a refused list.
inline constexpr const char* kListxmlRefused =
    "The emulator's list of machines could not be read: the error log says why.\r"
    "No profile was made from it.";

// Reads the capture file named by context.CaptureFileName into `db` under the progress window
// and the busy cursor, then shows the success message, or the error log with the error message
// and the question whether to use the profile anyway; a refused list shows the log and
// kListxmlRefused and gives false at once. True when the result is to be used. A capture file
// that cannot be read is reported ("Cannot read game info file!") and gives false.
bool ParseListxml(GameDatabase& db, UserInterface& ui, ReportDocument& report,
                  const ListinfoContext& context);

}  // namespace kw
