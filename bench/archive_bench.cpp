// Extraction of ROM sets into the temporary directory, as a launch or a verifier pass does it.
//
//   archive_bench generate DIR SETS KIB   writes SETS deflated zips of about KIB KiB of ROM data
//                                          each (eight files per set) into DIR/ROMS, and the
//                                          same sets as 7z archives into DIR/ROMS7Z
//   archive_bench extract DIR [SUB] [--crc]
//                                          extracts every set of DIR/SUB (ROMS by default) into
//                                          DIR/$KSTEMP$ with ExtractSet, with --crc then takes
//                                          the CRC-32 of every file extracted (the set test's
//                                          check), and prints MiB/s and sets/s
// bench/archive_bench.sh runs them and the same sets through unzip as the yardstick.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <archive.h>
#include <archive_entry.h>

#include "bench_support.h"
#include "core/shared/crc32.h"
#include "core/shared/set_archives.h"
#include "core/shared/settings.h"
#include "demo/zip_writer.h"
#include "platform/fs.h"

namespace {

namespace fs = kw::platform::fs;
using kw::bench::QuietUi;
using kw::bench::RomData;
using kw::bench::SetName;

// The 7z archive of `members` (libarchive's writer; the demo writes only zips).
bool Write7z(const std::string& path, const std::vector<kw::demo::ZipMember>& members) {
  archive* a = archive_write_new();
  archive_write_set_format_7zip(a);
  bool ok = archive_write_open_filename(a, path.c_str()) == ARCHIVE_OK;
  for (const kw::demo::ZipMember& member : members) {
    if (!ok) break;
    archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname(entry, member.name.c_str());
    archive_entry_set_size(entry, static_cast<la_int64_t>(member.data.size()));
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_perm(entry, 0644);
    ok = archive_write_header(a, entry) == ARCHIVE_OK &&
         archive_write_data(a, member.data.data(), member.data.size()) ==
             static_cast<la_ssize_t>(member.data.size());
    archive_entry_free(entry);
  }
  ok = archive_write_close(a) == ARCHIVE_OK && ok;
  archive_write_free(a);
  return ok;
}

int Generate(const std::string& dir, int sets, int kib) {
  const std::string roms = fs::IncludeTrailingSeparator(dir) + "ROMS/";
  const std::string roms7z = fs::IncludeTrailingSeparator(dir) + "ROMS7Z/";
  if (!fs::MakeDirectories(roms) || !fs::MakeDirectories(roms7z)) return 1;
  std::mt19937 random(1);
  for (int n = 0; n < sets; ++n) {
    std::vector<kw::demo::ZipMember> members;
    for (int f = 0; f < 8; ++f)
      members.push_back({SetName(n) + "." + std::to_string(f), RomData(random, kib * 128)});
    kw::Result<std::string> zip = kw::demo::ZipArchive(members);
    if (!zip || !fs::WriteFile(roms + SetName(n) + ".zip", *zip)) return 1;
    if (!Write7z(roms7z + SetName(n) + ".7z", members)) return 1;
  }
  return 0;
}

int Extract(const std::string& dir, const std::string& sub, bool crc) {
  const std::string base = fs::IncludeTrailingSeparator(dir);
  QuietUi ui;
  kw::FrontEndSettings settings;
  kw::SetArchives archives(ui, settings, base);
  std::uint64_t bytes = 0;
  int sets = 0;
  std::uint32_t checksum = 0;
  auto start = std::chrono::steady_clock::now();
  for (const fs::DirEntry& entry : fs::List(base + "ROMS")) {
    const std::string name = fs::ChangeFileExt(entry.name, "");
    if (kw::Status done = archives.ExtractSet(name, base + sub, kw::SetKind::Plain); !done) {
      std::fprintf(stderr, "%s\n", done.Message().c_str());
      return 1;
    }
    if (crc) {
      for (int f = 0; f < 8; ++f) {
        std::uint32_t value = 0;
        if (!kw::FileCRC32(archives.TempDir() + "/" + name + "." + std::to_string(f), value))
          return 1;
        checksum ^= value;
      }
    }
    ++sets;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  for (const fs::DirEntry& entry : fs::List(archives.TempDir()))
    bytes += fs::FileSize(archives.TempDir() + "/" + entry.name).value_or(0);
  if (crc) std::printf("(CRC-32 xor %08x) ", checksum);
  std::printf("%d sets, %.1f MiB in %.3f s: %.1f MiB/s, %.1f sets/s\n", sets,
              static_cast<double>(bytes) / (1 << 20), seconds,
              static_cast<double>(bytes) / (1 << 20) / seconds, sets / seconds);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[1] : "";
  if (mode == "generate" && argc == 5)
    return Generate(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  if (mode == "extract" && argc >= 3 && argc <= 5) {
    std::string sub = "ROMS";
    bool crc = false;
    for (int i = 3; i < argc; ++i) {
      if (std::string(argv[i]) == "--crc") {
        crc = true;
      } else {
        sub = argv[i];
      }
    }
    return Extract(argv[2], sub, crc);
  }
  std::fprintf(stderr, "usage: archive_bench generate DIR SETS KIB | extract DIR [SUB] [--crc]\n");
  return 2;
}
