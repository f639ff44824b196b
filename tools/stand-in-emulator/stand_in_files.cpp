#include "stand_in_files.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "common/ascii.h"
#include "core/shared/game_database.h"
#include "platform/fs.h"
#include "platform/ini.h"

namespace kw::standin {
namespace fs = platform::fs;
namespace {

// The directory as a path below the current directory: DOS separators taken as ours, a
// trailing separator dropped. Fails for an absolute path, a drive or a ".." component.
Result<std::string> InsideDirectory(const GameDirectory& dir) {
  std::string path = dir.value;
  for (char& c : path)
    if (c == '\\') c = '/';
  bool outside = fs::IsAbsolute(path) || path.find(':') != std::string::npos;
  path = fs::ExcludeTrailingSeparator(path);
  if (path.empty()) path.push_back('.');
  for (std::size_t pos = 0; !outside && pos <= path.size();) {
    std::size_t end = std::min(path.find('/', pos), path.size());
    outside = path.compare(pos, end - pos, "..") == 0;
    pos = end + 1;
  }
  if (outside)
    return Failure(std::string(dir.key) + " directory \"" + dir.value +
                   "\" is outside the emulator directory");
  return fs::Resolve(path);
}

}  // namespace

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

Directories ReadDirectories(bool ignore_cfg) {
  Directories dirs;
  if (ignore_cfg) return dirs;
  platform::IniFile ini(fs::Resolve("MAME.CFG"));
  if (!IsRegularFile(ini.Path()) || !ini.Load()) return dirs;
  for (GameDirectory* dir : {&dirs.cfg, &dirs.nvram, &dirs.hi, &dirs.inp})
    dir->value = ini.ReadString("directory", dir->key, dir->value);
  return dirs;
}

Result<std::string> WriteGameFile(const GameDirectory& dir, const std::string& name,
                                  std::string_view data) {
  Result<std::string> base = InsideDirectory(dir);
  if (!base) return Failure(base.Message());
  if (!fs::DirectoryExists(*base)) {
    if (Status made = fs::MakeDirectories(*base); !made)
      return Failure("cannot make " + *base + ": " + made.Message());
  }
  const std::string path = fs::Resolve(fs::IncludeTrailingSeparator(*base) + name);
  // A link could lead anywhere: only a plain file of our own is replaced.
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
    return Failure(path + ": not a regular file");
  if (Status written = fs::WriteFileAtomic(path, data); !written)
    return Failure("cannot write " + path + ": " + written.Message());
  return path;
}

Result<std::string> ReadRecordedGame(const GameDirectory& dir, const std::string& name,
                                     std::string& path) {
  Result<std::string> base = InsideDirectory(dir);
  if (!base) return Failure(base.Message());
  path = fs::Resolve(fs::IncludeTrailingSeparator(*base) + name);
  std::unique_ptr<FILE, int (*)(FILE*)> file(
      IsRegularFile(path) ? std::fopen(path.c_str(), "rb") : nullptr, std::fclose);
  if (!file) return Failure("Unable to open playback file " + path);
  char header[kSetNameWidth] = {};
  if (std::fread(header, 1, sizeof header, file.get()) != sizeof header)
    return Failure(path + " is not a game recording");
  std::string game(header, sizeof header);
  game.resize(game.find('\0') == std::string::npos ? game.size() : game.find('\0'));
  return game;
}

std::string RecordingHeader(const std::string& set) {
  std::string header = AsciiLowerCase(set);
  header.resize(kSetNameWidth, '\0');
  return header;
}

}  // namespace kw::standin
