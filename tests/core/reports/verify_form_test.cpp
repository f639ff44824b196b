#include "core/reports/verify_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

// The window as the form sees it: records what it was told; its message processing is where a
// test plays the user clicking the abort button during a run.
struct RecordingView : VerifyView {
  void ShowState() override { ++states; }
  void ShowCounters(const VerifyCounterValues& c) override { counters = c; }
  void ShowProgress(int percent) override { progress = percent; }
  void ShowStatus(const std::string& pass, const std::string& set,
                  const std::string& clones) override {
    status = pass + "|" + set + "|" + clones;
  }
  void ShowElapsed(const std::string& text) override { elapsed = text; }
  void ProcessMessages() override {
    if (on_messages) on_messages();
  }
  void HideWindow() override { hidden = true; }

  int states = 0;
  VerifyCounterValues counters;
  int progress = -1;
  std::string status, elapsed;
  bool hidden = false;
  std::function<void()> on_messages;
};

TEST(VerifyFormTest, TheBoxesEnableEachOtherAndGo) {
  VerifyWindowOptions o;
  VerifyOptionStates s = UpdateOptionStates(o);
  EXPECT_TRUE(s.RomClones && s.ReportNoGoodDump && s.SkipNotPresent && s.ReportUnused &&
              s.VerifySampleQuality && s.ScreenshotDetail && s.GoBTN);

  o.VerifyRoms = o.VerifySamples = o.VerifyScreenshot = false;
  s = UpdateOptionStates(o);
  EXPECT_FALSE(s.RomClones || s.ReportNoGoodDump || s.SkipNotPresent || s.ReportUnused ||
               s.VerifySampleQuality || s.ScreenshotDetail || s.GoBTN);
  // Each kind of work alone is enough for Go; a disabled box keeps its mark for the run.
  for (bool VerifyWindowOptions::*one :
       {&VerifyWindowOptions::VerifyRoms, &VerifyWindowOptions::VerifySamples,
        &VerifyWindowOptions::VerifyCabinets, &VerifyWindowOptions::VerifyFlyers,
        &VerifyWindowOptions::VerifyHardware, &VerifyWindowOptions::ReportUnsupported}) {
    VerifyWindowOptions alone = o;
    alone.*one = true;
    EXPECT_TRUE(UpdateOptionStates(alone).GoBTN);
  }
  o.VerifySamples = true;
  s = UpdateOptionStates(o);
  EXPECT_TRUE(s.SkipNotPresent && s.ReportUnused && s.VerifySampleQuality);
  EXPECT_FALSE(s.RomClones);
}

TEST(VerifyFormTest, ElapsedTimeReadsAsAClock) {
  EXPECT_EQ(ElapsedTimeText(std::chrono::seconds(0)), "00:00:00");
  EXPECT_EQ(ElapsedTimeText(std::chrono::seconds(3723)), "01:02:03");
  EXPECT_EQ(ElapsedTimeText(std::chrono::hours(25) + std::chrono::seconds(1)), "01:00:01");
}

class VerifyFormRunTest : public ::testing::Test {
 protected:
  VerifyFormRunTest() : form_(ui_, "Kestrelwing", dir_ / "prog") {
    form_.SetView(&view_);
    form_.SetClock([this] { return now_; });
  }
  test::TempDir dir_;
  test::ScriptedUi ui_;
  RecordingView view_;
  VerifyForm form_;
  std::chrono::steady_clock::time_point now_{};
};

TEST_F(VerifyFormRunTest, AFinishedRunKeepsGoDisabledUntilShownAgain) {
  form_.Show(dir_ / "emu");
  EXPECT_EQ(form_.Caption, "Kestrelwing - Verify sets");
  EXPECT_EQ(form_.Options.LogFileName, dir_ / "prog/REPORT.TXT");
  EXPECT_EQ(form_.TempDir(), dir_ / "emu/$KSTEMP$/");
  EXPECT_EQ(form_.AbortCaption, "Cancel");
  EXPECT_EQ(form_.AbortClicked(), VerifyClose::Cancel);

  // A question the user answers No to is asked before the run begins: the window stays idle.
  ASSERT_TRUE(form_.BeginGo());
  form_.EndGo();
  EXPECT_EQ(form_.State, VerifyRunState::Idle);
  EXPECT_TRUE(form_.GoEnabled && form_.OptionsEnabled);

  int answered_no = 0;
  form_.Options.OpenInEditor = false;
  ASSERT_TRUE(form_.BeginGo());
  EXPECT_FALSE(form_.BeginGo());  // not while the run is on
  form_.Started();
  EXPECT_FALSE(form_.OptionsEnabled || form_.GoEnabled);
  EXPECT_EQ(form_.AbortCaption, "Abort");
  EXPECT_TRUE(form_.TimerOn);
  // The user clicks Abort and thinks better of it: the run goes on.
  ui_.answers = {MsgAnswer::No};
  view_.on_messages = [&] {
    if (form_.AbortClicked() == VerifyClose::Stay) ++answered_no;
    view_.on_messages = nullptr;
  };
  EXPECT_FALSE(form_.CheckAbort());
  form_.Update(
      {.PassName = "Rom sets", .SetName = "[ONE]", .Clones = 2, .Position = 25, .Maximum = 50},
      {.MissingRoms = 3, .SkippedSets = 2});
  EXPECT_EQ(view_.status, "Rom sets|[ONE]|2");
  EXPECT_EQ(view_.progress, 50);
  form_.Update({.PassName = "Samples"}, {.MissingRoms = 3, .SkippedSets = 2});
  EXPECT_EQ(view_.progress, 0);  // a pass without sets
  now_ += std::chrono::seconds(3723);
  form_.TimerTick();
  EXPECT_EQ(form_.StopTimer(), "01:02:03");
  form_.FinishRun();
  form_.EndGo();
  EXPECT_EQ(answered_no, 1);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, kVerifyAbortQuestion);
  EXPECT_EQ(ui_.messages[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(view_.counters.MissingRoms, 3u);
  EXPECT_EQ(view_.elapsed, "01:02:03");
  EXPECT_EQ(form_.State, VerifyRunState::Finished);
  EXPECT_EQ(form_.AbortCaption, "Close");
  EXPECT_FALSE(form_.GoEnabled || form_.OptionsEnabled || form_.TimerOn);
  EXPECT_FALSE(form_.BeginGo());  // no second run from a finished window
  EXPECT_EQ(form_.State, VerifyRunState::Finished);
  EXPECT_EQ(form_.AbortClicked(), VerifyClose::Ok);
  form_.Closing();

  form_.Show(dir_ / "emu");
  EXPECT_EQ(form_.State, VerifyRunState::Idle);
  EXPECT_TRUE(form_.GoEnabled && form_.OptionsEnabled);
  EXPECT_EQ(form_.AbortCaption, "Cancel");
  EXPECT_EQ(view_.counters.MissingRoms, 0u);
  EXPECT_EQ(view_.elapsed, "00:00:00");
  EXPECT_EQ(view_.status, "||0");
  EXPECT_FALSE(form_.Options.OpenInEditor);  // the options last as long as the program
}

TEST_F(VerifyFormRunTest, AnAbortedRunLeavesNoReportAndNoTemporaryFiles) {
  const std::string temp = dir_.Write("emu/$KSTEMP$/a.rom", "x");
  form_.Show(dir_ / "emu");
  form_.Options.LogFileName = dir_.Write("report.txt", "half a report");
  ASSERT_TRUE(form_.BeginGo());
  form_.Started();
  ui_.answers = {MsgAnswer::Yes};
  view_.on_messages = [&] {
    // As the window does on "Yes": it closes, which must wait for the run to return.
    if (form_.AbortClicked() == VerifyClose::Cancel) form_.Closing();
  };
  const bool stopped = form_.CheckAbort();
  EXPECT_TRUE(std::filesystem::exists(form_.Options.LogFileName));
  EXPECT_TRUE(std::filesystem::exists(temp));
  form_.EndGo();
  EXPECT_TRUE(stopped && view_.hidden && form_.Aborted());
  EXPECT_EQ(form_.State, VerifyRunState::Aborted);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "report.txt"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "emu/$KSTEMP$"));
  EXPECT_EQ(ui_.messages.size(), 1u);  // the question only

  // A run that was not aborted keeps its report.
  form_.Show(dir_ / "emu");
  dir_.Write("report.txt", "a report");
  ASSERT_TRUE(form_.BeginGo());
  form_.Started();
  form_.FinishRun();
  form_.EndGo();
  form_.Closing();
  EXPECT_TRUE(std::filesystem::exists(dir_ / "report.txt"));
}

}  // namespace
}  // namespace kw
