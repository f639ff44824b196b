// The demo collection, written for real into temporary directories and read back through the
// program's listinfo parser and libarchive.
#include "demo/demo_collection.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <tuple>

#include "core/profile/listinfo_parser.h"
#include "core/shared/game_database.h"
#include "demo/demo_games.h"
#include "platform/picture_decode.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

namespace sfs = std::filesystem;
using demo::DemoFault;

struct Member {
  std::uint32_t size = 0;
  std::uint32_t crc = 0;
  bool operator==(const Member&) const = default;
};
using Members = std::map<std::string, Member>;

// Names as the emulator compares them: without regard to case (the parser upper-cases the
// unquoted names of the listing).
std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), ::tolower);
  return text;
}

// What a zip holds, read through libarchive, by lower-case name.
Members ReadZip(const std::string& path) {
  Members members;
  archive* a = archive_read_new();
  archive_read_support_format_zip(a);
  EXPECT_EQ(archive_read_open_filename(a, path.c_str(), 16384), ARCHIVE_OK) << path;
  archive_entry* entry = nullptr;
  while (archive_read_next_header(a, &entry) == ARCHIVE_OK) {
    std::string data(static_cast<std::size_t>(archive_entry_size(entry)), '\0');
    EXPECT_EQ(archive_read_data(a, data.data(), data.size()), static_cast<la_ssize_t>(data.size()));
    members[Lower(archive_entry_pathname(entry))] = {
        static_cast<std::uint32_t>(data.size()),
        static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())))};
  }
  archive_read_free(a);
  return members;
}

// The zip of `set` in `dir`, its name matched without regard to case; "" when there is none.
std::string FindZip(const std::string& dir, const std::string& set) {
  for (const auto& e : sfs::directory_iterator(dir))
    if (Lower(e.path().filename().string()) == Lower(set) + ".zip") return e.path().string();
  return "";
}

std::string ReadAll(const sfs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& e : sfs::recursive_directory_iterator(root))
    if (e.is_regular_file()) files[sfs::relative(e.path(), root).string()] = ReadAll(e.path());
  return files;
}

class DemoCollectionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempDir;
    ASSERT_TRUE(demo::WriteDemoCollection(dir_->Path() + "demo", KW_STAND_IN_EMULATOR).Ok());
    emulator_ = dir_->Path() + "demo/emulator/";
  }
  static void TearDownTestSuite() { delete dir_; }
  static test::TempDir* dir_;
  static std::string emulator_;
};
test::TempDir* DemoCollectionTest::dir_ = nullptr;
std::string DemoCollectionTest::emulator_;

TEST_F(DemoCollectionTest, TwoRunsWriteTheSameBytesAndTheEmulatorIsExecutable) {
  // The second run in a time zone of its own: the zips' local-time stamps must not follow it.
  test::TempDir other;
  const char* zone = std::getenv("TZ");
  const std::string saved = zone ? zone : "";
  setenv("TZ", "Pacific/Chatham", 1);
  tzset();
  ASSERT_TRUE(demo::WriteDemoCollection(other / "a/b", KW_STAND_IN_EMULATOR).Ok());
  zone ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
  tzset();
  const auto first = Tree(emulator_);
  const auto second = Tree(other / "a/b/emulator");
  EXPECT_GT(first.size(), 100u);
  ASSERT_EQ(first.size(), second.size());
  for (const auto& [name, bytes] : first)
    EXPECT_TRUE(second.at(name) == bytes) << name;
  struct stat st {};
  ASSERT_EQ(stat((emulator_ + "mame").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0755u);
  for (const char* file : {"MAME.CFG", "HISCORE.DAT", "HISTORY.DAT", "MAMEINFO.DAT", "CHEAT.DAT",
                           "SNAP/moonmoth.png", "SNAP/starloom.jpg", "SNAP/tumblwd.bmp"})
    EXPECT_TRUE(first.count(file)) << file;
  EXPECT_EQ(first.count("SNAP/pebblru2.png") + first.count("SNAP/moonmthb.png"), 1u)
      << "one clone with a screenshot of its own, one showing its master's";
  // Every picture reads back at its size: PNG and JPEG through the panel's decoders, BMP by
  // its header.
  for (const auto& [name, bytes] : first) {
    const std::string ext = sfs::path(name).extension().string();
    Result<platform::DecodedPicture> picture =
        ext == ".png"   ? platform::DecodePng(bytes)
        : ext == ".jpg" ? platform::DecodeJpeg(bytes)
                        : Result<platform::DecodedPicture>(Failure("not a picture"));
    if (ext == ".png" || ext == ".jpg") {
      EXPECT_TRUE(picture && picture->width * picture->height >= 200 * 200) << name;
    }
    if (ext == ".bmp") {
      EXPECT_TRUE(bytes.substr(0, 2) == "BM" && bytes.size() > 200 * 200 * 3) << name;
    }
  }
}

TEST_F(DemoCollectionTest, ListingParsesAndEverySetHoldsWhatItLists) {
  GameDatabase db;
  Result<std::vector<ListinfoLogEntry>> log = ParseListinfoFile(emulator_ + "STANDIN.LST", db);
  ASSERT_TRUE(log.Ok()) << log.Message();
  EXPECT_TRUE(log->empty()) << ErrorReportLines(*log).front();
  EXPECT_EQ(db.GameCount(), demo::DemoGames().size());
  EXPECT_EQ(db.GameCount(), 42u);
  EXPECT_EQ(db.ResourceCount(), 1u);

  std::map<std::string, DemoFault> faults;
  for (const demo::DemoGame& g : demo::DemoGames())
    faults[g.name] = g.fault;
  int broken = 0;
  int upper_case = 0;
  std::vector<GameRecord> records = db.Games();
  records.insert(records.end(), db.Resources().begin(), db.Resources().end());
  for (const GameRecord& record : records) {
    const std::string name = Lower(record.Name.Str());
    Members listed;
    for (const RomRecord& rom : db.Roms(record))
      if (rom.Merge == 0) listed[Lower(std::string(db.Text(rom.Name)))] = {rom.Size, rom.Crc};
    const std::string zip = FindZip(emulator_ + "ROMS", name);
    if (zip.empty() || listed.empty()) {
      EXPECT_TRUE(zip.empty() && (listed.empty() || faults[name] == DemoFault::kMissingSet))
          << name;
      broken += faults[name] == DemoFault::kMissingSet;
      continue;
    }
    upper_case += sfs::path(zip).filename() == name + ".zip" ? 0 : 1;
    const Members held = ReadZip(zip);
    // What is wrong: listed files that are absent or differ, and held files not listed.
    int absent = 0, wrong_crc = 0, wrong_size = 0, unlisted = 0;
    for (const auto& [file, want] : listed) {
      auto it = held.find(file);
      if (it == held.end())
        ++absent;
      else if (it->second.size != want.size)
        ++wrong_size;
      else if (it->second.crc != want.crc)
        ++wrong_crc;
    }
    for (const auto& [file, got] : held)
      unlisted += listed.count(file) ? 0 : 1;
    const auto counts = std::make_tuple(absent, wrong_crc, wrong_size, unlisted);
    switch (faults[name]) {
      case DemoFault::kNone:
        EXPECT_EQ(held, listed) << name;
        break;
      case DemoFault::kMisnamedFile:
        EXPECT_EQ(counts, std::make_tuple(1, 0, 0, 1)) << name;
        break;
      case DemoFault::kWrongCrc:
        EXPECT_EQ(counts, std::make_tuple(0, 1, 0, 0)) << name;
        break;
      case DemoFault::kWrongSize:
        EXPECT_EQ(counts, std::make_tuple(0, 0, 1, 0)) << name;
        break;
      case DemoFault::kExtraFile:
        EXPECT_EQ(counts, std::make_tuple(0, 0, 0, 1)) << name;
        break;
      case DemoFault::kMissingSet:
        ADD_FAILURE() << name << " should have no zip";
        break;
    }
    broken += faults[name] != DemoFault::kNone;
  }
  EXPECT_EQ(broken, 5);
  EXPECT_EQ(upper_case, 2);

  // Sample sets hold the WAV files the games name.
  for (const GameRecord& record : db.Games()) {
    if (db.Samples(record).empty()) continue;
    std::string owner = record.SampleOf.empty() ? record.Name.Str() : record.SampleOf.Str();
    const std::string zip = FindZip(emulator_ + "SAMPLES", owner);
    ASSERT_FALSE(zip.empty()) << owner;
    const Members held = ReadZip(zip);
    for (TextId sample : db.Samples(record)) {
      const std::string wav = Lower(std::string(db.Text(sample)));
      EXPECT_TRUE(held.count(wav)) << owner << " " << wav;
    }
  }
}

TEST(MakeDemoTest, WritesTheCollectionWithItsProfileAndRefusesAFileInPlaceOfTheDirectory) {
  test::TempDir dir;
  test::CliRun run = test::RunCli({"make-demo", dir / "new"}, dir, dir.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  // The profile is made by asking the stand-in emulator, as the new-profile window does.
  EXPECT_EQ(run.out,
            "M.A.M.E. v0.37 BETA 5 (Kestrelwing stand-in) - Multiple Arcade Machine Emulator\n"
            "Games found: 42\nResources found: 1\nDemo collection written to " +
                (dir / "new") + "\n");
  test::CliRun checked = test::RunCli({"check-profile", dir / "new/DEMO.KSL"}, dir, dir.Path());
  EXPECT_EQ(checked.status, 0) << checked.err;
  const std::string first = dir.Read("new/DEMO.KSL");
  EXPECT_EQ(test::RunCli({"make-demo", dir / "new"}, dir, dir.Path()).status, 0);
  EXPECT_EQ(dir.Read("new/DEMO.KSL"), first) << "the same bytes again";

  const std::string file = dir.Write("plain", "not a directory");
  run = test::RunCli({"make-demo", file}, dir);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "kestrelwing-cli: " + file + " exists and is not a directory\n");
  EXPECT_EQ(dir.Read("plain"), "not a directory");
}

}  // namespace
}  // namespace kw
