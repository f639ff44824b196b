#include "stand_in_sets.h"

#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <memory>

#include "common/ascii.h"
#include "platform/fs.h"
#include "stand_in_args.h"
#include "stand_in_files.h"

namespace kw::standin {
namespace fs = platform::fs;
namespace {

constexpr std::size_t kPictureBytes = 64 * 1024;
constexpr int kMaxChain = 16;  // a romof chain this long has a loop in it

const GameRecord* FindIn(const std::vector<GameRecord>& list, std::string_view name) {
  for (const GameRecord& record : list) {
    if (EqualNoCase(record.Name.View(), name)) return &record;
  }
  return nullptr;
}

// Size and CRC of a file, read in blocks; keeps its first bytes in `bytes` up to the picture's
// share. False when the file cannot be read.
bool ReadRom(const std::string& path, std::uint64_t& size, std::uint32_t& crc, std::string& bytes) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return false;
  char block[65536];
  uLong sum = crc32(0L, Z_NULL, 0);
  size = 0;
  std::size_t n;
  while ((n = std::fread(block, 1, sizeof block, file.get())) > 0) {
    sum = crc32(sum, reinterpret_cast<const Bytef*>(block), static_cast<uInt>(n));
    size += n;
    if (bytes.size() < kPictureBytes)
      bytes.append(block, std::min(n, kPictureBytes - bytes.size()));
  }
  crc = static_cast<std::uint32_t>(sum);
  return !std::ferror(file.get());
}

// The ROM's file in `dir`, empty when there is none.
std::string FindRomFile(const std::string& dir, std::string_view name) {
  const std::string plain(name);
  if (!IsPlainName(plain)) return {};
  const std::string path = fs::Resolve(fs::IncludeTrailingSeparator(dir) + plain);
  return IsRegularFile(path) ? path : std::string();
}

std::string Hex(std::uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", value);
  return text;
}

std::string Padded(std::string_view name) {
  std::string text = AsciiLowerCase(name);
  if (text.size() < 12) text.resize(12, ' ');
  return text;
}

}  // namespace

std::string DataFilePath() {
  char exe[4096];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string dir = n > 0 ? fs::ExtractFilePath(std::string_view(exe, static_cast<std::size_t>(n)))
                          : fs::CurrentDirectory();
  return fs::Resolve(dir + "STANDIN.LST");
}

const GameRecord* FindGame(const GameDatabase& db, std::string_view name) {
  return FindIn(db.Games(), name);
}

std::vector<RomEntry> RequiredRoms(const GameDatabase& db, const GameRecord& game) {
  std::vector<RomEntry> required;
  for (const RomRecord& rom : db.Roms(game))
    required.push_back(db.Rom(rom));
  const GameRecord* current = &game;
  for (int step = 0; step < kMaxChain && !current->RomOf.empty(); ++step) {
    const GameRecord* next = FindIn(db.Games(), current->RomOf.View());
    if (!next) next = FindIn(db.Resources(), current->RomOf.View());
    if (!next || next == current) break;
    // A parent game's files are listed in the clone's own ROMs already; a resource's are not.
    if (FindIn(db.Resources(), next->Name.View()) == next) {
      for (const RomRecord& rom : db.Roms(*next))
        required.push_back(db.Rom(rom));
    }
    current = next;
  }
  return required;
}

SetCheck CheckRoms(const std::vector<RomEntry>& roms, const std::string& dir) {
  SetCheck check;
  for (const RomEntry& rom : roms) {
    std::string path = FindRomFile(dir, rom.Name);
    if (path.empty() && !rom.Merge.empty()) path = FindRomFile(dir, rom.Merge);
    const bool no_good_dump = rom.Crc == 0;
    if (path.empty()) {
      check.lines.push_back(Padded(rom.Name) +
                            (no_good_dump ? " NOT FOUND (NO GOOD DUMP KNOWN)" : " NOT FOUND"));
      check.runnable = check.runnable && no_good_dump;
      continue;
    }
    std::uint64_t size = fs::FileSize(path).value_or(0);
    std::uint32_t crc = 0;
    if (size == rom.Size && !ReadRom(path, size, crc, check.bytes)) {
      check.lines.push_back(Padded(rom.Name) + " CANNOT BE READ");
      check.runnable = false;
      continue;
    }
    ++check.files;
    if (size != rom.Size) {
      check.lines.push_back(Padded(rom.Name) + " WRONG LENGTH (expected: " + Hex(rom.Size) +
                            " found: " + Hex(static_cast<std::uint32_t>(size)) + ")");
      check.runnable = false;
    } else if (!no_good_dump && crc != rom.Crc) {
      check.lines.push_back(Padded(rom.Name) + " WRONG CRC (expected: " + Hex(rom.Crc) +
                            " found: " + Hex(crc) + ")");
      check.runnable = false;
    }
  }
  return check;
}

}  // namespace kw::standin
