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
  form_.SetGoHook([](VerifyForm&) {});
  form_.Go();
  EXPECT_EQ(form_.State, VerifyRunState::Idle);
  EXPECT_TRUE(form_.GoEnabled && form_.OptionsEnabled);

  int answered_no = 0;
  form_.SetGoHook([&](VerifyForm& f) {
    f.BeginRun();
    EXPECT_FALSE(f.OptionsEnabled || f.GoEnabled);
    EXPECT_EQ(f.AbortCaption, "Abort");
    EXPECT_TRUE(f.TimerOn);
    // The user clicks Abort and thinks better of it: the run goes on.
    ui_.answers = {MsgAnswer::No};
    view_.on_messages = [&] {
      if (f.AbortClicked() == VerifyClose::Stay) ++answered_no;
      view_.on_messages = nullptr;
    };
    EXPECT_FALSE(f.CheckAbort());
    f.ShowCounters({.MissingRoms = 3, .SkippedSets = 2});
    now_ += std::chrono::seconds(3723);
    f.TimerTick();
    EXPECT_EQ(f.StopTimer(), "01:02:03");
    f.FinishRun();
  });
  form_.Options.OpenInEditor = false;
  form_.Go();
  EXPECT_EQ(answered_no, 1);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, kVerifyAbortQuestion);
  EXPECT_EQ(ui_.messages[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(view_.counters.MissingRoms, 3u);
  EXPECT_EQ(view_.elapsed, "01:02:03");
  EXPECT_EQ(form_.State, VerifyRunState::Finished);
  EXPECT_EQ(form_.AbortCaption, "Close");
  EXPECT_FALSE(form_.GoEnabled || form_.OptionsEnabled || form_.TimerOn);
  form_.Go();  // no second run from a finished window
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
  bool stopped = false;
  form_.SetGoHook([&](VerifyForm& f) {
    f.BeginRun();
    ui_.answers = {MsgAnswer::Yes};
    view_.on_messages = [&] {
      // As the window does on "Yes": it closes, which must wait for the run to return.
      if (f.AbortClicked() == VerifyClose::Cancel) f.Closing();
    };
    stopped = f.CheckAbort();
    EXPECT_TRUE(std::filesystem::exists(f.Options.LogFileName));
    EXPECT_TRUE(std::filesystem::exists(temp));
  });
  form_.Go();
  EXPECT_TRUE(stopped && view_.hidden && form_.Aborted());
  EXPECT_EQ(form_.State, VerifyRunState::Aborted);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "report.txt"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "emu/$KSTEMP$"));
  EXPECT_EQ(ui_.messages.size(), 1u);  // the question only

  // A run that was not aborted keeps its report.
  form_.Show(dir_ / "emu");
  form_.SetGoHook([](VerifyForm& f) {
    f.BeginRun();
    f.FinishRun();
  });
  dir_.Write("report.txt", "a report");
  form_.Go();
  form_.Closing();
  EXPECT_TRUE(std::filesystem::exists(dir_ / "report.txt"));
}

}  // namespace
}  // namespace kw
