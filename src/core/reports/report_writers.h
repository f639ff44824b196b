// Writing a report to a file: plain text or rich text (RTF). The report window saves through
// these, either the document as the caller built it or the content of its editor after the user
// changed it; both become paragraphs of runs first.
#pragma once

#include <string>
#include <vector>

#include "core/shared/report_document.h"

namespace kw {

// A stretch of text in one font. The text is 8-bit, read by the program's rule (valid UTF-8 as
// UTF-8, else Windows-1252); a carriage return or line feed inside it starts a new paragraph
// with the same format.
struct ReportRun {
  ReportFont font;
  std::string text;
  bool operator==(const ReportRun&) const = default;
};

struct ReportParagraph {
  Alignment alignment = Alignment::Left;
  bool bullet = false;
  // The font of the paragraph mark: it gives an empty paragraph its height.
  ReportFont mark_font;
  std::vector<ReportRun> runs;
  bool operator==(const ReportParagraph&) const = default;
};

// One paragraph per line of the document, each with a single run in the line's font.
std::vector<ReportParagraph> ToParagraphs(const ReportDocument& doc);

// The line end of saved plain-text reports: the emulator's tools and the editors of its
// platform read CR LF.
inline constexpr const char* kReportLineEnd = "\r\n";

// The text without formatting, every paragraph followed by CR LF, the whole file in one
// encoding: Windows-1252 when the code page holds every character of every run, else UTF-8.
std::string WriteReportText(const std::vector<ReportParagraph>& paragraphs);
std::string WriteReportText(const ReportDocument& doc);

// Rich text: code page 1252, a font table of every face used, a colour table of every colour
// used, one \pard paragraph per paragraph with its alignment, bullet, and each run's face, size,
// colour and style. Characters that code page 1252 holds are written as its bytes (\'hh), the
// others as Unicode escapes (\uN?).
std::string WriteReportRtf(const std::vector<ReportParagraph>& paragraphs);
std::string WriteReportRtf(const ReportDocument& doc);

}  // namespace kw
