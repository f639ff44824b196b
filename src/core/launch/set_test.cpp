#include "core/launch/set_test.h"

#include <chrono>
#include <optional>
#include <random>

#include "core/audit/machine_audit.h"
#include "core/hex_value.h"
#include "core/launch/run_files.h"
#include "core/shared/app_names.h"
#include "core/shared/crc32.h"
#include "core/shared/game_database.h"
#include "core/shared/report_document.h"
#include "core/shared/settings.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/system_info.h"

namespace kw {

namespace fs = platform::fs;

namespace {

constexpr const char* kTesting = "Testing rom set...";
constexpr std::uint64_t kMegabyte = 1048576;

// Random bytes, each uniform over 0..255, from a generator seeded from the clock.
std::string RandomBytes(std::size_t size) {
  std::mt19937 generator(static_cast<std::mt19937::result_type>(
      std::chrono::system_clock::now().time_since_epoch().count()));
  std::string bytes(size, '\0');
  std::size_t i = 0;
  while (i < size) {
    std::uint32_t word = generator();
    for (int k = 0; k < 4 && i < size; ++k, word >>= 8)
      bytes[i++] = static_cast<char>(word & 0xFF);
  }
  return bytes;
}

class SetTest {
 public:
  SetTest(UserInterface& ui, const FrontEndSettings& settings, const GameDatabase& database,
          const AppNames& names, ReportDocument& report, std::uint64_t memory_total)
      : ui_(ui),
        settings_(settings),
        database_(database),
        names_(names),
        report_(report),
        memory_total_(memory_total) {}

  bool Run(const GameRecord& game, const std::vector<std::string>& extraction_lines) {
    Begin(game, extraction_lines);
    const auto roms = database_.Roms(game);
    if (!roms.empty()) {
      // Wide enough that no list of 32-bit sizes can wrap it into a small need.
      std::uint64_t need = 0;
      for (const RomRecord& rom : roms)
        need += rom.Size;
      // Known before any file is made: a game the memory refuses gets no fake files.
      short_of_memory_ = memory_total_ != 0 && memory_total_ < need;
      for (const RomRecord& rom : roms)
        TestRom(rom);
      if (short_of_memory_) {
        Problem("Not enough physical memory for MAME to load roms (Total=" +
                std::to_string(memory_total_ / kMegabyte) +
                " MB; Needed=" + std::to_string(need / kMegabyte) + " MB)");
      }
    }
    return Finish(game);
  }

  bool RunOnAudit(const GameRecord& game, const MachineAudit& audit,
                  const std::vector<std::string>& extraction_lines) {
    Begin(game, extraction_lines);
    for (const std::string& line : audit.unreadable)
      report_.AddLine(line);
    for (const AuditProblem& problem : audit.problems) {
      if (!problem.required) continue;  // a machine best available runs
      std::string line = PaddedName(problem.file);
      if (problem.what.starts_with("NOT FOUND")) {
        line += problem.disk ? " disk file is missing" : " rom file is missing";
      } else if (problem.what.starts_with("INCORRECT LENGTH: ")) {
        line += " has wrong size: " + problem.what.substr(18);
      } else {
        line += " has wrong CRC";
      }
      if (!problem.from.empty()) line += " (from the set " + problem.from + ")";
      Problem(line);
    }
    if (audit.verdict == AuditVerdict::kNotFound)
      Problem("No file of this machine's own is in the ROM folders");
    if (audit.verdict == AuditVerdict::kBad && audit.problems.empty()) passed_ = false;
    return Finish(game);
  }

 private:
  // The progress window, and the report's heading with the extraction's lines.
  void Begin(const GameRecord& game, const std::vector<std::string>& extraction_lines) {
    ui_.SetOperation(kTesting);
    ui_.SetProgress(-1);
    ui_.ShowProgress();
    ui_.SetBusy(true);
    ui_.ProcessMessages();
    StartReport(game);
    for (const std::string& line : extraction_lines)
      report_.AddLine(line);
  }

  // The samples, then the question and the report when something was found.
  bool Finish(const GameRecord& game) {
    if (settings_.CheckSamplesOnRun) {
      for (TextId sample : database_.Samples(game)) {
        const std::string name(database_.Text(sample));
        if (!IsPlainFileName(name) || !fs::FileExists(PathOf(name)))
          Problem(PaddedName(name) + " sample file is missing");
      }
    }

    ui_.HideProgress();
    ui_.SetBusy(false);
    ui_.ProcessMessages();

    if (!passed_) {
      const MsgAnswer answer = ui_.Ask(
          "This game does not meet the minimum requirements specified in the\r"
          "preferences window. MAME won't be run.\r"
          "\r"
          "Do you want to view a detailed report?",
          MsgIcon::Warning, MsgButtons::YesNo);
      if (answer == MsgAnswer::Yes) ui_.ShowReport(report_);
    }
    return passed_;
  }

  std::string PathOf(const std::string& name) const {
    return names_.TempDirName + fs::kSeparator + name;
  }

  void Problem(const std::string& line) {
    report_.AddLine(line);
    passed_ = false;
  }

  void StartReport(const GameRecord& game) {
    report_.StartReport(names_.ProductName + " - Game not runnable report", names_.ProgramDir,
                        game.Name.Str() + "_not_runnable_report");
    report_.AddHeading("Not runnable game description", settings_.BoldFontSize,
                       settings_.NormalFontSize);

    Heading("Game: .....................[", &game);
    if (!game.CloneOf.empty())
      Heading("Clone of: .................[", database_.FindSet(game.CloneOf.View(), true));
    if (!game.RomOf.empty())
      Heading("Using roms of: ............[", database_.FindSet(game.RomOf.View(), true));
    if (!game.SampleOf.empty())
      Heading("Using samples of: .........[", database_.FindSet(game.SampleOf.View(), true));
    report_.AddLine("");
  }

  void Heading(const char* label, const GameRecord* record) {
    if (!record) return;
    const std::string line =
        label + record->Name.Str() + "] = " + std::string(database_.Description(*record));
    report_.AddLine(CutTo(line, kTextWidth));
  }

  void TestRom(const RomRecord& rom) {
    const std::string name(database_.Text(rom.Name));
    // A name that would leave the temporary directory is never looked up, copied or written.
    const bool plain = IsPlainFileName(name);
    const std::string path = PathOf(name);
    if (plain && fs::FileExists(path)) {
      if (settings_.CheckCRCOnRun && rom.Crc != 0 && rom.Size != 0) CheckRom(rom, path);
      return;
    }
    if (rom.Crc == 0) return;  // no known dump: never required
    if (!plain) {
      Problem(PaddedName(name) + " rom file is missing");
      return;
    }
    if (settings_.DynamicRename) FindMisnamed(rom, path);
    if (fs::FileExists(path)) return;
    if (settings_.CreateFakeFiles) {
      CreateFake(rom, path);
    } else {
      Problem(PaddedName(name) + " rom file is missing");
    }
  }

  void CheckRom(const RomRecord& rom, const std::string& path) {
    const std::string padded = PaddedName(std::string(database_.Text(rom.Name)));
    const std::optional<std::uint64_t> size = fs::FileSize(path);
    if (!size) {
      Problem(padded + " could not be read");
      return;
    }
    if (*size != rom.Size) {
      Problem(padded + " has wrong size (" + std::to_string(*size) + " instead of " +
              std::to_string(rom.Size) + ")");
      return;
    }
    std::uint32_t crc = 0;
    if (!FileCRC32(path, crc)) {
      Problem(padded + " could not be read");
    } else if (crc != rom.Crc) {
      Problem(padded + " has wrong CRC ($" + Hex8(crc) + " instead of $" + Hex8(rom.Crc) + ")");
    }
  }

  // A file of the temporary directory with the ROM's size and CRC under another name is copied
  // to the expected name (a copy: the directory holds copies of the sets anyway).
  void FindMisnamed(const RomRecord& rom, const std::string& path) {
    ui_.SetOperation("Searching miss-spelled file...");
    ui_.ProcessMessages();
    for (const fs::DirEntry& entry : fs::List(names_.TempDirName)) {
      if (entry.is_directory) continue;
      const std::string candidate = PathOf(entry.name);
      if (fs::FileSize(candidate) != std::optional<std::uint64_t>(rom.Size)) continue;
      std::uint32_t crc = 0;
      if (!FileCRC32(candidate, crc) || crc != rom.Crc) continue;
      if (Result<std::string> bytes = fs::ReadFile(candidate)) {
        if (fs::WriteFileAtomic(path, *bytes)) break;
      }
    }
    ui_.SetOperation(kTesting);
    ui_.ProcessMessages();
  }

  void CreateFake(const RomRecord& rom, const std::string& path) {
    // A game that does not fit in the machine's memory cannot run anyway (the memory line says
    // so): its files are not made up, and stay missing.
    if (short_of_memory_) {
      Problem(PaddedName(std::string(database_.Text(rom.Name))) + " rom file is missing");
      return;
    }
    ui_.SetOperation("Creating fake file...");
    ui_.ProcessMessages();
    if (!fs::WriteFileAtomic(path, RandomBytes(rom.Size))) {
      Problem(PaddedName(std::string(database_.Text(rom.Name))) +
              " could not be created due to a disk write error");
    }
    ui_.SetOperation(kTesting);
  }

  UserInterface& ui_;
  const FrontEndSettings& settings_;
  const GameDatabase& database_;
  const AppNames& names_;
  ReportDocument& report_;
  const std::uint64_t memory_total_;
  bool short_of_memory_ = false;
  bool passed_ = true;
};

}  // namespace

std::uint64_t PhysicalMemoryTotal() {
  return platform::GetMemoryStatus().total_bytes;
}

bool PreLaunchTest(UserInterface& ui, const FrontEndSettings& settings,
                   const GameDatabase& database, const GameRecord& game, const AppNames& names,
                   ReportDocument& report, const MemoryTotal& memory_total,
                   const std::vector<std::string>& extraction_lines) {
  const std::uint64_t total = memory_total ? memory_total() : 0;
  return SetTest(ui, settings, database, names, report, total).Run(game, extraction_lines);
}

bool AuditedLaunchTest(UserInterface& ui, const FrontEndSettings& settings,
                       const GameDatabase& database, const GameRecord& game, const AppNames& names,
                       ReportDocument& report, const MachineAudit& audit,
                       const std::vector<std::string>& extraction_lines) {
  return SetTest(ui, settings, database, names, report, 0)
      .RunOnAudit(game, audit, extraction_lines);
}

}  // namespace kw
