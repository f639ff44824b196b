#include "core/shared/report_document.h"

namespace kw {

void ReportDocument::ClearReport() {
  // Like clearing the rich-text control: the text goes, the insertion format stays.
  lines_.clear();
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

std::string PaddedName(const std::string& name) {
  std::string padded = name;
  if (padded.size() < 12) padded.resize(12, ' ');
  return padded;
}

}  // namespace kw
