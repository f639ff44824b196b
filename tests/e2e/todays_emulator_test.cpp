// Today's emulator (Debian's mame package), when it is installed: a profile made from its
// -listxml by the console program, checked against the emulator and read back. The profile is
// kept between runs for the same version of the emulator, so that the suite asks for the list
// of 45,000 machines once per version.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/profile/profile_file.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "platform/fs.h"
#include "support/cli_run.h"
#include "support/todays_emulator.h"

namespace kw {
namespace {

using test::kTodaysEmulator;

// The profile of the installed emulator's version: from the cache, or made now and kept there.
std::string TodaysProfile(const test::TempDir& dir, std::string& version) {
  const test::TodaysVersion asked = test::TodaysEmulatorVersion();
  version = asked.line;
  const std::string& key = asked.key;
  // The name says which profile contents it holds: a cache of an older program's is not used.
  const std::string cached = test::TodaysEmulatorCacheDir() + "TODAY-" + key + "-audit.KSL";
  if (std::filesystem::exists(cached)) return cached;
  test::CliRun made =
      test::RunCli({"create-profile", kTodaysEmulator, dir / "TODAY.KSL"}, dir, dir.Path());
  EXPECT_EQ(made.status, 0) << made.err;
  std::filesystem::create_directories(test::TodaysEmulatorCacheDir());
  std::filesystem::copy_file(dir / "TODAY.KSL", cached + ".part",
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::rename(cached + ".part", cached);
  return cached;
}

TEST(TodaysEmulator, AProfileOfItsMachinesIsMadeCheckedAndReadBack) {
  if (!std::filesystem::exists(kTodaysEmulator)) GTEST_SKIP() << "the mame package is missing";
  test::TempDir dir;
  std::string version;
  const std::string profile = TodaysProfile(dir, version);
  ASSERT_FALSE(version.empty());

  test::CliRun checked = test::RunCli({"check-profile", profile}, dir, dir.Path());
  EXPECT_EQ(checked.status, 0) << checked.err;
  EXPECT_EQ(checked.out, "Profile accepted: " + version + "\n");

  Result<std::string> image = platform::fs::ReadFile(profile);
  ASSERT_TRUE(image.Ok());
  GameDatabase db;
  ASSERT_EQ(ReadProfileImage(*image, kProductName, db), ProfileReadError::kNone);
  EXPECT_EQ(db.Dialect, EmulatorDialect::kListxml);
  EXPECT_EQ(db.EmulatorDir, "/usr/games/");
  EXPECT_EQ(db.EmulatorExe, "mame");
  EXPECT_GT(db.GameCount(), 35000u);

  const GameRecord* pacman = db.FindSet("PACMAN", false);
  ASSERT_NE(pacman, nullptr);
  EXPECT_EQ(db.Description(*pacman), "Pac-Man (Midway)");
  EXPECT_EQ(pacman->Year, 1980);
  EXPECT_EQ(db.Manufacturer(*pacman), "Namco (Midway license)");
  EXPECT_EQ(pacman->CloneOf, "PUCKMAN");
  EXPECT_EQ(pacman->RomOf, "PUCKMAN");
  EXPECT_EQ(pacman->Vertical, 1);
  EXPECT_EQ(pacman->Width, 288);
  EXPECT_EQ(db.Roms(*pacman).size(), 10u);
  ASSERT_FALSE(db.Chips(*pacman).empty());
  EXPECT_EQ(db.Text(db.Chips(*pacman)[0].Name), "Zilog Z80");

  // What the audit needs: devices with ROMs, BIOS and disks, hashes and dump marks.
  const GameRecord* digdug = db.FindSet("DIGDUG", false);
  ASSERT_NE(digdug, nullptr);
  EXPECT_EQ(db.Entry(*digdug).Devices, (std::vector<std::string>{"NAMCO51", "NAMCO53"}));
  EXPECT_EQ(Sha1Hex(db.Text(db.Roms(*digdug)[0].Sha1)), "86689980410b9429cd7582c7a76342721c87d030");
  EXPECT_EQ(digdug->DriverStatus, kDriverGood);
  const GameRecord* namco53 = db.FindSet("NAMCO53", true);
  ASSERT_NE(namco53, nullptr);
  EXPECT_EQ(namco53->Machine, kMachineDevice);
  const GameRecord* kinst = db.FindSet("KINST", false);
  ASSERT_NE(kinst, nullptr);
  ASSERT_EQ(db.Disks(*kinst).size(), 1u);
  EXPECT_EQ(db.Entry(*kinst).Disks[0],
            (DiskEntry{"kinst", "", Sha1Bytes("81d833236e994528d1482979261401b198d1ca53"), 0}));
  EXPECT_EQ(db.FindSet("PC_SMB", false)->RomOf, "PLAYCH10");
  EXPECT_EQ(db.FindSet("PLAYCH10", true)->Machine, kMachineBios);
  EXPECT_EQ(db.FindSet("NEOGEO", true)->Machine, kMachineBios);
  std::size_t mechanical = 0, bad_dumps = 0, no_dumps = 0, optional = 0;
  for (const GameRecord& game : db.Games()) {
    mechanical += (game.Machine & kMachineMechanical) != 0;
    for (const RomRecord& rom : db.Roms(game)) {
      bad_dumps += (rom.Flags & kDumpBad) != 0;
      no_dumps += (rom.Flags & kDumpNone) != 0;
      optional += (rom.Flags & kDumpOptional) != 0;
    }
  }
  EXPECT_GT(mechanical, 1000u);
  EXPECT_GT(bad_dumps, 1000u);
  EXPECT_GT(no_dumps, 1000u);
  EXPECT_GT(optional, 10u);

  // Names longer than the era's 8 characters, kept whole.
  EXPECT_NE(db.FindSet("SFIII3NR1", false), nullptr);
  EXPECT_NE(db.FindSet("FCCPU30SENR501", false), nullptr);
  // The BIOS and a device with a ROM of its own are resources; a machine that needs no ROM
  // file is a game.
  EXPECT_EQ(db.FindSet("NEOGEO", false), nullptr);
  EXPECT_NE(db.FindSet("NEOGEO", true), nullptr);
  const GameRecord* qsound = db.FindSet("QSOUND", true);
  ASSERT_NE(qsound, nullptr);
  EXPECT_EQ(db.Roms(*qsound).size(), 1u);
  const GameRecord* pong = db.FindSet("PONG", false);
  ASSERT_NE(pong, nullptr);
  EXPECT_TRUE(db.Roms(*pong).empty());
  // A ROM no good dump is known of has no CRC.
  const GameRecord* nineteen = db.FindSet("19IN1", false);
  ASSERT_NE(nineteen, nullptr);
  bool nodump_seen = false;
  for (const RomRecord& rom : db.Roms(*nineteen))
    if (db.Text(rom.Name) == "19IN1_EEPROM.BIN") nodump_seen = rom.Crc == 0;
  EXPECT_TRUE(nodump_seen);
}

}  // namespace
}  // namespace kw
