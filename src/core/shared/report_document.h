// The content of the report window: paragraphs (one per added line) with their alignment and
// bullet flag, each holding a run of text in one font. Filled by ClearReport, SetParagraph,
// SetTextFont and AddLine; shown, saved and printed by the window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

enum class Alignment : int { Left = 0, Right = 1, Center = 2 };

enum FontStyle : unsigned {
  kStyleRegular = 0,
  kStyleBold = 1,
  kStyleItalic = 2,
  kStyleUnderline = 4,
  kStyleStrikeOut = 8,
};

// Colours are Windows RGB values: 0x00BBGGRR.
constexpr std::uint32_t kColorBlack = 0x000000;

// The faces of the reports' headings and of their body text.
inline constexpr const char* kReportHeadingFace = "Times New Roman";
inline constexpr const char* kReportBodyFace = "Courier New";

struct ReportFont {
  std::string face = kReportBodyFace;
  std::uint32_t color = kColorBlack;
  unsigned style = kStyleRegular;
  int size = 8;  // points
  bool operator==(const ReportFont&) const = default;
};

struct ReportLine {
  Alignment alignment = Alignment::Left;
  bool bullet = false;
  ReportFont font;
  std::string text;  // 8-bit text as the caller gave it
  bool operator==(const ReportLine&) const = default;
};

class ReportDocument {
 public:
  std::string ReportTitle;
  std::string SaveDir;
  std::string SaveName;

  void ClearReport();
  // Starts the report over under a window title, with the folder and name it is saved as.
  void StartReport(const std::string& title, const std::string& save_dir,
                   const std::string& save_name);
  // The centred heading in bold italic (`bold_font_size` + 4), then body text from a blank line
  // on.
  void AddHeading(const std::string& heading, int bold_font_size, int normal_font_size);
  void SetParagraph(Alignment alignment, bool bullet);
  void SetTextFont(const std::string& face, std::uint32_t color, unsigned style, int size);
  void AddLine(const std::string& text);

  const std::vector<ReportLine>& Lines() const { return lines_; }
  bool Empty() const { return lines_.empty(); }

 private:
  std::vector<ReportLine> lines_;
  Alignment alignment_ = Alignment::Left;
  bool bullet_ = false;
  ReportFont font_;
};

// `text` followed by blanks up to `width` characters; a longer text is kept whole.
std::string PaddedTo(std::string text, std::size_t width);
// A file name followed by blanks up to 12 characters, as report lines name files; a longer
// name is kept whole.
std::string PaddedName(const std::string& name);
// "[" + name + "]" padded with blanks to 10 characters, as report lines name sets; a longer text
// is kept whole.
std::string SetTag(std::string_view name);

}  // namespace kw
