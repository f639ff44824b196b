// The verify window's run as the Go button starts it: the controller, its form and the verifier
// over a profile and a collection on disk, with the user played by the scripted interface.
#include "core/reports/verify_controller.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/audit/set_status_controller.h"
#include "core/profile/listinfo_parser.h"
#include "core/shared/crc32.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "demo/zip_writer.h"
#include "support/run_command.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;

std::string Crc(const std::string& data) {
  char crc[9];
  std::snprintf(crc, sizeof crc, "%08X", ~CRC32Update(0xFFFFFFFFu, data.data(), data.size()));
  return crc;
}
std::string Rom(const std::string& name, const std::string& data) {
  return "\trom ( name " + name + " size " + std::to_string(data.size()) + " crc " + Crc(data) +
         " )\n";
}

class VerifyControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("emu/mame", "");
    names_.ProgramDir = dir_.Path();
    config_.Config().directory.rompath = dir_ / "roms";
    config_.Config().directory.samplepath = dir_ / "samples";
  }
  void TearDown() override {
    if (!stuck_.empty()) test::RunCommand("chattr -i '" + stuck_ + "'");
  }

  void Load(const std::string& listinfo) {
    ASSERT_TRUE(ParseListinfoText(listinfo, db_).empty());
    db_.EmulatorDir = dir_.Path() + "emu/";
    db_.EmulatorExe = "mame";
    db_.ProfilePath = dir_ / "my.ksl";
    db_.ProfileLoaded = true;
  }
  void Zip(const std::string& set, std::vector<demo::ZipMember> files) {
    Result<std::string> zip = demo::ZipArchive(files);
    ASSERT_TRUE(zip.Ok());
    dir_.Write("roms/" + set + ".zip", *zip);
  }
  // Go pressed in the window just shown; the report's lines of one pass.
  Lines Verify(const std::string& heading = "Rom set verification report:") {
    VerifyForm& form = controller_.Form();
    form.Show(db_.EmulatorDir);
    form.Options.LogFileName = dir_ / "REPORT.TXT";
    form.Options.OpenInEditor = false;
    form.Options.VerifyScreenshot = false;
    form.Options.ReportUnused = true;
    controller_.Go();
    EXPECT_EQ(form.State, VerifyRunState::Finished);
    const std::string text = dir_.Read("REPORT.TXT");
    Lines section;
    const std::size_t at = text.find("\r\n" + heading + "\r\n");
    if (at == std::string::npos) return section;
    for (std::size_t from = at + heading.size() + 4, end;
         (end = text.find("\r\n", from)) != std::string::npos && end > from; from = end + 2) {
      if (text.compare(from, end - from, " ") == 0) break;
      section.push_back(text.substr(from, end - from));
    }
    return section;
  }

  test::TempDir dir_;
  test::ScriptedUi ui_;
  FrontEndSettings settings_;
  AppNames names_;
  GameDatabase db_;
  EmulatorConfigController config_{db_, "$KSTEMP$"};
  SetStatusController set_status_{db_, names_};
  VerifyController controller_{ui_, settings_, db_, config_, set_status_, names_};
  std::string stuck_;
  // The window whose user presses Abort as soon as the run lets messages run.
  struct AbortingView : VerifyView {
    void ShowState() override {}
    void ShowCounters(const VerifyCounterValues&) override {}
    void ShowProgress(int) override {}
    void ShowStatus(const std::string&, const std::string&, const std::string&) override {}
    void ShowElapsed(const std::string&) override {}
    void ProcessMessages() override {
      if (form->AbortCaption == "Abort") (void)form->AbortClicked();
    }
    void HideWindow() override {}
    VerifyForm* form = nullptr;
  } aborting_view_;
};

TEST_F(VerifyControllerTest, ACloneWithoutItsMasterIsTestedAsAMasterInListOrder) {
  // LOST names a set the profile lacks, STRAY a clone; BETA is an ordinary clone of ALPHA.
  Load("game (\n name alpha\n" + Rom("a.1", "alfa") + ")\ngame (\n name lost\n cloneof gone\n" +
       Rom("l.1", "lost") + Rom("l.2", "gone") + ")\ngame (\n name beta\n cloneof alpha\n" +
       Rom("b.1", "beta") + ")\ngame (\n name stray\n cloneof beta\n" + Rom("s.1", "stry") + ")\n");
  Zip("alpha", {{"a.1", "alfa"}});
  Zip("beta", {{"b.1", "beta"}});
  Zip("lost", {{"l.1", "lost"}, {"junk.bin", "j"}});
  Zip("stray", {{"s.1", "STRY"}});
  const Lines expected{
      "[LOST]     - L.2          rom not found", "[LOST]     - junk.bin     file is unused",
      "[STRAY]    - S.1          has wrong CRC: $" + Crc("STRY") + " instead of $" + Crc("stry")};
  Lines report = Verify();
  EXPECT_EQ(report, expected);
  EXPECT_EQ(ui_.messages.size(), 0u);
  // Without the clones of masters, sets without a master are still tested.
  controller_.Form().Options.RomClones = false;
  dir_.Write("roms/beta.zip", "");  // never looked at
  report = Verify();
  EXPECT_EQ(report, expected);

  // Absent, it is skipped as an absent master is.
  std::filesystem::remove(dir_ / "roms/lost.zip");
  report = Verify();
  EXPECT_EQ(report, Lines{expected.back()});
  EXPECT_NE(dir_.Read("REPORT.TXT").find("Total skipped sets: ....................1"),
            std::string::npos);
}

TEST_F(VerifyControllerTest, AnUndeletableTemporaryDirectoryIsSaidOncePerPass) {
  std::string listinfo;
  for (int i = 0; i < 40; ++i) {
    listinfo += "game (\n name game" + std::to_string(i) + "\n" + Rom("g.1", "game") +
                (i % 2 == 0 ? " sample s.wav\n" : "") + ")\n";
  }
  listinfo += "resource (\n name bios\n" + Rom("bios", "bios") + ")\n";
  Load(listinfo);
  stuck_ = dir_.Write("emu/$KSTEMP$/left.bin", "left behind by someone else");
  if (test::RunCommand("chattr +i '" + stuck_ + "' 2>/dev/null").status != 0) {
    stuck_.clear();
    GTEST_SKIP() << "no immutable files here (not root, or the file system has none)";
  }
  Verify();
  const std::string box =
      "The temporary directory could not be deleted!\rThis means one or more files in it could "
      "not be deleted.\rPlease solve the problem then click ok.";
  ASSERT_EQ(ui_.messages.size(), 3u);  // the ROM, resource and sample passes
  for (const test::RecordedMessage& message : ui_.messages) {
    EXPECT_EQ(message.text, box);
    EXPECT_EQ(message.icon, MsgIcon::Error);
  }
  EXPECT_TRUE(std::filesystem::exists(dir_ / "REPORT.TXT"));
}

TEST_F(VerifyControllerTest, ACompletedRunStartsTheEditorAndSaysWhenItCannot) {
  Load("game (\n name alpha\n" + Rom("a.1", "alfa") + ")\n");
  Zip("alpha", {{"a.1", "alfa"}});
  settings_.TextEditor = dir_ / "no-such-editor";
  VerifyForm& form = controller_.Form();
  form.Show(db_.EmulatorDir);
  form.Options.LogFileName = dir_ / "REPORT.TXT";
  form.Options.VerifyScreenshot = false;
  controller_.Go();
  EXPECT_EQ(form.State, VerifyRunState::Finished);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Error);
  EXPECT_TRUE(ui_.messages[0].text.starts_with("Cannot start the text editor \"" +
                                               (dir_ / "no-such-editor") + "\""));

  // An editor that starts gets the report's path as its one argument.
  ui_.messages.clear();
  const std::string editor =
      dir_.Write("editor/edit.sh",
                 "#!/bin/sh\nd=$(dirname \"$0\")\nprintf '%s|' \"$@\" > \"$d/out.part\"\n"
                 "mv \"$d/out.part\" \"$d/out\"\n");
  chmod(editor.c_str(), 0755);
  settings_.TextEditor = editor;
  form.Show(db_.EmulatorDir);
  form.Options.LogFileName = dir_ / "REPORT.TXT";
  form.Options.VerifyScreenshot = false;
  controller_.Go();
  EXPECT_TRUE(ui_.messages.empty());
  ASSERT_TRUE(test::WaitUntil([&] { return std::filesystem::exists(dir_ / "editor/out"); }));
  EXPECT_EQ(dir_.Read("editor/out"), (dir_ / "REPORT.TXT") + "|");

  // Aborted at the first look at the window's messages: no editor.
  ui_.messages.clear();
  form.Show(db_.EmulatorDir);
  form.SetView(&aborting_view_);
  ui_.answers = {MsgAnswer::Yes};
  aborting_view_.form = &form;
  controller_.Go();
  form.SetView(nullptr);
  EXPECT_EQ(form.State, VerifyRunState::Aborted);
  ASSERT_EQ(ui_.messages.size(), 1u);  // the abort question only
  EXPECT_EQ(ui_.messages[0].text, kVerifyAbortQuestion);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "REPORT.TXT"));
}

}  // namespace
}  // namespace kw
