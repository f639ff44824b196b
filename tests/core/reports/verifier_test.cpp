#include "core/reports/verifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

#include "common/ascii.h"
#include "core/profile/listinfo_parser.h"
#include "core/shared/app_names.h"
#include "core/shared/crc32.h"
#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "demo/zip_writer.h"
#include "platform/zip_directory.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/test_archives.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;

std::string Crc(const std::string& data) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", ~CRC32Update(0xFFFFFFFFu, data.data(), data.size()));
  return hex;
}
std::string Rom(const std::string& name, const std::string& data, const std::string& extra = "") {
  return "\trom ( name " + name + extra + " size " + std::to_string(data.size()) + " crc " +
         Crc(data) + " )\n";
}

// An emulator directory (current while the test runs) with ROM, sample and picture folders.
class VerifierTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    dir_.Write("emu/mame", "");
    std::filesystem::current_path(dir_ / "emu");
    names_.ProgramDir = dir_.Path();
    settings_.ScreenShots = dir_ / "snap";
    settings_.Cabinets = dir_ / "cabinet";
    options_.LogFileName = dir_ / "REPORT.TXT";
  }
  void TearDown() override { std::filesystem::current_path(old_); }

  void Zip(const std::string& folder, const std::string& set, std::vector<demo::ZipMember> files) {
    Result<std::string> zip = demo::ZipArchive(files);
    ASSERT_TRUE(zip.Ok());
    dir_.Write(folder + "/" + set + ".zip", *zip);
  }
  void Load(const std::string& listinfo) {
    ASSERT_TRUE(ParseListinfoText(listinfo, db_).empty());
    db_.EmulatorDir = dir_.Path() + "emu/";
    db_.EmulatorExe = "mame";
    db_.EmulatorVersion = "0.37b5";
    db_.ProfilePath = dir_ / "my.ksl";
  }
  // The report's lines between the pass heading and the next empty line.
  Lines Section(const std::string& heading) {
    Lines out;
    auto at = std::find(report_.begin(), report_.end(), heading);
    for (++at; at < report_.end() && !at->empty() && *at != " "; ++at)
      out.push_back(*at);
    return out;
  }
  VerifyOutcome Run() {
    Verifier verifier(ui_, settings_, db_, names_, dir_ / "roms", ".;" + (dir_ / "samples"),
                      progress_);
    if (clock_) verifier.SetClock(clock_);
    verifier.SetUpdateInterval(std::chrono::milliseconds(0));
    Result<VerifyOutcome> outcome = verifier.Run(options_);
    EXPECT_TRUE(outcome.Ok()) << outcome.Message();
    counters_ = verifier.Counters();
    verdicts_ = verifier.Verdicts();
    judged_ = verifier.ArchivesJudged();
    remembered_ = verifier.ArchivesRemembered();
    ReadReport();
    return outcome.Ok() ? *outcome : VerifyOutcome::Refused;
  }
  void ReadReport() {
    report_.clear();
    const std::string text = dir_.Read("REPORT.TXT");
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
      report_.push_back(text.substr(at, end - at));
  }
  // A run on two reading threads that the watcher stops at its `abort_at`th check.
  VerifyOutcome RunStoppedAt(int abort_at) {
    progress_.checks = 0;
    progress_.abort_at = abort_at;
    Verifier verifier(ui_, settings_, db_, names_, dir_ / "roms", ".", progress_);
    verifier.SetReadingThreads(2);
    verifier.SetUpdateInterval(std::chrono::milliseconds(0));
    const Result<VerifyOutcome> outcome = verifier.Run(options_);
    EXPECT_TRUE(outcome.Ok()) << outcome.Message();
    return outcome.Ok() ? *outcome : VerifyOutcome::Refused;
  }

  test::TempDir dir_;
  std::filesystem::path old_;
  test::ScriptedUi ui_;
  FrontEndSettings settings_;
  AppNames names_;
  GameDatabase db_;
  VerifyOptions options_;
  // The run's watcher: it answers the abort question on its `abort_at`th check (0: never).
  struct CountingProgress : VerifyProgress {
    bool CheckAbort() override { return ++checks == abort_at; }
    int checks = 0;
    int abort_at = 0;
  } progress_;
  std::function<std::int64_t()> clock_;
  VerifyCounters counters_;
  SetVerdicts verdicts_;
  std::uint64_t judged_ = 0;
  std::uint64_t remembered_ = 0;
  Lines report_;
};

TEST_F(VerifierTest, RomPassFindsEveryKindOfFault) {
  Load("game (\n name master\n" + Rom("ok.1", "good") + Rom("gone.2", "lost") +
       Rom("short.3", "size4") + Rom("crc.4", "crc4") + Rom("moved.5", "move") +
       Rom("twin.6", "good") + "\trom ( name nodump.7 size 4 crc 00000000 )\n)\n" +
       "game (\n name clone\n cloneof master\n" + Rom("ok.1", "good", " merge ok.1") +
       Rom("own.8", "mine") + ")\ngame (\n name clone2\n cloneof master\n" + Rom("c2.9", "c2c2") +
       ")\n");
  Zip("roms", "master",
      {{"OK.1", "good"}, {"short.3", "size"}, {"crc.4", "CRC4"}, {"elsewhere", "move"}});
  Zip("roms", "clone", {{"own.8", "mine"}, {"extra.bin", "x"}});
  options_.ReportUnused = true;
  options_.VerifySamples = options_.VerifyScreenshot = false;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(
      Section("Rom set verification report:"),
      (Lines{"[MASTER]   - GONE.2       rom not found",
             "[MASTER]   - SHORT.3      has wrong size: 4 bytes instead of 5 bytes",
             "[MASTER]   - CRC.4        has wrong CRC: $" + AsciiUpperCase(Crc("CRC4")) +
                 " instead of $" + AsciiUpperCase(Crc("crc4")),
             "[MASTER]   - MOVED.5      rom has incorrect file name (elsewhere)",
             "[CLONE2]   - C2.9         rom not found", "[MASTER]   - elsewhere    file is unused",
             "[MASTER]   - extra.bin    file is unused"}));
  EXPECT_EQ(counters_.MissingRoms, 2u);
  EXPECT_EQ(counters_.CorruptRoms, 2u);
  EXPECT_EQ(counters_.MissSpelled, 1u);
  EXPECT_EQ(counters_.FaultySets, 2u);
  EXPECT_EQ(counters_.NoGoodMissing, 0u);

  // "no good dump" on; clones off: the clones' archives are never looked at.
  options_.ReportNoGoodDump = true;
  options_.RomClones = false;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  Lines lines = Section("Rom set verification report:");
  EXPECT_EQ(lines[4], "[MASTER]   - NODUMP.7     rom not found (no good dump known)");
  EXPECT_EQ(lines.back(), "[MASTER]   - elsewhere    file is unused");
  EXPECT_EQ(counters_.NoGoodMissing, 1u);
  EXPECT_EQ(counters_.FaultySets, 1u);
}

SetVerdicts Sorted(SetVerdicts verdicts) {
  std::sort(verdicts.begin(), verdicts.end());
  return verdicts;
}

// The era's sets are judged from what the ROM tests found, whatever the report shows: a file of
// no good dump missing makes a set only the best available (with its report line off), a set
// that is not there is not found unless its master holds all it needs, a game without ROMs is
// not judged. The status check writes no report and judges the same.
TEST_F(VerifierTest, EraSetsAreJudgedFromWhatTheRomTestsFound) {
  Load("game (\n name master\n" + Rom("m.1", "mast") + ")\n" + "game (\n name nodump\n" +
       Rom("n.1", "nodu") + "\trom ( name n.2 size 4 crc 00000000 )\n)\n" +
       "game (\n name broken\n" + Rom("b.1", "brok") + ")\n" + "game (\n name absent\n" +
       Rom("a.1", "absn") + ")\n" + "game (\n name gone\n cloneof master\n romof master\n" +
       Rom("g.1", "gone") + ")\n" + "game (\n name merged\n cloneof master\n romof master\n" +
       Rom("c.1", "clon") + ")\n" + "game (\n name noroms\n)\n");
  Zip("roms", "master", {{"m.1", "mast"}, {"c.1", "clon"}});
  Zip("roms", "nodump", {{"n.1", "nodu"}});
  Zip("roms", "broken", {{"b.1", "BROK"}});
  options_.VerifySamples = options_.VerifyScreenshot = false;
  const SetVerdicts expected = Sorted({{"master", AuditVerdict::kGood},
                                       {"nodump", AuditVerdict::kBest},
                                       {"broken", AuditVerdict::kBad},
                                       {"absent", AuditVerdict::kNotFound},
                                       {"gone", AuditVerdict::kNotFound},
                                       {"merged", AuditVerdict::kGood}});
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(Sorted(verdicts_), expected);
  // The report is the era's: the wrong CRC and the absent clone's file (its master is there),
  // nothing of the file of no good dump.
  EXPECT_EQ(Section("Rom set verification report:").size(), 2u);

  // Sets not skipped: the absent ones are still not found, not bad.
  options_.SkipNotPresent = false;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(Sorted(verdicts_), expected);

  // The status check: no report, the same verdicts.
  options_.SkipNotPresent = true;
  options_.StatusOnly = true;
  std::filesystem::remove(dir_ / "REPORT.TXT");
  Verifier verifier(ui_, settings_, db_, names_, dir_ / "roms", "", progress_);
  ASSERT_EQ(*verifier.Run(options_), VerifyOutcome::Completed);
  EXPECT_EQ(Sorted(verifier.Verdicts()), expected);
  EXPECT_TRUE(verifier.VerdictsWhole());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "REPORT.TXT"));

  // Clones left out: the masters' verdicts only add to what was kept.
  options_.RomClones = false;
  ASSERT_EQ(*verifier.Run(options_), VerifyOutcome::Completed);
  EXPECT_FALSE(verifier.VerdictsWhole());
  EXPECT_EQ(verifier.Verdicts().size(), 4u);
}

// The quick check of today's machines reads again only the archives that changed since it last
// read them; the others are taken from its memory.
TEST_F(VerifierTest, TodaysQuickCheckReadsOnlyTheArchivesThatChanged) {
  Load("game (\n name one\n" + Rom("o.1", "oneo") + ")\n" + "game (\n name two\n" +
       Rom("t.1", "twot") + ")\n");
  db_.Dialect = EmulatorDialect::kListxml;
  Zip("roms", "one", {{"o.1", "oneo"}});
  Zip("roms", "two", {{"t.1", "twot"}});
  options_.VerifySamples = options_.VerifyScreenshot = false;
  options_.QuickCheck = true;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(judged_, 2u);
  EXPECT_EQ(remembered_, 0u);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "QUICKXML.DAT"));
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(remembered_, 2u);
  // A changed archive is read again (its size changes with its new member) and judged anew.
  Zip("roms", "two", {{"t.1", "TWOT"}, {"more", "x"}});
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(remembered_, 1u);
  EXPECT_EQ(Sorted(verdicts_), Sorted({{"one", AuditVerdict::kGood}, {"two", AuditVerdict::kBad}}));
}

// A profile of today's emulator: a split clone, a device set that is missing, a file under
// another name; only the bad machines are listed, a missing file with the set it comes from, and
// the report ends with the emulator's own summary.
TEST_F(VerifierTest, TodaysMachinesAreJudgedAsTheEmulatorJudgesThem) {
  Load("game (\n name master\n" + Rom("m.1", "mast") + Rom("m.2", "mas2") + ")\n" +
       "game (\n name clone\n cloneof master\n romof master\n" + Rom("m.1", "mast", " merge m.1") +
       Rom("c.1", "clon") + ")\n" + "game (\n name absent\n cloneof master\n romof master\n" +
       Rom("m.1", "mast", " merge m.1") + Rom("a.1", "absn") + ")\n" + "game (\n name usesdev\n" +
       Rom("u.1", "uses") + Rom("w.1", "wron") + ")\n" + "resource (\n name devx\n" +
       Rom("x.1", "devx") + ")\n");
  db_.Dialect = EmulatorDialect::kListxml;
  GameDatabase today;
  today.Dialect = EmulatorDialect::kListxml;
  for (const GameRecord& game : db_.Games()) {
    GameEntry entry = db_.Entry(game);
    if (entry.Name == "USESDEV") entry.Devices = {"DEVX"};
    today.AddGame(entry);
  }
  GameEntry device = db_.Entry(db_.Resource(0));
  device.Machine = kMachineDevice;
  today.AddResource(device);
  today.EmulatorDir = db_.EmulatorDir;
  today.ProfilePath = db_.ProfilePath;
  db_ = std::move(today);
  Zip("roms", "master", {{"m.1", "mast"}, {"renamed", "mas2"}});
  Zip("roms", "clone", {{"c.1", "clon"}});
  Zip("roms", "usesdev", {{"u.1", "uses"}, {"w.1", "WRON"}});
  options_.VerifySamples = options_.VerifyScreenshot = false;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(Section("Rom set verification report:"),
            (Lines{"[USESDEV]  - W.1          has wrong CRC: $" + AsciiUpperCase(Crc("WRON")) +
                       " instead of $" + AsciiUpperCase(Crc("wron")),
                   "[USESDEV]  - X.1          rom not found (it comes from the set devx)"}));
  EXPECT_NE(std::find(report_.begin(), report_.end(), "3 romsets found, 2 were OK."),
            report_.end());
  EXPECT_EQ(counters_.FaultySets, 1u);
  EXPECT_EQ(counters_.MissingRoms, 1u);
  EXPECT_EQ(counters_.CorruptRoms, 1u);
  EXPECT_EQ(counters_.SkippedSets, 2u) << "the absent clone and the absent device";
  // Each verdict, for the window's quick information to keep.
  EXPECT_EQ(verdicts_, (SetVerdicts{{"master", AuditVerdict::kGood},
                                    {"clone", AuditVerdict::kGood},
                                    {"absent", AuditVerdict::kNotFound},
                                    {"usesdev", AuditVerdict::kBad},
                                    {"devx", AuditVerdict::kNotFound}}));
}

// An archive bomb: a member listed far larger than any file the profile lists is judged from the
// archive's directory in either mode and never decoded (its data is damaged here, which
// decoding would find); the set's other files are read all the same.
TEST_F(VerifierTest, ABombMemberIsJudgedFromItsListedSizeAlone) {
  const std::string rom(16384, 'r');
  Load("game (\n name bombed\n" + Rom("rom.bin", rom) + Rom("big.bin", rom) + ")\n");
  Result<std::string> zip =
      demo::ZipArchive({{"big.bin", std::string(64 << 20, '\0')}, {"rom.bin", rom}});
  ASSERT_TRUE(zip.Ok());
  std::string bytes = *zip;
  Result<std::vector<platform::archive::StoredEntry>> entries =
      platform::archive::ParseZipDirectory(bytes);
  ASSERT_TRUE(entries);
  const std::size_t at = (*entries)[0].local_offset;
  const std::size_t data = at + 30 + 7 + static_cast<unsigned char>(bytes[at + 28]) +
                           (static_cast<unsigned char>(bytes[at + 29]) << 8);
  bytes.replace(data, 16, 16, '\xff');
  dir_.Write("roms/bombed.zip", bytes);
  options_.VerifySamples = options_.VerifyScreenshot = false;
  for (bool quick : {false, true}) {
    SCOPED_TRACE(quick);
    options_.QuickCheck = quick;
    ASSERT_EQ(Run(), VerifyOutcome::Completed);
    EXPECT_EQ(Section("Rom set verification report:"),
              Lines{"[BOMBED]   - BIG.BIN      has wrong size: 67108864 bytes instead of 16384 "
                    "bytes"});
  }
}

TEST_F(VerifierTest, AbsentSetsAreSkippedAndTheirClonesStillTested) {
  Load("game (\n name gone\n" + Rom("a", "aaaa") + ")\ngame (\n name away\n cloneof gone\n" +
       Rom("c", "cccc") + ")\ngame (\n name here\n cloneof gone\n" + Rom("b", "bbbb") + ")\n");
  Zip("roms", "here", {{"b", "bbbb"}});
  options_.VerifySamples = options_.VerifyScreenshot = false;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_TRUE(Section("Rom set verification report:").empty());
  EXPECT_EQ(counters_.SkippedSets, 2u);
  EXPECT_NE(std::find(report_.begin(), report_.end(), "Total skipped sets: ....................2"),
            report_.end());
}

// Many more sets than the reading threads may read ahead, with faults scattered among them: the
// report lists them in the profile's order whatever the number of threads and the mode.
TEST_F(VerifierTest, AManySetRunReportsInTheProfilesOrderWithAnyNumberOfThreads) {
  std::string listinfo;
  Lines expected;
  for (int i = 0; i < 700; ++i) {
    const std::string set = "s" + std::to_string(1000 + i);
    const std::string data = "data of " + set;
    listinfo += "game (\n name " + set + "\n" + Rom("r", data) + ")\n";
    if (i % 97 == 5) continue;  // absent: skipped
    const bool wrong = i % 61 == 7;
    Zip("roms", set, {{"r", wrong ? "DATA OF " + set : data}});
    if (wrong) {
      expected.push_back("[" + AsciiUpperCase(set) + "]    - R            has wrong CRC: $" +
                         AsciiUpperCase(Crc("DATA OF " + set)) + " instead of $" +
                         AsciiUpperCase(Crc(data)));
    }
  }
  Load(listinfo);
  options_.VerifySamples = options_.VerifyScreenshot = false;
  options_.SkipNotPresent = true;
  for (bool quick : {false, true, true}) {
    options_.QuickCheck = quick;
    for (unsigned threads : {0u, 1u, 2u, 3u}) {
      SCOPED_TRACE(std::to_string(threads) + (quick ? " threads, quick" : " threads"));
      Verifier verifier(ui_, settings_, db_, names_, dir_ / "roms", ".", progress_);
      verifier.SetReadingThreads(threads);
      ASSERT_TRUE(verifier.Run(options_).Ok());
      ReadReport();
      EXPECT_EQ(Section("Rom set verification report:"), expected);
      EXPECT_EQ(verifier.Counters().SkippedSets, 8u);
    }
  }
  // Stopped in the middle, while the reading threads are ahead or wait for room: the run ends
  // at once, with no report.
  for (int abort_at : {40, 400, 1500}) {
    EXPECT_EQ(RunStoppedAt(abort_at), VerifyOutcome::Aborted) << abort_at;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "REPORT.TXT"));
  }
}

// Sets large enough for an idle reading thread to check their members ahead of the thread
// reading them: the report is the same on any number of threads, and a run stopped while a
// helper checks ends at once.
TEST_F(VerifierTest, LargeSetsAreReportedAlikeWithAnyNumberOfThreads) {
  std::mt19937 random(5);
  std::string listinfo;
  for (const std::string set : {"big", "bigger"}) {
    listinfo += "game (\n name " + set + "\n";
    std::vector<demo::ZipMember> members;
    for (int i = 0; i < 5; ++i) {
      std::string data(2 << 20, '\0');
      for (char& c : data)
        c = static_cast<char>(random() & 0x3F);  // compressible a little, as ROM data is
      const std::string name = set + std::to_string(i);
      listinfo += Rom(name, data);
      if (set == "bigger" && i == 3) data[12345] ^= 1;
      members.push_back({name, std::move(data)});
    }
    Zip("roms", set, std::move(members));
    listinfo += ")\n";
  }
  Load(listinfo);
  options_.VerifySamples = options_.VerifyScreenshot = false;
  Lines expected;
  for (unsigned threads : {0u, 1u, 2u, 3u}) {
    SCOPED_TRACE(std::to_string(threads) + " threads");
    Verifier verifier(ui_, settings_, db_, names_, dir_ / "roms", ".", progress_);
    verifier.SetReadingThreads(threads);
    ASSERT_TRUE(verifier.Run(options_).Ok());
    ReadReport();
    if (threads == 0) {
      expected = Section("Rom set verification report:");
      ASSERT_EQ(expected.size(), 1u);
      EXPECT_NE(expected[0].find("- BIGGER3"), std::string::npos) << expected[0];
      EXPECT_NE(expected[0].find("has wrong CRC"), std::string::npos) << expected[0];
    }
    EXPECT_EQ(Section("Rom set verification report:"), expected);
  }
  for (int abort_at : {1, 2})
    EXPECT_EQ(RunStoppedAt(abort_at), VerifyOutcome::Aborted) << abort_at;
}

TEST_F(VerifierTest, ResourcesAndSamples) {
  Load("game (\n name loud\n" + Rom("l", "llll") +
       " sample boom.wav\n sample bang.wav\n)\ngame (\n name quiet\n" + Rom("q", "qqqq") +
       " sample hush.wav\n)\nresource (\n name bios\n" + Rom("bios.rom", "bios") + ")\n");
  Zip("roms", "bios", {{"bios.rom", "bios"}, {"notes.txt", "n"}});
  Zip("samples", "loud",
      {{"boom.wav", "w"},
       {"readme.txt", "made for\r\nwww.halvardsamples.example"},
       {"spare.wav", "s"}});
  Zip("samples", "quiet", {{"hush.wav", "w"}, {"README.TXT", "home made"}});
  options_.ReportUnused = true;
  options_.SkipNotPresent = true;
  options_.VerifyScreenshot = false;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(Section("Resource set verification report:"),
            Lines{"[BIOS] - notes.txt file is unused"});
  EXPECT_EQ(Section("Sample set verification report:"),
            (Lines{"[LOUD]     - BANG.WAV     sample not found",
                   "[LOUD]     - spare.wav    sample file is unused",
                   "[QUIET]    - sample set is not \"Halvard's high quality\" certified",
                   "[QUIET]    - README.TXT   sample file is unused"}));
  EXPECT_EQ(counters_.MissingSamples, 1u);
  EXPECT_EQ(counters_.SkippedSets, 2u);  // LOUD and QUIET have no ROM archives
}

TEST_F(VerifierTest, PicturesAndUnsupportedSets) {
  Load("game (\n name shown\n)\ngame (\n name bare\n)\ngame (\n name copy\n cloneof shown\n)\n");
  dir_.Write("snap/shown.png", "p");
  dir_.Write("cabinet/SHOWN.Jpg", "p");
  dir_.Write("roms/shown.zip", "");
  dir_.Write("roms/readme.txt", "");
  dir_.Write("roms/alien.zip", "");
  dir_.Write("samples/stray/x.wav", "");
  options_.VerifyRoms = options_.VerifySamples = false;
  options_.VerifyCabinets = options_.ReportUnsupported = true;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(Section("Pictures verification report:"),
            (Lines{"[BARE]     - screenshot not found", "[BARE]     - cabinet photo not found"}));
  EXPECT_EQ(Section("Unsupported rom/sample sets report:"),
            (Lines{"Unsupported set: " + (dir_ / "roms/") + "alien.zip",
                   "Unsupported set: " + (dir_ / "roms/") + "readme.txt",
                   "Unsupported set: " + (dir_ / "samples/") + "stray"}));
  EXPECT_EQ(counters_.UnsupportedSets, 3u);

  options_.ScreenshotDetail = true;
  options_.VerifyCabinets = options_.ReportUnsupported = false;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(Section("Pictures verification report:"),
            (Lines{"[BARE]     - screenshot not found", "[COPY]     - screenshot not found"}));
  EXPECT_EQ(counters_.MissingScreenshots, 2u);
}

TEST_F(VerifierTest, PicturesInAFoldersArchiveCountAsFound) {
  Load("game (\n name shown\n)\ngame (\n name bare\n)\ngame (\n name zipped\n)\n");
  dir_.Write("snap/shown.png", "p");
  ASSERT_TRUE(test::WriteTestArchive(dir_ / "snap/snap.zip", {{"ZIPPED.PNG", "p"}}));
  // The cabinet folder is not there; an archive beside where it would be is.
  ASSERT_TRUE(test::WriteTestArchive(dir_ / "cabinet.7z", {{"bare.jpg", "p"}}, "7zip"));
  options_.VerifyRoms = options_.VerifySamples = false;
  options_.VerifyCabinets = true;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(Section("Pictures verification report:"),
            (Lines{"[SHOWN]    - cabinet photo not found", "[BARE]     - screenshot not found",
                   "[ZIPPED]   - cabinet photo not found"}));
}

TEST_F(VerifierTest, HeaderResumeAndTime) {
  Load("game (\n name one\n)\n");
  std::int64_t now = 0;
  clock_ = [&now] { return now += 37230000000; };  // 1 h 2 min 3 s apart
  options_.VerifyRoms = options_.VerifySamples = options_.VerifyScreenshot = false;
  options_.VerifyFlyers = true;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(report_[0], std::string(24, ' ') + "Kestrelwing verification report");
  EXPECT_EQ(report_[3], "Profile: .................." + (dir_ / "my.ksl"));
  EXPECT_EQ(report_[4], "MAME executable file: ....." + dir_.Path() + "emu/mame");
  EXPECT_EQ(report_[6], "Romsets supported: ........1");
  const Lines tail(report_.end() - 19, report_.end());
  EXPECT_EQ(tail, (Lines{"Option settings resume:", "Verify romsets: ........................No",
                         "Verify roms of clone sets: .............Yes",
                         "Report \"no good dump\" missing files: ...No",
                         "Skip sets with no rom files: ...........Yes",
                         "Verify sample sets: ....................No",
                         "Verify sample sets quality: ............Yes",
                         "Verify screenshots: ....................No",
                         "Verify cabinets: .......................No",
                         "Verify flyers: .........................Yes",
                         "Verify hardware photos: ................No",
                         "Check images in clone sets: ............No",
                         "Report unused files in sets: ...........No",
                         "Report unsupported sets: ...............No", " ",
                         "Verification report resume:", "Total skipped sets: ....................0",
                         "Total missing flyers: ..................1",
                         "Time needed to accomplish the test: ....01:02:03"}));
  EXPECT_TRUE(dir_.Read("REPORT.TXT").ends_with("01:02:03\r\n"));
}

TEST_F(VerifierTest, AbortDeletesTheReportAndMameCdNoDoesNothing) {
  Load("game (\n name one\n" + Rom("a", "aaaa") + ")\n");
  dir_.Write("REPORT.TXT", "old report");
  settings_.MameCd = true;
  ui_.answers = {MsgAnswer::No};
  EXPECT_EQ(Run(), VerifyOutcome::Refused);
  EXPECT_EQ(dir_.Read("REPORT.TXT"), "old report");

  progress_.abort_at = 3;
  EXPECT_EQ(Run(), VerifyOutcome::Aborted);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "REPORT.TXT"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "emu/$KSTEMP$"));
}

TEST_F(VerifierTest, ATemporaryDirectoryLeftBehindIsDeletedInTheRun) {
  Load("game (\n name one\n" + Rom("a", "aaaa") + ")\ngame (\n name two\n" + Rom("b", "bb") +
       ")\n");
  dir_.Write("emu/$KSTEMP$/one/a", "left");
  EXPECT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "emu/$KSTEMP$"));
}

TEST_F(VerifierTest, QuickModeAgreesOnAnIntactCollectionAndTrustsStoredCrcs) {
  Load("game (\n name plain\n" + Rom("p.1", "plain data") + Rom("p.2", "more") +
       " sample s.wav\n)\ngame (\n name stored\n cloneof plain\n" + Rom("s.1", "GOOD") +
       ")\ngame (\n name seven\n" + Rom("v.1", "seven") + ")\n");
  Zip("roms", "plain", {{"p.1", "plain data"}, {"sub/P.2", "more"}, {"spare", "x"}});
  ASSERT_TRUE(test::WriteTestArchive(dir_ / "roms/stored.zip",
                                     {{"dir/", "", AE_IFDIR}, {"s.1", "GOOD"}}, "zip",
                                     "zip:compression=store"));
  ASSERT_TRUE(test::WriteTestArchive(dir_ / "roms/seven.7z", {{"v.1", "seven"}}, "7zip"));
  Zip("samples", "plain", {{"s.wav", "w"}, {"Readme.txt", "by samples.kestrelwing.example"}});
  options_.ReportUnused = true;
  options_.VerifyScreenshot = false;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  const Lines exact = report_;
  EXPECT_EQ(judged_, 0u);
  options_.QuickCheck = true;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(judged_, 4u);
  Lines quick = report_;
  auto mode = std::find(
      quick.begin(), quick.end(),
      "Verification mode: ........Quick check (CRCs stored in ZIP and 7z archives trusted)");
  ASSERT_NE(mode, quick.end());
  EXPECT_EQ(mode[-1], "Resources needed: .........0");
  quick.erase(mode);
  EXPECT_EQ(quick, exact);
  EXPECT_EQ(Section("Sample set verification report:"), Lines{});  // certified, all there

  // A second quick run over the unchanged archives reads none of them, and leaves their memory
  // as it was rather than write the same text again; a changed one is read.
  auto inode = [&] {
    struct stat st {};
    return stat((dir_ / "QUICKCRC.DAT").c_str(), &st) == 0 ? st.st_ino : 0;
  };
  const ino_t written = inode();
  ASSERT_NE(written, 0u);
  const std::string memory = dir_.Read("QUICKCRC.DAT");
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(remembered_, 4u);
  EXPECT_EQ(inode(), written);
  EXPECT_EQ(dir_.Read("QUICKCRC.DAT"), memory);
  // The data no longer has the CRC its archive stores (and the profile gives).
  std::string bytes = dir_.Read("roms/stored.zip");
  ASSERT_NE(bytes.find("GOOD"), std::string::npos);
  bytes.replace(bytes.find("GOOD"), 4, "G00D");
  dir_.Write("roms/stored.zip", bytes);
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(remembered_, 3u);
  EXPECT_NE(dir_.Read("QUICKCRC.DAT"), memory);
  EXPECT_EQ(counters_.CorruptRoms, 0u);
  options_.QuickCheck = false;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(Section("Rom set verification report:"),
            (Lines{"[STORED]   - S.1          has wrong CRC: $" + AsciiUpperCase(Crc("G00D")) +
                       " instead of $" + AsciiUpperCase(Crc("GOOD")),
                   "[PLAIN]    - spare        file is unused"}));
}

// A set that is there but cannot be read is no absent set: one line names its file and the
// reason, and it counts as faulty, not skipped, in either mode. Its files are not listed as
// missing: nothing is known of them.
TEST_F(VerifierTest, ASetThatCannotBeReadIsNamedWithItsReasonAndCountsAsFaulty) {
  Load("game (\n name fifo\n" + Rom("f", "ffff") + " sample f.wav\n)\ngame (\n name seven\n" +
       Rom("v", "vvvv") + ")\ngame (\n name denied\n" + Rom("d", "dddd") +
       ")\ngame (\n name locked\n" + Rom("l", "llll") + ")\n");
  std::filesystem::create_directories(dir_ / "roms");
  std::filesystem::create_directories(dir_ / "samples");
  const std::string fifo = dir_ / "roms/fifo.zip";
  const std::string sample_fifo = dir_ / "samples/fifo.zip";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  ASSERT_EQ(mkfifo(sample_fifo.c_str(), 0644), 0);
  // A 7z archive whose start header no longer matches its CRC.
  ASSERT_TRUE(test::WriteTestArchive(dir_ / "roms/seven.7z", {{"v", "vvvv"}}, "7zip"));
  std::string seven = dir_.Read("roms/seven.7z");
  seven[12] = static_cast<char>(seven[12] ^ 0x40);
  dir_.Write("roms/seven.7z", seven);
  const bool root = geteuid() == 0;  // root reads any file and lists any directory
  Zip("roms", "denied", {{"d", "dddd"}});
  dir_.Write("roms/locked/l", "llll");
  std::filesystem::permissions(dir_ / "roms/denied.zip", std::filesystem::perms::none);
  std::filesystem::permissions(dir_ / "roms/locked", std::filesystem::perms::none);
  options_.VerifyScreenshot = false;
  for (bool quick : {false, true}) {
    SCOPED_TRACE(quick);
    options_.QuickCheck = quick;
    ASSERT_EQ(Run(), VerifyOutcome::Completed);
    Lines lines = Section("Rom set verification report:");
    ASSERT_EQ(lines.size(), root ? 2u : 4u);
    EXPECT_EQ(lines[0], "[FIFO]     - " + fifo + ": cannot be read: not a regular file");
    EXPECT_EQ(lines[1].rfind("[SEVEN]    - " + (dir_ / "roms/seven.7z") + ": cannot be read: ", 0),
              0u)
        << lines[1];
    if (!root) {
      EXPECT_EQ(lines[2], "[DENIED]   - " + (dir_ / "roms/denied.zip") +
                              ": cannot be read: Permission denied");
      EXPECT_EQ(lines[3],
                "[LOCKED]   - " + (dir_ / "roms/locked") + ": cannot be read: Permission denied");
    }
    EXPECT_EQ(Section("Sample set verification report:"),
              Lines{"[FIFO]     - " + sample_fifo + ": cannot be read: not a regular file"});
    EXPECT_EQ(counters_.FaultySets, root ? 3u : 5u);
    EXPECT_EQ(counters_.SkippedSets, 0u);
    EXPECT_EQ(counters_.MissingRoms, 0u);
    EXPECT_EQ(counters_.MissingSamples, 0u);
  }
  std::filesystem::permissions(dir_ / "roms/locked", std::filesystem::perms::owner_all);
}

// The quick check's memory that cannot be written (here a directory stands in its place) is
// said, naming the file; the run completes with the same report.
TEST_F(VerifierTest, AQuickCheckMemoryThatCannotBeWrittenIsSaidAndTheRunStillCompletes) {
  Load("game (\n name plain\n" + Rom("p.1", "plain data") + ")\n");
  Zip("roms", "plain", {{"p.1", "plain data"}, {"spare", "x"}});
  options_.ReportUnused = true;
  options_.VerifySamples = options_.VerifyScreenshot = false;
  options_.QuickCheck = true;
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_TRUE(ui_.messages.empty());
  const Lines written = Section("Rom set verification report:");
  std::filesystem::remove(dir_ / "QUICKCRC.DAT");
  std::filesystem::create_directory(dir_ / "QUICKCRC.DAT");
  ASSERT_EQ(Run(), VerifyOutcome::Completed);
  EXPECT_EQ(Section("Rom set verification report:"), written);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(ui_.messages[0].text,
            "Unable to write to " + (dir_ / "QUICKCRC.DAT") +
                ": Is a directory\rThe verification report is complete; the quick check's memory "
                "of the archives was not updated.");
}

}  // namespace
}  // namespace kw
