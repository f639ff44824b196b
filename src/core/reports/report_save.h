// Saving a report to the file the user chose in the report window's save dialog: which format
// the dialog's filter writes, the name actually written, and the write itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "core/reports/report_writers.h"

namespace kw {

// The save dialog's filters, numbered as the dialog numbers them.
enum ReportSaveFilter : int { kRichTextFilter = 1, kPlainTextFilter = 2, kAllFilesFilter = 3 };

// Only the rich-text filter writes rich text; the others write plain text.
bool SavesRichText(int filter_index);

// The name written: `typed` as it is when its file name has an extension, else with the one of
// what is written (".RTF" for rich text, ".TXT" for plain text).
std::string SaveFileName(std::string_view typed, int filter_index);

// Writes the paragraphs in the filter's format to SaveFileName(typed, filter_index), atomically
// (an existing file stays as it was when the write fails). Gives the path written, or the
// message "Cannot create file "<path>". <reason>".
Result<std::string> SaveReport(std::string_view typed, int filter_index,
                               const std::vector<ReportParagraph>& paragraphs);

}  // namespace kw
