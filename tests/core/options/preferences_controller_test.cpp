#include "core/options/preferences_controller.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "common/ascii.h"
#include "core/browser/game_list_controller.h"
#include "core/shared/emulator_config_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings_store.h"
#include "platform/fs.h"
#include "platform/ini.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

// The quick information's side: the positions it was told to show.
struct Selections : GameSelectionListener {
  std::vector<long> shown;
  void GameSelected(long position) override { shown.push_back(position); }
};

struct Fixture {
  test::TempDir dir;
  test::ScriptedUi ui;
  SettingsStore settings{dir.Path() + "KESTREL.INI"};
  GameDatabase database;
  PlayStats stats{dir.Path() + "STATS.INI"};
  platform::Joystick joystick;
  test::RecordingViews view;
  Selections selection;
  GameListController list{ui, settings, database, stats, joystick, view, selection};
  EmulatorConfigController emulator_config{database, "$KSTEMP$"};
  std::vector<std::string> drives;
  PreferencesController preferences{ui,   settings, database, emulator_config,
                                    list, joystick, drives,   "Kestrelwing"};

  void OpenProfile() {
    for (const char* name : {"PACMAN", "GALAGA"}) {
      GameEntry e;
      e.Name = name;
      e.Description = std::string(name) + " game";
      database.AddGame(e);
    }
    database.EmulatorDir = dir.Path();
    database.ProfileLoaded = true;
    list.ProfileOpened();
  }
};

TEST(PreferencesTest, AssigningAButtonSwapsItWithTheFunctionThatHadIt) {
  FrontEndSettings s;  // Play 3, Page up 4
  AssignJoystickButton(s, JoystickFunction::PageUp, 3);
  EXPECT_EQ(s.PageUpButton, 3);
  EXPECT_EQ(s.PlayButton, 4);
  EXPECT_EQ(JoystickButtonCaption(s, JoystickFunction::Play), "Play: B4");
  EXPECT_EQ(JoystickButtonCaption(s, JoystickFunction::Bottom), "List bottom: B5");
  AssignJoystickButton(s, JoystickFunction::Top, 17);  // nobody had it
  EXPECT_EQ(s.TopButton, 17);
  EXPECT_EQ(s.BottomButton, 5);
  AssignJoystickButton(s, JoystickFunction::Top, 0);  // no button: nothing
  EXPECT_EQ(s.TopButton, 17);
}

TEST(PreferencesTest, APressedJoystickButtonIsAssignedAtOnce) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) GTEST_SKIP() << SDL_GetError();
  if (SDL_NumJoysticks() != 0) {
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    GTEST_SKIP() << "a real joystick would be joystick 0";
  }
  const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 32, 1);
  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr) << SDL_GetError();
  {
    Fixture f;
    f.preferences.SetJoystickSelect(true);
    EXPECT_TRUE(f.settings.Values().DXGameSelect);
    EXPECT_TRUE(f.view.joystick);                                        // the game list polls too
    EXPECT_EQ(f.preferences.PollJoystick(JoystickFunction::PageUp), 0);  // nothing down
    EXPECT_EQ(f.settings.Values().PageUpButton, 4);
    SDL_JoystickSetVirtualButton(stick, 2, SDL_PRESSED);  // button 3
    SDL_JoystickSetVirtualButton(stick, 0, SDL_PRESSED);  // and 1: the highest counts
    EXPECT_EQ(f.preferences.PollJoystick(JoystickFunction::PageUp), 3);
    EXPECT_EQ(f.settings.Values().PageUpButton, 3);
    EXPECT_EQ(f.settings.Values().PlayButton, 4);
    EXPECT_EQ(f.preferences.PollJoystick(std::nullopt), 3);  // no function waits: unchanged
    EXPECT_EQ(f.settings.Values().PageUpButton, 3);
    f.preferences.WindowHidden();
    EXPECT_TRUE(f.view.joystick);  // the list reads it again
    f.preferences.SetJoystickSelect(false);
    EXPECT_FALSE(f.view.joystick);
  }
  SDL_JoystickClose(stick);
  SDL_JoystickDetachVirtual(index);
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

TEST(PreferencesTest, ShowingFillsTheFormFromTheSettings) {
  Fixture f;
  f.settings.Values().MameCd = true;
  PreferencesForm form = f.preferences.Show();
  EXPECT_FALSE(form.values.MameCd);  // no optical drive on the machine
  EXPECT_EQ(form.drive_index, -1);
  EXPECT_EQ(form.mame_default_caption, "MAME's default (not available)");
  EXPECT_TRUE(form.custom_image_dir);
  EXPECT_EQ(form.values.ScreenShots, AsciiUpperCase(platform::fs::CurrentDirectory() + "SNAP/"));
  EXPECT_TRUE(f.settings.Values().MameCd);  // the settings themselves wait for the close

  f.drives = {"/media/cdrom0/", "/media/CDROM1/"};
  f.settings.Values().MameCdDrive = "/MEDIA/cdrom1/";
  EXPECT_EQ(f.preferences.Show().drive_index, 1);
  f.settings.Values().MameCdDrive = "";
  EXPECT_EQ(f.preferences.Show().drive_index, 0);

  // With a profile: the emulator's own snap directory; the same directory is not custom.
  f.OpenProfile();
  f.emulator_config.Config().directory.snap = f.dir.Path() + "snap";
  f.settings.Values().ScreenShots = f.dir.Path() + "SNAP";
  form = f.preferences.Show();
  EXPECT_EQ(form.mame_default_caption,
            "MAME's default (" + AsciiUpperCase(f.dir.Path() + "SNAP/") + ")");
  EXPECT_FALSE(form.custom_image_dir);
}

TEST(PreferencesTest, ClosingStoresTheFieldsByTheirRulesAndSaves) {
  Fixture f;
  PreferencesForm form = f.preferences.Show();
  form.custom_image_dir = false;  // the emulator's default while no profile is loaded
  form.values.Cabinets = "";
  form.values.Flyers = "flyers";
  form.values.Hardware = "/pictures/hardware/";
  form.values.CheckCRCOnRun = true;
  form.values.BoldFontSize = 16;
  form.values.TextEditor = "/usr/bin/vi -R";
  form.drives = {"/media/cdrom0/"};
  form.drive_index = 0;
  const std::size_t fills = f.ui.operations.size();
  f.preferences.Apply(form);
  const FrontEndSettings& s = f.settings.Values();
  EXPECT_EQ(s.ScreenShots, platform::fs::CurrentDirectory() + "SNAP");
  EXPECT_EQ(s.Cabinets, "");  // left empty: stays empty
  EXPECT_EQ(s.Flyers, platform::fs::CurrentDirectory() + "flyers/");
  EXPECT_EQ(s.Hardware, "/pictures/hardware/");
  EXPECT_EQ(s.TextEditor, "/usr/bin/vi -R");
  EXPECT_EQ(s.MameCdDrive, "/media/cdrom0/");
  EXPECT_TRUE(s.CheckCRCOnRun);
  EXPECT_EQ(s.BoldFontSize, 16);
  EXPECT_EQ(f.ui.operations.size(), fills);  // a font size alone: the list is not rebuilt
  platform::IniFile ini(f.dir / "KESTREL.INI");
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.Read("Fonts", "BoldFontSize"), "16");
  EXPECT_EQ(ini.Read("VerifyOnRun", "CheckCRCOnRun"), "1");

  // A custom directory gets its separator; a list option refills the list.
  f.OpenProfile();
  form = f.preferences.Show();
  form.custom_image_dir = true;
  form.values.ScreenShots = "/pictures/snaps";
  form.values.ListYear = true;
  f.view.lines.clear();
  f.preferences.Apply(form);
  EXPECT_EQ(f.settings.Values().ScreenShots, "/pictures/snaps/");
  EXPECT_TRUE(f.settings.Values().ListYear);
  EXPECT_FALSE(f.view.lines.empty());
  // The default with a profile: the emulator's snap made absolute.
  form = f.preferences.Show();
  form.custom_image_dir = false;
  f.emulator_config.Config().directory.snap = "shots";
  f.preferences.Apply(form);
  EXPECT_EQ(f.settings.Values().ScreenShots, platform::fs::CurrentDirectory() + "shots/");
}

TEST(PreferencesTest, AFontSizeTheListsLackIsShownAsTenAndStoredSo) {
  Fixture f;
  f.settings.Values().BoldFontSize = 11;
  f.settings.Values().NormalFontSize = 12;
  PreferencesForm form = f.preferences.Show();
  EXPECT_EQ(form.values.BoldFontSize, 10);
  EXPECT_EQ(form.values.NormalFontSize, 12);
  f.preferences.Apply(form);  // closed untouched: the entry shown
  EXPECT_EQ(f.settings.Values().BoldFontSize, 10);
  platform::IniFile ini(f.dir / "KESTREL.INI");
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.Read("Fonts", "BoldFontSize"), "10");
}

TEST(PreferencesTest, ARefilledListShowsTheQuickInformationOfItsFirstLine) {
  Fixture f;
  f.OpenProfile();
  f.list.SelectLine(1);
  ASSERT_EQ(f.selection.shown.back(), 1);
  PreferencesForm form = f.preferences.Show();
  form.values.ListRomsetName = !form.values.ListRomsetName;
  f.preferences.Apply(form);
  ASSERT_EQ(f.view.selected, 0);
  EXPECT_EQ(f.selection.shown.back(), 0);  // what is selected is what is shown
  f.list.PlaySelected();
  EXPECT_EQ(f.view.runs, std::vector<long>{0});

  // Nothing refilled, nothing told.
  const std::size_t told = f.selection.shown.size();
  f.preferences.Apply(f.preferences.Show());
  EXPECT_EQ(f.selection.shown.size(), told);
}

}  // namespace
}  // namespace kw
