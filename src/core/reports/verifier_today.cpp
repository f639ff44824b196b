// The verifier's ROM pass for a profile of today's emulator: every machine judged as the
// emulator judges it, whatever the layout of the collection; only the bad ones are listed.
#include "common/ascii.h"
#include "core/audit/machine_audit.h"
#include "core/hex_value.h"
#include "core/reports/verifier.h"
#include "core/shared/game_database.h"
#include "core/shared/report_document.h"
#include "core/shared/set_archives.h"
#include "platform/fs.h"

namespace kw {

namespace {

// A problem in the era's line form, with the set a shared file must come from.
std::string ProblemLine(const std::string& tag, const AuditProblem& problem) {
  std::string line = tag + " - " + PaddedName(AsciiUpperCase(problem.file));
  if (problem.what.starts_with("NOT FOUND")) {
    line += problem.disk ? " disk not found" : " rom not found";
  } else if (problem.what.starts_with("INCORRECT LENGTH: ")) {
    line += " has wrong size: " + problem.what.substr(18) + " instead of " +
            std::to_string(problem.size) + " bytes";
  } else if (problem.disk) {
    line += " has wrong SHA-1";
  } else {
    line +=
        " has wrong CRC: $" + Hex8(problem.found_crc) + " instead of $" + Hex8(problem.wanted_crc);
  }
  if (!problem.from.empty()) line += " (it comes from the set " + problem.from + ")";
  return line;
}

// The quick check's memory of archives, for the audit's collection: a set is remembered only
// when its directory gave every file's CRC.
class QuickMemory final : public HeldSetMemory {
 public:
  QuickMemory(QuickCache& cache, std::uint64_t& judged, std::uint64_t& remembered)
      : cache_(cache), judged_(judged), remembered_(remembered) {}
  std::optional<std::vector<HeldFile>> Recall(const std::string& path) override {
    ++judged_;
    const std::optional<platform::fs::FileStamp> stamp = platform::fs::Stamp(path);
    if (!stamp) return std::nullopt;
    const std::optional<std::vector<NamedSetFile>> cached = cache_.Find(path, *stamp);
    if (!cached) return std::nullopt;
    ++remembered_;
    std::vector<HeldFile> files;
    files.reserve(cached->size());
    for (const NamedSetFile& f : *cached)
      files.push_back({f.name, f.file.size, f.file.crc, true});
    return files;
  }
  void Remember(const std::string& path, const std::vector<HeldFile>& files) override {
    const std::optional<platform::fs::FileStamp> stamp = platform::fs::Stamp(path);
    if (!stamp) return;
    std::vector<NamedSetFile> named;
    named.reserve(files.size());
    for (const HeldFile& f : files) {
      if (!f.crc_known) return;
      named.push_back({f.name, {f.size, f.crc, false}});
    }
    cache_.Put(path, *stamp, std::move(named));
  }

 private:
  QuickCache& cache_;
  std::uint64_t& judged_;
  std::uint64_t& remembered_;
};

}  // namespace

bool Verifier::TodaysRomPass() {
  std::vector<const GameRecord*> machines;
  for (const auto* list : {&db_.Games(), &db_.Resources()}) {
    for (const GameRecord& machine : *list)
      machines.push_back(&machine);
  }
  StartPass("Rom set verification report:", machines.size());
  QuickMemory memory(quick_cache_, audit_judged_, audit_remembered_);
  Collection collection(SearchDirectories(rompath_), !options_.QuickCheck,
                        options_.QuickCheck ? &memory : nullptr);
  MachineAuditor auditor(db_, collection);
  std::size_t found = 0, ok = 0;
  for (const GameRecord* machine : machines) {
    status_.PassName = "Verify roms - testing machine...";
    status_.SetName = "[" + machine->Name.Str() + "]";
    status_.Clones = 0;
    if (CheckAbort()) return true;
    const MachineAudit audit = auditor.Audit(*machine);
    Advance();
    if (audit.verdict == AuditVerdict::kNoneNeeded) continue;
    verdicts_.emplace_back(AsciiLowerCase(machine->Name.View()), audit.verdict);
    if (audit.verdict == AuditVerdict::kNotFound) {
      ++counters_.SkippedSets;
      continue;
    }
    ++found;
    if (audit.verdict != AuditVerdict::kBad) {
      ++ok;
      continue;
    }
    ++counters_.FaultySets;
    const std::string tag = SetTag(machine->Name.View());
    for (const std::string& unreadable : audit.unreadable)
      Write(tag + " - " + unreadable);
    for (const AuditProblem& problem : audit.problems) {
      if (!problem.required) continue;
      Write(ProblemLine(tag, problem));
      ++(problem.what.starts_with("NOT FOUND") ? counters_.MissingRoms : counters_.CorruptRoms);
    }
  }
  if (EndPass()) return true;
  // The emulator's own summary of its audit.
  Write("");
  Write(std::to_string(found) + " romsets found, " + std::to_string(ok) + " were OK.");
  return false;
}

}  // namespace kw
