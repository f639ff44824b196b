// The audit of a profile of today's emulator: each machine judged as the emulator judges it
// (its -verifyroms), whatever layout the collection keeps (non-merged, split or merged sets).
//
// A machine's ROMs and disks are looked for in its own set, then along its parent chain (its
// parents and its BIOS); a device's ROMs in the device's own set, then in the machine's sets.
// Inside a set a file is found by CRC as well as by name ("CLONE/NAME" in a merged parent
// counts for that clone), names without regard to case. What a file is shares the emulator's
// words: good; best available when only ROMs of no good dump or optional ones are missing or
// bad; bad when something required is missing or wrong; not found when nothing of the machine's
// own (nothing its parents or devices do not also hold) is there.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/audit/collection.h"

namespace kw {

class GameDatabase;
struct GameRecord;
struct RomRecord;

enum class AuditVerdict : std::uint8_t { kNoneNeeded, kGood, kBest, kBad, kNotFound };

// "good", "best", "bad", "notfound" (and "none" for a machine that needs no files).
std::string_view AuditWord(AuditVerdict verdict);

// One file that is not as it should be, in the emulator's words.
struct AuditProblem {
  std::string file;  // the ROM's or disk's name
  std::uint64_t size = 0;
  // "NOT FOUND", "INCORRECT CHECKSUM", "INCORRECT LENGTH: N bytes", "NEEDS REDUMP",
  // "NO GOOD DUMP KNOWN", "NOT FOUND - NO GOOD DUMP KNOWN", "NOT FOUND BUT OPTIONAL"
  std::string what;
  std::string from;  // the set it must come from when not the machine's own (a device, a parent)
  bool required = true;  // false: only makes the machine "best available"
  bool disk = false;
  std::uint32_t wanted_crc = 0;  // for INCORRECT CHECKSUM of a ROM: the listed CRC
  std::uint32_t found_crc = 0;   // and the one found
};

struct MachineAudit {
  AuditVerdict verdict = AuditVerdict::kNoneNeeded;
  std::vector<AuditProblem> problems;   // empty when good or not found
  std::vector<std::string> unreadable;  // sets or disks that are there but could not be read
};

class MachineAuditor {
 public:
  MachineAuditor(const GameDatabase& db, Collection& collection);

  // A game or a BIOS machine with its devices; a device machine alone.
  MachineAudit Audit(const GameRecord& machine);

 private:
  struct Wanted;
  struct Counts;
  Wanted RomWanted(const RomRecord& rom) const;
  MachineAudit AuditMachine(const GameRecord& machine);
  MachineAudit AuditDevice(const GameRecord& device);
  // The machine's set, then its parents and BIOS (the RomOf chain), each once.
  std::vector<const GameRecord*> SearchPath(const GameRecord& machine) const;
  // The files the sets of the chain above `machine` hold (their ROMs and their devices'), by
  // size and CRC: a file among them is shared, not the machine's own.
  const std::unordered_set<std::uint64_t>& Ancestry(const GameRecord& machine);
  void Judge(const Wanted& wanted, const std::vector<const GameRecord*>& path, MachineAudit& out,
             Counts& counts);

  const GameDatabase& db_;
  Collection& collection_;
  std::unordered_map<const GameRecord*, std::unordered_set<std::uint64_t>> ancestry_;
};

// A machine of the profile with its audit.
struct JudgedMachine {
  std::string name;  // in lower case, as the emulator names it
  MachineAudit audit;
};

// Every machine of the profile, games and resources (or only those named in `only`, any case),
// sorted by name; the ones that need no file are left out.
std::vector<JudgedMachine> AuditProfile(const GameDatabase& db, Collection& collection,
                                        const std::vector<std::string>& only = {});

}  // namespace kw
