// The picture of the selected game: which file in the tab's picture directory shows it, and
// where it lies in the 320 x 320 frame of the picture tabs.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/result.h"
#include "platform/fs.h"

namespace kw {

struct FrontEndSettings;
class PictureArchive;

// The texts drawn on the product picture when there is no picture to show.
inline constexpr std::string_view kImageNotFound = "Image not found";
inline constexpr std::string_view kUnsupportedFormat = "Unsupported format";
// The placeholder picture the user may put in a picture directory.
inline constexpr std::string_view kNotFoundPictureName = "NOTFOUND";
// The largest picture read at all; a screenshot or a flyer is far smaller.
inline constexpr std::uint64_t kMaxPictureBytes = std::uint64_t{64} * 1024 * 1024;

// The frame of the picture inside the tab control.
inline constexpr int kPictureFrameLeft = 8;
inline constexpr int kPictureFrameTop = 29;
inline constexpr int kPictureFrameSize = 320;

// The picture files' extensions, in the order of their precedence (the last found wins).
inline constexpr const char* kPictureExtensions[] = {".WMF", ".BMP", ".JPG", ".PNG"};

// The extension (".WMF", ".BMP", ".JPG" or ".PNG") of the last of those for which
// directory + base + extension is a file, names matched without regard to case; so PNG wins
// over JPEG over BMP over WMF. Empty when there is none.
std::string FindPictureExt(std::string_view base, std::string_view directory);

// The picture directory of tab 1..4 (ScreenShots, Cabinets, Flyers, Hardware) with a trailing
// separator; empty for tab 0, a tab out of range or an empty setting.
std::string PictureDirectory(const FrontEndSettings& settings, int tab);

struct GamePicture {
  std::string path;       // directory + base name, without extension
  std::string extension;  // as FindPictureExt gives it
  // A picture kept in an archive: the archive's path and the member's name as stored.
  std::string archive;
  std::string member;
  // The file that holds the picture: the picture file, or its archive.
  std::string FullPath() const { return archive.empty() ? path + extension : archive; }
};

// The picture `base` of `directory`: the loose file when there is one, else the member of the
// first of the directory's picture archives (picture_archives.h) that has the name, the
// extensions chosen as among loose files.
std::optional<GamePicture> FindPicture(std::string_view base, std::string_view directory);

// FindPicture for many names in one directory (the verifier's picture pass), the directory as
// it was at the first look-up: it is listed then, and its picture archives are opened once, when
// a name is first not found as a loose file; both are kept for the finder's life.
class PictureFinder {
 public:
  explicit PictureFinder(std::string directory);
  // Lists the directory now rather than at the first look-up.
  void List() const;
  std::optional<GamePicture> Find(std::string_view base) const;

 private:
  std::string directory_;
  // The directory's names, listed at the first look-up.
  mutable std::optional<platform::fs::DirectoryNames> names_;
  mutable bool archives_opened_ = false;
  mutable std::vector<std::pair<std::string, std::shared_ptr<const PictureArchive>>> archives_;
};

// The bytes of a picture found, from its file or its archive; fails when it cannot be read or
// holds more than kMaxPictureBytes.
Result<std::string> ReadPicture(const GamePicture& picture);

// The picture of a game in `directory`: its own, else its master's (`clone_of`, when not
// empty), else the placeholder NOTFOUND; nothing when none of them is there. Each name is
// looked for as FindPicture does, so a loose file wins over an archive's member of its name.
std::optional<GamePicture> FindGamePicture(std::string_view name, std::string_view clone_of,
                                           std::string_view directory);

struct PictureFit {
  int left = kPictureFrameLeft;
  int top = kPictureFrameTop;
  int width = kPictureFrameSize;
  int height = kPictureFrameSize;
};

// A picture of width x height scaled to the frame's height, then to its width when still too
// wide, and centred in the frame (position in the tab control). A picture without a size gets
// the whole frame.
PictureFit FitPicture(int width, int height);

}  // namespace kw
