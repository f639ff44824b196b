#include "core/reports/report_save.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace kw {
namespace {

std::vector<ReportParagraph> Body() {
  ReportDocument doc;
  doc.AddLine("Tag unknown: GAME\\FOO caf\xE9");
  return ToParagraphs(doc);
}

TEST(ReportSave, AnExtensionIsAddedOnlyWhenNoneWasTypedAndFollowsTheContent) {
  EXPECT_EQ(SaveFileName("/r/report", kRichTextFilter), "/r/report.RTF");
  EXPECT_EQ(SaveFileName("/r/report", kPlainTextFilter), "/r/report.TXT");
  EXPECT_EQ(SaveFileName("/r/report", kAllFilesFilter), "/r/report.TXT") << "plain text";
  EXPECT_EQ(SaveFileName("/r/report.doc", kRichTextFilter), "/r/report.doc");
  EXPECT_EQ(SaveFileName("/r/report.rtf", kPlainTextFilter), "/r/report.rtf") << "kept as typed";
  EXPECT_EQ(SaveFileName("/r.d/report", kPlainTextFilter), "/r.d/report.TXT")
      << "a dot in a directory is no extension";
}

TEST(ReportSave, WritesTheFiltersFormatAndReportsWhatCannotBeWritten) {
  test::TempDir dir;
  auto rtf = SaveReport(dir / "report", kRichTextFilter, Body());
  ASSERT_TRUE(rtf) << rtf.Message();
  EXPECT_EQ(*rtf, dir / "report.RTF");
  EXPECT_EQ(dir.Read("report.RTF"), WriteReportRtf(Body()));
  // Plain text after rich text, over an existing file.
  dir.Write("report.TXT", "old");
  ASSERT_TRUE(SaveReport(dir / "report", kPlainTextFilter, Body()));
  EXPECT_EQ(dir.Read("report.TXT"), "Tag unknown: GAME\\FOO caf\xE9\r\n");

  // A directory in the way, or one missing: the message names the file; nothing is left.
  dir.Write("blocker", "");
  auto blocked = SaveReport(dir / "blocker/report", kRichTextFilter, Body());
  ASSERT_FALSE(blocked);
  EXPECT_EQ(
      blocked.Message().rfind("Cannot create file \"" + (dir / "blocker/report.RTF") + "\". ", 0),
      0u)
      << blocked.Message();
  EXPECT_GT(blocked.Message().size(),
            ("Cannot create file \"" + (dir / "blocker/report.RTF") + "\". ").size())
      << "with the reason";
  std::filesystem::create_directory(dir / "taken.TXT");
  EXPECT_FALSE(SaveReport(dir / "taken", kPlainTextFilter, Body()));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.TXT"));
  EXPECT_EQ(dir.Read("blocker"), "");
}

}  // namespace
}  // namespace kw
