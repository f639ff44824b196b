#include "core/reports/report_save.h"

#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

bool SavesRichText(int filter_index) {
  return filter_index == kRichTextFilter;
}

std::string SaveFileName(std::string_view typed, int filter_index) {
  std::string name(typed);
  if (fs::ExtractFileName(name).find('.') != std::string::npos) return name;
  return name + (SavesRichText(filter_index) ? ".RTF" : ".TXT");
}

Result<std::string> SaveReport(std::string_view typed, int filter_index,
                               const std::vector<ReportParagraph>& paragraphs) {
  const std::string target = SaveFileName(typed, filter_index);
  auto failure = [&target](const std::string& reason) {
    return Failure("Cannot create file \"" + target + "\". " + reason);
  };
  if (fs::DirectoryExists(target)) return failure("It is a directory.");
  const std::string data =
      SavesRichText(filter_index) ? WriteReportRtf(paragraphs) : WriteReportText(paragraphs);
  if (Status written = fs::WriteFileAtomic(target, data); !written)
    return failure(written.Message());
  return target;
}

}  // namespace kw
