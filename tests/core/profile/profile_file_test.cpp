#include "core/profile/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/shared/game_database.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

const std::string kTag = std::string("Kestrelwing - Supported games data\r\n\x1A", 37);

std::string Text(std::string_view s) {
  return std::string(1, static_cast<char>(s.size())) + std::string(s);
}
std::string U16(unsigned v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string U32(std::uint32_t v) {
  return U16(v & 0xFFFF) + U16(v >> 16);
}

GameEntry SampleGame() {
  GameEntry g;
  g.Index = 0x0102;
  g.Name = "PACMANJP";
  g.Description = "PuckMan (Japan set 2)";
  g.Year = 1980;
  g.Manufacturer = "Namco";
  g.CloneOf = "PACMAN";
  g.RomOf = "PACMAN";
  g.SampleOf = "RALLYX";
  g.Raster = 0;
  g.Vertical = 1;
  g.Width = 224;
  g.Height = 288;
  g.Colors = -2;
  g.Freq = "60.000000";
  g.Channels = 1;
  g.Players = 2;
  g.Control = 3;
  g.Buttons = 4;
  g.Coins = 5;
  g.Tilt = 1;
  g.Service = 1;
  g.DipSwitches = 9;
  g.DriverStatus = 1;
  g.DriverColor = 2;
  g.DriverSound = 3;
  g.ColorDeep = 1;
  g.Roms.push_back({"PACMAN.6E", "PM.6E", "CPU1", 1, 0x1000, 4096, 0xC1E6AB10});
  g.Chips.push_back({1, 1, "Z80", "3072000"});
  g.Samples.push_back("BANG.WAV");
  return g;
}

GameDatabase SampleDatabase() {
  GameDatabase db;
  db.EmulatorDir = "/emu/mame/";
  db.EmulatorExe = "MAME.EXE";
  db.EmulatorVersion = "M.A.M.E. v0.37 BETA 5";
  db.AddGame(SampleGame());
  GameEntry second;
  second.Index = 2;
  second.Name = "B";
  db.AddGame(second);
  GameEntry neogeo;
  neogeo.Index = 1;
  neogeo.Name = "NEOGEO";
  neogeo.Roms.push_back({"NEO-GEO.ROM", "", "", 0, 0, 131072, 0x9036D879});
  db.AddResource(neogeo);
  return db;
}

std::string ExpectedImage() {
  std::string s = kTag + Text("/emu/mame/") + Text("MAME.EXE") + Text("M.A.M.E. v0.37 BETA 5");
  s += '\xBA';
  s += U16(0x0102) + Text("PACMANJP") + Text("PuckMan (Japan set 2)") + U16(1980) + Text("Namco") +
       Text("PACMAN") + Text("PACMAN") + Text("RALLYX");
  s += std::string("\x00\x01", 2) + U16(224) + U16(288) + U32(0xFFFFFFFE) + Text("60.000000");
  s += std::string("\x01\x02\x03\x04\x05\x01\x01\x09\x01\x02\x03\x01", 12);
  s += '\xBC';
  s += Text("PACMAN.6E") + Text("PM.6E") + Text("CPU1") + '\x01' + U32(0x1000) + U32(4096) +
       U32(0xC1E6AB10);
  s += '\xBD';
  s += std::string("\x01\x01", 2) + Text("Z80") + Text("3072000");
  s += '\xBE';
  s += Text("BANG.WAV");
  auto empty_body = [](unsigned index, std::string_view name) {
    return U16(index) + Text(name) + Text("") + U16(0) + Text("") + Text("") + Text("") + Text("") +
           std::string("\x01\x00", 2) + U16(0) + U16(0) + U32(0) + Text("") + std::string(12, '\0');
  };
  s += '\xBA';
  s += empty_body(2, "B");
  s += '\xBB';
  s += empty_body(1, "NEOGEO");
  s += '\xBC';
  s += Text("NEO-GEO.ROM") + Text("") + Text("") + '\x00' + U32(0) + U32(131072) + U32(0x9036D879);
  return s;
}

// The records of a list as plain values, for comparing two databases.
std::vector<GameEntry> Entries(const GameDatabase& db, bool games) {
  std::vector<GameEntry> entries;
  for (const GameRecord& r : games ? db.Games() : db.Resources())
    entries.push_back(db.Entry(r));
  return entries;
}

ProfileReadError Read(std::string_view image, GameDatabase& db) {
  return ReadProfileImage(image, kProductName, db);
}

TEST(ProfileImage, LayoutIsByteExact) {
  EXPECT_EQ(ProfileTag("Kestrelwing"), kTag);
  EXPECT_EQ(ProfileTag("Kestrelwing").size(), 37u);
  EXPECT_EQ(BuildProfileImage(SampleDatabase(), kProductName), ExpectedImage());
}

TEST(ProfileImage, ReadingGivesBackEveryFieldAndOrder) {
  GameDatabase db;
  ASSERT_EQ(Read(ExpectedImage(), db), ProfileReadError::kNone);
  GameDatabase expected = SampleDatabase();
  EXPECT_EQ(db.EmulatorDir, expected.EmulatorDir);
  EXPECT_EQ(db.EmulatorExe, expected.EmulatorExe);
  EXPECT_EQ(db.EmulatorVersion, expected.EmulatorVersion);
  EXPECT_EQ(Entries(db, true), Entries(expected, true));
  EXPECT_EQ(Entries(db, false), Entries(expected, false));
}

TEST(ProfileImage, EntriesInAnyOrderLandInTheirOwnLists) {
  GameDatabase source;
  GameEntry g;
  g.Name = "X";
  source.AddGame(g);
  std::string image = BuildProfileImage(source, kProductName);
  image += '\xBE';
  image += Text("S1.WAV");
  image += '\xBC';
  image += Text("R1") + Text("") + Text("") + '\0' + U32(0) + U32(1) + U32(2);
  image += '\xBE';
  image += Text("S2.WAV");
  image += '\xBD';
  image += std::string("\x02\x00", 2) + Text("YM2151") + Text("");
  image += '\xBC';
  image += Text("R2") + Text("") + Text("") + '\0' + U32(0) + U32(3) + U32(4);
  GameDatabase db;
  ASSERT_EQ(Read(image, db), ProfileReadError::kNone);
  const GameEntry r = db.Entry(db.Game(0));
  EXPECT_EQ(r.Samples, (std::vector<std::string>{"S1.WAV", "S2.WAV"}));
  ASSERT_EQ(r.Roms.size(), 2u);
  EXPECT_EQ(r.Roms[1].Name, "R2");
  ASSERT_EQ(r.Chips.size(), 1u);
  EXPECT_EQ(r.Chips[0].Name, "YM2151");
}

TEST(ProfileImage, TextsLongerThanTheirFieldAreCutOnReading) {
  GameDatabase source;
  GameEntry g;
  g.Name = "X";
  source.AddGame(g);
  std::string image = BuildProfileImage(source, kProductName);
  // Rewrite the set name as ten characters.
  std::size_t name_at = kTag.size() + 1 + 1 + 1 + 1 + 2;
  ASSERT_EQ(image.substr(name_at, 2), Text("X"));
  image.replace(name_at, 2, Text("ABCDEFGHIJ"));
  image += '\xBC';
  image += Text("ABCDEFGHIJKLMNOP") + Text("") + Text("") + '\0' + U32(0) + U32(1) + U32(2);
  GameDatabase db;
  ASSERT_EQ(Read(image, db), ProfileReadError::kNone);
  EXPECT_EQ(db.Game(0).Name, "ABCDEFGH");
  EXPECT_EQ(db.Entry(db.Game(0)).Roms[0].Name, "ABCDEFGHIJKL");
  EXPECT_EQ(db.Entry(db.Game(0)).Roms[0].Crc, 2u) << "all bytes of the long text were consumed";
}

// A large profile is made in two parts at once: the records, each game's own, in their order,
// every game's image as it is made alone.
TEST(ProfileImage, AProfileMadeInTwoPartsHoldsEveryRecordInOrder) {
  GameDatabase source = SampleDatabase();
  GameEntry g = SampleGame();
  for (int i = 0; i < 5000; ++i) {
    g.Name = "G" + std::to_string(i);
    g.Roms[0].Crc = static_cast<std::uint32_t>(i);
    source.AddGame(g);
  }
  source.AddResource(SampleGame());
  const std::string image = BuildProfileImage(source, kProductName);
  GameDatabase back;
  ASSERT_EQ(Read(image, back), ProfileReadError::kNone);
  ASSERT_EQ(back.GameCount(), source.GameCount());
  ASSERT_EQ(back.ResourceCount(), source.ResourceCount());
  for (std::size_t i = 0; i < source.GameCount(); ++i)
    EXPECT_EQ(back.Entry(back.Game(i)), source.Entry(source.Game(i)));
  for (std::size_t i = 0; i < source.ResourceCount(); ++i)
    EXPECT_EQ(back.Entry(back.Resource(i)), source.Entry(source.Resource(i)));
  // The image is the head, then each record's bytes as a profile of that record alone has them.
  GameDatabase one;
  one.AddGame(source.Entry(source.Game(4000)));
  const std::string alone = BuildProfileImage(one, kProductName);
  EXPECT_NE(image.find(alone.substr(kTag.size() + 3)), std::string::npos);
}

TEST(ProfileImage, TodaysDialectIsABlockAfterTheTextsAndKeepsLongNamesWhole) {
  GameDatabase source;
  source.EmulatorDir = "/usr/games/";
  source.EmulatorExe = "mame";
  source.EmulatorVersion = "0.251 (unknown)";
  source.Dialect = EmulatorDialect::kListxml;
  GameEntry g;
  g.Name = "FCCPU30SENR501";
  g.RomOf = "SFIII3NR1";
  g.Roms.push_back({"78081G503.IC655-LONGER-NAME.BIN", "", "MAINCPU-REGION", 0, 0, 16, 7});
  source.AddGame(g);
  const std::string image = BuildProfileImage(source, kProductName);
  const std::string texts = kTag + Text("/usr/games/") + Text("mame") + Text("0.251 (unknown)");
  EXPECT_EQ(image.substr(0, texts.size() + 9), texts + '\xBF' + Text("listxml"));
  EXPECT_EQ(image[texts.size() + 9], '\xBA');
  GameDatabase db;
  ASSERT_EQ(Read(image, db), ProfileReadError::kNone);
  EXPECT_EQ(db.Dialect, EmulatorDialect::kListxml);
  EXPECT_EQ(db.Entry(db.Game(0)), g);
  EXPECT_EQ(BuildProfileImage(db, kProductName), image);

  // The era's profile has no block, and a block naming no known dialect is refused.
  EXPECT_EQ(ExpectedImage().find('\xBF'), std::string::npos);
  std::string unknown = image;
  unknown.replace(texts.size() + 1, 8, Text("future!"));
  EXPECT_EQ(Read(unknown, db), ProfileReadError::kUnknownDialect);
}

TEST(ProfileImage, TodaysProfileKeepsWhatTheAuditNeedsAndTheErasNeverHoldsIt) {
  GameEntry g;
  g.Name = "KINST";
  g.RomOf = "KINSTBIOS";
  g.Machine = kMachineMechanical;
  g.Roms.push_back({"U98.BIN", "", "", kDumpBad | kDumpOptional, 0, 16, 7, std::string(20, 'h')});
  g.Roms.push_back({"NONE.BIN", "", "", kDumpNone, 0, 16, 0});
  g.Disks.push_back({"kinst", "", std::string(20, '\x81'), 0});
  g.Disks.push_back({"kinst2", "kinstp", "", kDumpNone | kDumpOptional});
  g.Devices = {"NAMCO51", "NAMCO53"};
  GameEntry device;
  device.Name = "NAMCO51";
  device.Machine = kMachineDevice;
  device.Roms.push_back({"51XX.BIN", "", "", 0, 0, 1024, 0xc2f57ef8});

  GameDatabase today;
  today.Dialect = EmulatorDialect::kListxml;
  today.AddGame(g);
  today.AddResource(device);
  const std::string image = BuildProfileImage(today, kProductName);
  GameDatabase db;
  ASSERT_EQ(Read(image, db), ProfileReadError::kNone);
  EXPECT_EQ(db.Entry(db.Game(0)), g);
  EXPECT_EQ(db.Entry(db.Resource(0)), device);
  EXPECT_EQ(BuildProfileImage(db, kProductName), image);
  // Every cut inside the new entries is refused as truncated or ends at a whole record.
  for (std::size_t size = image.size() - 60; size < image.size(); ++size) {
    const ProfileReadError error = Read(image.substr(0, size), db);
    EXPECT_TRUE(error == ProfileReadError::kTruncated || error == ProfileReadError::kNone) << size;
  }

  // The era's profile writes none of it, and its reader takes the new markers for no markers.
  GameDatabase era, plain;
  era.AddGame(g);
  GameEntry bare = g;
  bare.Machine = 0;
  bare.Disks.clear();
  bare.Devices.clear();
  for (RomEntry& rom : bare.Roms)
    rom.Sha1.clear();
  plain.AddGame(bare);
  const std::string era_image = BuildProfileImage(era, kProductName);
  EXPECT_EQ(era_image, BuildProfileImage(plain, kProductName));
  for (char marker : {'\xB6', '\xB7', '\xB8', '\xB9'}) {
    EXPECT_EQ(Read(era_image + marker + '\0', db), ProfileReadError::kInvalidHeaderTag);
  }
}

TEST(ProfileImage, WrongTagIsAnInvalidFileTypeAndLeavesTheEmulatorTexts) {
  GameDatabase db;
  db.EmulatorDir = "/old/";
  db.AddGame(GameEntry{});
  std::string image = ExpectedImage();
  image[0] = 'k';
  EXPECT_EQ(Read(image, db), ProfileReadError::kInvalidFileType);
  EXPECT_EQ(db.EmulatorDir, "/old/");
  EXPECT_EQ(db.GameCount(), 0u);
  EXPECT_EQ(Read("", db), ProfileReadError::kInvalidFileType);
  EXPECT_EQ(Read(kTag.substr(0, 36), db), ProfileReadError::kInvalidFileType);
  // Another product's tag is another file type.
  EXPECT_EQ(ReadProfileImage(ExpectedImage(), "Kestrelwinh", db),
            ProfileReadError::kInvalidFileType);
}

TEST(ProfileImage, ByteThatIsNoMarkerIsAnInvalidHeaderTag) {
  GameDatabase db;
  std::string head = kTag + Text("/e/") + Text("M.EXE") + Text("v");
  EXPECT_EQ(Read(head + '\xBC', db), ProfileReadError::kInvalidHeaderTag);
  EXPECT_EQ(db.EmulatorExe, "M.EXE");

  // A bad entry marker inside the fourth record: the three before it stay.
  GameEntry extra;
  extra.Name = "EXTRA";
  GameDatabase one;
  one.AddGame(extra);
  std::string image =
      ExpectedImage() + BuildProfileImage(one, kProductName).substr(kTag.size() + 3);
  image += '\x7F';
  EXPECT_EQ(Read(image, db), ProfileReadError::kInvalidHeaderTag);
  EXPECT_EQ(db.GameCount(), 2u);
  EXPECT_EQ(db.ResourceCount(), 1u);
}

TEST(ProfileImage, EveryCutIsEitherAWholeRecordBoundaryOrTruncated) {
  const std::string image = ExpectedImage();
  std::vector<std::size_t> complete;
  for (std::size_t size = 0; size < image.size(); ++size) {
    GameDatabase db;
    ProfileReadError e = Read(std::string_view(image).substr(0, size), db);
    if (size < kTag.size()) {
      EXPECT_EQ(e, ProfileReadError::kInvalidFileType);
    } else if (e == ProfileReadError::kNone) {
      complete.push_back(size);
    } else {
      EXPECT_EQ(e, ProfileReadError::kTruncated) << "cut at " << size;
    }
  }
  // The only cuts that read cleanly fall after a finished entry of the last record read.
  for (std::size_t size : complete) {
    GameDatabase db;
    Read(std::string_view(image).substr(0, size), db);
    std::string again = BuildProfileImage(db, kProductName);
    EXPECT_EQ(again, image.substr(0, size)) << "cut at " << size;
  }
  EXPECT_FALSE(complete.empty());
}

TEST(ProfileImage, RecordsBeforeATruncatedOneStay) {
  std::string image = ExpectedImage();
  image.resize(image.size() - 3);  // inside the resource's ROM entry
  GameDatabase db;
  EXPECT_EQ(Read(image, db), ProfileReadError::kTruncated);
  EXPECT_EQ(db.GameCount(), 2u);
  EXPECT_EQ(db.ResourceCount(), 0u);
  EXPECT_EQ(ProfileErrorMessage("/p/MAME.KSL", ProfileReadError::kTruncated),
            "/p/MAME.KSL: file is truncated");
}

TEST(ProfileImage, MoreThan65535GamesAreRefused) {
  GameDatabase one;
  one.AddGame(GameEntry{});
  std::string image = BuildProfileImage(one, kProductName);
  std::string record = image.substr(kTag.size() + 3);
  image.reserve(image.size() + record.size() * 65536);
  for (int i = 0; i < 65535; ++i)
    image += record;
  GameDatabase db;
  EXPECT_EQ(Read(image, db), ProfileReadError::kTooManyRecords);
  EXPECT_EQ(db.GameCount(), kMaxRecords);
}

TEST(ProfileImage, AMillionEmptyEntriesLoadWithinTheMemoryBound) {
  GameDatabase one;
  one.AddGame(GameEntry{});
  std::string image = BuildProfileImage(one, kProductName);
  const std::string empty_rom = '\xBC' + Text("") + Text("") + Text("") + std::string(13, '\0');
  for (int i = 0; i < 1000000; ++i)
    image += i % 2 ? std::string("\xBE\x00", 2) : empty_rom;
  GameDatabase db;
  ASSERT_EQ(Read(image, db), ProfileReadError::kNone);
  EXPECT_EQ(db.Roms(db.Game(0)).size(), 500000u);
  EXPECT_EQ(db.Samples(db.Game(0)).size(), 500000u);
  DatabaseSize size{1, 0, 500000, 0, 500000, 0};
  EXPECT_LE(size.MemoryBytes(), kProfileMemoryFactor * image.size());
  EXPECT_EQ(ProfileErrorMessage("/p/X.KSL", ProfileReadError::kTooLarge),
            "/p/X.KSL: too many entries for its size (its records would take more than 8 times "
            "its size in memory)");
}

// Saving and loading through the files, with the windows scripted.
class ProfileFile : public ::testing::Test {
 protected:
  ProfileFileContext Context() {
    ProfileFileContext c;
    c.ProfilePathChanged = [this](const std::string& path) { changed_.push_back(path); };
    return c;
  }
  test::TempDir dir_;
  test::ScriptedUi ui_;
  std::vector<std::string> changed_;
};

TEST_F(ProfileFile, SaveWritesTheImageAndRecordsThePath) {
  GameDatabase db = SampleDatabase();
  const std::string path = dir_ / "MAME.KSL";
  ASSERT_TRUE(SaveProfile(db, path, ui_, Context()).Ok());
  EXPECT_EQ(dir_.Read("MAME.KSL"), ExpectedImage());
  EXPECT_EQ(db.ProfilePath, path);
  EXPECT_EQ(changed_, (std::vector<std::string>{path}));
  EXPECT_EQ(ui_.operations, (std::vector<std::string>{"Saving profile..."}));
  EXPECT_EQ(ui_.progress.front(), 0);
  EXPECT_FALSE(ui_.progress_visible);
  EXPECT_TRUE(ui_.messages.empty());
}

// A large profile is written from two cores a piece at a time: the file holds the very bytes
// of its image.
TEST_F(ProfileFile, ALargeProfileIsWrittenAsItsImage) {
  GameDatabase db = SampleDatabase();
  GameEntry g = SampleGame();
  for (int i = 0; i < 9000; ++i) {
    g.Name = "G" + std::to_string(i);
    g.Description = std::string(static_cast<std::size_t>(i % 200), 'd');
    db.AddGame(g);
  }
  const std::string image = BuildProfileImage(db, kProductName);
  ASSERT_GT(image.size(), 1000000u) << "several of the writer's pieces";
  ASSERT_TRUE(SaveProfile(db, dir_ / "LARGE.KSL", ui_, Context()).Ok());
  EXPECT_TRUE(dir_.Read("LARGE.KSL") == image);
}

TEST_F(ProfileFile, DatabaseWithoutGamesWritesNoFile) {
  GameDatabase db;
  db.AddResource(GameEntry{});
  const std::string path = dir_ / "EMPTY.KSL";
  EXPECT_EQ(SaveProfile(db, path, ui_, Context()).Message(), kNoGamesToSave);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(ui_.events.empty());
  EXPECT_TRUE(changed_.empty());
  EXPECT_TRUE(db.ProfilePath.empty());
}

TEST_F(ProfileFile, FailedWriteIsReportedAndKeepsTheOldPath) {
  GameDatabase db = SampleDatabase();
  const std::string path = dir_ / "missing/MAME.KSL";
  Status saved = SaveProfile(db, path, ui_, Context());
  EXPECT_EQ(saved.Message().rfind("Unable to write to " + path + "\r", 0), 0u);
  EXPECT_TRUE(ui_.messages.empty()) << "the caller shows it";
  EXPECT_TRUE(changed_.empty());
  EXPECT_FALSE(ui_.progress_visible);
}

TEST_F(ProfileFile, LoadAndSaveAgainGivesTheSameBytes) {
  const std::string first = dir_.Write("FIRST.KSL", ExpectedImage());
  GameDatabase db;
  ASSERT_TRUE(LoadProfile(db, first, ui_, Context()).Ok());
  EXPECT_EQ(db.ProfilePath, first);
  EXPECT_EQ(ui_.operations, (std::vector<std::string>{"Loading profile..."}));
  EXPECT_TRUE(ui_.progress_visible) << "the caller hides the progress window";
  EXPECT_FALSE(ui_.busy);
  const std::string second = dir_ / "SECOND.KSL";
  ASSERT_TRUE(SaveProfile(db, second, ui_, Context()).Ok());
  EXPECT_EQ(dir_.Read("SECOND.KSL"), ExpectedImage());
  EXPECT_EQ(changed_, (std::vector<std::string>{first, second}));
}

TEST_F(ProfileFile, LoadFailuresGiveTheirMessage) {
  struct Case {
    std::string content;
    std::string suffix;
  };
  std::string good = ExpectedImage();
  std::vector<Case> cases = {
      {"MAME profile", ": invalid file type"},
      {kTag + Text("") + Text("") + Text("") + '\xBE', ": invalid header tag"},
      {good.substr(0, good.size() - 1), ": file is truncated"},
  };
  for (const Case& c : cases) {
    ui_ = test::ScriptedUi();
    const std::string path = dir_.Write("BAD.KSL", c.content);
    GameDatabase db;
    EXPECT_EQ(LoadProfile(db, path, ui_, Context()).Message(), path + c.suffix);
    EXPECT_FALSE(ui_.busy);
  }
  ui_ = test::ScriptedUi();
  GameDatabase db;
  EXPECT_EQ(LoadProfile(db, dir_ / "NONE.KSL", ui_, Context()).Message(),
            (dir_ / "NONE.KSL") + ": No such file or directory");
  EXPECT_TRUE(changed_.empty());
}

}  // namespace
}  // namespace kw
