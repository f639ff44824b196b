#include "core/launch/recording_controller.h"

#include <gtest/gtest.h>

#include "core/profile/game_database.h"
#include "support/recording_views.h"

namespace kw {
namespace {

TEST(RecordingControllerTest, PlaybackAndRecordNeedAGameAndAProfileChangeStartsAgain) {
  GameDatabase database;
  test::RecordingViews view;
  RecordingController recording(database, view);

  recording.SelectRecord();  // no profile: the button does not stay down
  EXPECT_EQ(view.mode, RecordingMode::None);
  EXPECT_FALSE(view.file_name_enabled);

  GameEntry game;
  game.Name = "PACMAN";
  database.AddGame(game);
  database.ProfileLoaded = true;
  recording.SelectPlayback();
  EXPECT_EQ(recording.Mode(), RecordingMode::Playback);
  EXPECT_TRUE(view.file_name_enabled);

  view.file_name = "MYREC";
  recording.ProfileStateChanged(true);
  EXPECT_EQ(view.mode, RecordingMode::None);
  EXPECT_EQ(view.file_name, "");
  EXPECT_FALSE(view.file_name_enabled);
  EXPECT_TRUE(view.recording_enabled);
}

TEST(RecordingControllerTest, TypedNamesAreUpperCase) {
  EXPECT_EQ(RecordingFileNameTyped("myRec.inp"), "MYREC.INP");
  EXPECT_EQ(RecordingFileNameTyped("\xe9t\xe9"), "\xe9T\xe9") << "other bytes stay as they are";
}

}  // namespace
}  // namespace kw
