#include "core/shared/pictures.h"

#include "core/shared/picture_archives.h"
#include "core/shared/settings.h"
#include "platform/fs.h"

namespace kw {

std::string FindPictureExt(std::string_view base, std::string_view directory) {
  // A set name is a file name, never a way out of the directory.
  if (base.empty() || base.find(platform::fs::kSeparator) != std::string_view::npos) return {};
  const std::string stem = std::string(directory) + std::string(base);
  std::string found;
  for (const char* extension : {".WMF", ".BMP", ".JPG", ".PNG"}) {
    if (platform::fs::FileExists(stem + extension)) found = extension;
  }
  return found;
}

std::string PictureDirectory(const FrontEndSettings& settings, int tab) {
  const std::string* directory = nullptr;
  switch (tab) {
    case 1:
      directory = &settings.ScreenShots;
      break;
    case 2:
      directory = &settings.Cabinets;
      break;
    case 3:
      directory = &settings.Flyers;
      break;
    case 4:
      directory = &settings.Hardware;
      break;
    default:
      return {};
  }
  if (directory->empty()) return {};
  return platform::fs::IncludeTrailingSeparator(*directory);
}

std::optional<GamePicture> FindPicture(std::string_view base, std::string_view directory) {
  GamePicture picture{std::string(directory) + std::string(base), FindPictureExt(base, directory),
                      "", ""};
  if (!picture.extension.empty()) return picture;
  if (base.empty() || base.find(platform::fs::kSeparator) != std::string_view::npos)
    return std::nullopt;
  for (std::string& archive_path : PictureArchivePaths(directory)) {
    const std::shared_ptr<const PictureArchive> archive =
        PictureArchives::Shared().Get(archive_path);
    if (!archive) continue;
    picture.extension = archive->FindPictureExt(base);
    if (picture.extension.empty()) continue;
    picture.member = archive->Find(std::string(base) + picture.extension)->name;
    picture.archive = std::move(archive_path);
    return picture;
  }
  return std::nullopt;
}

Result<std::string> ReadPicture(const GamePicture& picture) {
  if (!picture.archive.empty())
    return ReadPictureMember(picture.archive, picture.member, kMaxPictureBytes);
  const std::string path = picture.FullPath();
  const std::optional<std::uint64_t> size = platform::fs::FileSize(path);
  if (size && *size > kMaxPictureBytes) return Failure(path + ": the picture is too large");
  return platform::fs::ReadFile(path);
}

std::optional<GamePicture> FindGamePicture(std::string_view name, std::string_view clone_of,
                                           std::string_view directory) {
  for (std::string_view base : {name, clone_of, kNotFoundPictureName}) {
    if (base.empty()) continue;
    if (std::optional<GamePicture> picture = FindPicture(base, directory)) return picture;
  }
  return std::nullopt;
}

PictureFit FitPicture(int width, int height) {
  PictureFit fit;
  if (width <= 0 || height <= 0) return fit;
  // Both steps truncate, as the frame always has.
  double w = width;
  double h = height;
  if (height != kPictureFrameSize) {
    w = static_cast<int>(kPictureFrameSize / h * w);
    h = kPictureFrameSize;
  }
  if (w > kPictureFrameSize) {
    h = static_cast<int>(kPictureFrameSize / w * kPictureFrameSize);
    w = kPictureFrameSize;
  }
  fit.width = static_cast<int>(w);
  fit.height = static_cast<int>(h);
  fit.left = (kPictureFrameSize - fit.width) / 2 + kPictureFrameLeft;
  fit.top = (kPictureFrameSize - fit.height) / 2 + kPictureFrameTop;
  return fit;
}

}  // namespace kw
