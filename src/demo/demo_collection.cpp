#include "demo/demo_collection.h"

#include <filesystem>
#include <iterator>
#include <string_view>
#include <system_error>
#include <utility>

#include "demo/demo_games.h"
#include "demo/demo_pictures.h"
#include "demo/demo_sounds.h"
#include "demo/demo_texts.h"
#include "demo/zip_writer.h"
#include "platform/fs.h"

namespace kw::demo {

namespace fs = platform::fs;

namespace {

Status Write(const std::string& path, const std::string& data) {
  if (Status written = fs::WriteFileAtomic(path, data); !written)
    return Failure("Cannot write " + path + ": " + written.Message());
  return Success();
}

Status MakeDir(const std::string& path) {
  if (fs::DirectoryExists(path)) return Success();
  if (Status made = fs::MakeDirectories(path); !made)
    return Failure("Cannot create the directory " + path + ": " + made.Message());
  return Success();
}

Status CopyEmulator(const std::string& program, const std::string& target) {
  Result<std::string> bytes = fs::ReadFile(program);
  if (!bytes)
    return Failure("Cannot read the stand-in emulator " + program + ": " + bytes.Message());
  if (Status written = Write(target, *bytes); !written) return written;
  std::error_code ec;
  namespace sfs = std::filesystem;
  sfs::permissions(fs::Resolve(target),
                   sfs::perms::owner_all | sfs::perms::group_read | sfs::perms::group_exec |
                       sfs::perms::others_read | sfs::perms::others_exec,
                   ec);
  if (ec) return Failure("Cannot make " + target + " executable: " + ec.message());
  return Success();
}

Status WriteRomSets(const std::string& emulator, const std::vector<DemoSet>& sets) {
  for (const DemoSet& set : sets) {
    if (set.game->fault == DemoFault::kMissingSet) continue;
    std::vector<ZipMember> members = ZipMembers(set);
    if (members.empty()) continue;
    Result<std::string> zip = ZipArchive(members);
    if (!zip) return Failure(ZipName(set) + ": " + zip.Message());
    if (Status written = Write(emulator + "ROMS/" + ZipName(set), *zip); !written) return written;
  }
  return Success();
}

Status WriteSampleSets(const std::string& emulator, const std::vector<DemoSet>& sets) {
  for (const DemoSet& set : sets) {
    if (set.samples.empty() || !set.sample_of.empty()) continue;
    std::vector<ZipMember> members;
    for (const std::string& sample : set.samples)
      members.push_back({sample, BleepWav(std::string(set.game->name) + "/" + sample)});
    Result<std::string> zip = ZipArchive(members);
    if (!zip) return Failure(std::string(set.game->name) + ".zip: " + zip.Message());
    if (Status written = Write(emulator + "SAMPLES/" + set.game->name + ".zip", *zip); !written)
      return written;
  }
  return Success();
}

struct PictureKind {
  const char* directory;
  int width;
  int height;
};
constexpr PictureKind kPictureKinds[] = {
    {"SNAP", 320, 240}, {"CABINET", 240, 320}, {"FLYERS", 240, 320}, {"HARDWARE", 320, 200}};

Status WritePictures(const std::string& emulator, const std::vector<DemoSet>& sets) {
  for (const DemoSet& set : sets) {
    const std::string pictures = set.game->pictures;
    for (std::size_t k = 0; k < std::size(kPictureKinds) && k < pictures.size(); ++k) {
      const PictureKind& kind = kPictureKinds[k];
      int width = kind.width;
      int height = kind.height;
      // A screenshot of a vertical game stands upright.
      if (k == 0 && std::string_view(set.game->video).find("vertical") != std::string_view::npos)
        std::swap(width, height);
      const Picture card =
          DrawTitleCard(std::string(set.game->name) + "/" + kind.directory, width, height);
      const char format = pictures[k];
      if (format != 'p' && format != 'j' && format != 'b') continue;
      const char* ext = format == 'p' ? ".png" : format == 'j' ? ".jpg" : ".bmp";
      Result<std::string> file = format == 'p'   ? EncodePng(card)
                                 : format == 'j' ? EncodeJpeg(card)
                                                 : Result<std::string>(EncodeBmp(card));
      const std::string path = emulator + kind.directory + "/" + set.game->name + ext;
      if (!file) return Failure(path + ": " + file.Message());
      if (Status written = Write(path, *file); !written) return written;
    }
  }
  return Success();
}

}  // namespace

std::string DemoEmulatorDir(const std::string& dir) {
  return fs::IncludeTrailingSeparator(dir) + "emulator/";
}

Status WriteDemoCollection(const std::string& dir, const std::string& stand_in_program) {
  if (dir.empty()) return Failure("No directory given for the demo collection");
  if (fs::Exists(dir) && !fs::DirectoryExists(dir))
    return Failure(dir + " exists and is not a directory");
  const std::string emulator = DemoEmulatorDir(dir);
  for (const char* sub : {"", "ROMS", "SAMPLES", "SNAP", "CABINET", "FLYERS", "HARDWARE"})
    if (Status made = MakeDir(emulator + sub); !made) return made;

  if (Status copied = CopyEmulator(stand_in_program, emulator + "mame"); !copied) return copied;
  const std::vector<DemoSet> sets = BuildDemoSets();
  const std::pair<const char*, std::string> texts[] = {
      {"STANDIN.LST", ListinfoText(sets)}, {"MAME.CFG", MameCfgText()},
      {"HISCORE.DAT", HiscoreText()},      {"HISTORY.DAT", HistoryText()},
      {"MAMEINFO.DAT", MameinfoText()},    {"CHEAT.DAT", CheatText()},
  };
  for (const auto& [name, text] : texts)
    if (Status written = Write(emulator + name, text); !written) return written;
  if (Status roms = WriteRomSets(emulator, sets); !roms) return roms;
  if (Status samples = WriteSampleSets(emulator, sets); !samples) return samples;
  return WritePictures(emulator, sets);
}

}  // namespace kw::demo
