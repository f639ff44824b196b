#include "core/audit/machine_audit.h"

#include <algorithm>
#include <functional>

#include "common/ascii.h"
#include "core/shared/game_database.h"

namespace kw {

namespace {

std::string Lower(std::string_view text) {
  return AsciiLowerCase(text);
}

std::uint64_t HashKey(std::uint64_t size, std::uint32_t crc) {
  return size << 32 | crc;
}
// A file of no known dump is shared by its name: a key apart from every size and CRC.
std::uint64_t NameKey(std::string_view lower_name) {
  return std::hash<std::string_view>{}(lower_name) | std::uint64_t{1} << 63;
}

// Where a file stands in a set: by name and CRC, by CRC alone, then by name alone, as the
// emulator opens a ROM (a name matches whole, or as the last part of a stored "DIR/NAME").
const HeldFile* FindIn(const HeldSet& set, const std::string& name, bool has_crc,
                       std::uint32_t crc) {
  const std::string tail = "/" + name;
  auto whole = [&](const HeldFile& f) { return f.name == name; };
  auto partial = [&](const HeldFile& f) { return f.name.ends_with(tail); };
  auto crc_of = [&](const HeldFile& f) { return f.crc_known && f.crc == crc; };
  auto first = [&](auto&& match) -> const HeldFile* {
    auto it = std::find_if(set.files.begin(), set.files.end(), match);
    return it == set.files.end() ? nullptr : &*it;
  };
  const HeldFile* found = nullptr;
  if (has_crc) {
    found = first([&](const HeldFile& f) { return whole(f) && crc_of(f); });
    if (!found) found = first([&](const HeldFile& f) { return partial(f) && crc_of(f); });
    if (!found) found = first(crc_of);
  }
  if (!found) found = first(whole);
  if (!found) found = first(partial);
  return found;
}

}  // namespace

std::string_view AuditWord(AuditVerdict verdict) {
  switch (verdict) {
    case AuditVerdict::kGood:
      return "good";
    case AuditVerdict::kBest:
      return "best";
    case AuditVerdict::kBad:
      return "bad";
    case AuditVerdict::kNotFound:
      return "notfound";
    case AuditVerdict::kNoneNeeded:
      break;
  }
  return "none";
}

// One ROM or disk a machine needs.
struct MachineAuditor::Wanted {
  std::string name;   // lower case
  std::string merge;  // a disk's name in its parent's set
  std::uint64_t size = 0;
  std::uint32_t crc = 0;
  std::string sha1;  // a disk's
  std::uint8_t flags = 0;
  bool disk = false;
  bool shared = false;  // a parent, the BIOS or a device holds it too
  std::string from;     // the set it must come from, when shared
  // For a found file that is wrong: whether it is one a parent or the device holds.
  std::function<bool(std::uint64_t, std::uint32_t)> shared_file;
};

struct MachineAuditor::Counts {
  std::size_t records = 0, found = 0, required = 0, shared_found = 0, shared_required = 0;
};

namespace {

// The verdict of the files judged: none needed, not found, else the worst of their problems.
MachineAudit Summary(MachineAudit& out, std::size_t records, bool not_found) {
  if (not_found) {
    out.problems.clear();
    out.verdict = AuditVerdict::kNotFound;
  } else if (records > 0) {
    out.verdict = AuditVerdict::kGood;
    for (const AuditProblem& problem : out.problems)
      out.verdict =
          std::max(out.verdict, problem.required ? AuditVerdict::kBad : AuditVerdict::kBest);
  }
  return std::move(out);
}

}  // namespace

MachineAuditor::MachineAuditor(const GameDatabase& db, Collection& collection)
    : db_(db), collection_(collection) {}

MachineAuditor::Wanted MachineAuditor::RomWanted(const RomRecord& rom) const {
  Wanted w;
  w.name = Lower(db_.Text(rom.Name));
  w.size = rom.Size;
  w.crc = rom.Crc;
  w.flags = rom.Flags;
  return w;
}

std::vector<const GameRecord*> MachineAuditor::SearchPath(const GameRecord& machine) const {
  std::vector<const GameRecord*> path{&machine};
  for (const GameRecord* at = &machine; !at->RomOf.empty();) {
    at = db_.FindSet(at->RomOf.View(), true);
    // A chain that names nothing or loops ends there.
    if (at == nullptr || std::find(path.begin(), path.end(), at) != path.end()) break;
    path.push_back(at);
  }
  return path;
}

const std::unordered_set<std::uint64_t>& MachineAuditor::Ancestry(const GameRecord& machine) {
  auto [it, added] = ancestry_.try_emplace(&machine);
  if (!added) return it->second;
  std::unordered_set<std::uint64_t>& keys = it->second;
  auto add = [&](const GameRecord& set) {
    for (const RomRecord& rom : db_.Roms(set)) {
      keys.insert((rom.Flags & kDumpNone) ? NameKey(Lower(db_.Text(rom.Name)))
                                          : HashKey(rom.Size, rom.Crc));
    }
    for (const DiskRecord& disk : db_.Disks(set))
      keys.insert(
          NameKey(Lower(db_.Text(disk.Sha1).empty() ? db_.Text(disk.Name) : db_.Text(disk.Sha1))));
  };
  const std::vector<const GameRecord*> path = SearchPath(machine);
  for (std::size_t i = 1; i < path.size(); ++i) {
    add(*path[i]);
    for (std::uint32_t device : db_.Devices(*path[i])) {
      if (const GameRecord* d = db_.FindSet(db_.DeviceName(device), true)) add(*d);
    }
  }
  return keys;
}

void MachineAuditor::Judge(const Wanted& wanted, const std::vector<const GameRecord*>& path,
                           MachineAudit& out, Counts& counts) {
  ++counts.records;
  const bool dumped = !(wanted.flags & kDumpNone);
  const bool optional = (wanted.flags & kDumpOptional) != 0;
  if (dumped && !optional) {
    ++counts.required;
    if (wanted.shared) ++counts.shared_required;
  }
  bool found = false, good = false;
  AuditProblem problem{wanted.name, wanted.disk ? 0 : wanted.size, {}, wanted.from, true,
                       wanted.disk};
  auto unreadable = [&](const std::string& what) {
    if (!what.empty() &&
        std::find(out.unreadable.begin(), out.unreadable.end(), what) == out.unreadable.end())
      out.unreadable.push_back(what);
  };
  if (wanted.disk) {
    HeldDisk disk;
    for (const GameRecord* set : path) {
      for (const std::string& name : {wanted.name, wanted.merge}) {
        if (name.empty() || !disk.path.empty()) continue;
        disk = collection_.Disk(set->Name.View(), name);
      }
      if (!disk.path.empty()) break;
    }
    unreadable(disk.problem);
    found = !disk.sha1.empty();
    if (found) {
      if (!dumped) {
        problem.what = "NO GOOD DUMP KNOWN", problem.required = false, good = true;
      } else if (disk.sha1 != wanted.sha1) {
        problem.what = "INCORRECT CHECKSUM";
      } else if (wanted.flags & kDumpBad) {
        problem.what = "NEEDS REDUMP", problem.required = false, good = true;
      } else {
        good = true;
      }
    }
  } else {
    const HeldFile* file = nullptr;
    for (const GameRecord* set : path) {
      const HeldSet& held = collection_.Set(set->Name.View());
      unreadable(held.problem);
      file = FindIn(held, wanted.name, dumped, wanted.crc);
      if (file) break;
    }
    found = file != nullptr;
    if (found) {
      if (file->size != wanted.size) {
        problem.what = "INCORRECT LENGTH: " + std::to_string(file->size) + " bytes";
      } else if (!dumped) {
        problem.what = "NO GOOD DUMP KNOWN", problem.required = false, good = true;
      } else if (file->crc_known && file->crc != wanted.crc) {
        problem.what = "INCORRECT CHECKSUM";
        problem.wanted_crc = wanted.crc;
        problem.found_crc = file->crc;
      } else if (wanted.flags & kDumpBad) {
        problem.what = "NEEDS REDUMP", problem.required = false, good = true;
      } else {
        good = true;
      }
      // A wrong file that is only the parent's own version of it says nothing of this set.
      if (good || !wanted.shared_file || !wanted.shared_file(file->size, file->crc)) {
        ++counts.found;
        if (wanted.shared) ++counts.shared_found;
      }
    }
  }
  if (wanted.disk && found) {
    ++counts.found;
    if (wanted.shared) ++counts.shared_found;
  }
  if (!found) {
    if (!dumped) {
      problem.what = "NOT FOUND - NO GOOD DUMP KNOWN", problem.required = false;
    } else if (optional) {
      problem.what = "NOT FOUND BUT OPTIONAL", problem.required = false;
    } else {
      problem.what = "NOT FOUND";
    }
  }
  if (!problem.what.empty()) out.problems.push_back(std::move(problem));
}

MachineAudit MachineAuditor::AuditMachine(const GameRecord& machine) {
  MachineAudit out;
  Counts counts;
  const std::vector<const GameRecord*> path = SearchPath(machine);
  const std::unordered_set<std::uint64_t>& ancestry = Ancestry(machine);
  // The set of the chain a shared file comes from: the farthest that holds it.
  auto source = [&](auto&& holds) {
    std::string from;
    for (std::size_t i = 1; i < path.size(); ++i) {
      if (holds(*path[i])) from = Lower(path[i]->Name.View());
    }
    return from;
  };
  for (const RomRecord& rom : db_.Roms(machine)) {
    Wanted w = RomWanted(rom);
    const std::uint64_t key =
        (rom.Flags & kDumpNone) ? NameKey(w.name) : HashKey(rom.Size, rom.Crc);
    w.shared = ancestry.count(key) != 0;
    if (w.shared) {
      w.from = source([&](const GameRecord& set) {
        const auto roms = db_.Roms(set);
        return std::any_of(roms.begin(), roms.end(), [&](const RomRecord& r) {
          return (rom.Flags & kDumpNone) ? Lower(db_.Text(r.Name)) == w.name
                                         : r.Size == rom.Size && r.Crc == rom.Crc;
        });
      });
    }
    w.shared_file = [&ancestry](std::uint64_t size, std::uint32_t crc) {
      return ancestry.count(HashKey(size, crc)) != 0;
    };
    Judge(w, path, out, counts);
  }
  for (std::uint32_t device_id : db_.Devices(machine)) {
    const GameRecord* device = db_.FindSet(db_.DeviceName(device_id), true);
    if (device == nullptr) continue;
    std::vector<const GameRecord*> device_path{device};
    device_path.insert(device_path.end(), path.begin(), path.end());
    const auto roms = db_.Roms(*device);
    for (const RomRecord& rom : roms) {
      Wanted w = RomWanted(rom);
      w.shared = true;  // a device's files are never the machine's own
      w.from = Lower(device->Name.View());
      w.shared_file = [&roms](std::uint64_t size, std::uint32_t crc) {
        return std::any_of(roms.begin(), roms.end(),
                           [&](const RomRecord& r) { return r.Size == size && r.Crc == crc; });
      };
      Judge(w, device_path, out, counts);
    }
  }
  for (const DiskRecord& disk : db_.Disks(machine)) {
    Wanted w;
    w.disk = true;
    w.name = Lower(db_.Text(disk.Name));
    w.merge = Lower(db_.Text(disk.Merge));
    w.sha1 = db_.Text(disk.Sha1);
    w.flags = disk.Flags;
    w.shared = ancestry.count(NameKey(Lower(w.sha1.empty() ? w.name : w.sha1))) != 0;
    if (w.shared) {
      w.from = source([&](const GameRecord& set) {
        const auto disks = db_.Disks(set);
        return std::any_of(disks.begin(), disks.end(),
                           [&](const DiskRecord& d) { return db_.Text(d.Sha1) == w.sha1; });
      });
    }
    Judge(w, path, out, counts);
  }
  // Only files a parent, the BIOS or a device holds too, and either the machine has files of
  // its own or none at all were found: the collector does not have this machine.
  return Summary(out, counts.records,
                 counts.found == counts.shared_found && counts.required > 0 &&
                     (counts.required != counts.shared_required || counts.shared_found == 0));
}

MachineAudit MachineAuditor::AuditDevice(const GameRecord& device) {
  MachineAudit out;
  Counts counts;
  const std::vector<const GameRecord*> path{&device};
  for (const RomRecord& rom : db_.Roms(device)) {
    Wanted w = RomWanted(rom);
    Judge(w, path, out, counts);
  }
  return Summary(out, counts.records, counts.found == 0 && counts.required > 0);
}

MachineAudit MachineAuditor::Audit(const GameRecord& machine) {
  return (machine.Machine & kMachineDevice) ? AuditDevice(machine) : AuditMachine(machine);
}

std::vector<JudgedMachine> AuditProfile(const GameDatabase& db, Collection& collection,
                                        const std::vector<std::string>& only) {
  std::vector<const GameRecord*> machines;
  if (only.empty()) {
    for (const auto* list : {&db.Games(), &db.Resources()}) {
      for (const GameRecord& machine : *list)
        machines.push_back(&machine);
    }
  } else {
    for (const std::string& name : only) {
      if (const GameRecord* machine = db.FindSet(AsciiUpperCase(name), true))
        machines.push_back(machine);
    }
  }
  MachineAuditor auditor(db, collection);
  std::vector<JudgedMachine> judged;
  judged.reserve(machines.size());
  for (const GameRecord* machine : machines) {
    MachineAudit audit = auditor.Audit(*machine);
    if (audit.verdict != AuditVerdict::kNoneNeeded)
      judged.push_back({Lower(machine->Name.View()), std::move(audit)});
  }
  std::sort(judged.begin(), judged.end(),
            [](const JudgedMachine& a, const JudgedMachine& b) { return a.name < b.name; });
  judged.erase(
      std::unique(judged.begin(), judged.end(),
                  [](const JudgedMachine& a, const JudgedMachine& b) { return a.name == b.name; }),
      judged.end());
  return judged;
}

}  // namespace kw
