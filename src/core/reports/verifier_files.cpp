// The verifier's file tests of one set against what its archives hold: its ROMs or samples, the
// files it does not use, and the certification of a sample set.
#include <unordered_set>

#include "common/ascii.h"
#include "core/hex_value.h"
#include "core/reports/verifier.h"
#include "core/shared/game_database.h"
#include "core/shared/report_document.h"

namespace kw {

// Tests one record against what reached the temporary directory; true when the run was
// aborted meanwhile.
bool Verifier::TestSetFiles(const GameRecord& record, Kind kind) {
  const bool needs_files = kind == Kind::Rom && !db_.Roms(record).empty();
  auto judge = [&](AuditVerdict verdict) {
    if (needs_files) verdicts_.emplace_back(AsciiLowerCase(record.Name.View()), verdict);
  };
  if (!unreadable_.empty()) {
    judge(AuditVerdict::kBad);
    return ReportUnreadableSet(record, kind);
  }
  if (kind == Kind::Rom && options_.SkipNotPresent && contents_.Empty()) {
    judge(AuditVerdict::kNotFound);
    ++counters_.SkippedSets;
    return CheckAbort();
  }
  // What the ROM tests found, whether reported or not: a file missing or wrong, and a file of
  // no good dump missing (which makes the set only the best available).
  bool wrong = false;
  bool no_good_dump = false;
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
      if (db_.Text(rom.Merge) != db_.Text(rom.Name)) expected_.emplace_back(db_.Text(rom.Name));
    }
    if (!roms.empty()) {
      status_.PassName = "Verify roms - Testing files...";
      if (CheckAbort()) return true;
    }
    for (const RomRecord& rom : roms) {
      if (rom.Merge != 0) continue;  // tested with the set it is merged from
      const std::string name(db_.Text(rom.Name));
      // Made only for a line of the report: most files are found as they should be.
      auto padded = [&name] { return PaddedName(name); };
      const auto* held = contents_.Find(name);
      if (held == nullptr) {
        // A dump used under two names is stored once: the other name's file serves.
        for (const RomRecord& twin : roms) {
          if (twin.Crc != rom.Crc) continue;
          if (const auto* other = contents_.Find(db_.Text(twin.Name))) {
            contents_.Put(name, other->second);
            held = contents_.Find(name);
            break;
          }
        }
      }
      if (held != nullptr) {
        const SetFile& file = held->second;
        if (file.size != rom.Size) {
          wrong = true;
          if (report(tag + " - " + padded() + " has wrong size: " + std::to_string(file.size) +
                         " bytes instead of " + std::to_string(rom.Size) + " bytes",
                     &VerifyCounters::CorruptRoms))
            return true;
        } else if (rom.Crc != 0 && file.crc != rom.Crc) {
          wrong = true;
          if (report(tag + " - " + padded() + " has wrong CRC: $" + Hex8(file.crc) +
                         " instead of $" + Hex8(rom.Crc),
                     &VerifyCounters::CorruptRoms))
            return true;
        }
      } else if (rom.Crc != 0) {
        wrong = true;
        std::string found;
        for (const auto& [other_name, other] : contents_.Files()) {
          if (other.size == rom.Size && other.crc == rom.Crc) {
            found = other_name;
            break;
          }
        }
        const bool aborted =
            found.empty()
                ? report(tag + " - " + padded() + " rom not found", &VerifyCounters::MissingRoms)
                : report(tag + " - " + padded() + " rom has incorrect file name (" + found + ")",
                         &VerifyCounters::MissSpelled);
        if (aborted) return true;
      } else {
        no_good_dump = true;
        if (options_.ReportNoGoodDump &&
            report(tag + " - " + padded() + " rom not found (no good dump known)",
                   &VerifyCounters::NoGoodMissing))
          return true;
      }
    }
    // A set that is not there, found wanting, is not found; what its master holds for it may
    // still make it whole (a merged clone).
    if (own_set_absent_ && (wrong || no_good_dump || contents_.Empty()))
      judge(AuditVerdict::kNotFound);
    else
      judge(wrong ? AuditVerdict::kBad : no_good_dump ? AuditVerdict::kBest : AuditVerdict::kGood);
  } else {
    const std::span<const TextId> samples = db_.Samples(record);
    for (TextId id : samples)
      expected_.emplace_back(db_.Text(id));
    status_.PassName = "Verify samples - Testing files...";
    if (CheckAbort()) return true;
    for (TextId id : samples) {
      const std::string sample(db_.Text(id));
      if (contents_.Find(sample) == nullptr) {
        if (report(tag + " - " + PaddedName(sample) + " sample not found",
                   &VerifyCounters::MissingSamples))
          return true;
      }
    }
  }
  return CheckAbort();
}

// A set that is there but could not be read is faulty, not skipped: its one line says where it
// is and why, and its files are not tested, since nothing of them is known (no line for each
// of them as if it were missing). They are still the group's files, not unused ones.
bool Verifier::ReportUnreadableSet(const GameRecord& record, Kind kind) {
  if (kind == Kind::Rom) {
    for (const RomRecord& rom : db_.Roms(record)) {
      if (db_.Text(rom.Merge) != db_.Text(rom.Name)) expected_.emplace_back(db_.Text(rom.Name));
    }
  } else {
    for (TextId id : db_.Samples(record))
      expected_.emplace_back(db_.Text(id));
  }
  Write(SetTag(record.Name.View()) + " - " + unreadable_);
  ++counters_.FaultySets;
  return CheckAbort();
}

void Verifier::ReportUnusedFiles(const std::string& tag, std::string_view suffix, bool pad,
                                 bool readme_used) {
  std::unordered_set<std::string> used;
  for (const std::string& name : expected_)
    used.insert(AsciiUpperCase(name));
  if (readme_used) used.insert("README.TXT");
  for (const auto& [name, file] : contents_.Files()) {
    if (used.count(AsciiUpperCase(name)) > 0) continue;
    Write(tag + " - " + (pad ? PaddedName(name) : name) + std::string(suffix));
  }
}

bool Verifier::SampleSetCertified() const {
  const auto* readme = contents_.Find("readme.txt");
  return readme != nullptr && readme->second.certifies;
}

}  // namespace kw
