#include "core/launch/text_output.h"

#include <string_view>
#include <vector>

#include "core/reports/report_document.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/input_file.h"

namespace kw {

namespace {

// A line as text-mode reading gives it: without its line break, a CR LF counting as one.
void DropCarriageReturn(std::string& line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

}  // namespace

void BeginTextOutput(ReportDocument& report, const std::string& command_text,
                     const TextOutputContext& context) {
  report.ReportTitle = context.ProductName + " - MAME text output";
  report.SaveDir = context.ProgramDir;
  report.SaveName = "MAME_output";
  report.ClearReport();
  report.SetParagraph(Alignment::Left, false);
  report.SetTextFont("Courier New", kColorBlack, kStyleBold, context.NormalFontSize);
  report.AddLine("C:\\> " + command_text);
  report.AddLine("");
}

void EndTextOutput(UserInterface& ui, ReportDocument& report, const TextOutputContext& context) {
  ui.SetBusy(true);
  const std::string quoted = "\"" + context.CaptureFileName + "\"";
  const std::string path = platform::fs::Resolve(context.CaptureFileName);
  Result<platform::InputFile> capture = platform::fs::FileExists(path)
                                            ? platform::InputFile::Open(path)
                                            : Result<platform::InputFile>(Failure("not found"));
  if (!capture) {
    report.AddLine("***** ERROR: " + quoted + " file not found.");
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
  report.AddLine("");
  report.AddLine("C:\\>");
  ui.SetBusy(false);
  ui.ShowReport(report);
}

}  // namespace kw
