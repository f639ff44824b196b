// The verifier's file tests of one set in the temporary directory: its ROMs or samples, the
// files it does not use, and the certification of a sample set.
#include <cstdio>
#include <unordered_set>

#include "core/launch/crc32.h"
#include "core/launch/set_test.h"
#include "core/profile/game_database.h"
#include "core/reports/verifier.h"
#include "platform/ascii.h"
#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

namespace {

// Addresses of sample-set publishers whose readme certifies a set.
constexpr const char* kCertificationMarkers[] = {"www.halvardsamples.example",
                                                 "samples.kestrelwing.example"};

std::string Hex8(std::uint32_t value) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08X", value);
  return buffer;
}

}  // namespace

std::string Verifier::TempFile(std::string_view name) const {
  return temp_dir_ + std::string(name);
}

bool Verifier::TempDirEmpty() const {
  for (const fs::DirEntry& entry : fs::List(temp_dir_)) {
    if (!entry.is_directory) return false;
  }
  return true;
}

// Tests one record against what reached the temporary directory; true when the run was
// aborted meanwhile.
bool Verifier::TestSetFiles(const GameRecord& record, Kind kind) {
  if (kind == Kind::Rom && options_.SkipNotPresent && TempDirEmpty()) {
    ++counters_.SkippedSets;
    return CheckAbort();
  }
  const std::string tag = SetTag(record.Name.View());
  bool faulty = false;
  auto report = [&](const std::string& line, std::uint32_t VerifyCounters::*counter) {
    Write(line);
    ++(counters_.*counter);
    if (!faulty) {
      faulty = true;
      ++counters_.FaultySets;
    }
    return CheckAbort();
  };

  const std::span<const RomRecord> roms = db_.Roms(record);
  if (kind == Kind::Rom) {
    for (const RomRecord& rom : roms) {
      if (!(rom.Merge == rom.Name.View())) expected_.push_back(rom.Name.Str());
    }
    if (!roms.empty()) {
      status_.PassName = "Verify roms - Testing files...";
      if (CheckAbort()) return true;
    }
    for (const RomRecord& rom : roms) {
      if (!rom.Merge.empty()) continue;  // tested with the set it is merged from
      const std::string name = rom.Name.Str();
      const std::string padded = PaddedName(name);
      const std::string path = TempFile(name);
      if (!fs::FileExists(path)) {
        // A dump used under two names is stored once: the other name's file serves.
        for (const RomRecord& twin : roms) {
          if (twin.Crc == rom.Crc && fs::FileExists(TempFile(twin.Name.View()))) {
            (void)fs::Copy(TempFile(twin.Name.View()), path);
            break;
          }
        }
      }
      if (fs::FileExists(path)) {
        const std::uint64_t size = fs::FileSize(path).value_or(0);
        std::uint32_t crc = 0;
        if (size != rom.Size) {
          if (report(tag + " - " + padded + " has wrong size: " + std::to_string(size) +
                         " bytes instead of " + std::to_string(rom.Size) + " bytes",
                     &VerifyCounters::CorruptRoms))
            return true;
        } else if (rom.Crc != 0 && (!FileCRC32(path, crc) || crc != rom.Crc)) {
          if (report(tag + " - " + padded + " has wrong CRC: $" + Hex8(crc) + " instead of $" +
                         Hex8(rom.Crc),
                     &VerifyCounters::CorruptRoms))
            return true;
        }
      } else if (rom.Crc != 0) {
        std::string found;
        for (const fs::DirEntry& entry : fs::List(temp_dir_)) {
          if (entry.is_directory) continue;
          const std::string other = TempFile(entry.name);
          std::uint32_t crc = 0;
          if (fs::FileSize(other) == std::optional<std::uint64_t>(rom.Size) &&
              FileCRC32(other, crc) && crc == rom.Crc) {
            found = entry.name;
            break;
          }
        }
        const bool aborted =
            found.empty()
                ? report(tag + " - " + padded + " rom not found", &VerifyCounters::MissingRoms)
                : report(tag + " - " + padded + " rom has incorrect file name (" + found + ")",
                         &VerifyCounters::MissSpelled);
        if (aborted) return true;
      } else if (options_.ReportNoGoodDump) {
        if (report(tag + " - " + padded + " rom not found (no good dump known)",
                   &VerifyCounters::NoGoodMissing))
          return true;
      }
    }
  } else {
    const std::span<const TextId> samples = db_.Samples(record);
    for (TextId id : samples)
      expected_.emplace_back(db_.Text(id));
    status_.PassName = "Verify samples - Testing files...";
    if (CheckAbort()) return true;
    for (TextId id : samples) {
      const std::string sample(db_.Text(id));
      if (!fs::FileExists(TempFile(sample))) {
        if (report(tag + " - " + PaddedName(sample) + " sample not found",
                   &VerifyCounters::MissingSamples))
          return true;
      }
    }
  }
  return CheckAbort();
}

void Verifier::ReportUnusedFiles(const std::string& tag, std::string_view suffix, bool pad,
                                 bool readme_used) {
  std::unordered_set<std::string> used;
  for (const std::string& name : expected_)
    used.insert(platform::AsciiUpperCase(name));
  if (readme_used) used.insert("README.TXT");
  for (const fs::DirEntry& entry : fs::List(temp_dir_)) {
    if (used.count(platform::AsciiUpperCase(entry.name)) > 0) continue;
    Write(tag + " - " + (pad ? PaddedName(entry.name) : entry.name) + std::string(suffix));
  }
}

bool Verifier::SampleSetCertified() const {
  const std::string path = TempFile("readme.txt");
  if (!fs::FileExists(path)) return false;
  Result<std::string> text = fs::ReadFile(path);
  if (!text) return false;
  std::string printable;
  printable.reserve(text->size());
  for (char c : *text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte <= 126) printable += c;
  }
  for (const char* marker : kCertificationMarkers) {
    if (printable.find(marker) != std::string::npos) return true;
  }
  return false;
}

}  // namespace kw
