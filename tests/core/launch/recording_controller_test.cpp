#include "core/launch/recording_controller.h"

#include <gtest/gtest.h>

#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/game_list_navigation.h"
#include "support/recording_views.h"

namespace kw {
namespace {

// A list whose first line is selected.
struct FirstLineSelected : GameListNavigation {
  long SelectedLine() const override { return 0; }
  long LineCount() const override { return 1; }
  void SelectLine(long) override {}
  void PlaySelected() override {}
  void SelectRandomGame() override {}
};

TEST(RecordingControllerTest, PlaybackAndRecordNeedAGameAndAProfileChangeStartsAgain) {
  GameDatabase database;
  test::RecordingViews view;
  FirstLineSelected list;
  EmulatorConfigController config(database, "$KSTEMP$");
  RecordingController recording(database, list, config, view);

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
  EXPECT_EQ(view.file_name, "PACMAN") << "an empty name takes the selected game's";

  // A recording chosen in the inp directory: its name cut at the full stop and to 8 characters.
  view.recording_choice = "/emu/inp/LONGRECORDING.V2.INP";
  recording.InpBrowseBTNClick();
  EXPECT_EQ(view.recording_dialog_dir, "INP");
  EXPECT_EQ(recording.FileName(), "LONGRECO");
  recording.FileNameEdited("myrec.inp-and-more");
  EXPECT_EQ(recording.FileName(), "MYREC.INP-AN");

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
