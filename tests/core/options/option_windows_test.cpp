#include "core/options/option_windows.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace kw {
namespace {

TEST(OptionListsTest, CodesMapBothWaysAndAStrangeValueIsNoEntry) {
  EXPECT_EQ(ResolutionList().texts.size(), 25u);
  EXPECT_EQ(ResolutionList().codes[1], "224X288");
  EXPECT_EQ(ResolutionList().texts[24], "1024 x 768");
  EXPECT_EQ(ResolutionList().IndexOf("320X240"), 7);
  EXPECT_EQ(FrameSkipList().codes.size(), 13u);
  EXPECT_EQ(FrameSkipList().texts[12], "11 every 12");
  EXPECT_EQ(JoystickList().codes.size(), 25u);
  EXPECT_EQ(JoystickList().texts.size(), 25u);
  EXPECT_EQ(JoystickList().IndexOf("SEGAPCI"), 24);
  // Exact comparison: the stored values are upper case.
  EXPECT_EQ(VesaModeList().IndexOf("vesa3"), -1);
  EXPECT_EQ(VesaModeList().IndexOf("VESA3"), 3);
  EXPECT_EQ(MonitorList().CodeAt(3), "ARCADE");
  EXPECT_EQ(MonitorList().CodeAt(-1), std::nullopt);
  EXPECT_EQ(MonitorList().CodeAt(4), std::nullopt);
  // The numeric lists stand one below their entry.
  EXPECT_EQ(ScanRateList().IndexOf(-1), 0);
  EXPECT_EQ(ScanRateList().CodeAt(4), 3);
  EXPECT_EQ(ScanRateList().IndexOf(7), -1);
  EXPECT_EQ(SoundCardList().texts[SoundCardList().IndexOf(0)], "None (silence)");
  EXPECT_EQ(SampleRateList().IndexOf("48000"), -1);
  EXPECT_EQ(LanguageList({"ENGLISH"}).texts, std::vector<std::string>{"English"});
  EXPECT_EQ(ResolutionSize("384X224"), (ScreenSize{384, 224}));
  EXPECT_EQ(ResolutionSize("AUTO"), std::nullopt);
  EXPECT_EQ(FontSizeIndex(14), 3);
  EXPECT_EQ(FontSizeIndex(11), 1);  // any other size shows "10"
}

TEST(OptionWindowsTest, EnablingRulesFollowTheOptions) {
  EmulatorConfig config;  // the defaults: tweaked modes, standard monitor, automatic sound card
  OptionEnabling e = OptionEnablingOf(config);
  EXPECT_FALSE(e.VesaMode);
  EXPECT_TRUE(e.AlwaysSynced);
  EXPECT_TRUE(e.ScanRate);
  EXPECT_FALSE(e.Centering);
  EXPECT_TRUE(e.SoundDetails);
  EXPECT_FALSE(e.CheatFile);
  EXPECT_FALSE(e.RotationButtons);

  config.config.alwayssynced = true;  // forced to the game's scan rate
  EXPECT_FALSE(OptionEnablingOf(config).ScanRate);
  config.config.tweak = false;  // the box is then unavailable, and its tick no longer counts
  e = OptionEnablingOf(config);
  EXPECT_TRUE(e.VesaMode);
  EXPECT_FALSE(e.AlwaysSynced);
  EXPECT_TRUE(e.ScanRate);

  config.config.monitor = "PAL";
  config.config.soundcard = 0;  // None (silence)
  config.config.cheat = true;
  config.config.norotate = true;
  e = OptionEnablingOf(config);
  EXPECT_TRUE(e.Centering);
  EXPECT_FALSE(e.SoundDetails);
  EXPECT_TRUE(e.CheatFile);
  EXPECT_TRUE(e.RotationButtons);
  config.config.monitor = "BOGUS";  // no entry shown: not the standard monitor
  EXPECT_TRUE(OptionEnablingOf(config).Centering);
}

TEST(OptionWindowsTest, TrackBarsShowTheirOptionWithinTheirRange) {
  EXPECT_EQ(kBeamBar.Position(1.55f), 15);
  EXPECT_EQ(kBeamBar.Position(0.5f), 10);  // below the bar: its minimum
  EXPECT_EQ(kBeamBar.Position(99.0f), 160);
  EXPECT_FLOAT_EQ(kBeamBar.Value(15), 1.5f);
  EXPECT_EQ(kGammaBar.Position(1.239f), 123);  // truncated toward zero
  EXPECT_EQ(kFlickerBar.Position(-3.0f), 0);
  EXPECT_EQ(kFlickerBar.Position(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(TrackBarLabel(kBeamBar, 10), "1.00");
  EXPECT_EQ(TrackBarLabel(kFlickerBar, 1000), "100.00");
  EXPECT_EQ(TrackBarLabel(kGammaBar, 50), "0.50");
  EXPECT_EQ(VolumePosition(-5), 5);
  EXPECT_EQ(VolumePosition(12), 0);  // the file's +12 cannot be shown: the bar's end
  EXPECT_EQ(VolumePosition(-99), 32);
  EXPECT_EQ(VolumeOf(5), -5);
  EXPECT_EQ(VolumeLabel(0), "00 dB");
  EXPECT_EQ(VolumeLabel(5), "-05 dB");
  EXPECT_EQ(VolumeLabel(32), "-32 dB");
}

TEST(OptionWindowsTest, TheSixteenRotationOverlays) {
  const char* expected[16] = {"MAME0",   "MAME270", "MAME90",  "MAME0",   "3MAM180", "3MAM90",
                              "3MAM270", "MAME0",   "3MAM0",   "3MAM270", "3MAM90",  "MAME0",
                              "MAME180", "MAME90",  "MAME270", "MAME0"};
  EmulatorConfig config;
  config.config.norotate = true;
  for (int i = 0; i < 16; ++i) {
    auto& c = config.config;
    c.rol = i & 1;
    c.ror = i & 2;
    c.flipy = i & 4;
    c.flipx = i & 8;
    EXPECT_EQ(RotationIndex(c.rol, c.ror, c.flipx, c.flipy), i);
    EXPECT_EQ(RotationOverlay(config), expected[i]) << i;
  }
  config.config.norotate = false;  // the buttons do not count then
  EXPECT_EQ(RotationOverlay(config), "MAME0");
}

TEST(OptionWindowsTest, ViewAreaOfAGameWiderThanTheResolution) {
  // 320 x 240 and a game of 384 x 224: only X can move, within -32 to 32.
  ViewAreaPreview v = DrawViewArea("320X240", ScreenSize{384, 224}, 100, 7);
  EXPECT_TRUE(v.active);
  EXPECT_TRUE(v.x_enabled);
  EXPECT_FALSE(v.y_enabled);
  EXPECT_EQ(v.max_columns, 32);
  EXPECT_EQ(v.skipcolumns, 32);
  EXPECT_EQ(v.skiplines, 0);
  EXPECT_EQ(DrawViewArea("320X240", ScreenSize{384, 224}, -100, 0).skipcolumns, -32);
  EXPECT_EQ(DrawViewArea("320X240", ScreenSize{384, 224}, -5, 0).skipcolumns, -5);
  // Scale: fx = 384 div 84 + 1 = 5, fy = 224 div 54 + 1 = 5; 384 div 5 = 76 <= 84: f = fy.
  EXPECT_EQ(v.scale, 5);
  EXPECT_EQ(v.game, (PreviewRect{51 - 38, 36 - 22, 51 + 38, 36 + 22}));
  // The visible 320 x 224 of it, moved by 32 div 5 = 6 pixels.
  EXPECT_EQ(v.visible, (PreviewRect{57 - 32, 36 - 22, 57 + 32, 36 + 22}));
}

TEST(OptionWindowsTest, ViewAreaWithNothingToMove) {
  EXPECT_FALSE(DrawViewArea("AUTO", ScreenSize{384, 224}, 5, 5).active);
  EXPECT_FALSE(DrawViewArea("JUNK", ScreenSize{384, 224}, 5, 5).active);
  EXPECT_FALSE(DrawViewArea("640X480", ScreenSize{384, 224}, 5, 5).active);  // the game fits
  EXPECT_FALSE(DrawViewArea("320X240", std::nullopt, 5, 5).active);
  const ViewAreaPreview none = DrawViewArea("640X480", ScreenSize{384, 224}, 5, 5);
  EXPECT_EQ(none.skipcolumns, 0);
  EXPECT_EQ(none.skiplines, 0);
  // A wide, flat game: f = fx when the height's scale would leave it too wide.
  const ViewAreaPreview wide = DrawViewArea("224X288", ScreenSize{1024, 100}, 300, 9);
  EXPECT_EQ(wide.scale, 1024 / 84 + 1);
  EXPECT_EQ(wide.max_columns, 400);
  EXPECT_EQ(wide.skipcolumns, 300);
  EXPECT_EQ(wide.skiplines, 0);
}

TEST(OptionWindowsTest, CenteringCrossAndDrags) {
  EmulatorConfig config;
  EXPECT_FALSE(DrawCentering(config).active);  // the standard monitor
  config.config.monitor = "ARCADE";
  DragCentering(config, {50, 30}, {400, 31});
  EXPECT_EQ(config.config.centerx, 8);
  EXPECT_EQ(config.config.centery, 1);
  DragCentering(config, {50, 30}, {50, 300});
  EXPECT_EQ(config.config.centery, 16);
  DragCentering(config, {50, 30}, {-50, -300});
  EXPECT_EQ(config.config.centerx, -8);
  EXPECT_EQ(config.config.centery, -16);
  const CenteringPreview c = DrawCentering(config);
  EXPECT_EQ(c.horizontal, (PreviewRect{38, 19, 47, 19}));
  EXPECT_EQ(c.vertical, (PreviewRect{42, 15, 42, 24}));

  DragViewArea(config, {10, 10}, {60, 5});  // not limited here: the preview limits it
  EXPECT_EQ(config.config.skipcolumns, 50);
  EXPECT_EQ(config.config.skiplines, -5);
}

TEST(OptionWindowsTest, SearchPathsAfterTheDirectoriesWindowAndTheGzipSignature) {
  EmulatorConfig config;
  config.directory.rompath = "/games/roms";
  config.directory.samplepath = "SAMPLES;.";
  NormaliseSearchPaths(config);
  EXPECT_EQ(config.directory.rompath, ".;/games/roms");
  EXPECT_EQ(config.directory.samplepath, "SAMPLES;.");

  test::TempDir dir;
  EXPECT_TRUE(IsGzipFile(dir.Write("CHEAT.DAT", std::string("\x1F\x8B\x08\x00", 4))));
  EXPECT_FALSE(IsGzipFile(dir.Write("PLAIN.DAT", ":pacman:0:4e0e:1:infinite lives")));
  EXPECT_FALSE(IsGzipFile(dir.Write("SHORT.DAT", "\x1F")));
  EXPECT_FALSE(IsGzipFile(dir / "MISSING.DAT"));
  EXPECT_FALSE(IsGzipFile(dir.Path()));
}

}  // namespace
}  // namespace kw
