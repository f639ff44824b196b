#include "core/launch/text_output.h"

#include <sys/stat.h>

#include <fstream>
#include <string_view>

#include "core/reports/report_document.h"
#include "core/user_interface.h"
#include "platform/fs.h"

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

// Reads `size` bytes of the capture from where it stands; short when the file is shorter.
std::string ReadPart(std::ifstream& capture, std::uint64_t size) {
  std::string part(static_cast<std::size_t>(size), '\0');
  capture.read(part.data(), static_cast<std::streamsize>(size));
  part.resize(static_cast<std::size_t>(capture.gcount()));
  return part;
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
  } else if (struct stat st; stat(path.c_str(), &st) == 0 &&
                             static_cast<std::uint64_t>(st.st_size) > 2 * kShownOutputEnd) {
    // A flood of output: its beginning and its end are what tell, and a report of gigabytes
    // would take memory many times their size.
    const auto size = static_cast<std::uint64_t>(st.st_size);
    const std::string head = ReadPart(capture, kShownOutputEnd);
    capture.seekg(static_cast<std::streamoff>(size - kShownOutputEnd));
    const std::string tail = ReadPart(capture, kShownOutputEnd);
    AddLines(report, head);
    report.AddLine("***** " + std::to_string(size - head.size() - tail.size()) +
                   " bytes of the output left out here *****");
    AddLines(report, tail);
    if (capture.bad() || head.size() + tail.size() < 2 * kShownOutputEnd)
      report.AddLine("***** ERROR: " + quoted + " file read error");
    capture.close();
    (void)platform::fs::Delete(path);
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
