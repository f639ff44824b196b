#include "core/launch/text_output.h"

#include <fstream>

#include "core/reports/report_document.h"
#include "core/user_interface.h"
#include "platform/fs.h"

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
  std::ifstream capture;
  if (platform::fs::FileExists(path)) capture.open(path, std::ios::binary);
  if (!capture.is_open()) {
    report.AddLine("***** ERROR: " + quoted + " file not found.");
  } else {
    std::string line;
    // The first line is always added: an empty capture shows one empty line.
    bool first = true;
    while (true) {
      if (!std::getline(capture, line)) {
        if (first) report.AddLine("");
        break;
      }
      first = false;
      DropCarriageReturn(line);
      report.AddLine(line);
      if (capture.eof()) break;
    }
    if (capture.bad() || (!capture.eof() && capture.fail()))
      report.AddLine("***** ERROR: " + quoted + " file read error");
    capture.close();
    (void)platform::fs::Delete(path);
  }
  report.AddLine("");
  report.AddLine("C:\\>");
  ui.SetBusy(false);
  ui.ShowReport(report);
}

}  // namespace kw
