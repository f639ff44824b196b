#include "core/options/option_windows_controller.h"

#include <gtest/gtest.h>

#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/game_list_navigation.h"
#include "core/shared/settings.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

struct List : GameListNavigation {
  long selected = 0;
  long count = 1;
  long SelectedLine() const override { return selected; }
  long LineCount() const override { return count; }
  void SelectLine(long line) override { selected = line; }
  void PlaySelected() override {}
  void SelectRandomGame() override {}
};

struct Fixture {
  test::TempDir dir;
  test::ScriptedUi ui;
  FrontEndSettings settings;
  GameDatabase database;
  EmulatorConfigController emulator{database, "$KSTEMP$"};
  List list;
  std::vector<std::string> languages{"ENGLISH"};
  OptionWindowsController options{ui, settings, database, emulator, list, languages, "KW"};

  Fixture() {
    GameEntry game;
    game.Name = "WIDE";
    game.Width = 384;
    game.Height = 224;
    database.AddGame(game);
    database.EmulatorDir = dir.Path();
  }
};

TEST(OptionWindowsControllerTest, TheViewAreaFollowsTheSelectedGame) {
  Fixture f;
  auto& c = f.options.Config().config;
  c.resolution = "320X240";
  c.skipcolumns = 90;
  c.skiplines = 7;
  EXPECT_EQ(f.options.SelectedGameScreen(), (ScreenSize{384, 224}));
  EXPECT_EQ(f.options.ViewArea().skipcolumns, 32);
  EXPECT_EQ(c.skipcolumns, 90);  // shown limited, kept until the user acts
  f.options.ResolutionChanged();
  EXPECT_EQ(c.skipcolumns, 32);
  EXPECT_EQ(c.skiplines, 0);  // the game fits that way
  f.options.DragViewArea({50, 30}, {40, 80});
  EXPECT_EQ(c.skipcolumns, -10);
  EXPECT_EQ(c.skiplines, 0);
  f.options.CenterViewBTNClick();
  EXPECT_EQ(c.skipcolumns, 0);

  // No line selected, or a list without games: nothing previewed, nothing changed.
  f.list.selected = -1;
  EXPECT_EQ(f.options.SelectedGameScreen(), std::nullopt);
  f.list.count = 0;
  c.skipcolumns = 77;
  f.options.ResolutionChanged();
  EXPECT_EQ(c.skipcolumns, 77);
  EXPECT_EQ(f.options.Title(" - MAME video settings"), "KW - MAME video settings");
}

TEST(OptionWindowsControllerTest, ACompressedCheatFileIsNotOpenedInTheEditor) {
  Fixture f;
  f.dir.Write("CHEAT.DAT", std::string("\x1F\x8B\x08", 3));
  f.settings.TextEditor = "/nonexistent/editor";
  EXPECT_FALSE(f.options.CheatEditAvailable());
  f.options.CheatEditBTNClick();
  ASSERT_EQ(f.ui.messages.size(), 1u);
  EXPECT_EQ(f.ui.messages[0].text,
            "The cheat file is GZip-compressed and\rcannot be opened in a text editor.");
  // A plain file goes to the editor; one that cannot start is said.
  f.dir.Write("CHEAT.DAT", ":pacman:0:4e0e:1:lives");
  f.options.CheatEditBTNClick();
  ASSERT_EQ(f.ui.messages.size(), 2u);
  EXPECT_EQ(f.ui.messages[1].text.rfind("Cannot start the text editor", 0), 0u);
}

}  // namespace
}  // namespace kw
