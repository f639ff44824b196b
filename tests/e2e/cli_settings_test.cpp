// kestrelwing-cli settings against a real KESTREL.INI in a program directory of its own.
#include <gtest/gtest.h>

#include <string>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

test::CommandResult RunCli(const std::string& home, const std::string& args) {
  return test::RunCommand("KESTRELWING_HOME='" + home + "' '" + std::string(KW_CLI_PATH) + "' " +
                          args + " 2>&1");
}

TEST(CliSettings, PrintsTheFileValuesWithDefaultsInFileOrder) {
  test::TempDir home;
  home.Write("kestrel.ini",  // found without regard to case
             "[General]\r\nLastProfile=/data/Mame.ksl\r\nUseStats=0\r\n"
             "[Sort]\r\nSortBy=4\r\n[ReopenList]\r\nFile2=/data/other.ksl\r\n");
  auto run = RunCli(home.Path(), "settings");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out.rfind("[MAME]\nErrorLog=0\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("[Sort]\nSortBy=4\nReverseSort=0\nLastSelected=NOGAMESELECTED\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("File1=\nFile2=/DATA/OTHER.KSL\nFile3=\n"), std::string::npos);
  EXPECT_NE(run.out.find("[General]\nLastProfile=/DATA/MAME.KSL\n"), std::string::npos);
  EXPECT_NE(run.out.find("UseStats=0\n"), std::string::npos);
  EXPECT_EQ(run.out.find("ExtraOptions"), std::string::npos) << "none to add";
}

TEST(CliSettings, SetWritesThroughTheDeclarationsAndKeepsTheOtherLines) {
  test::TempDir home;
  home.Write("KESTREL.INI", "; mine\n[Fonts]\nBoldFontSize=12\n[Extra]\nkeep=me\n");
  auto run = RunCli(home.Path(),
                    "settings --set fonts.boldfontsize=14 --set DirectX.PlayButton=259 "
                    "--set Sort.LastSelected=pacman --set VerifyOnRun.CheckCRCOnRun=yes "
                    "--set MAME.ExtraOptions=-nosound");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("BoldFontSize=14\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("PlayButton=3\n"), std::string::npos) << "the low byte, as read";
  EXPECT_NE(run.out.find("LastSelected=PACMAN\n"), std::string::npos);
  EXPECT_NE(run.out.find("CheckCRCOnRun=0\n"), std::string::npos) << "not a number: default";
  EXPECT_NE(run.out.find("ExtraOptions=-nosound\n"), std::string::npos);
  const std::string file = home.Read("KESTREL.INI");
  EXPECT_EQ(file.rfind("; mine\n[Fonts]\nBoldFontSize=14\n", 0), 0u) << file;
  EXPECT_NE(file.find("[Extra]\nkeep=me\n"), std::string::npos);
  EXPECT_EQ(RunCli(home.Path(), "settings").out, run.out);

  const std::string before = home.Read("KESTREL.INI");
  run = RunCli(home.Path(), "settings --set Fonts.BoldFontSize=8 --set Fonts.Nonsense=1");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.out.find("unknown setting 'Fonts.Nonsense'"), std::string::npos) << run.out;
  EXPECT_EQ(home.Read("KESTREL.INI"), before) << "nothing written";
  EXPECT_EQ(RunCli(home.Path(), "settings --set NoDot=1").status, 2);
  EXPECT_EQ(RunCli(home.Path(), "settings --set").status, 2);
}

TEST(CliSettings, UnknownCommandsAndOptionsAreUsageErrors) {
  test::TempDir home;
  EXPECT_EQ(RunCli(home.Path(), "frobnicate").status, 2);
  EXPECT_EQ(RunCli(home.Path(), "--frobnicate").status, 2);
  EXPECT_EQ(RunCli(home.Path(), "settings extra").status, 2);
  EXPECT_EQ(RunCli(home.Path(), "").status, 2);
  auto help = RunCli(home.Path(), "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("settings"), std::string::npos);
}

}  // namespace
}  // namespace kw
