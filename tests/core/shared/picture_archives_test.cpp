#include "core/shared/picture_archives.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/shared/log_line.h"
#include "core/shared/pictures.h"
#include "support/temp_dir.h"
#include "support/test_archives.h"

namespace kw {
namespace {

using Items = std::vector<test::ArchiveItem>;

class PictureArchivesTest : public ::testing::Test {
 protected:
  PictureArchivesTest() {
    SetLogSink([this](const std::string& line) { logged_.push_back(line); });
  }
  ~PictureArchivesTest() override { SetLogSink({}); }

  std::string Dir() const { return dir_.Path() + "snap/"; }
  void Archive(const std::string& relative, const Items& items, const std::string& format = "zip") {
    std::filesystem::create_directories(std::filesystem::path(dir_ / relative).parent_path());
    ASSERT_TRUE(test::WriteTestArchive(dir_ / relative, items, format));
  }
  // Where the picture of `base` was found and what it holds, "" when nowhere.
  std::string Found(const std::string& base, const std::string& directory = "") {
    const std::optional<GamePicture> picture =
        FindPicture(base, directory.empty() ? Dir() : directory);
    if (!picture) return "";
    const Result<std::string> bytes = ReadPicture(*picture);
    const std::string where =
        picture->archive.empty() ? picture->FullPath() : picture->archive + ":" + picture->member;
    return where.substr(dir_.Path().size()) + " " + picture->extension + " " +
           (bytes ? *bytes : "(" + bytes.Message() + ")");
  }

  test::TempDir dir_;
  std::vector<std::string> logged_;
};

TEST(PictureArchivePathsTest, InsideTheFolderBesideItOrTheSettingItself) {
  EXPECT_EQ(PictureArchivePaths("/pics/snap/"),
            (std::vector<std::string>{"/pics/snap/snap.zip", "/pics/snap/snap.7z", "/pics/snap.zip",
                                      "/pics/snap.7z"}));
  EXPECT_EQ(PictureArchivePaths("SNAP/"),
            (std::vector<std::string>{"SNAP/SNAP.zip", "SNAP/SNAP.7z", "SNAP.zip", "SNAP.7z"}));
  EXPECT_EQ(PictureArchivePaths("/pics/flyers.ZIP/"),
            (std::vector<std::string>{"/pics/flyers.ZIP"}));
  EXPECT_EQ(PictureArchivePaths("/pics/cab.7z/"), (std::vector<std::string>{"/pics/cab.7z"}));
  EXPECT_TRUE(PictureArchivePaths("./").empty());
  EXPECT_TRUE(PictureArchivePaths("/").empty());
  EXPECT_TRUE(PictureArchivePaths("").empty());
}

TEST_F(PictureArchivesTest, PicturesFromAZipAndA7zInsideTheFolder) {
  Archive("snap/SNAP.ZIP", {{"pacman.png", "zipped pacman"},
                            {"snap/", "", AE_IFDIR},
                            {"snap/Galaga.JPG", "galaga in the folder"},
                            {"other/digdug.png", "in another folder"},
                            {"readme.txt", "no picture"}});
  Archive("snap/snap.7z", {{"digdug.bmp", "7z digdug"}, {"pacman.png", "hidden by the zip"}},
          "7zip");
  // Named as looked for; the file's own letter case is found on disk.
  EXPECT_EQ(Found("PACMAN"), "snap/snap.zip:pacman.png .PNG zipped pacman");
  EXPECT_EQ(Found("galaga"), "snap/snap.zip:snap/Galaga.JPG .JPG galaga in the folder");
  // Only the archive's root and its own folder hold pictures; the 7z is tried after the zip.
  EXPECT_EQ(Found("digdug"), "snap/snap.7z:digdug.bmp .BMP 7z digdug");
  EXPECT_EQ(Found("readme"), "");
  EXPECT_EQ(Found("../pacman"), "");
  EXPECT_TRUE(logged_.empty());
}

TEST_F(PictureArchivesTest, TheSettingNamingAnArchiveOrOneBesideTheFolder) {
  Archive("flyers.zip", {{"pacman.wmf", "wmf"}, {"PACMAN.PNG", "png"}, {"pacman.jpg", "jpg"}});
  EXPECT_EQ(Found("pacman", dir_.Path() + "flyers.zip/"), "flyers.zip:PACMAN.PNG .PNG png");
  // Beside a folder that does not exist at all.
  EXPECT_EQ(Found("pacman", dir_.Path() + "flyers/"), "flyers.zip:PACMAN.PNG .PNG png");
  EXPECT_EQ(Found("pacman", dir_.Path() + "FLYERS/"), "FLYERS.zip:PACMAN.PNG .PNG png");
}

TEST_F(PictureArchivesTest, LooseFilesWinOverTheArchiveOfTheirName) {
  Archive("snap/snap.zip", {{"pacman.png", "zipped"}, {"puckman.png", "zipped puckman"}});
  dir_.Write("snap/pacman.jpg", "loose");
  EXPECT_EQ(Found("pacman"), "snap/pacman.JPG .JPG loose");
  // A game's own picture in the archive comes before its master's loose one.
  EXPECT_EQ(FindGamePicture("puckman", "pacman", Dir())->member, "puckman.png");
  EXPECT_EQ(FindGamePicture("mspacman", "pacman", Dir())->FullPath(), Dir() + "pacman.JPG");
}

TEST_F(PictureArchivesTest, ReadOnceAndAgainWhenTheArchiveChanges) {
  Archive("snap/snap.zip", {{"pacman.png", "first"}});
  const std::size_t reads = PictureArchives::Shared().Reads();
  EXPECT_EQ(Found("pacman"), "snap/snap.zip:pacman.png .PNG first");
  EXPECT_EQ(Found("galaga"), "");
  EXPECT_EQ(Found("pacman"), "snap/snap.zip:pacman.png .PNG first");
  EXPECT_EQ(PictureArchives::Shared().Reads(), reads + 1);

  // Another archive in its place, maybe within the same second: its inode tells.
  Archive("snap/snap.zip.new", {{"galaga.png", "other"}});
  std::filesystem::rename(dir_ / "snap/snap.zip.new", dir_ / "snap/snap.zip");
  EXPECT_EQ(Found("pacman"), "");
  EXPECT_EQ(Found("galaga"), "snap/snap.zip:galaga.png .PNG other");
  EXPECT_EQ(PictureArchives::Shared().Reads(), reads + 2);

  std::filesystem::remove(dir_ / "snap/snap.zip");
  EXPECT_EQ(Found("galaga"), "");
}

TEST_F(PictureArchivesTest, ADamagedArchiveIsLoggedOnceAndItsPicturesAreAbsent) {
  dir_.Write("snap/snap.zip", "PK\x03\x04 not really a zip archive at all");
  Archive("snap.7z", {{"pacman.png", "beside"}}, "7zip");
  EXPECT_EQ(Found("pacman"), "snap.7z:pacman.png .PNG beside");
  EXPECT_EQ(Found("galaga"), "");
  ASSERT_EQ(logged_.size(), 1u);
  EXPECT_EQ(logged_[0].rfind("The picture archive " + Dir() + "snap.zip cannot be read (", 0), 0u)
      << logged_[0];
  EXPECT_TRUE(logged_[0].ends_with("): its pictures are taken as absent.")) << logged_[0];

  // A directory whose member's own header is damaged: found, but its bytes cannot be read.
  Archive("snap/snap.zip", {{"pacman.png", "pacman's picture"}});
  std::string zip = dir_.Read("snap/snap.zip");
  zip[0] = 'X';
  dir_.Write("snap/snap.zip", zip);
  const std::string found = Found("pacman");
  EXPECT_EQ(found.rfind("snap/snap.zip:pacman.png .PNG (", 0), 0u) << found;
}

}  // namespace
}  // namespace kw
