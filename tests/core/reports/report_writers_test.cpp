#include "core/reports/report_writers.h"

#include <gtest/gtest.h>

#include <string>

namespace kw {
namespace {

// A report built the way every caller builds one: a centred title, an empty line, body lines.
ReportDocument ProfileReport() {
  ReportDocument doc;
  doc.ClearReport();
  doc.SetParagraph(Alignment::Center, false);
  doc.SetTextFont("Times New Roman", kColorBlack, kStyleBold | kStyleItalic, 14);
  doc.AddLine("Profile creation errors");
  doc.SetParagraph(Alignment::Left, false);
  doc.SetTextFont("Courier New", kColorBlack, kStyleRegular, 8);
  doc.AddLine("");
  doc.AddLine("Tag unknown: GAME\\FOO");
  doc.AddLine("\"(\" expected after GAME tag but NAME found");
  return doc;
}

TEST(ReportWriters, PlainTextEndsEveryLineWithCrLf) {
  EXPECT_EQ(WriteReportText(ProfileReport()),
            "Profile creation errors\r\n\r\nTag unknown: GAME\\FOO\r\n"
            "\"(\" expected after GAME tag but NAME found\r\n");
  ReportDocument doc;
  EXPECT_EQ(WriteReportText(doc), "");
  // Breaks inside a line (emulator output keeps its own) come out as CR LF too.
  doc.AddLine("one\ntwo\r\nthree\rfour");
  EXPECT_EQ(WriteReportText(doc), "one\r\ntwo\r\nthree\r\nfour\r\n");
}

TEST(ReportWriters, RtfHoldsFontsColoursAlignmentAndTheEmptyLinesFont) {
  EXPECT_EQ(WriteReportRtf(ProfileReport()),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl"
            "{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fmodern\\fcharset0 Courier New;}}\r\n"
            "{\\colortbl ;\\red0\\green0\\blue0;}\r\n"
            "\\pard\\qc \\f0\\fs28\\cf1\\b\\i\\ulnone\\strike0 Profile creation errors\\par\r\n"
            "\\pard\\ql \\f1\\fs16\\b0\\i0 \\par\r\n"
            "\\pard\\ql Tag unknown: GAME\\\\FOO\\par\r\n"
            "\\pard\\ql \"(\" expected after GAME tag but NAME found\\par\r\n"
            "}\r\n");
}

TEST(ReportWriters, RtfRunsStylesColoursAndBullets) {
  ReportParagraph paragraph{Alignment::Right, true, {}, {}};
  // Windows colour values are 0x00BBGGRR.
  paragraph.runs.push_back({{"Arial", 0x0000FF, kStyleUnderline | kStyleStrikeOut, 10}, "red "});
  paragraph.runs.push_back({{"Arial", 0xFF8000, kStyleUnderline, 10}, "blue"});
  paragraph.mark_font = paragraph.runs.back().font;
  const std::string rtf = WriteReportRtf({paragraph});
  EXPECT_NE(rtf.find("{\\f0\\fswiss\\fcharset0 Arial;}"), std::string::npos);
  EXPECT_NE(rtf.find("{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"),
            std::string::npos);
  EXPECT_NE(rtf.find("\\pard{\\pntext\\'95\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'95}}"
                     "\\fi-360\\li360\\qr \\f0\\fs20\\cf1\\b0\\i0\\ul\\strike red \\cf2\\strike0 "
                     "blue\\par\r\n"),
            std::string::npos)
      << rtf;
}

TEST(ReportWriters, RtfEscapesControlCharactersAndHighBytes) {
  ReportDocument doc;
  doc.SetTextFont("Courier New", kColorBlack, kStyleRegular, 8);
  doc.AddLine("C:\\MAME {x} a\tb \xE9t\xE9 \x81\x01");
  doc.AddLine("one\r\ntwo");
  const std::string rtf = WriteReportRtf(doc);
  EXPECT_NE(rtf.find(" C:\\\\MAME \\{x\\} a\\tab b \\'e9t\\'e9 \\'81\\'01\\par\r\n"),
            std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("\\pard\\ql one\\par\r\ntwo\\par\r\n"), std::string::npos) << rtf;
  // An empty document is still a valid file with a font.
  EXPECT_EQ(WriteReportRtf(ReportDocument{}),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset0 Courier New;}}"
            "\r\n{\\colortbl ;\\red0\\green0\\blue0;}\r\n}\r\n");
}

// Lines the window saves from text that code page 1252 cannot hold arrive as UTF-8; lines read
// from the emulator's files may be either.
ReportDocument MixedReport() {
  ReportDocument doc;
  doc.SetTextFont("Courier New", kColorBlack, kStyleRegular, 8);
  doc.AddLine("\xE6\x97\xA5\xE6\x9C\xAC caf\xC3\xA9 \xE2\x82\xAC \xCE\xB1 \xF0\x9F\x98\x80 {x}");
  doc.AddLine("caf\xE9 \x80");
  doc.AddLine("\xE6\x97\xA5\xE6\x9C\xAC\r\n\xE6\x9C\xAC");
  return doc;
}

TEST(ReportWriters, RtfWritesUtf8LinesAsUnicodeAndOthersAsCodePage1252) {
  const std::string rtf = WriteReportRtf(MixedReport());
  // Japanese and Greek as \uN?, an emoji as its surrogate pair (signed 16-bit numbers); what
  // the code page holds (e acute, the euro sign) as its byte, from UTF-8 or not.
  EXPECT_NE(rtf.find("\\pard\\ql \\f0\\fs16\\cf1\\b0\\i0\\ulnone\\strike0 \\u26085?\\u26412? "
                     "caf\\'e9 \\'80 \\u945? \\u-10179?\\u-8704? \\{x\\}\\par\r\n"),
            std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("\\pard\\ql caf\\'e9 \\'80\\par\r\n"), std::string::npos) << rtf;
  // A break inside a UTF-8 line leaves both parts UTF-8.
  EXPECT_NE(rtf.find("\\pard\\ql \\u26085?\\u26412?\\par\r\n\\u26412?\\par\r\n"), std::string::npos)
      << rtf;
  EXPECT_EQ(rtf.find("\\'e6"), std::string::npos) << rtf;
}

TEST(ReportWriters, PlainTextIsOneEncodingForTheWholeFile) {
  // Japanese needs UTF-8: the Windows-1252 line is written as UTF-8 too.
  EXPECT_EQ(WriteReportText(MixedReport()),
            "\xE6\x97\xA5\xE6\x9C\xAC caf\xC3\xA9 \xE2\x82\xAC \xCE\xB1 \xF0\x9F\x98\x80 {x}\r\n"
            "caf\xC3\xA9 \xE2\x82\xAC\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\n\xE6\x9C\xAC\r\n");
  // Every character fits the code page: UTF-8 lines are written as Windows-1252, and a run
  // that is not UTF-8 as a whole keeps its bytes even where a part of it would read as UTF-8.
  ReportDocument fits;
  fits.AddLine("caf\xC3\xA9 \xE2\x82\xAC");
  fits.AddLine("\x80 \xC3\xA9\r\n\xE9");
  EXPECT_EQ(WriteReportText(fits), "caf\xE9 \x80\r\n\x80 \xC3\xA9\r\n\xE9\r\n");
  fits.AddLine("\xCE\xB1");  // alpha: now UTF-8 throughout
  EXPECT_EQ(
      WriteReportText(fits),
      "caf\xC3\xA9 \xE2\x82\xAC\r\n\xE2\x82\xAC \xC3\x83\xC2\xA9\r\n\xC3\xA9\r\n\xCE\xB1\r\n");
}

}  // namespace
}  // namespace kw
