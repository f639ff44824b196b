// The test just before the emulator starts: every ROM the game needs is in the temporary
// directory (optionally with the right size and CRC-32), the machine has the memory for all of
// them, and (optionally) every sample is there. Misnamed ROMs are found by size and CRC and
// copied to their names, missing ones replaced by random bytes, as the settings ask. Every
// problem becomes a line of the game-not-runnable report, which the user may read.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kw {

class UserInterface;
class GameDatabase;
struct MachineAudit;
class ReportDocument;
struct AppNames;
struct FrontEndSettings;
struct GameRecord;

// The machine's total physical memory in bytes; 0 when the system does not say.
using MemoryTotal = std::function<std::uint64_t()>;
std::uint64_t PhysicalMemoryTotal();

// Tests `game` (a record of `database`) in names.TempDirName, a directory relative to the
// current directory. Shows the progress window while it works, fills `report` in every case
// (titled after names.ProductName, saved by default into names.ProgramDir), and when a problem
// was found asks whether to show the report and shows it on Yes. True when nothing was found.
// `extraction_lines` (what went wrong while the sets were put into the directory) open the
// report's lines: they explain its missing files, but do not by themselves refuse the game.
bool PreLaunchTest(UserInterface& ui, const FrontEndSettings& settings,
                   const GameDatabase& database, const GameRecord& game, const AppNames& names,
                   ReportDocument& report, const MemoryTotal& memory_total = PhysicalMemoryTotal,
                   const std::vector<std::string>& extraction_lines = {});

// The same test for a machine of today's emulator, which reads the collection itself: its
// audit (MachineAuditor) gives the report's lines, a file missing from a device, a BIOS or a
// parent named with the set it must come from; its samples are looked for in
// names.TempDirName as above. True when the machine is good or best available.
bool AuditedLaunchTest(UserInterface& ui, const FrontEndSettings& settings,
                       const GameDatabase& database, const GameRecord& game, const AppNames& names,
                       ReportDocument& report, const MachineAudit& audit,
                       const std::vector<std::string>& extraction_lines = {});

}  // namespace kw
