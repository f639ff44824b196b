#include "core/shared/pictures.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/shared/settings.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

class PicturesTest : public ::testing::Test {
 protected:
  std::string Dir() const { return dir_.Path() + "snap/"; }
  void Put(const std::string& name) { dir_.Write("snap/" + name, "picture"); }

  test::TempDir dir_;
};

TEST_F(PicturesTest, LastOfWmfBmpJpgPngWinsWhateverTheCase) {
  EXPECT_EQ(FindPictureExt("pacman", Dir()), "");
  Put("PACMAN.WMF");
  EXPECT_EQ(FindPictureExt("pacman", Dir()), ".WMF");
  Put("pacman.bmp");
  EXPECT_EQ(FindPictureExt("PACMAN", Dir()), ".BMP");
  Put("PacMan.Jpg");
  EXPECT_EQ(FindPictureExt("pacman", Dir()), ".JPG");
  Put("pacman.png");
  EXPECT_EQ(FindPictureExt("PACMAN", Dir()), ".PNG");
  // Only those four, and only files.
  Put("galaga.jpeg");
  Put("galaga.gif");
  dir_.Write("snap/mspacman.png/inside", "");
  EXPECT_EQ(FindPictureExt("galaga", Dir()), "");
  EXPECT_EQ(FindPictureExt("mspacman", Dir()), "");
  // A name is no path.
  dir_.Write("outside.png", "picture");
  EXPECT_EQ(FindPictureExt("../outside", Dir()), "");
  EXPECT_EQ(FindPictureExt("", Dir()), "");
  EXPECT_EQ(FindPictureExt("pacman", dir_.Path() + "missing/"), "");
  // A relative folder, and no folder at all, are the current directory's.
  const std::filesystem::path was = std::filesystem::current_path();
  std::filesystem::current_path(dir_.Path());
  EXPECT_EQ(FindPictureExt("PACMAN", "SNAP/"), ".PNG");
  std::filesystem::current_path(Dir());
  EXPECT_EQ(FindPictureExt("PACMAN", ""), ".PNG");
  std::filesystem::current_path(was);
}

TEST_F(PicturesTest, GameThenItsMasterThenThePlaceholder) {
  EXPECT_FALSE(FindGamePicture("puckman", "pacman", Dir()));
  Put("notfound.jpg");
  auto placeholder = FindGamePicture("puckman", "pacman", Dir());
  ASSERT_TRUE(placeholder);
  EXPECT_EQ(placeholder->path, Dir() + "NOTFOUND");
  EXPECT_EQ(placeholder->extension, ".JPG");
  Put("pacman.png");
  EXPECT_EQ(FindGamePicture("puckman", "pacman", Dir())->FullPath(), Dir() + "pacman.PNG");
  Put("PUCKMAN.BMP");
  EXPECT_EQ(FindGamePicture("puckman", "pacman", Dir())->FullPath(), Dir() + "puckman.BMP");
  // A game that is no clone skips straight to the placeholder.
  EXPECT_EQ(FindGamePicture("galaga", "", Dir())->path, Dir() + "NOTFOUND");
}

TEST(PictureDirectoryTest, TabsOneToFourWithATrailingSeparator) {
  FrontEndSettings settings;
  settings.ScreenShots = "SNAP";
  settings.Cabinets = "/pics/CABINET/";
  settings.Flyers = "";
  settings.Hardware = "HARDWARE";
  EXPECT_EQ(PictureDirectory(settings, 0), "");
  EXPECT_EQ(PictureDirectory(settings, 1), "SNAP/");
  EXPECT_EQ(PictureDirectory(settings, 2), "/pics/CABINET/");
  EXPECT_EQ(PictureDirectory(settings, 3), "");
  EXPECT_EQ(PictureDirectory(settings, 4), "HARDWARE/");
  EXPECT_EQ(PictureDirectory(settings, 5), "");
  EXPECT_EQ(PictureDirectory(settings, -1), "");
}

TEST(FitPictureTest, ScaledToTheFrameAndCentred) {
  auto fit = [](int w, int h) {
    const PictureFit f = FitPicture(w, h);
    return std::to_string(f.width) + "x" + std::to_string(f.height) + "@" + std::to_string(f.left) +
           "," + std::to_string(f.top);
  };
  EXPECT_EQ(fit(640, 480), "320x240@8,69");
  EXPECT_EQ(fit(100, 400), "80x320@128,29");
  EXPECT_EQ(fit(320, 320), "320x320@8,29");
  EXPECT_EQ(fit(200, 320), "200x320@68,29");  // already the frame's height: kept
  EXPECT_EQ(fit(640, 320), "320x160@8,109");
  EXPECT_EQ(fit(25, 25), "320x320@8,29");   // small pictures grow
  EXPECT_EQ(fit(1, 2000), "0x320@168,29");  // truncated, as the frame does
  EXPECT_EQ(fit(0, 480), "320x320@8,29");
  EXPECT_EQ(fit(640, 0), "320x320@8,29");
}

}  // namespace
}  // namespace kw
