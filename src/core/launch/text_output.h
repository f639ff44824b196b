// The report of the emulator's text output after a game whose output was redirected into the
// capture file: the prompt with the command line, the captured lines, the closing prompt.
#pragma once

#include <cstdint>
#include <string>

#include "core/shared/app_names.h"

namespace kw {

class ReportDocument;
class UserInterface;

// A capture larger than twice this shows its first and its last this many bytes, with a line
// between them that says how many bytes were left out.
constexpr std::uint64_t kShownOutputEnd = std::uint64_t{2} << 20;

struct TextOutputContext {
  std::string ProductName = kProductName;
  std::string ProgramDir;                        // where the report is saved
  std::string CaptureFileName = "$KSTEMP$.NFO";  // relative to the current directory
  std::string ErrorFileName;                     // the emulator's standard error, when kept
  bool OutputLogged = false;                     // the capture was begun (BeginTextOutput)
  int NormalFontSize = 8;
};

// Clears the report and starts it with the prompt line of `command_text` and an empty line.
void BeginTextOutput(ReportDocument& report, const std::string& command_text,
                     const TextOutputContext& context);

// Adds the capture file's lines (within the bound above; or the error line of a capture that is
// missing or cannot be read to the end), deletes the capture, closes with the prompt and shows the
// report.
void EndTextOutput(UserInterface& ui, ReportDocument& report, const TextOutputContext& context);

// After a run of today's emulator that ended with its failure status: the report of its text
// output (begun now when it was not logged) with a line that says the run failed, then what the
// emulator wrote to its standard error (ErrorFileName, deleted after), shown to the user.
void EndFailedRunOutput(UserInterface& ui, ReportDocument& report, const std::string& command_text,
                        const TextOutputContext& context, int exit_code);

}  // namespace kw
