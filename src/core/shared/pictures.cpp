#include "core/shared/pictures.h"

#include "core/shared/picture_archives.h"
#include "core/shared/settings.h"
#include "platform/fs.h"

#include <utility>
#include <vector>

namespace kw {

namespace {

bool PlainName(std::string_view base) {
  // A set name is a file name, never a way out of the directory.
  return !base.empty() && base.find(platform::fs::kSeparator) == std::string_view::npos;
}

}  // namespace

std::string FindPictureExt(std::string_view base, std::string_view directory) {
  if (!PlainName(base)) return {};
  // The four names are looked up together in the directory's kept listing.
  std::vector<std::string> names;
  for (const char* extension : kPictureExtensions)
    names.push_back(std::string(base) + extension);
  const std::vector<platform::fs::NameInDirectory> found =
      platform::fs::LookUpNames(directory.empty() ? "./" : directory, names);
  std::string extension;
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (found[i].kind == platform::fs::NameKind::kFile) extension = kPictureExtensions[i];
  }
  return extension;
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

PictureFinder::PictureFinder(std::string directory) : directory_(std::move(directory)) {}

void PictureFinder::List() const {
  if (!names_) names_.emplace(directory_.empty() ? "./" : directory_);
}

std::optional<GamePicture> PictureFinder::Find(std::string_view base) const {
  if (!PlainName(base)) return std::nullopt;
  List();
  GamePicture picture{directory_ + std::string(base), "", "", ""};
  // The last extension of the precedence order that is there wins.
  std::string name;
  for (auto extension = std::rbegin(kPictureExtensions); extension != std::rend(kPictureExtensions);
       ++extension) {
    name.assign(base);
    name += *extension;
    if (names_->MayHold(name) && names_->LookUp(name).kind == platform::fs::NameKind::kFile) {
      picture.extension = *extension;
      return picture;
    }
  }
  if (!archives_opened_) {
    archives_opened_ = true;
    for (std::string& path : PictureArchivePaths(directory_)) {
      if (std::shared_ptr<const PictureArchive> archive = PictureArchives::Shared().Get(path))
        archives_.emplace_back(std::move(path), std::move(archive));
    }
  }
  for (const auto& [path, archive] : archives_) {
    picture.extension = archive->FindPictureExt(base);
    if (picture.extension.empty()) continue;
    picture.member = archive->Find(std::string(base) + picture.extension)->name;
    picture.archive = path;
    return picture;
  }
  return std::nullopt;
}

std::optional<GamePicture> FindPicture(std::string_view base, std::string_view directory) {
  return PictureFinder(std::string(directory)).Find(base);
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
