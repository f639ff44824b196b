#include "core/browser/game_list_controller.h"

#include <gtest/gtest.h>

#include "core/profile/game_database.h"
#include "core/shell/settings.h"
#include "support/recording_views.h"

namespace kw {
namespace {

TEST(GameListControllerTest, AChosenOrderIsKeptAndShownInBothMenus) {
  FrontEndSettings settings;
  GameDatabase database;
  test::RecordingViews view;
  GameListController list(settings, database, view);
  settings.DXGameSelect = true;
  list.ShowSettings();
  EXPECT_EQ(view.sort_by, 1);
  EXPECT_TRUE(view.joystick);

  list.SelectSortOrder(4);
  list.SelectReverseOrder(true);
  list.SelectSortOrder(5);  // no such order: nothing
  EXPECT_EQ(settings.SortBy, 4);
  EXPECT_TRUE(settings.ReverseSort);
  EXPECT_EQ(view.sort_by, 4);
  EXPECT_TRUE(view.reverse);
}

}  // namespace
}  // namespace kw
