// A small program that honours the emulator's contract, for the tests and the demo collection.
// Without arguments it prints its version line; with -listinfo the description of its games
// (STANDIN.LST beside its executable, copied as it is); with a set name it checks the set's
// files in the -romdir directory, writes the game's per-game files and "runs" the game.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/ascii.h"
#include "core/profile/listinfo_parser.h"
#include "platform/fs.h"
#include "stand_in_args.h"
#include "stand_in_files.h"
#include "stand_in_sets.h"
#include "stand_in_window.h"

namespace kw::standin {
namespace {

namespace fs = platform::fs;

constexpr const char* kVersionLine =
    "M.A.M.E. v0.37 BETA 5 (Kestrelwing stand-in) - Multiple Arcade Machine Emulator";
constexpr const char* kBanner =
    "A stand-in that checks a set's files, keeps its per-game files and shows it running.\n"
    "\n"
    "Usage:  kw-stand-in-emulator gamename -romdir DIR [options]\n"
    "        kw-stand-in-emulator -listinfo\n";
constexpr const char* kMissingFiles = "ERROR: required files are missing, the game cannot be run.";

int PrintVersion() {
  std::printf("%s\n%s", kVersionLine, kBanner);
  return 0;
}

// Failures of the queries go to standard error, so that the capture stays empty.
int Fail(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", message.c_str());
  return 1;
}

// Failures of a game run go where its other lines go: the front-end shows them from the capture.
int GameFail(const std::string& message) {
  std::printf("%s\n", message.c_str());
  return 1;
}

// Copies the data file to standard output block by block.
int PrintListinfo() {
  const std::string path = DataFilePath();
  std::unique_ptr<FILE, int (*)(FILE*)> file(
      IsRegularFile(path) ? std::fopen(path.c_str(), "rb") : nullptr, std::fclose);
  if (!file) return Fail("Cannot open the game list " + path);
  char block[65536];
  std::size_t n;
  while ((n = std::fread(block, 1, sizeof block, file.get())) > 0) {
    if (std::fwrite(block, 1, n, stdout) != n) return Fail("Cannot write the game list");
  }
  if (std::ferror(file.get())) return Fail("Cannot read the game list " + path);
  return std::fflush(stdout) == 0 ? 0 : Fail("Cannot write the game list");
}

// Deterministic contents of the per-game files, made from the set.
std::string ConfigText(const std::string& set) {
  return "[" + set + "]\ncontrols=default\ndipswitches=default\n";
}
std::string MemoryBytes(const std::string& bytes) {
  std::string nv(256, '\0');
  for (std::size_t i = 0; i < nv.size() && i < bytes.size(); ++i)
    nv[i] = static_cast<char>(bytes[i] ^ static_cast<char>(i));
  return nv;
}
std::string Recording(const std::string& set, const std::string& bytes) {
  std::string inp = RecordingHeader(set);
  for (std::size_t frame = 0; frame < 60; ++frame)
    inp += frame < bytes.size() ? bytes[frame] : '\0';
  return inp;
}

int RunGame(const std::vector<std::string>& args) {
  Result<RunOptions> parsed = ParseRunOptions(args);
  if (!parsed) return GameFail(parsed.Message());
  const RunOptions& options = *parsed;

  GameDatabase db;
  const std::string data_path = DataFilePath();
  if (!IsRegularFile(data_path)) return GameFail("Cannot open the game list " + data_path);
  if (auto read = ParseListinfoFile(data_path, db); !read)
    return GameFail("Cannot read the game list " + data_path + ": " + read.Message());
  const GameRecord* game = FindGame(db, options.set);
  if (!game) return GameFail("game \"" + options.set + "\" not supported");
  const std::string set = AsciiLowerCase(game->Name.View());
  const std::string description(db.Description(*game));

  const std::string romdir = fs::Resolve(options.romdir);
  SetCheck check = CheckRoms(RequiredRoms(db, *game), romdir);
  std::string log = "game: " + set + "\nrom directory: " + options.romdir + "\n";
  for (const std::string& line : check.lines) {
    std::printf("%s\n", line.c_str());
    log += line + "\n";
  }
  if (options.log) {
    log += check.runnable ? "files checked: " + std::to_string(check.files) + "\n"
                          : std::string(kMissingFiles) + "\n";
    if (Status written = fs::WriteFileAtomic("error.log", log); !written)
      std::printf("Cannot write error.log: %s\n", written.Message().c_str());
  }
  if (!check.runnable) return GameFail(kMissingFiles);

  Directories dirs = ReadDirectories(options.ignore_cfg);
  if (!options.playback.empty()) {
    std::string path;
    Result<std::string> recorded = ReadRecordedGame(dirs.inp, options.playback + ".inp", path);
    if (!recorded) return GameFail(recorded.Message());
    if (!EqualNoCase(*recorded, set))
      return GameFail(path + " is a recording of \"" + *recorded + "\", not of \"" + set + "\"");
    std::printf("Playing back %s\n", path.c_str());
  }
  std::printf("%s: %s (%d files)\n", set.c_str(), description.c_str(),
              static_cast<int>(check.files));

  Screen screen{description, check.bytes, options.window, options.seconds_to_run};
  RunScreen(screen);

  struct GameFile {
    const GameDirectory& dir;
    std::string name;
    std::string data;
  };
  std::vector<GameFile> files = {
      {dirs.cfg, set + ".cfg", ConfigText(set)},
      {dirs.cfg, "default.cfg", ConfigText("default")},
      {dirs.nvram, set + ".nv", MemoryBytes(check.bytes)},
      {dirs.hi, set + ".hi", set + " 001000\n"},
  };
  if (!options.record.empty())
    files.push_back({dirs.inp, options.record + ".inp", Recording(set, check.bytes)});
  int status = 0;
  for (const GameFile& file : files) {
    Result<std::string> written = WriteGameFile(file.dir, file.name, file.data);
    if (written) {
      std::printf("Wrote %s\n", written->c_str());
    } else {
      status = GameFail(written.Message());
    }
  }
  return status;
}

}  // namespace
}  // namespace kw::standin

int main(int argc, char** argv) {
  using namespace kw::standin;
  if (argc < 2) return PrintVersion();
  std::vector<std::string> args(argv + 1, argv + argc);
  if (kw::EqualNoCase(args[0], "-listinfo")) return PrintListinfo();
  return RunGame(args);
}
