// One collection with every kind of hostile file at once, in a directory whose name is shell
// syntax: verified exactly and quickly, and its games launched with the stand-in emulator. Every
// command ends (under a watchdog), nothing of the collection or around it changes but the
// emulator's own run files, nothing runs that the names spell, and no scratch file is left.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>

#include "support/cli_run.h"
#include "support/test_archives.h"

namespace kw {
namespace {

namespace stdfs = std::filesystem;

// Every entry of a ZIP, to be written again with more entries.
std::vector<test::ArchiveItem> ArchiveItems(const std::string& path) {
  std::vector<test::ArchiveItem> items;
  struct archive* a = archive_read_new();
  archive_read_support_format_zip(a);
  if (archive_read_open_filename(a, path.c_str(), 65536) == ARCHIVE_OK) {
    struct archive_entry* entry = nullptr;
    while (archive_read_next_header(a, &entry) == ARCHIVE_OK) {
      test::ArchiveItem item{archive_entry_pathname(entry), {}};
      item.data.resize(static_cast<std::size_t>(archive_entry_size(entry)));
      archive_read_data(a, item.data.data(), item.data.size());
      items.push_back(std::move(item));
    }
  }
  archive_read_free(a);
  return items;
}

// What stands at each path under `root`: a file's bytes, a link's target, or its kind.
using Snapshot = std::map<std::string, std::string>;

Snapshot Take(const std::string& root, const std::vector<std::string>& left_out) {
  Snapshot taken;
  const auto options = stdfs::directory_options::skip_permission_denied;
  for (auto it = stdfs::recursive_directory_iterator(root, options);
       it != stdfs::recursive_directory_iterator(); ++it) {
    const std::string path = it->path().string();
    const std::string relative = path.substr(root.size());
    bool skipped = false;
    for (const std::string& prefix : left_out)
      skipped = skipped || relative.rfind(prefix, 0) == 0;
    if (skipped) {
      std::error_code error;
      if (it->is_directory(error) && !it->is_symlink(error)) it.disable_recursion_pending();
      continue;
    }
    const stdfs::file_status status = it->symlink_status();
    if (stdfs::is_symlink(status)) {
      taken[relative] = "link to " + stdfs::read_symlink(it->path()).string();
    } else if (stdfs::is_regular_file(status)) {
      std::ifstream in(path, std::ios::binary);
      taken[relative] = in ? std::string(std::istreambuf_iterator<char>(in), {}) : "unreadable";
    } else {
      taken[relative] = "kind " + std::to_string(static_cast<int>(status.type()));
    }
  }
  return taken;
}

std::vector<std::string> Differences(const Snapshot& before, const Snapshot& after) {
  std::vector<std::string> found;
  for (const auto& [path, what] : before) {
    const auto now = after.find(path);
    if (now == after.end())
      found.push_back("gone: " + path);
    else if (now->second != what)
      found.push_back("changed: " + path);
  }
  for (const auto& [path, what] : after) {
    if (!before.count(path)) found.push_back("new: " + path);
  }
  return found;
}

TEST(CliHostileCollectionTest, EveryCommandEndsAndChangesNothingButTheEmulatorsRunFiles) {
  test::TempDir dir, home;
  home.Write("KESTREL.INI", "[MAME]\nExtraOptions=-video none\nLogTextOutput=1\n");
  // Quotes, a command substitution, backquotes and a command separator in every path.
  const std::string root = dir / "it's $(touch pwned) `touch pwned`;touch pwned/";
  ASSERT_EQ(test::RunCli({"make-demo", root + "demo"}, dir, home.Path()).status, 0);
  const std::string emu = root + "demo/emulator/";
  const std::string roms = emu + "ROMS/";
  const std::string profile = root + "demo/DEMO.KSL";
  const std::string outside = root + "outside/";
  stdfs::create_directories(outside + "dir");
  std::ofstream(outside + "file.txt") << "the user's own";

  // A FIFO where a set is expected.
  stdfs::remove(roms + "frostfly.zip");
  ASSERT_EQ(mkfifo((roms + "frostfly.zip").c_str(), 0644), 0);
  // A bomb: 64 MiB of zeros where the largest ROM of the set is 16 KiB.
  ASSERT_TRUE(test::WriteTestArchive(
      roms + "grottos.zip",
      {{"gs-m1.bin", std::string(64 << 20, '\0')}, {"gs-s1.bin", std::string(4096, 's')}}));
  // A playable set whose archive also names places outside, links out and spells commands.
  std::vector<test::ArchiveItem> gullwing = ArchiveItems(roms + "gullwing.zip");
  ASSERT_EQ(gullwing.size(), 4u);
  gullwing.push_back({"../../../outside/file.txt", "overwritten"});
  gullwing.push_back({"../escaped.txt", "escaped"});
  gullwing.push_back({outside + "absolute.txt", "escaped"});
  gullwing.push_back({"out", outside + "dir", AE_IFLNK});
  gullwing.push_back({"out/through.txt", "escaped"});
  gullwing.push_back({"hard", outside + "file.txt", AE_IFREG, true});
  gullwing.push_back({"$(touch pwned)", "x"});
  gullwing.push_back({"`touch pwned`;touch pwned", "x"});
  ASSERT_TRUE(test::WriteTestArchive(roms + "gullwing.zip", gullwing));
  // Files that cannot be read (for any user but the superuser), a folder where an archive is
  // expected, a link to nowhere and a 7z whose header is damaged.
  ASSERT_EQ(chmod((roms + "coralcrn.zip").c_str(), 0), 0);
  stdfs::remove(roms + "cometcab.zip");
  stdfs::create_directories(roms + "cometcab.zip/ct-p0.bin");
  stdfs::remove(roms + "fogharbu.zip");
  stdfs::create_symlink(root + "nowhere.zip", roms + "fogharbu.zip");
  std::vector<test::ArchiveItem> glasshat = ArchiveItems(roms + "glasshat.zip");
  stdfs::remove(roms + "glasshat.zip");
  ASSERT_TRUE(test::WriteTestArchive(roms + "glasshat.7z", glasshat, "7zip"));
  {
    std::fstream damaged(roms + "glasshat.7z", std::ios::in | std::ios::out | std::ios::binary);
    damaged.seekp(-24, std::ios::end);
    damaged << std::string(16, '\xff');
  }
  // Links planted where the program keeps its scratch files.
  stdfs::create_symlink(outside + "file.txt", emu + "$KSTEMP$.NFO");
  stdfs::create_directory_symlink(outside + "dir", emu + "$KSTEMP$");
  stdfs::create_directories(emu + "CFG");
  std::ofstream(emu + "CFG/gullwing.cfg") << "the user's settings";
  stdfs::create_symlink(outside + "file.txt", emu + "CFG/$KSTEMP$.gullwing.cfg");

  // The emulator writes its own run files and the program its configuration of the emulator;
  // nothing else may change.
  const std::vector<std::string> run_files = {"demo/emulator/CFG",      "demo/emulator/NVRAM",
                                              "demo/emulator/HI",       "demo/emulator/INP",
                                              "demo/emulator/MAME.CFG", "demo/emulator/$KSTEMP$"};
  const Snapshot before = Take(root, run_files);

  const auto run = [&](const std::vector<std::string>& args) {
    return test::RunCliWatched(args, dir, home.Path());
  };
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"verify", profile, "--report", home / "report.txt"},
        std::vector<std::string>{"verify", profile, "--quick", "--report", home / "quick.txt"}}) {
    SCOPED_TRACE(args[2]);
    const test::CliRun verified = run(args);
    EXPECT_EQ(verified.status, 0) << verified.out << verified.err;
  }
  // Every set but the superuser's readable one is refused, and the emulator never starts for it.
  for (std::string set : {"FROSTFLY", "GROTTOS", "CORALCRN", "COMETCAB", "FOGHARBU", "GLASSHAT"}) {
    SCOPED_TRACE(set);
    const test::CliRun launched = run({"launch", profile, set, "--yes"});
    const bool readable = set == "CORALCRN" && geteuid() == 0;
    EXPECT_EQ(launched.status, readable ? 0 : 4) << launched.out << launched.err;
    for (char& c : set)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(stdfs::exists(emu + "NVRAM/" + set + ".nv"), readable);
  }
  const test::CliRun played = run({"launch", profile, "GULLWING"});
  EXPECT_EQ(played.status, 0) << played.out << played.err;
  EXPECT_NE(played.out.find("MAME text output"), std::string::npos) << played.out;

  ASSERT_EQ(chmod((roms + "coralcrn.zip").c_str(), 0644), 0);
  const Snapshot after = Take(root, run_files);
  const std::vector<std::string> changed = Differences(before, after);
  for (const std::string& change : changed)
    ADD_FAILURE() << change;
  EXPECT_FALSE(stdfs::exists(dir / "pwned"));
  EXPECT_FALSE(stdfs::exists("pwned"));
  for (const auto& entry : stdfs::recursive_directory_iterator(emu)) {
    EXPECT_NE(entry.path().filename().string().rfind("$KSTEMP$", 0), 0u) << entry.path();
  }
}

}  // namespace
}  // namespace kw
