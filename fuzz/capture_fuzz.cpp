// The emulator's captures are whatever the chosen program printed: its answer to -help, its
// version line and the text output of a game. Any bytes must be read without a crash; the
// version line read from the capture file must be the one read from memory, and the report of
// the text output must hold the capture's lines as text-mode reading gives them.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/launch/text_output.h"
#include "core/profile/dialect_detection.h"
#include "core/profile/emulator_query.h"
#include "core/shared/report_document.h"
#include "core/silent_user_interface.h"

namespace {

// The lines of `text` without their line breaks, a CR LF counting as one; a last line without
// its line break counts all the same, and an empty capture is one empty line.
std::vector<std::string> TextModeLines(std::string_view text) {
  if (text.empty()) return {""};
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The text output asks nothing.
class QuietUi : public kw::SilentUserInterface {
 public:
  kw::MsgAnswer Ask(const std::string&, kw::MsgIcon, kw::MsgButtons) override { std::abort(); }
};

bool WriteCapture(const std::string& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // In memory when the machine has it: one capture file is written for every input.
  static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/kw-capture-fuzz-" + std::to_string(getpid()) + ".NFO";
  static const bool cleaned = std::atexit([] { std::remove(path.c_str()); }) == 0;
  (void)cleaned;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // The answer to -help, and the version line of either emulator.
  const std::string first = kw::FirstLine(bytes);
  if (first.size() > kw::kMaxVersionLine || first.find('\n') != std::string::npos) std::abort();
  if (kw::AnswersAsTodaysEmulator(bytes) && first.find("MAME v") == std::string::npos) std::abort();
  if (!WriteCapture(path, bytes)) return 0;
  const kw::Result<std::string> read = kw::ReadFirstLine(path);
  if (!read || *read != first) std::abort();

  // The text output, which deletes the capture once read.
  QuietUi ui;
  kw::ReportDocument report;
  kw::TextOutputContext context;
  context.CaptureFileName = path;
  kw::BeginTextOutput(report, "mame fuzz", context);
  const std::size_t begun = report.Lines().size();
  kw::EndTextOutput(ui, report, context);
  const std::vector<std::string> expected = TextModeLines(bytes);
  const std::vector<kw::ReportLine>& lines = report.Lines();
  if (lines.size() != begun + expected.size() + 2) std::abort();
  for (std::size_t i = 0; i < expected.size(); ++i)
    if (lines[begun + i].text != expected[i]) std::abort();
  if (lines.back().text != "C:\\>" || access(path.c_str(), F_OK) == 0) std::abort();
  return 0;
}
