// The set verifier: checks the whole collection against the open profile (every ROM set with
// its clones, every resource set, every sample set, the picture folders, and the emulator's
// ROM and sample folders for sets the profile does not know), writes the verification report
// and keeps the twelve counters that the verify window shows while it works.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "core/audit/set_status.h"
#include "core/reports/set_contents.h"
#include "core/reports/set_reader.h"
#include "core/shared/pictures.h"
#include "core/shared/set_archives.h"
#include "core/shared/set_bounds.h"
#include "core/update_throttle.h"

namespace kw {

class GameDatabase;
class UserInterface;
struct AppNames;
struct FrontEndSettings;
struct GameRecord;

// What the run checks, as the verify window's check boxes say (their initial values here).
struct VerifyOptions {
  bool VerifyRoms = true;
  bool RomClones = true;
  bool ReportNoGoodDump = false;
  bool VerifySamples = true;
  bool VerifySampleQuality = true;
  bool SkipNotPresent = true;
  bool VerifyScreenshot = true;
  bool VerifyCabinets = false;
  bool VerifyFlyers = false;
  bool VerifyHardware = false;
  bool ScreenshotDetail = false;
  bool ReportUnused = false;
  bool ReportUnsupported = false;
  std::string LogFileName;  // the window's default: ProgramDir + "REPORT.TXT"
  bool OpenInEditor = true;
  // ZIP and 7z sets are judged from the sizes and CRCs their directories store, without
  // decoding.
  bool QuickCheck = false;
  // The status check: only the sets' verdicts are wanted. No question is asked, no report file
  // is written or checked, and nothing is said of the quick check's memory.
  bool StatusOnly = false;
};

// The options by their check-box names, in the window's tab order, with the boxes' captions.
struct VerifyOptionField {
  const char* name;
  bool VerifyOptions::*field;
  const char* caption;
};
extern const std::array<VerifyOptionField, 13> kVerifyOptionFields;

struct VerifyCounters {
  std::uint32_t MissingRoms = 0;
  std::uint32_t CorruptRoms = 0;
  std::uint32_t MissSpelled = 0;
  std::uint32_t NoGoodMissing = 0;
  std::uint32_t MissingScreenshots = 0;
  std::uint32_t MissingCabinets = 0;
  std::uint32_t MissingFlyers = 0;
  std::uint32_t MissingHardware = 0;
  std::uint32_t MissingSamples = 0;
  std::uint32_t FaultySets = 0;
  std::uint32_t UnsupportedSets = 0;
  std::uint32_t SkippedSets = 0;
  bool operator==(const VerifyCounters&) const = default;
};

// The counters by name, in the order above.
struct VerifyCounterField {
  const char* name;
  std::uint32_t VerifyCounters::*field;
};
extern const std::array<VerifyCounterField, 12> kVerifyCounterFields;

// What the window's progress group shows besides the counters.
struct VerifyStatus {
  std::string PassName;
  std::string SetName;
  unsigned Clones = 0;
  long Position = 0;
  long Maximum = 0;
};

// Whoever watches the run: the verify window, or nobody (the console run, which takes these
// do-nothing defaults).
class VerifyProgress {
 public:
  virtual ~VerifyProgress() = default;
  // The run has begun, after its questions and the report file's checks.
  virtual void Started() {}
  // The status and the counters as they stand: at most once every update interval, and at the
  // end of every pass.
  virtual void Update(const VerifyStatus& status, const VerifyCounters& counters) {
    (void)status;
    (void)counters;
  }
  // Asked after every update; true once the user has confirmed the abort.
  virtual bool CheckAbort() { return false; }
};

enum class VerifyOutcome { Completed, Aborted, Refused };

// Hours, minutes and seconds of the day part of `hundred_ns`, two digits each: "01:02:03".
std::string FormatElapsed(std::int64_t hundred_ns);
// What the user is told when the quick check's memory (Verifier::QuickCachePath) cannot be
// written; the run succeeds all the same.
std::string QuickCacheFailureMessage(const std::string& path, const std::string& reason);

class Verifier {
 public:
  // `rompath` and `samplepath` are the emulator's ';'-separated search lists; relative pieces
  // are taken from the current directory, which is the emulator directory while a profile is
  // open. The temporary directory is names.TempDirName in database.WorkDirectory().
  Verifier(UserInterface& ui, const FrontEndSettings& settings, const GameDatabase& database,
           const AppNames& names, std::string rompath, std::string samplepath,
           VerifyProgress& progress);

  // The whole run. Refused: the MameCd question was answered No (nothing done). Aborted: the
  // report file is deleted. Completed: the report file is replaced by the new report. Fails
  // when the report file cannot be written; the old one then stays as it was. The end sound and
  // the editor are the caller's, after a completed run.
  Result<VerifyOutcome> Run(const VerifyOptions& options);

  const VerifyCounters& Counters() const { return counters_; }
  // The verdict of each set whose ROMs the run tested and that needs files: for today's
  // emulator as it judges its machines; for the era's from the ROM tests (good, best available
  // when only files of no good dump are missing, bad, not found when the set is not there).
  const SetVerdicts& Verdicts() const { return verdicts_; }
  // Whether the verdicts cover every set of the profile (else they add to those kept before).
  bool VerdictsWhole() const { return verdicts_whole_; }
  const VerifyStatus& Status() const { return status_; }
  // The system time in 100-nanosecond units, for the time the run took (tests set it).
  void SetClock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }
  // The shortest time between two window updates (15 ms; 0 in tests, to see every one).
  void SetUpdateInterval(std::chrono::milliseconds interval) { updates_.SetInterval(interval); }
  SetArchives& Archives() { return archives_; }
  // Threads that read the sets ahead of the checks (0: each set is read when its turn comes).
  // Two where the machine has two cores.
  void SetReadingThreads(unsigned threads) { threads_ = threads; }
  // Archives decoded in full and archives judged from their directories, in the last run.
  std::uint64_t ArchivesDecoded() const { return decoded_; }
  std::uint64_t ArchivesJudged() const { return judged_; }
  std::uint64_t ArchivesRemembered() const { return remembered_; }
  // The quick mode's memory of the archives it read, in the program directory: QUICKCRC.DAT,
  // or QUICKXML.DAT for today's emulator, whose sets keep their files' directory parts.
  std::string QuickCachePath() const;

 private:
  enum class Kind { Rom, Sample };

  bool CheckAbort(bool force = false);
  void Write(const std::string& line);
  std::int64_t Now() const;
  void StartPass(const std::string& heading, std::size_t records);
  void Advance();
  bool EndPass();
  void DeleteTemp();

  void WriteHeader();
  void WriteSummary(std::int64_t elapsed);
  bool RomPass();
  bool ResourcePass();
  // Today's emulator's machines, judged as it judges them (MachineAuditor).
  bool TodaysRomPass();
  bool SamplePass();
  bool PicturePass();
  bool ScanUnsupportedSets(const std::string& paths, const std::string& word);

  std::vector<SetJob> PlanReading() const;
  SetJob RomJob(const GameRecord& set) const;
  SetJob SampleJob(const GameRecord& set) const;
  bool ReadSet(const GameRecord& set, const std::string& search_list);
  bool TestSetFiles(const GameRecord& record, Kind kind);
  bool ReportUnreadableSet(const GameRecord& record, Kind kind);
  void ReportUnusedFiles(const std::string& tag, std::string_view suffix, bool pad,
                         bool readme_used);
  bool SampleSetCertified() const;

  UserInterface& ui_;
  const FrontEndSettings& settings_;
  const GameDatabase& db_;
  const AppNames& names_;
  std::string rompath_;
  std::string samplepath_;
  VerifyProgress& progress_;
  std::function<std::int64_t()> clock_;
  SetArchives archives_;
  std::string temp_dir_;               // with trailing separator
  SetContents contents_;               // what the sets read since the last clean-up hold
  std::unique_ptr<SetBounds> bounds_;  // for the run, made before its reader
  struct RomGroups;
  std::shared_ptr<const RomGroups> groups_;  // for the run, made before its reader
  // The picture folders' finders, listed when the run begins (index: the picture tab - 1).
  using PictureFinders = std::array<std::optional<PictureFinder>, 4>;
  PictureFinders ListPictureFolders() const;
  std::future<PictureFinders> pictures_;
  std::unique_ptr<SetReader> reader_;
  QuickCache quick_cache_;
  unsigned threads_ = 2;
  std::uint64_t decoded_ = 0;
  std::uint64_t judged_ = 0;
  std::uint64_t remembered_ = 0;
  std::uint64_t audit_judged_ = 0;  // today's archives, judged by the audit's collection
  std::uint64_t audit_remembered_ = 0;

  VerifyOptions options_;
  VerifyCounters counters_;
  SetVerdicts verdicts_;
  bool verdicts_whole_ = false;
  bool own_set_absent_ = false;  // the set last read was nowhere (or held no file)
  VerifyStatus status_;
  std::vector<std::string> expected_;
  // The set last read when it is there but could not be read: "LOCATION: cannot be read: why".
  std::string unreadable_;
  std::string report_;
  bool aborted_ = false;
  bool delete_failure_shown_ = false;  // in this pass
  // False from a deletion of the temporary directory until an ACE set is read.
  bool temp_may_hold_files_ = true;
  UpdateThrottle updates_{kWindowUpdateInterval, true};
};

}  // namespace kw
