#include "core/shared/report_document.h"

namespace kw {

void ReportDocument::ClearReport() {
  // Like clearing the rich-text control: the text goes, the insertion format stays.
  lines_.clear();
}

void ReportDocument::StartReport(const std::string& title, const std::string& save_dir,
                                 const std::string& save_name) {
  ReportTitle = title;
  SaveDir = save_dir;
  SaveName = save_name;
  ClearReport();
}

void ReportDocument::AddHeading(const std::string& heading, int bold_font_size,
                                int normal_font_size) {
  SetParagraph(Alignment::Center, false);
  SetTextFont(kReportHeadingFace, kColorBlack, kStyleBold | kStyleItalic, bold_font_size + 4);
  AddLine(heading);
  SetParagraph(Alignment::Left, false);
  SetTextFont(kReportBodyFace, kColorBlack, kStyleRegular, normal_font_size);
  AddLine("");
}

void ReportDocument::SetParagraph(Alignment alignment, bool bullet) {
  alignment_ = alignment;
  bullet_ = bullet;
}

void ReportDocument::SetTextFont(const std::string& face, std::uint32_t color, unsigned style,
                                 int size) {
  font_ = ReportFont{face, color, style, size};
}

void ReportDocument::AddLine(const std::string& text) {
  lines_.push_back(ReportLine{alignment_, bullet_, font_, text});
}

std::string PaddedTo(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string PaddedName(const std::string& name) {
  return PaddedTo(name, 12);
}

std::string SetTag(std::string_view name) {
  return PaddedTo("[" + std::string(name) + "]", 10);
}

}  // namespace kw
