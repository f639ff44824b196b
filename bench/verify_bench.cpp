// The set verifier over a generated collection, as the verify window's Go button runs it.
//
//   verify_bench generate DIR SETS KIB   writes DIR/GAMES.LST (listinfo) and a collection of
//                                         SETS sets of about KIB KiB of ROM data each (eight
//                                         files, deflated zips in DIR/ROMS; every fourth set a
//                                         clone of the set before it, every tenth master with
//                                         a sample set in DIR/SAMPLES, screenshots in DIR/SNAP)
//   verify_bench run DIR [--quick] [--threads N]
//                                         verifies it (report DIR/REPORT.TXT, the quick cache
//                                         in DIR) and prints sets/s and MiB/s of the ROM zips;
//                                         the profile DIR/GAMES.KSL, made at the first run, is
//                                         loaded as the program loads one
// bench/verify_bench.sh runs them beside `unzip -tqq` over the same zips as the yardstick.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "bench_support.h"
#include "core/profile/listinfo_parser.h"
#include "core/profile/profile_file.h"
#include "core/reports/verifier.h"
#include "core/shared/app_names.h"
#include "core/shared/crc32.h"
#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "demo/zip_writer.h"
#include "platform/fs.h"

namespace {

namespace fs = kw::platform::fs;
using kw::bench::QuietUi;
using kw::bench::RomData;
using kw::bench::SetName;

std::string Hex(std::uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", value);
  return text;
}

int Generate(const std::string& dir, int sets, int kib) {
  const std::string base = fs::IncludeTrailingSeparator(dir);
  for (const char* sub : {"ROMS", "SAMPLES", "SNAP"}) {
    if (!fs::MakeDirectories(base + sub)) return 1;
  }
  std::mt19937 random(7);
  std::string listinfo;
  std::string master;
  for (int n = 0; n < sets; ++n) {
    const std::string name = SetName(n);
    const bool clone = n % 4 == 3;
    listinfo += "game (\n\tname " + name + "\n\tdescription \"Set " + std::to_string(n) + "\"\n";
    if (clone) listinfo += "\tcloneof " + master + "\n\tromof " + master + "\n";
    std::vector<kw::demo::ZipMember> members;
    for (int f = 0; f < 8; ++f) {
      kw::demo::ZipMember member{name + "." + std::to_string(f), RomData(random, kib * 128)};
      listinfo +=
          "\trom ( name " + member.name + " size " + std::to_string(member.data.size()) + " crc " +
          Hex(~kw::CRC32Update(0xFFFFFFFFu, member.data.data(), member.data.size())) + " )\n";
      members.push_back(std::move(member));
    }
    kw::Result<std::string> zip = kw::demo::ZipArchive(members);
    if (!zip || !fs::WriteFile(base + "ROMS/" + name + ".zip", *zip)) return 1;
    if (!clone && n % 10 == 0) {
      std::vector<kw::demo::ZipMember> samples;
      for (int s = 0; s < 4; ++s) {
        samples.push_back({"s" + std::to_string(s) + ".wav", RomData(random, 64 * 1024)});
        listinfo += "\tsample s" + std::to_string(s) + ".wav\n";
      }
      zip = kw::demo::ZipArchive(samples);
      if (!zip || !fs::WriteFile(base + "SAMPLES/" + name + ".zip", *zip)) return 1;
    }
    if (n % 7 != 0 && !fs::WriteFile(base + "SNAP/" + name + ".png", "picture")) return 1;
    listinfo += ")\n";
    if (!clone) master = name;
  }
  (void)fs::Delete(base + "GAMES.KSL");  // made again from this listinfo at the next run
  return fs::WriteFile(base + "GAMES.LST", listinfo) ? 0 : 1;
}

int Run(const std::string& dir, bool quick, int threads) {
  const std::string base = fs::IncludeTrailingSeparator(fs::ExpandFileName(dir));
  // The verifier starts from a loaded profile, as in the program: the listinfo is parsed into
  // DIR/GAMES.KSL at the first run, which the later runs load.
  QuietUi ui(kw::MsgAnswer::Yes);
  kw::GameDatabase db;
  const std::string profile = base + "GAMES.KSL";
  if (fs::ModificationTime(profile).value_or(-1) >=
      fs::ModificationTime(base + "GAMES.LST").value_or(0)) {
    if (!kw::LoadProfile(db, profile, ui, {})) return 1;
  } else {
    kw::Result<std::string> listinfo = fs::ReadFile(base + "GAMES.LST");
    if (!listinfo) return 1;
    if (!kw::ParseListinfoText(*listinfo, db).empty()) return 1;
    if (!kw::SaveProfile(db, profile, ui, {})) return 1;
  }
  db.EmulatorDir = base;
  std::filesystem::current_path(base);
  kw::FrontEndSettings settings;
  settings.ScreenShots = base + "SNAP";
  kw::AppNames names;
  names.ProgramDir = base;
  kw::VerifyOptions options;
  options.LogFileName = base + "REPORT.TXT";
  options.QuickCheck = quick;
  kw::VerifyProgress unwatched;
  kw::Verifier verifier(ui, settings, db, names, "ROMS", "SAMPLES", unwatched);
  if (threads >= 0) verifier.SetReadingThreads(static_cast<unsigned>(threads));
  const auto start = std::chrono::steady_clock::now();
  kw::Result<kw::VerifyOutcome> outcome = verifier.Run(options);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!outcome || *outcome != kw::VerifyOutcome::Completed) return 1;
  // The zips' size tells the exact mode's rate; the quick mode reads none of their data, and
  // sizing them would double its file system calls.
  std::uint64_t bytes = 0;
  if (!quick) {
    for (const fs::DirEntry& entry : fs::List(base + "ROMS"))
      bytes += fs::FileSize(base + "ROMS/" + entry.name).value_or(0);
  }
  const double sets = static_cast<double>(db.GameCount());
  std::printf(
      "%.0f sets, %.1f MiB of zips in %.3f s: %.1f sets/s, %.1f MiB/s (%llu decoded, "
      "%llu judged, %llu remembered); %u faulty\n",
      sets, static_cast<double>(bytes) / (1 << 20), seconds, sets / seconds,
      static_cast<double>(bytes) / (1 << 20) / seconds,
      static_cast<unsigned long long>(verifier.ArchivesDecoded()),
      static_cast<unsigned long long>(verifier.ArchivesJudged()),
      static_cast<unsigned long long>(verifier.ArchivesRemembered()),
      verifier.Counters().FaultySets);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[1] : "";
  if (mode == "generate" && argc == 5)
    return Generate(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  if (mode == "run") {
    bool quick = false;
    int threads = -1;
    for (int i = 3; i < argc; ++i) {
      const std::string a = argv[i];
      if (a == "--quick") {
        quick = true;
      } else if (a == "--threads" && i + 1 < argc) {
        threads = std::atoi(argv[++i]);
      } else {
        return 2;
      }
    }
    return Run(argv[2], quick, threads);
  }
  std::fprintf(stderr,
               "usage: verify_bench generate DIR SETS KIB | run DIR [--quick] [--threads N]\n");
  return 2;
}
