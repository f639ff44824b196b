#include "core/launch/stats_controller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/program.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using test::ScriptedUi;
using test::TempDir;

const char* kResetQuestion =
    "This will permanently delete the\r"
    "statistics data gathered until now!\r"
    "\r"
    "Are you sure?";

struct CountingListener : StatsResetListener {
  int resets = 0;
  void StatsReset() override { ++resets; }
};

class StatsControllerTest : public ::testing::Test {
 protected:
  StatsControllerTest() {
    dir_.Write("STATS.INI", "[GALAGA]\nTotTimes=2\n[PACMAN]\nTotTimes=5\n");
    controller_.AddResetListener(listener_);
    controller_.Load();
  }

  TempDir dir_;
  ScriptedUi ui_;
  test::RecordingViews view_;
  PlayStats stats_{dir_ / "STATS.INI"};
  GameDatabase database_;
  StatsController controller_{ui_, stats_, database_, "Kestrelwing", view_};
  CountingListener listener_;
};

TEST_F(StatsControllerTest, ARunIsRecordedAndWrittenOnlyWithStatisticsOn) {
  const std::string before = dir_.Read("STATS.INI");
  EXPECT_FALSE(controller_.RecordRun(false, "PACMAN", 0, 0, 40));
  EXPECT_EQ(stats_.PlayCount("PACMAN"), 5u);
  EXPECT_EQ(dir_.Read("STATS.INI"), before);
  EXPECT_TRUE(controller_.RecordRun(true, "PACMAN", 0, 0, 40));
  EXPECT_TRUE(controller_.RecordRun(true, "PACMAN", 0, 0, 30));
  PlayStats saved(dir_ / "STATS.INI");
  saved.LoadStats();
  ASSERT_NE(saved.FindPlayRecord("PACMAN"), nullptr);
  EXPECT_EQ(saved.PlayCount("PACMAN"), 7u);
  EXPECT_EQ(saved.FindPlayRecord("PACMAN")->TotMinutes, 1);
  EXPECT_EQ(saved.FindPlayRecord("PACMAN")->TotSeconds, 10);
}

TEST_F(StatsControllerTest, TheWindowShowsTheSortedRecordsAfterTheProgressWindow) {
  controller_.ShowStatistics(StatsMode::Plays);
  EXPECT_EQ(ui_.operations, std::vector<std::string>{"Sorting statistics..."});
  EXPECT_EQ(ui_.progress, std::vector<int>{-1});
  EXPECT_EQ(ui_.events, (std::vector<std::string>{"show", "hide"}));
  ASSERT_EQ(view_.statistics.size(), 1u);
  EXPECT_EQ(view_.statistics[0].title, "Kestrelwing - Statistics report by number of plays");
  EXPECT_EQ(view_.statistics[0].rows[0].label,
            "5 - [PACMAN] (game not supported by current profile)");
  EXPECT_EQ(stats_.Records()[0].StatSetName, "PACMAN") << "the sort stays";
}

TEST_F(StatsControllerTest, ResetAsksAndADeclineKeepsEverything) {
  ui_.answers = {MsgAnswer::No};
  controller_.ResetStatsOPTClick();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, kResetQuestion);
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(ui_.messages[0].buttons, MsgButtons::YesNo);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "STATS.INI"));
  EXPECT_EQ(stats_.Records().size(), 2u);
  EXPECT_EQ(listener_.resets, 0);
}

TEST_F(StatsControllerTest, AnAcceptedResetDeletesTheFileAndTellsTheListeners) {
  ui_.answers = {MsgAnswer::Yes};
  controller_.ResetStatsOPTClick();
  EXPECT_EQ(ui_.messages.size(), 1u) << "only the question";
  EXPECT_FALSE(std::filesystem::exists(dir_ / "STATS.INI"));
  EXPECT_TRUE(stats_.Records().empty());
  EXPECT_EQ(listener_.resets, 1);
  EXPECT_TRUE(controller_.Save());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "STATS.INI")) << "an empty list writes nothing";

  controller_.ShowStatistics(StatsMode::Time);  // nothing to sort: no progress window
  EXPECT_TRUE(ui_.operations.empty());
  ASSERT_EQ(view_.statistics.size(), 1u);
  EXPECT_TRUE(view_.statistics[0].empty);

  controller_.ResetStatsOPTClick();  // with no file at all
  EXPECT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(listener_.resets, 2);
}

TEST_F(StatsControllerTest, ASaveThatFailsIsSaid) {
  std::filesystem::remove(dir_ / "STATS.INI");
  std::filesystem::create_directory(dir_ / "STATS.INI");
  EXPECT_FALSE(controller_.Save());
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text.rfind("Unable to write to " + (dir_ / "STATS.INI"), 0), 0u);
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Error);
}

TEST(StatsInTheShell, ReadAtCreationAndWrittenAtTheEnd) {
  TempDir home;
  home.Write("STATS.INI", "[PACMAN]\nTotTimes=5\n");
  ScriptedUi ui;
  test::RecordingViews views;
  Program p(ui, views.Views(), AppNames::Compute(home.Path(), home.Path()));
  p.shell.FormCreate();
  EXPECT_EQ(p.stats.PlayCount("PACMAN"), 5u);
  p.stats.RecordPlay("PACMAN", 0, 0, 1);
  p.shell.FormDestroy();
  EXPECT_NE(home.Read("STATS.INI").find("TotTimes=6"), std::string::npos);
}

}  // namespace
}  // namespace kw
