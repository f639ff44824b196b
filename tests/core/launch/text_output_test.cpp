#include "core/launch/text_output.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/reports/report_document.h"
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

}  // namespace
}  // namespace kw
