#include "core/browser/quick_info_controller.h"

#include <gtest/gtest.h>

#include "core/audit/set_status_controller.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings.h"
#include "support/recording_views.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

TEST(QuickInfoControllerTest, TheSelectedGameShowsItsTextsPictureOrMessage) {
  test::TempDir dir;
  FrontEndSettings settings;
  settings.ScreenShots = dir.Path() + "snap";
  GameDatabase db;
  GameEntry clone;
  clone.Name = "BROKENJR";
  clone.CloneOf = "BROKEN";
  clone.Description = "Broken Jr.";
  db.AddGame(clone);
  GameEntry other;
  other.Name = "OTHER";
  db.AddGame(other);
  PlayStats stats(dir / "STATS.INI");
  stats.RecordPlay("OTHER", 0, 1, 15);
  test::RecordingViews view;
  const AppNames names = AppNames::Compute(dir.Path(), dir.Path());
  SetStatusController status(db, names);
  QuickInfoController info(settings, db, stats, status, view);

  info.GameSelected(1);
  EXPECT_EQ(view.quick_info[0], "OTHER");
  EXPECT_EQ(view.quick_info[11], "Played 1 time; total time: 00:01:15");
  EXPECT_EQ(view.picture_message, "Image not found");
  EXPECT_EQ(settings.LastSelected, "OTHER");

  // The clone shows its master's picture, which here cannot be loaded.
  dir.Write("snap/broken.png", "not a picture");
  info.GameSelected(0);
  EXPECT_EQ(view.quick_info[0], "BROKENJR, clone of BROKEN");
  EXPECT_EQ(view.picture, "product");
  EXPECT_EQ(view.picture_message, "Unsupported format");
  EXPECT_FALSE(view.explorer);
  EXPECT_EQ(info.ShownPicturePath(), "");

  dir.Write("snap/NOTFOUND.PNG", "a placeholder");
  info.GameSelected(1);
  EXPECT_EQ(view.picture, dir.Path() + "snap/NOTFOUND.PNG");
  EXPECT_EQ(info.ShownPicturePath(), view.picture);
  EXPECT_TRUE(view.explorer);

  info.SelectPictureTab(0);  // None: the product picture without a message, of the same game
  EXPECT_EQ(settings.ScreenshotDisplay, 0);
  EXPECT_EQ(view.picture, "product");
  EXPECT_EQ(view.picture_message, "");
  EXPECT_FALSE(view.explorer);
}

}  // namespace
}  // namespace kw
