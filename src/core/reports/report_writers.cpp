#include "core/reports/report_writers.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "common/ascii.h"
#include "core/text_encoding.h"

namespace kw {

namespace {

// Calls `text_part` for each stretch between line breaks and `line_break` for each break; a
// CR LF pair is one break.
template <typename TextPart, typename LineBreak>
void SplitLines(const std::string& text, TextPart text_part, LineBreak line_break) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    text_part(std::string_view(text).substr(start, i - start));
    line_break();
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  text_part(std::string_view(text).substr(start));
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = AsciiLower(c);
  return out;
}

// The RTF font family of a face, so that a reader without the face picks a similar one.
const char* FontFamily(const std::string& face) {
  const std::string name = Lower(face);
  auto has = [&name](std::string_view part) { return name.find(part) != std::string::npos; };
  if (has("courier") || has("mono") || has("consolas") || has("console") || has("fixedsys") ||
      has("terminal")) {
    return "\\fmodern";
  }
  if (has("times") || has("serif") || has("georgia") || has("garamond") || has("roman")) {
    // "MS Sans Serif" and the like are sans.
    if (!has("sans")) return "\\froman";
  }
  if (has("sans") || has("arial") || has("helvetica") || has("tahoma") || has("verdana")) {
    return "\\fswiss";
  }
  return "\\fnil";
}

void AppendHex(std::string& out, unsigned char c) {
  static const char kDigits[] = "0123456789abcdef";
  out += "\\'";
  out += kDigits[c >> 4];
  out += kDigits[c & 15];
}

// A character outside printable ASCII as RTF: \'hh of its Windows-1252 byte where the code
// page holds it, else \uN? (N as a signed 16-bit number; '?' is what a reader without Unicode
// shows), with a character above U+FFFF written as its UTF-16 surrogate pair.
void AppendRtfCodePoint(std::string& out, char32_t code_point) {
  if (const auto byte = CodePointToWindows1252(code_point)) {
    AppendHex(out, *byte);
    return;
  }
  auto unicode = [&out](char32_t unit) {
    out += "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(unit)));
    out += '?';
  };
  if (code_point > 0xFFFF) {
    code_point -= 0x10000;
    unicode(static_cast<char32_t>(0xD800 + (code_point >> 10)));
    unicode(static_cast<char32_t>(0xDC00 + (code_point & 0x3FF)));
  } else {
    unicode(code_point);
  }
}

// Text of a run (no line breaks in it) in RTF: control characters of RTF escaped, characters
// outside printable ASCII written by AppendRtfCodePoint. `utf8` tells how the run's bytes read:
// UTF-8 when the whole run is valid UTF-8 with non-ASCII in it, else Windows-1252.
void AppendRtfText(std::string& out, std::string_view text, bool utf8) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char ch = text[pos];
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += ch;
    } else if (c == '\t') {
      out += "\\tab ";
    } else if (c < 0x20 || c == 0x7F) {
      AppendHex(out, c);
    } else if (c < 0x80) {
      out += ch;
    } else if (utf8) {
      // DecodeUtf8At moves past the whole sequence; a byte that starts none (the caller checked
      // the run, so there is none) would still be written and passed.
      if (const std::optional<char32_t> code_point = DecodeUtf8At(text, pos)) {
        AppendRtfCodePoint(out, *code_point);
        continue;
      }
      AppendRtfCodePoint(out, Windows1252ToCodePoint(c));
    } else {
      AppendRtfCodePoint(out, Windows1252ToCodePoint(c));
    }
    ++pos;
  }
}

// Whether a run's bytes are to be read as UTF-8 (the program's rule for its 8-bit texts).
bool ReadsAsUtf8(std::string_view text) {
  return !IsAscii(text) && IsValidUtf8(text);
}

// Text of a run in the file's encoding: Windows-1252 when `code_page`, else UTF-8. `utf8` tells
// how the run's bytes read.
void AppendPlainText(std::string& out, std::string_view text, bool utf8, bool code_page) {
  if (utf8 != code_page) {
    out += text;  // already in the file's encoding
  } else if (utf8) {
    // UTF-8 whose every character the code page holds (the caller checked).
    std::size_t pos = 0;
    while (pos < text.size()) {
      const std::optional<char32_t> c = DecodeUtf8At(text, pos);
      if (!c) break;
      out += static_cast<char>(CodePointToWindows1252(*c).value_or('?'));
    }
  } else {
    for (char c : text)
      AppendUtf8(out, Windows1252ToCodePoint(static_cast<unsigned char>(c)));
  }
}

void AppendFontName(std::string& out, std::string_view face) {
  // A semicolon would end the name in the font table.
  std::string name(face);
  name.erase(std::remove(name.begin(), name.end(), ';'), name.end());
  AppendRtfText(out, name, ReadsAsUtf8(name));
}

struct RtfTables {
  std::vector<std::string> faces;
  std::vector<std::uint32_t> colors;

  int FaceIndex(const std::string& face) const {
    return static_cast<int>(std::find(faces.begin(), faces.end(), face) - faces.begin());
  }
  int ColorIndex(std::uint32_t color) const {
    // Entry 0 of the table is the reader's automatic colour.
    return 1 + static_cast<int>(std::find(colors.begin(), colors.end(), color) - colors.begin());
  }
  void Add(const ReportFont& font) {
    if (std::find(faces.begin(), faces.end(), font.face) == faces.end()) {
      faces.push_back(font.face);
    }
    if (std::find(colors.begin(), colors.end(), font.color) == colors.end()) {
      colors.push_back(font.color);
    }
  }
};

// Writes the character format controls that differ from `current` (all of them at the start of
// the document) and updates it.
void AppendFont(std::string& out, const RtfTables& tables, const ReportFont& font,
                std::optional<ReportFont>& current) {
  const bool all = !current.has_value();
  std::string controls;
  if (all || current->face != font.face) {
    controls += "\\f" + std::to_string(tables.FaceIndex(font.face));
  }
  if (all || current->size != font.size) {
    controls += "\\fs" + std::to_string(std::max(1, font.size) * 2);
  }
  if (all || current->color != font.color) {
    controls += "\\cf" + std::to_string(tables.ColorIndex(font.color));
  }
  auto style = [&](unsigned bit, const char* on, const char* off) {
    if (all || (current->style & bit) != (font.style & bit)) {
      controls += (font.style & bit) ? on : off;
    }
  };
  style(kStyleBold, "\\b", "\\b0");
  style(kStyleItalic, "\\i", "\\i0");
  style(kStyleUnderline, "\\ul", "\\ulnone");
  style(kStyleStrikeOut, "\\strike", "\\strike0");
  current = font;
  if (!controls.empty()) out += controls + " ";
}

const char* AlignmentControl(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return "\\qr";
    case Alignment::Center:
      return "\\qc";
    case Alignment::Left:
      break;
  }
  return "\\ql";
}

}  // namespace

std::vector<ReportParagraph> ToParagraphs(const ReportDocument& doc) {
  std::vector<ReportParagraph> paragraphs;
  paragraphs.reserve(doc.Lines().size());
  for (const ReportLine& line : doc.Lines()) {
    ReportParagraph paragraph{line.alignment, line.bullet, line.font, {}};
    if (!line.text.empty()) paragraph.runs.push_back(ReportRun{line.font, line.text});
    paragraphs.push_back(std::move(paragraph));
  }
  return paragraphs;
}

std::string WriteReportText(const std::vector<ReportParagraph>& paragraphs) {
  // The runs come in either encoding (lines read from files, text the user typed): one file
  // has one, so that an editor reads every line right.
  bool fits_code_page = true;
  for (const ReportParagraph& paragraph : paragraphs) {
    for (const ReportRun& run : paragraph.runs) {
      if (!ReadsAsUtf8(run.text)) continue;  // Windows-1252 or ASCII: fits
      for (char32_t c : DecodeSystemText(run.text))
        fits_code_page = fits_code_page && CodePointToWindows1252(c).has_value();
    }
  }
  std::string out;
  for (const ReportParagraph& paragraph : paragraphs) {
    for (const ReportRun& run : paragraph.runs) {
      // Breaks are ASCII: the parts of a run are in the run's encoding.
      const bool utf8 = ReadsAsUtf8(run.text);
      SplitLines(
          run.text,
          [&out, utf8, fits_code_page](std::string_view part) {
            AppendPlainText(out, part, utf8, fits_code_page);
          },
          [&out] { out += kReportLineEnd; });
    }
    out += kReportLineEnd;
  }
  return out;
}

std::string WriteReportText(const ReportDocument& doc) {
  return WriteReportText(ToParagraphs(doc));
}

std::string WriteReportRtf(const std::vector<ReportParagraph>& paragraphs) {
  RtfTables tables;
  for (const ReportParagraph& paragraph : paragraphs) {
    for (const ReportRun& run : paragraph.runs)
      tables.Add(run.font);
    tables.Add(paragraph.mark_font);
  }
  if (tables.faces.empty()) tables.Add(ReportFont{});

  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (std::size_t i = 0; i < tables.faces.size(); ++i) {
    out += "{\\f" + std::to_string(i) + FontFamily(tables.faces[i]) + "\\fcharset0 ";
    AppendFontName(out, tables.faces[i]);
    out += ";}";
  }
  out += "}\r\n{\\colortbl ;";
  for (std::uint32_t color : tables.colors) {
    out += "\\red" + std::to_string(color & 0xFF) + "\\green" +
           std::to_string((color >> 8) & 0xFF) + "\\blue" + std::to_string((color >> 16) & 0xFF) +
           ";";
  }
  out += "}\r\n";

  std::optional<ReportFont> current;
  for (const ReportParagraph& paragraph : paragraphs) {
    out += "\\pard";
    if (paragraph.bullet) {
      out += "{\\pntext\\'95\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'95}}\\fi-360\\li360";
    }
    out += AlignmentControl(paragraph.alignment);
    out += ' ';
    for (const ReportRun& run : paragraph.runs) {
      AppendFont(out, tables, run.font, current);
      // A break inside a run starts a paragraph that inherits this one's format. Breaks are
      // ASCII, so the parts of a UTF-8 run are UTF-8 too.
      const bool utf8 = ReadsAsUtf8(run.text);
      SplitLines(
          run.text, [&out, utf8](std::string_view part) { AppendRtfText(out, part, utf8); },
          [&out] { out += "\\par\r\n"; });
    }
    // The paragraph mark carries its own font: an empty line is as high as that font.
    AppendFont(out, tables, paragraph.mark_font, current);
    out += "\\par\r\n";
  }
  out += "}\r\n";
  return out;
}

std::string WriteReportRtf(const ReportDocument& doc) {
  return WriteReportRtf(ToParagraphs(doc));
}

}  // namespace kw
