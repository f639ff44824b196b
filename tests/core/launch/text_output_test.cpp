#include "core/launch/text_output.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/shared/report_document.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

std::vector<std::string> Texts(const ReportDocument& report) {
  std::vector<std::string> texts;
  for (const ReportLine& line : report.Lines())
    texts.push_back(line.text);
  return texts;
}

TEST(TextOutput, TheReportFramesTheCaptureOrSaysWhatWentWrong) {
  test::TempDir dir;
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  TextOutputContext context;
  context.ProgramDir = "/home/kw/";
  test::ScriptedUi ui;
  ReportDocument report;
  auto run = [&](const char* capture) {
    if (capture) dir.Write("$KSTEMP$.NFO", capture);
    BeginTextOutput(report, "/bin/sh -c 'mame' pacman", context);
    EndTextOutput(ui, report, context);
    return Texts(ui.reports.back());
  };
  using Lines = std::vector<std::string>;
  const std::string prompt = "C:\\> /bin/sh -c 'mame' pacman";
  EXPECT_EQ(run(""), (Lines{prompt, "", "", "", "C:\\>"}));
  EXPECT_EQ(run("loading\r\npacman.6e ok\n"),
            (Lines{prompt, "", "loading", "pacman.6e ok", "", "C:\\>"}));
  EXPECT_FALSE(std::filesystem::exists("$KSTEMP$.NFO"));
  EXPECT_EQ(run(nullptr),
            (Lines{prompt, "", "***** ERROR: \"$KSTEMP$.NFO\" file not found.", "", "C:\\>"}));
  EXPECT_EQ(ui.reports.back().ReportTitle, "Kestrelwing - MAME text output");
  EXPECT_EQ(ui.reports.back().SaveName, "MAME_output");
  EXPECT_EQ(ui.reports.back().Lines()[0].font.style, kStyleBold);
  std::filesystem::current_path(old);
}

TEST(TextOutput, AFloodOfOutputShowsItsBeginningAndItsEnd) {
  test::TempDir dir;
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  // Numbered lines of 16 bytes each, a line of more than the bound on either side left out.
  const std::size_t count = (2 * kShownOutputEnd + kShownOutputEnd / 2) / 16;
  auto numbered = [](std::size_t i) {
    char line[16];
    std::snprintf(line, sizeof line, "line %09zu", i);
    return std::string(line);
  };
  std::string capture;
  capture.reserve(count * 16);
  for (std::size_t i = 0; i < count; ++i)
    capture += numbered(i) + "\r\n";
  dir.Write("$KSTEMP$.NFO", capture);
  test::ScriptedUi ui;
  ReportDocument report;
  BeginTextOutput(report, "mame pacman", TextOutputContext{});
  EndTextOutput(ui, report, TextOutputContext{});
  const std::vector<std::string> texts = Texts(ui.reports.back());
  const std::size_t shown = kShownOutputEnd / 16;
  ASSERT_EQ(texts.size(), 2 + shown + 1 + shown + 2);
  EXPECT_EQ(texts[2], numbered(0));
  EXPECT_EQ(texts[1 + shown], numbered(shown - 1));
  EXPECT_EQ(texts[2 + shown], "***** " + std::to_string(capture.size() - 2 * kShownOutputEnd) +
                                  " bytes of the output left out here *****");
  EXPECT_EQ(texts[3 + shown], numbered(count - shown));
  EXPECT_EQ(texts[texts.size() - 3], numbered(count - 1));
  EXPECT_EQ(texts.back(), "C:\\>");
  EXPECT_FALSE(std::filesystem::exists("$KSTEMP$.NFO"));
  std::filesystem::current_path(old);
}

}  // namespace
}  // namespace kw
