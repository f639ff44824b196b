#include "core/launch/text_output.h"

#include <string_view>
#include <vector>

#include "core/shared/report_document.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/input_file.h"

namespace kw {

namespace {

// A line as text-mode reading gives it: without its line break, a CR LF counting as one.
void DropCarriageReturn(std::string& line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

// Adds the lines of `text` as text-mode reading gives them; a last line without its line break
// is added all the same.
void AddLines(ReportDocument& report, std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    DropCarriageReturn(line);
    report.AddLine(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

// Reads `size` bytes of the capture from where it stands; short when the file is shorter or
// cannot be read.
std::string ReadPart(platform::InputFile& capture, std::uint64_t size) {
  std::string part(static_cast<std::size_t>(size), '\0');
  const long got = capture.Read(part.data(), part.size());
  part.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
  return part;
}

}  // namespace

void BeginTextOutput(ReportDocument& report, const std::string& command_text,
                     const TextOutputContext& context) {
  report.StartReport(context.ProductName + " - MAME text output", context.ProgramDir,
                     "MAME_output");
  report.SetParagraph(Alignment::Left, false);
  report.SetTextFont(kReportBodyFace, kColorBlack, kStyleBold, context.NormalFontSize);
  report.AddLine("C:\\> " + command_text);
  report.AddLine("");
}

namespace {

// Adds the lines of the capture `file_name` (within the bound above; or the error line of a
// capture that is missing or cannot be read to the end), then deletes it.
void AddCaptureLines(ReportDocument& report, const std::string& file_name) {
  const std::string quoted = "\"" + file_name + "\"";
  const std::string path = platform::fs::Resolve(file_name);
  Result<platform::InputFile> capture = platform::fs::FileExists(path)
                                            ? platform::InputFile::Open(path)
                                            : Result<platform::InputFile>(Failure("not found"));
  if (!capture) {
    report.AddLine("***** ERROR: " + quoted + " file not found.");
  } else if (const std::uint64_t size = capture->Size(); size > 2 * kShownOutputEnd) {
    // A flood of output: its beginning and its end are what tell, and a report of gigabytes
    // would take memory many times their size.
    const std::string head = ReadPart(*capture, kShownOutputEnd);
    const std::string tail =
        capture->Seek(size - kShownOutputEnd) ? ReadPart(*capture, kShownOutputEnd) : "";
    AddLines(report, head);
    report.AddLine("***** " + std::to_string(size - head.size() - tail.size()) +
                   " bytes of the output left out here *****");
    AddLines(report, tail);
    if (head.size() + tail.size() < 2 * kShownOutputEnd)
      report.AddLine("***** ERROR: " + quoted + " file read error");
    capture = Failure("closed");
    (void)platform::fs::Delete(path);
  } else {
    // Lines as text-mode reading gives them: the first is always added (an empty capture shows
    // one empty line), a last line break ends the last line.
    std::string line;
    bool any = false;
    bool failed = false;
    std::vector<char> block(64 * 1024);
    for (;;) {
      const long n = capture->Read(block.data(), block.size());
      if (n < 0) failed = true;
      if (n <= 0) break;
      std::string_view rest(block.data(), static_cast<std::size_t>(n));
      for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos;) {
        line += rest.substr(0, end);
        rest.remove_prefix(end + 1);
        DropCarriageReturn(line);
        report.AddLine(line);
        line.clear();
        any = true;
      }
      line += rest;
    }
    if (!line.empty() || !any) {
      DropCarriageReturn(line);
      report.AddLine(line);
    }
    if (failed) report.AddLine("***** ERROR: " + quoted + " file read error");
    capture = Failure("closed");
    (void)platform::fs::Delete(path);
  }
}

void CloseTextOutput(UserInterface& ui, ReportDocument& report) {
  report.AddLine("");
  report.AddLine("C:\\>");
  ui.SetBusy(false);
  ui.ShowReport(report);
}

}  // namespace

void EndTextOutput(UserInterface& ui, ReportDocument& report, const TextOutputContext& context) {
  ui.SetBusy(true);
  AddCaptureLines(report, context.CaptureFileName);
  CloseTextOutput(ui, report);
}

void EndFailedRunOutput(UserInterface& ui, ReportDocument& report, const std::string& command_text,
                        const TextOutputContext& context, int exit_code) {
  ui.SetBusy(true);
  if (context.OutputLogged) {
    AddCaptureLines(report, context.CaptureFileName);
  } else {
    BeginTextOutput(report, command_text, context);
  }
  report.AddLine("***** MAME ended with the exit status " + std::to_string(exit_code) +
                 ": the game did not run, and no play was recorded. What it said: *****");
  AddCaptureLines(report, context.ErrorFileName);
  CloseTextOutput(ui, report);
}

}  // namespace kw
