#include "core/shared/cd_discs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/shared/set_archives.h"
#include "core/shared/settings.h"
#include "platform/fs.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

// The drive is a directory standing for the disc's mount point; a disc is changed by rewriting
// its description file from inside the user's answer.
class CdDiscsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_.MameCd = true;
    settings_.MameCdDrive = work_ / "cdrom";
    std::filesystem::create_directories(settings_.MameCdDrive);
  }
  void InsertDisc(int n, const std::string& rest = "Roms=\\ROMS\\\n") {
    work_.Write("cdrom/mamecd.ini", "[MameCd]\nDisc=" + std::to_string(n) + "\n" + rest +
                                        "[Roms]\npacman=1\nmspacman=1\ngalaga=0\ndkong=3\n"
                                        "[Samples]\nzaxxon=1\n");
  }
  std::string Wanted(int n) const {
    return "Please insert disc " + std::to_string(n) + " into the drive " + work_ / "cdrom";
  }

  test::TempDir work_;
  test::ScriptedUi ui_;
  FrontEndSettings settings_;
  CdDiscs discs_{ui_, settings_};
  SetArchives sets_{ui_, settings_, work_ / "emu"};
};

TEST_F(CdDiscsTest, TheUserIsAskedUntilTheWantedDiscIsInTheDrive) {
  int asked = 0;
  ui_.on_ask = [&](const test::RecordedMessage&) { InsertDisc(++asked == 1 ? 2 : 3); };
  EXPECT_TRUE(discs_.EnsureDisc(3));
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{
                "No MAMECD compliant disc have been found into the CD-ROM drive.\r" + Wanted(3),
                "You have inserted disc 2.\r" + Wanted(3)}));
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(ui_.messages[1].buttons, MsgButtons::RetryCancel);

  ui_.on_ask = nullptr;
  ui_.answers = {MsgAnswer::Retry, MsgAnswer::Cancel};
  EXPECT_FALSE(discs_.EnsureDisc(4));
  EXPECT_EQ(ui_.messages.size(), 4u);
  EXPECT_EQ(ui_.messages[3].text, "You have inserted disc 3.\r" + Wanted(4));

  settings_.MameCdDrive = "d:";
  ui_.answers = {MsgAnswer::Cancel};
  EXPECT_FALSE(discs_.EnsureDisc(1));
  EXPECT_EQ(ui_.messages.back().text,
            "No MAMECD compliant disc have been found into the CD-ROM drive.\r"
            "Please insert disc 1 into the drive D:");
}

TEST_F(CdDiscsTest, ListedSetsComeFromTheDiscOthersFromTheHardDisk) {
  InsertDisc(1);
  work_.Write("cdrom/ROMS/pacman.zip", "disc");
  work_.Write("cdrom/SAMPLES/zaxxon.zip", "disc");
  for (const char* set : {"pacman", "mspacman", "galaga", "qbert", "zaxxon"})
    work_.Write(std::string("emu/ROMS/") + set + ".zip", "hard disk");
  const std::string roms = work_ / "emu/ROMS";
  EXPECT_EQ(sets_.LocateSetFile("pacman", roms, SetKind::Rom), work_ / "cdrom/ROMS/pacman.zip");
  EXPECT_EQ(sets_.LocateSetFile("mspacman", roms, SetKind::Rom), "") << "listed, not on disc";
  EXPECT_EQ(sets_.LocateSetFile("galaga", roms, SetKind::Rom), roms + "/galaga.zip");
  EXPECT_EQ(sets_.LocateSetFile("qbert", roms, SetKind::Rom), roms + "/qbert.zip");
  EXPECT_EQ(sets_.LocateSetFile("zaxxon", roms, SetKind::Sample),
            work_ / "cdrom/SAMPLES/zaxxon.zip");
  EXPECT_EQ(sets_.LocateSetFile("pacman", roms, SetKind::Plain), roms + "/pacman.zip");
  EXPECT_TRUE(ui_.messages.empty());

  ui_.answers = {MsgAnswer::Cancel};
  EXPECT_EQ(sets_.LocateSetFile("dkong", roms, SetKind::Rom), "") << "disc 3 declined";
  EXPECT_EQ(ui_.messages.size(), 1u);

  InsertDisc(1, "Roms=  \n");
  EXPECT_EQ(sets_.LocateSetFile("pacman", roms, SetKind::Rom), roms + "/pacman.zip");

  std::filesystem::remove(work_ / "cdrom/mamecd.ini");
  ui_.answers = {MsgAnswer::Cancel, MsgAnswer::Cancel};
  EXPECT_EQ(sets_.LocateSetFile("pacman", roms, SetKind::Rom), roms + "/pacman.zip");
  EXPECT_EQ(sets_.LocateSetFile("galaga", roms, SetKind::Rom), roms + "/galaga.zip");
  EXPECT_EQ(ui_.messages.size(), 3u) << "each set asks for disc 1 again";

  settings_.MameCd = false;
  EXPECT_EQ(sets_.LocateSetFile("pacman", roms, SetKind::Rom), roms + "/pacman.zip");
  EXPECT_EQ(ui_.messages.size(), 3u);
}

}  // namespace
}  // namespace kw
