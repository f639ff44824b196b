// The verifier's ROM pass for a profile of today's emulator: every machine judged as the
// emulator judges it, whatever the layout of the collection; only the bad ones are listed.
#include "common/ascii.h"
#include "core/audit/machine_audit.h"
#include "core/hex_value.h"
#include "core/reports/verifier.h"
#include "core/shared/game_database.h"
#include "core/shared/report_document.h"
#include "core/shared/set_archives.h"

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

}  // namespace

bool Verifier::TodaysRomPass() {
  std::vector<const GameRecord*> machines;
  for (const auto* list : {&db_.Games(), &db_.Resources()}) {
    for (const GameRecord& machine : *list)
      machines.push_back(&machine);
  }
  StartPass("Rom set verification report:", machines.size());
  verdicts_.clear();
  Collection collection(SearchDirectories(rompath_), !options_.QuickCheck);
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
