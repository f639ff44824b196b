#include "core/reports/verifier.h"

#include <algorithm>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "common/ascii.h"
#include "core/duration_text.h"
#include "core/local_time.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "core/shared/pictures.h"
#include "core/shared/report_document.h"
#include "core/shared/settings.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/memory_advice.h"

namespace kw {

namespace fs = platform::fs;

const std::array<VerifyOptionField, 13> kVerifyOptionFields = {{
    {"VerifyRoms", &VerifyOptions::VerifyRoms, "Verify rom sets"},
    {"RomClones", &VerifyOptions::RomClones, "Verify roms of clone sets"},
    {"ReportNoGoodDump", &VerifyOptions::ReportNoGoodDump,
     "Report \"no good dump known\" missing files"},
    {"VerifySamples", &VerifyOptions::VerifySamples, "Verify sample sets"},
    {"VerifySampleQuality", &VerifyOptions::VerifySampleQuality, "Verify sample quality"},
    {"SkipNotPresent", &VerifyOptions::SkipNotPresent, "Skip sets with no files"},
    {"VerifyScreenshot", &VerifyOptions::VerifyScreenshot, "Verify screenshots"},
    {"VerifyCabinets", &VerifyOptions::VerifyCabinets, "Verify cabinet photos"},
    {"VerifyFlyers", &VerifyOptions::VerifyFlyers, "Verify flyers"},
    {"VerifyHardware", &VerifyOptions::VerifyHardware, "Verify hardware photos"},
    {"ScreenshotDetail", &VerifyOptions::ScreenshotDetail,
     "Check missing images in clone sets even if master image found"},
    {"ReportUnused", &VerifyOptions::ReportUnused, "Report unused files in sets"},
    {"ReportUnsupported", &VerifyOptions::ReportUnsupported, "Report unsupported rom/sample sets"},
}};

const std::array<VerifyCounterField, 12> kVerifyCounterFields = {{
    {"MissingRoms", &VerifyCounters::MissingRoms},
    {"CorruptRoms", &VerifyCounters::CorruptRoms},
    {"MissSpelled", &VerifyCounters::MissSpelled},
    {"NoGoodMissing", &VerifyCounters::NoGoodMissing},
    {"MissingScreenshots", &VerifyCounters::MissingScreenshots},
    {"MissingCabinets", &VerifyCounters::MissingCabinets},
    {"MissingFlyers", &VerifyCounters::MissingFlyers},
    {"MissingHardware", &VerifyCounters::MissingHardware},
    {"MissingSamples", &VerifyCounters::MissingSamples},
    {"FaultySets", &VerifyCounters::FaultySets},
    {"UnsupportedSets", &VerifyCounters::UnsupportedSets},
    {"SkippedSets", &VerifyCounters::SkippedSets},
}};

namespace {

constexpr const char* kMameCdQuestion =
    "You have the MAMECD option enabled. Since performing this test on\rCDs would be too slow, "
    "due to the intensive disk acces, and would\rforce you to continuously change disc, the "
    "Verify Set function cannot\rbe performed on CD.\r\rWould you like to test the sets present "
    "on your hard disk?";

std::string YesNo(bool value) {
  return value ? "Yes" : "No";
}

// The sets are read in memory, so the directory holds nothing the run wrote: what stays in it is
// someone else's.
constexpr const char* kDeleteFailure =
    "The temporary directory could not be deleted!\rThis means one or more files in it could not "
    "be deleted.\rPlease solve the problem then click ok.";

}  // namespace

// The ROM pass's groups, found once for a run (its reading plan and its pass follow them). Every
// set whose CloneOf names no master among the games (a set missing from the profile, a resource,
// another clone) is tested as a master is: else it would never be tested at all. Only the clones
// of real masters are tested with them. The names are the games' own, which outlive the run.
struct Verifier::RomGroups {
  static constexpr std::uint32_t kNoClones = UINT32_MAX;
  std::vector<char> leads;                       // by game position
  std::vector<std::uint32_t> clones_of;          // by game position: its clones' list, if any
  std::vector<std::vector<std::size_t>> clones;  // each master name's clones, in list order

  RomGroups(const std::vector<GameRecord>& games, bool with_clones)
      : leads(games.size()), clones_of(games.size(), kNoClones) {
    std::unordered_map<std::string_view, std::uint32_t> masters;  // name -> its clones' list
    masters.reserve(games.size());
    for (const GameRecord& game : games) {
      if (game.CloneOf.empty())
        masters.try_emplace(game.Name.View(), static_cast<std::uint32_t>(masters.size()));
    }
    if (with_clones) clones.resize(masters.size());
    for (std::size_t i = 0; i < games.size(); ++i) {
      const GameRecord& game = games[i];
      const auto master = game.CloneOf.empty() ? masters.end() : masters.find(game.CloneOf.View());
      leads[i] = master == masters.end();
      if (!with_clones) continue;
      if (!leads[i]) clones[master->second].push_back(i);
      // A set that leads takes the clones of its name (a clone of an absent master may bear
      // the name of a master too).
      if (const auto own = masters.find(game.Name.View()); leads[i] && own != masters.end())
        clones_of[i] = own->second;
    }
  }
  bool Leads(std::size_t position) const { return leads[position] != 0; }
  const std::vector<std::size_t>* ClonesOf(std::size_t position) const {
    return clones_of[position] == kNoClones ? nullptr : &clones[clones_of[position]];
  }
};

std::string FormatElapsed(std::int64_t hundred_ns) {
  return DayClockText(hundred_ns / 10000000);
}

std::string QuickCacheFailureMessage(const std::string& path, const std::string& reason) {
  return "Unable to write to " + path + ": " + reason +
         "\rThe verification report is complete; the quick check's memory of the archives was "
         "not updated.";
}

Verifier::Verifier(UserInterface& ui, const FrontEndSettings& settings,
                   const GameDatabase& database, const AppNames& names, std::string rompath,
                   std::string samplepath, VerifyProgress& progress)
    : ui_(ui),
      settings_(settings),
      db_(database),
      names_(names),
      rompath_(std::move(rompath)),
      samplepath_(std::move(samplepath)),
      progress_(progress),
      archives_(ui, settings, database.WorkDirectory(), names.TempDirName, names.DiscIniName),
      temp_dir_(fs::IncludeTrailingSeparator(archives_.TempDir())) {
  threads_ = std::min(2u, std::max(1u, std::thread::hardware_concurrency()));
}

std::string Verifier::QuickCachePath() const {
  return names_.ProgramDir +
         (db_.Dialect == EmulatorDialect::kListxml ? "QUICKXML.DAT" : "QUICKCRC.DAT");
}

std::int64_t Verifier::Now() const {
  if (clock_) return clock_();
  using HundredNs = std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>;
  return std::chrono::duration_cast<HundredNs>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// The window hears of every status change, but at most once every interval unless forced:
// messages never run once per file. An abort asked for in between is seen at the next update.
bool Verifier::CheckAbort(bool force) {
  if (aborted_) return true;
  if (!updates_.Due(force)) return false;
  progress_.Update(status_, counters_);
  if (progress_.CheckAbort()) aborted_ = true;
  return aborted_;
}

void Verifier::Write(const std::string& line) {
  report_ += line;
  report_ += "\r\n";
}

void Verifier::StartPass(const std::string& heading, std::size_t records) {
  Write("");
  Write(heading);
  status_.Position = 0;
  status_.Maximum = static_cast<long>(records) - 1;
  delete_failure_shown_ = false;
}

void Verifier::Advance() {
  ++status_.Position;
}

bool Verifier::EndPass() {
  status_.PassName.clear();
  status_.SetName.clear();
  status_.Clones = 0;
  return CheckAbort(true);
}

// A directory that cannot be deleted stays so for every set of the pass: it is said once.
void Verifier::DeleteTemp() {
  contents_.Clear();
  // While the sets are read only an ACE set is put there: once deleted, the directory is
  // deleted again after one of those only.
  if (!temp_may_hold_files_) return;
  if (DeleteTempDir(fs::ExcludeTrailingSeparator(temp_dir_))) {
    temp_may_hold_files_ = false;
    return;
  }
  if (delete_failure_shown_) return;
  delete_failure_shown_ = true;
  ui_.Ask(kDeleteFailure, MsgIcon::Error);
}

Result<VerifyOutcome> Verifier::Run(const VerifyOptions& options) {
  options_ = options;
  const bool reported = !options_.StatusOnly;
  if (reported && settings_.MameCd &&
      ui_.Ask(kMameCdQuestion, MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
    return VerifyOutcome::Refused;

  // The report replaces the old one only when complete; what cannot be replaced is said now,
  // before the long run, not at its end.
  const std::string& log = options_.LogFileName;
  if (reported) {
    if (log.empty()) return Failure("No report file name given");
    if (fs::DirectoryExists(log) || (fs::Exists(log) && !fs::CanWrite(log)))
      return Failure("Unable to write to " + log + ": not a writable file");
    if (!fs::DirectoryExists(fs::ExtractFilePath(fs::ExpandFileName(log))))
      return Failure("Unable to write to " + log + ": No such file or directory");
  }

  counters_ = {};
  temp_may_hold_files_ = true;
  verdicts_.clear();
  audit_judged_ = audit_remembered_ = 0;
  // Clones left out, the verdicts of the masters only add to what was kept.
  verdicts_whole_ =
      options_.VerifyRoms && (options_.RomClones || db_.Dialect == EmulatorDialect::kListxml);
  status_ = {};
  report_.clear();
  aborted_ = false;
  updates_.Reset();
  contents_.Clear();
  // The memory is read while the run is planned.
  if (options_.QuickCheck) quick_cache_.LoadInBackground(QuickCachePath());
  // The picture folders are listed while the sets are read: the run takes them as they are now.
  const bool pictures = options_.VerifyScreenshot || options_.VerifyCabinets ||
                        options_.VerifyFlyers || options_.VerifyHardware;
  if (pictures && db_.GameCount() > 0)
    pictures_ = std::async(std::launch::async, [this] { return ListPictureFolders(); });
  bounds_ = std::make_unique<SetBounds>(db_);
  groups_ = std::make_shared<const RomGroups>(db_.Games(), options_.RomClones);
  reader_ = std::make_unique<SetReader>(archives_, PlanReading(), options_.QuickCheck,
                                        &quick_cache_, threads_);
  progress_.Started();
  const std::int64_t start = Now();

  WriteHeader();
  bool stopped = CheckAbort(true);
  const bool has_games = db_.GameCount() > 0;
  if (!stopped && options_.VerifyRoms) {
    if (db_.Dialect == EmulatorDialect::kListxml) {
      stopped = TodaysRomPass();
    } else {
      if (has_games) stopped = RomPass();
      if (!stopped && db_.ResourceCount() > 0) stopped = ResourcePass();
    }
  }
  if (!stopped && options_.VerifySamples && has_games) stopped = SamplePass();
  if (!stopped && pictures && has_games) stopped = PicturePass();
  if (pictures_.valid()) pictures_.wait();  // a run stopped before the pass
  if (!stopped && options_.ReportUnsupported) {
    Write("");
    Write("Unsupported rom/sample sets report:");
    stopped = ScanUnsupportedSets(rompath_, "roms") ||
              ScanUnsupportedSets(samplepath_, "samples") || EndPass();
  }
  if (!stopped) {
    status_.Maximum = 100;
    status_.Position = 100;
    status_.PassName = "Done";
    status_.SetName.clear();
    status_.Clones = 0;
    stopped = CheckAbort(true);
  }
  decoded_ = reader_->ArchivesDecoded();
  judged_ = reader_->ArchivesJudged() + audit_judged_;
  remembered_ = reader_->ArchivesRemembered() + audit_remembered_;
  reader_.reset();
  groups_.reset();
  contents_.Clear();
  if (stopped) {
    // Nothing of the run is kept: neither its files nor a report of it.
    (void)DeleteTempDir(fs::ExcludeTrailingSeparator(temp_dir_));
    if (reported && fs::FileExists(log)) (void)fs::Delete(log);
    report_.clear();
    verdicts_.clear();
    return VerifyOutcome::Aborted;
  }
  if (!reported) {
    report_.clear();
    // Only a faster next check is lost when the memory cannot be written.
    if (options_.QuickCheck) (void)quick_cache_.Save(QuickCachePath());
    return VerifyOutcome::Completed;
  }

  WriteSummary(Now() - start);
  if (kw::Status written = fs::WriteFileAtomic(log, report_); !written)
    return Failure("Unable to write to " + log + ": " + written.Message());
  // The cache only speeds the next quick run up: one that cannot be written is no failure of
  // the run, but the user hears of it.
  if (options_.QuickCheck) {
    if (kw::Status saved = quick_cache_.Save(QuickCachePath()); !saved)
      ui_.Ask(QuickCacheFailureMessage(QuickCachePath(), saved.Message()), MsgIcon::Warning);
  }
  return VerifyOutcome::Completed;
}

void Verifier::WriteHeader() {
  const std::string title = names_.ProductName + " verification report";
  const std::size_t indent = title.size() < 80 ? (80 - title.size()) / 2 : 0;
  Write(std::string(indent, ' ') + title);
  Write(std::string(80, '='));
  Write(" ");
  Write("Profile: .................." + db_.ProfilePath);
  if (!db_.ProfilePath.empty() && fs::FileExists(db_.ProfilePath)) {
    if (std::optional<std::int64_t> when = fs::ModificationTime(db_.ProfilePath)) {
      const LocalDateTime local = LocalDateTimeOf(*when);
      Write("Creation date: ............" + local.date + " - " + local.time);
    }
  }
  Write("MAME executable file: ....." + db_.EmulatorDir + db_.EmulatorExe);
  Write("MAME version: ............." + db_.EmulatorVersion);
  Write("Romsets supported: ........" + std::to_string(db_.GameCount()));
  Write("Resources needed: ........." + std::to_string(db_.ResourceCount()));
  if (options_.QuickCheck)
    Write("Verification mode: ........Quick check (CRCs stored in ZIP and 7z archives trusted)");
  Write(std::string(80, '-'));
  Write(" ");
}

void Verifier::WriteSummary(std::int64_t elapsed) {
  Write(" ");
  Write(std::string(80, '-'));
  Write(" ");
  const VerifyOptions& o = options_;
  Write("Option settings resume:");
  const std::pair<const char*, bool> resume[] = {
      {"Verify romsets: ........................", o.VerifyRoms},
      {"Verify roms of clone sets: .............", o.RomClones},
      {"Report \"no good dump\" missing files: ...", o.ReportNoGoodDump},
      {"Skip sets with no rom files: ...........", o.SkipNotPresent},
      {"Verify sample sets: ....................", o.VerifySamples},
      {"Verify sample sets quality: ............", o.VerifySampleQuality},
      {"Verify screenshots: ....................", o.VerifyScreenshot},
      {"Verify cabinets: .......................", o.VerifyCabinets},
      {"Verify flyers: .........................", o.VerifyFlyers},
      {"Verify hardware photos: ................", o.VerifyHardware},
      {"Check images in clone sets: ............", o.ScreenshotDetail},
      {"Report unused files in sets: ...........", o.ReportUnused},
      {"Report unsupported sets: ...............", o.ReportUnsupported},
  };
  for (const auto& [label, value] : resume)
    Write(label + YesNo(value));
  Write(" ");
  Write("Verification report resume:");
  const VerifyCounters& c = counters_;
  const struct {
    const char* label;
    std::uint32_t value;
    bool written;
  } totals[] = {
      {"Total missing rom files: ...............", c.MissingRoms, o.VerifyRoms},
      {"Total corrupt rom files: ...............", c.CorruptRoms, o.VerifyRoms},
      {"Total miss-spelled rom files: ..........", c.MissSpelled, o.VerifyRoms},
      {"Total faulty sets: .....................", c.FaultySets, o.VerifyRoms},
      {"Total \"no good dump\" missing files: ....", c.NoGoodMissing,
       o.VerifyRoms && o.ReportNoGoodDump},
      {"Total missing samples: .................", c.MissingSamples, o.VerifySamples},
      {"Total skipped sets: ....................", c.SkippedSets, o.SkipNotPresent},
      {"Total missing screen shot: .............", c.MissingScreenshots, o.VerifyScreenshot},
      {"Total missing cabinet images: ..........", c.MissingCabinets, o.VerifyCabinets},
      {"Total missing flyers: ..................", c.MissingFlyers, o.VerifyFlyers},
      {"Total missing hardware photos: .........", c.MissingHardware, o.VerifyHardware},
      {"Total unsupported sets: ................", c.UnsupportedSets, o.ReportUnsupported},
  };
  for (const auto& total : totals) {
    if (total.written) Write(total.label + std::to_string(total.value));
  }
  Write("Time needed to accomplish the test: ...." + FormatElapsed(elapsed));
}

// Every set the passes will read, in the order they read them, so that the reading threads
// can go ahead of the checks.
std::vector<SetJob> Verifier::PlanReading() const {
  std::vector<SetJob> jobs;
  const auto& games = db_.Games();
  const bool has_games = !games.empty();
  jobs.reserve(
      games.size() + db_.ResourceCount() +
      static_cast<std::size_t>(std::count_if(
          games.begin(), games.end(), [](const auto& g) { return g.SampleRange.Count > 0; })));
  platform::AdviseHugePages(jobs.data(), jobs.capacity() * sizeof(SetJob));
  // Today's machines are judged by their own pass, which reads the sets itself.
  if (options_.VerifyRoms && db_.Dialect != EmulatorDialect::kListxml) {
    if (has_games) {
      const RomGroups& groups = *groups_;
      for (std::size_t at = 0; at < games.size(); ++at) {
        if (!groups.Leads(at)) continue;
        jobs.push_back(RomJob(games[at]));
        if (const auto* clones = groups.ClonesOf(at)) {
          for (std::size_t position : *clones)
            jobs.push_back(RomJob(games[position]));
        }
      }
    }
    for (const GameRecord& resource : db_.Resources()) {
      if (resource.CloneOf.empty()) jobs.push_back(RomJob(resource));
    }
  }
  if (options_.VerifySamples && has_games) {
    for (const GameRecord& game : games) {
      if (game.SampleRange.Count > 0 && game.SampleOf.empty()) jobs.push_back(SampleJob(game));
    }
  }
  return jobs;
}

SetJob Verifier::RomJob(const GameRecord& set) const {
  return {set.Name.Str(), rompath_, bounds_->ForRoms(set)};
}

SetJob Verifier::SampleJob(const GameRecord& set) const {
  return {set.Name.Str(), samplepath_, bounds_->ForSamples(set)};
}

// Adds the files of the set to what the temporary directory would hold; true when the run was
// aborted while the set was read.
bool Verifier::ReadSet(const GameRecord& set, const std::string& search_list) {
  // The job planned for the run when it is this set's (its bounds are worked out once).
  const SetJob* planned = reader_->Upcoming();
  const std::string name = set.Name.Str();
  const bool as_planned =
      planned != nullptr && planned->name == name && planned->search_list == search_list;
  const SetJob unplanned = as_planned                ? SetJob{}
                           : search_list == rompath_ ? RomJob(set)
                                                     : SampleJob(set);
  std::optional<SetRead> read =
      reader_->Next(as_planned ? *planned : unplanned, [this] { return CheckAbort(); });
  if (!read) return true;
  if (EqualNoCase(fs::ExtractFileExt(read->location), ".ACE")) temp_may_hold_files_ = true;
  contents_.PutAll(read->files);
  own_set_absent_ = read->files.empty() && read->unreadable.empty();
  unreadable_ = read->unreadable.empty() ? std::string()
                                         : read->location + ": cannot be read: " + read->unreadable;
  return false;
}

bool Verifier::RomPass() {
  const auto& games = db_.Games();
  const RomGroups& groups = *groups_;
  StartPass("Rom set verification report:", games.size());
  for (std::size_t at = 0; at < games.size(); ++at) {
    const GameRecord& game = games[at];
    status_.PassName = "Verify roms - searching master set...";
    status_.Clones = 0;
    status_.SetName.clear();
    if (CheckAbort()) return true;
    if (groups.Leads(at)) {
      const std::string name = game.Name.Str();
      status_.SetName = "[" + name + "]";
      expected_.clear();
      status_.PassName = "Verify roms - extracting master romset...";
      if (CheckAbort()) return true;
      if (ReadSet(game, rompath_) || TestSetFiles(game, Kind::Rom)) return true;
      if (options_.RomClones) {
        status_.PassName = "Verify roms - searching clones...";
        if (CheckAbort()) return true;
        if (const auto* clones = groups.ClonesOf(at)) {
          for (std::size_t position : *clones) {
            const GameRecord& clone = games[position];
            status_.PassName = "Verify roms - extracting clone romset...";
            ++status_.Clones;
            if (CheckAbort()) return true;
            if (ReadSet(clone, rompath_) || TestSetFiles(clone, Kind::Rom)) return true;
            status_.PassName = "Verify roms - searching clones...";
            if (CheckAbort()) return true;
          }
        }
      }
      if (options_.ReportUnused && !expected_.empty())
        ReportUnusedFiles(SetTag(name), " file is unused", true, false);
    }
    Advance();
    status_.PassName = "Verify roms - deleting temporary directory...";
    if (CheckAbort()) return true;
    DeleteTemp();
  }
  return EndPass();
}

bool Verifier::ResourcePass() {
  const auto& resources = db_.Resources();
  StartPass("Resource set verification report:", resources.size());
  for (const GameRecord& resource : resources) {
    status_.PassName = "Verify resources - searching master set...";
    status_.Clones = 0;
    status_.SetName.clear();
    if (CheckAbort()) return true;
    if (resource.CloneOf.empty()) {
      const std::string name = resource.Name.Str();
      status_.SetName = "[" + name + "]";
      expected_.clear();
      status_.PassName = "Verify resources - extracting master romset...";
      if (CheckAbort()) return true;
      if (ReadSet(resource, rompath_) || TestSetFiles(resource, Kind::Rom)) return true;
      if (options_.ReportUnused && !expected_.empty())
        ReportUnusedFiles("[" + name + "]", " file is unused", false, false);
    }
    Advance();
    status_.PassName = "Verify resources - deleting temporary directory...";
    if (CheckAbort()) return true;
    DeleteTemp();
  }
  return EndPass();
}

bool Verifier::SamplePass() {
  const auto& games = db_.Games();
  StartPass("Sample set verification report:", games.size());
  for (const GameRecord& game : games) {
    status_.PassName = "Verify samples - searching master set...";
    status_.Clones = 0;
    status_.SetName.clear();
    if (CheckAbort()) return true;
    if (game.SampleRange.Count > 0 && game.SampleOf.empty()) {
      const std::string name = game.Name.Str();
      status_.SetName = "[" + name + "]";
      expected_.clear();
      status_.PassName = "Verify samples - extracting master set...";
      if (CheckAbort()) return true;
      if (ReadSet(game, samplepath_)) return true;
      const bool certified = SampleSetCertified();
      // A set that cannot be read is said to be so, not to lack its certification.
      if (options_.VerifySampleQuality && !certified && unreadable_.empty())
        Write(SetTag(name) + " - sample set is not \"Halvard's high quality\" certified");
      if (TestSetFiles(game, Kind::Sample)) return true;
      if (options_.ReportUnused && !expected_.empty())
        ReportUnusedFiles(SetTag(name), " sample file is unused", true, certified);
    }
    Advance();
    status_.PassName = "Verify samples - deleting temporary directory...";
    if (CheckAbort()) return true;
    DeleteTemp();
  }
  return EndPass();
}

}  // namespace kw
