#include "core/shared/settings.h"

#include <gtest/gtest.h>

#include "platform/ini.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

using test::TempDir;

FrontEndSettings LoadFrom(const TempDir& dir, const std::string& text,
                          const std::string& system_dir = "/nonexistent-system/") {
  dir.Write("KESTREL.INI", text);
  platform::IniFile ini(dir / "KESTREL.INI");
  ini.Load();
  return LoadSettings(ini, system_dir);
}

TEST(Settings, MissingFileGivesEveryDefault) {
  TempDir dir;
  platform::IniFile ini(dir / "KESTREL.INI");
  EXPECT_FALSE(ini.Load());
  FrontEndSettings s = LoadSettings(ini, dir.Path());
  EXPECT_EQ(s.LastProfile, "FIRSTTIME");
  EXPECT_EQ(s.LastSelected, "NOGAMESELECTED");
  EXPECT_EQ(s.ExtraOptions, "");
  EXPECT_FALSE(s.AddExtraOptions);
  EXPECT_EQ(s.ScreenShots, "SNAP");
  EXPECT_EQ(s.ScreenshotDisplay, 1);
  EXPECT_EQ(s.SortBy, 1);
  EXPECT_EQ(s.PlayButton, 3);
  EXPECT_EQ(s.TopButton, 6);
  EXPECT_EQ(s.BottomButton, 5);
  EXPECT_EQ(s.PageUpButton, 4);
  EXPECT_EQ(s.PageDownButton, 2);
  EXPECT_EQ(s.RandomButton, 1);
  EXPECT_TRUE(s.CheckSamplesOnRun);
  EXPECT_FALSE(s.CheckCRCOnRun);
  EXPECT_EQ(s.BoldFontSize, 10);
  EXPECT_EQ(s.NormalFontSize, 8);
  EXPECT_EQ(s.PlayWaveAtVerifyEnd, "FINISH.WAV");
  EXPECT_TRUE(s.KillPifFile);
  EXPECT_TRUE(s.UseStats);
  EXPECT_EQ(s.TextEditor, "") << "no editor in the system directory";
}

TEST(Settings, FirstSaveWritesEveryKeyInItsOrder) {
  TempDir dir;
  platform::IniFile ini(dir / "KESTREL.INI");
  ini.Load();
  FrontEndSettings s = LoadSettings(ini, dir.Path());
  ASSERT_TRUE(SaveSettings(s, ini).Ok());
  std::string text = dir.Read("KESTREL.INI");
  // Line ends aside, the file holds the sections and keys in declaration order.
  std::string lf;
  for (char c : text)
    if (c != '\r') lf += c;
  EXPECT_EQ(lf,
            "[MAME]\nErrorLog=0\nLogTextOutput=0\nIgnoreConfig=0\n"
            "[Screenshots]\nScreenShots=SNAP\nCabinets=CABINET\nFlyers=FLYERS\nHardware=HARDWARE\n"
            "ScreenshotDisplay=1\n"
            "[Sort]\nSortBy=1\nReverseSort=0\nLastSelected=NOGAMESELECTED\n"
            "[Listing]\nListRomsetName=0\nListYear=0\nListManufacturer=0\n"
            "[DirectX]\nDXGameSelect=0\nPlayButton=3\nTopButton=6\nBottomButton=5\n"
            "PageUpButton=4\nPageDownButton=2\nRandomButton=1\n"
            "[VerifyOnRun]\nCheckSamplesOnRun=1\nCheckCRCOnRun=0\nCreateFakeFiles=0\n"
            "DynamicRename=0\n"
            "[MameCd]\nMameCd=0\nMameCdDrive=\n"
            "[Fonts]\nBoldFontSize=10\nNormalFontSize=8\n"
            "[ReopenList]\nFile1=\nFile2=\nFile3=\nFile4=\nFile5=\n"
            "[General]\nLastProfile=FIRSTTIME\nTextEditor=\nPlayWaveAtVerifyEnd=FINISH.WAV\n"
            "KillPifFile=1\nUseStats=1\n");
  // And the CLI's listing says the same, with every section header.
  EXPECT_EQ(FormatSettings(s), lf);
}

TEST(Settings, ExtraOptionsAsteriskMeansNoneAndIsDeletedOnSave) {
  TempDir dir;
  FrontEndSettings s = LoadFrom(dir, "[MAME]\r\nExtraOptions=*\r\nErrorLog=1\r\n");
  EXPECT_EQ(s.ExtraOptions, "");
  EXPECT_FALSE(s.AddExtraOptions);
  EXPECT_TRUE(s.ErrorLog);
  platform::IniFile ini(dir / "KESTREL.INI");
  ini.Load();
  ASSERT_TRUE(SaveSettings(s, ini).Ok());
  EXPECT_EQ(dir.Read("KESTREL.INI").find("ExtraOptions"), std::string::npos);
}

TEST(Settings, ExtraOptionsSwitchedOffAreDroppedAtTheNextSave) {
  TempDir dir;
  FrontEndSettings s = LoadFrom(dir, "[MAME]\nExtraOptions=-nosound -ror\n");
  EXPECT_EQ(s.ExtraOptions, "-nosound -ror");
  EXPECT_TRUE(s.AddExtraOptions);
  platform::IniFile ini(dir / "KESTREL.INI");
  ini.Load();
  ASSERT_TRUE(SaveSettings(s, ini).Ok());
  EXPECT_NE(dir.Read("KESTREL.INI").find("ExtraOptions=-nosound -ror"), std::string::npos);

  s.AddExtraOptions = false;
  ASSERT_TRUE(SaveSettings(s, ini).Ok());
  platform::IniFile again(dir / "KESTREL.INI");
  again.Load();
  EXPECT_EQ(LoadSettings(again, dir.Path()).ExtraOptions, "");
}

// The status check at opening is on unless the file says otherwise, and only its switching off
// is written: the file of a user who never touches it keeps its bytes.
TEST(Settings, StatusCheckAtOpenIsWrittenOnlyWhenSwitchedOff) {
  TempDir dir;
  const std::string before = "[General]\r\nUseStats=1\r\n";
  FrontEndSettings s = LoadFrom(dir, before);
  EXPECT_TRUE(s.StatusCheckAtOpen);
  platform::IniFile ini(dir / "KESTREL.INI");
  ini.Load();
  ASSERT_TRUE(SaveSettings(s, ini).Ok());
  EXPECT_EQ(dir.Read("KESTREL.INI").find("StatusCheckAtOpen"), std::string::npos);
  EXPECT_EQ(FormatSettings(s).find("StatusCheckAtOpen"), std::string::npos);

  s.StatusCheckAtOpen = false;
  ASSERT_TRUE(SaveSettings(s, ini).Ok());
  EXPECT_NE(dir.Read("KESTREL.INI").find("StatusCheckAtOpen=0"), std::string::npos);
  platform::IniFile off(dir / "KESTREL.INI");
  off.Load();
  EXPECT_FALSE(LoadSettings(off, dir.Path()).StatusCheckAtOpen);

  s.StatusCheckAtOpen = true;  // back on: the line goes
  ASSERT_TRUE(SaveSettings(s, ini).Ok());
  EXPECT_EQ(dir.Read("KESTREL.INI").find("StatusCheckAtOpen"), std::string::npos);
}

TEST(Settings, UpperCaseTextsAndReopenSlots) {
  TempDir dir;
  FrontEndSettings s =
      LoadFrom(dir,
               "[ReopenList]\nFile3=/home/Ann/Profiles/Mame.ksl\n"
               "[Sort]\nLastSelected=pacman\n"
               "[General]\nLastProfile=/home/ann/x.ksl\ntexteditor=/usr/bin/Vi -n +1 ~/My.txt\n");
  EXPECT_EQ(s.ReopenList[2], "/HOME/ANN/PROFILES/MAME.KSL");
  EXPECT_EQ(s.LastSelected, "PACMAN");
  EXPECT_EQ(s.LastProfile, "/HOME/ANN/X.KSL");
  // Keys match without regard to case; the editor's command keeps its own.
  EXPECT_EQ(s.TextEditor, "/usr/bin/Vi -n +1 ~/My.txt");

  s.ReopenList[0] = "/tmp/Lower.ksl";  // written upper case as well
  platform::IniFile ini(dir / "KESTREL.INI");
  ini.Load();
  ASSERT_TRUE(SaveSettings(s, ini).Ok());
  std::string text = dir.Read("KESTREL.INI");
  EXPECT_NE(text.find("File1=/TMP/LOWER.KSL"), std::string::npos);
  EXPECT_NE(text.find("File3=/HOME/ANN/PROFILES/MAME.KSL"), std::string::npos);
  EXPECT_NE(text.find("TextEditor=/usr/bin/Vi -n +1 ~/My.txt"), std::string::npos);
}

TEST(Settings, TextEditorDefaultsToTheDesktopOpenerOfTheSystemDirectory) {
  TempDir system;
  system.Write("xdg-open", "#!/bin/sh\n");
  TempDir dir;
  FrontEndSettings s = LoadFrom(dir, "", system.Path());
  EXPECT_EQ(s.TextEditor, system.Path() + "xdg-open");
  // A key present in the file wins over the default, even when empty.
  FrontEndSettings t = LoadFrom(dir, "[General]\nTextEditor=\n", system.Path());
  EXPECT_EQ(t.TextEditor, "");
}

TEST(Settings, UnusableValuesGiveDefaultsAndOutOfRangeNumbersStay) {
  TempDir dir;
  std::string huge(5000, 'x');
  using namespace std::string_literals;
  std::string text =
      "garbage line without equals\n"
      "\x01\x02\xff binary \x00 bytes\n"
      "[Sort]\nSortBy=9\nReverseSort=yes\n"
      "[Screenshots]\nScreenshotDisplay=257\nScreenShots="s +
      huge +
      "\n"
      "[Fonts]\nBoldFontSize=11\nNormalFontSize=99999999999\n"
      "[DirectX]\nPlayButton= 7 \nTopButton=abc\n"
      "[General]\nKillPifFile=0\nUseStats=-3\n";
  FrontEndSettings s = LoadFrom(dir, text);
  EXPECT_EQ(s.SortBy, 9) << "out of range stays in the record";
  EXPECT_FALSE(s.ReverseSort) << "not a number reads as the default";
  EXPECT_EQ(s.ScreenshotDisplay, 1) << "low 8 bits of 257";
  EXPECT_EQ(s.ScreenShots.size(), platform::kIniMaxValue);
  EXPECT_EQ(s.BoldFontSize, 11) << "a size outside the list stays";
  EXPECT_EQ(s.NormalFontSize, 8) << "too large for 32 bits reads as the default";
  EXPECT_EQ(s.PlayButton, 7);
  EXPECT_EQ(s.TopButton, 6);
  EXPECT_FALSE(s.KillPifFile);
  EXPECT_TRUE(s.UseStats) << "any value other than 0 is true";
  EXPECT_EQ(s.LastProfile, "FIRSTTIME") << "missing section";
}

TEST(Settings, SaveKeepsUnknownLinesAndReportsAFileThatCannotBeWritten) {
  TempDir dir;
  FrontEndSettings s = LoadFrom(dir, "; my notes\n[Custom]\nmine=1\n[MAME]\nErrorLog=1\n");
  platform::IniFile ini(dir / "KESTREL.INI");
  ini.Load();
  ASSERT_TRUE(SaveSettings(s, ini).Ok());
  std::string text = dir.Read("KESTREL.INI");
  EXPECT_EQ(text.rfind("; my notes\n[Custom]\nmine=1\n[MAME]\nErrorLog=1\n", 0), 0u) << text;

  platform::IniFile nowhere(dir / "missing-dir/KESTREL.INI");
  Status error = SaveSettings(s, nowhere);
  ASSERT_FALSE(error.Ok());
  EXPECT_EQ(error.Message(), "Unable to write to " + (dir / "missing-dir/KESTREL.INI"));
}

TEST(ReopenList, KnownPathKeepsItsPlaceAndASixthDropsTheLast) {
  FrontEndSettings s;
  for (const char* p : {"/p/one.ksl", "/p/two.ksl", "/p/three.ksl", "/p/four.ksl", "/p/five.ksl"})
    EXPECT_TRUE(AddToReopenList(s, p));
  EXPECT_EQ(s.ReopenList[0], "/P/FIVE.KSL");
  EXPECT_EQ(s.ReopenList[4], "/P/ONE.KSL");

  EXPECT_FALSE(AddToReopenList(s, "/p/Three.KSL")) << "known path, other case";
  EXPECT_EQ(s.ReopenList[2], "/P/THREE.KSL");
  EXPECT_EQ(s.ReopenList[0], "/P/FIVE.KSL");

  EXPECT_TRUE(AddToReopenList(s, "/p/six.ksl"));
  EXPECT_EQ(s.ReopenList[0], "/P/SIX.KSL");
  EXPECT_EQ(s.ReopenList[1], "/P/FIVE.KSL");
  EXPECT_EQ(s.ReopenList[4], "/P/TWO.KSL") << "the oldest one dropped";

  std::string long_path = "/" + std::string(300, 'a');
  EXPECT_TRUE(AddToReopenList(s, long_path));
  EXPECT_EQ(s.ReopenList[0].size(), kReopenWidth);
  EXPECT_FALSE(AddToReopenList(s, long_path)) << "a cut entry is still recognised";
}

}  // namespace
}  // namespace kw
