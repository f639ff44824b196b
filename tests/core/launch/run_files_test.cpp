#include "core/launch/run_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/shared/emulator_config.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

TEST(RunFiles, WhatTheEmulatorWroteIsKeptAndNoCopyIsLeft) {
  test::TempDir dir;
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  EmulatorConfig config;
  config.directory.cfg = "cfg";
  config.directory.hi = "HI/";
  dir.Write("cfg/pacman.cfg", "the user's settings");
  dir.Write("HI/pacman.hi", "the user's scores");
  std::filesystem::create_directories(dir / "HI");
  const std::array<RunFile, 4> files = RunFilesOf(config, "pacman", "MYREC");
  EXPECT_EQ(files[3].Stem, "MYREC");
  EXPECT_EQ(files[1].Extension, "nv");
  for (const RunFile& file : files)
    BackupRunFile(file, "$KSTEMP$");
  EXPECT_EQ(dir.Read("cfg/$KSTEMP$.pacman.cfg"), "the user's settings") << "named after its file";
  dir.Write("cfg/pacman.cfg", "what the emulator wrote");
  dir.Write("HI/pacman.hi", "");  // emptied by the run
  EXPECT_EQ(RestoreRunFile(files[0], "$KSTEMP$").outcome, BackupOutcome::Deleted);
  EXPECT_EQ(RestoreRunFile(files[2], "$KSTEMP$").outcome, BackupOutcome::PutBack);
  EXPECT_EQ(RestoreRunFile(files[1], "$KSTEMP$").outcome, BackupOutcome::None);
  EXPECT_EQ(dir.Read("cfg/pacman.cfg"), "what the emulator wrote");
  EXPECT_EQ(dir.Read("HI/pacman.hi"), "the user's scores");
  for (const char* leftover : {"cfg/$KSTEMP$.pacman.cfg", "HI/$KSTEMP$.pacman.hi"})
    EXPECT_FALSE(std::filesystem::exists(dir / leftover)) << leftover;

  // A set name that would leave its directory is not touched.
  dir.Write("outside.cfg", "elsewhere");
  BackupRunFile(RunFile{"cfg", "../outside", "cfg"}, "$KSTEMP$");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "cfg"), {}), 1)
      << "no copy made";

  // A link in the file's place is neither copied nor replaced by a copy.
  std::filesystem::remove(dir / "cfg/pacman.cfg");
  std::filesystem::create_symlink(dir / "outside.cfg", dir / "cfg/pacman.cfg");
  BackupRunFile(files[0], "$KSTEMP$");
  EXPECT_FALSE(std::filesystem::exists(dir / "cfg/$KSTEMP$.pacman.cfg"));
  dir.Write("cfg/$KSTEMP$.pacman.cfg", "left by a run");
  EXPECT_EQ(RestoreRunFile(files[0], "$KSTEMP$").outcome, BackupOutcome::Kept);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "cfg/pacman.cfg"));
  EXPECT_EQ(dir.Read("outside.cfg"), "elsewhere");

  // A link at the copy's name is removed, not written through, and named for the user.
  std::filesystem::remove(dir / "cfg/pacman.cfg");
  dir.Write("cfg/pacman.cfg", "the user's settings");
  std::filesystem::remove(dir / "cfg/$KSTEMP$.pacman.cfg");
  std::filesystem::create_symlink(dir / "outside.cfg", dir / "cfg/$KSTEMP$.pacman.cfg");
  EXPECT_NE(BackupRunFile(files[0], "$KSTEMP$").find("$KSTEMP$.pacman.cfg"), std::string::npos);
  EXPECT_EQ(dir.Read("outside.cfg"), "elsewhere");
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "cfg/$KSTEMP$.pacman.cfg"));
  EXPECT_EQ(dir.Read("cfg/$KSTEMP$.pacman.cfg"), "the user's settings");
  EXPECT_EQ(BackupRunFile(files[0], "$KSTEMP$"), "") << "a copy of its own is no link";
  std::filesystem::current_path(old);
}

TEST(RunFiles, TodaysNonVolatileMemoryDirectoryReturnsWholeOnlyWhenTheRunEmptiedIt) {
  test::TempDir dir;
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  EmulatorConfig config;
  config.directory.nvram = dir / "nvram";
  config.directory.inp = "inp";
  dir.Write("nvram/galagamk2/eeprom", "the user's memory");
  dir.Write("nvram/galagamk2/sub/rtc", "the clock");
  const std::array<RunFile, 4> files =
      RunFilesOf(config, "galagamk2", "MyRec", EmulatorDialect::kListxml);
  EXPECT_EQ(files[0].Stem + "." + files[0].Extension, "galagamk2.cfg");
  EXPECT_EQ(files[3].Stem + "." + files[3].Extension, "MyRec.inp")
      << "the recording as the command line names it";
  BackupRunFile(files[1], "$KSTEMP$");
  EXPECT_EQ(dir.Read("nvram/$KSTEMP$.galagamk2/sub/rtc"), "the clock");
  dir.Write("nvram/galagamk2/eeprom", "what the emulator wrote");
  EXPECT_EQ(RestoreRunFile(files[1], "$KSTEMP$").outcome, BackupOutcome::Deleted);
  EXPECT_EQ(dir.Read("nvram/galagamk2/eeprom"), "what the emulator wrote");
  EXPECT_FALSE(std::filesystem::exists(dir / "nvram/$KSTEMP$.galagamk2"));

  BackupRunFile(files[1], "$KSTEMP$");
  std::filesystem::remove_all(dir / "nvram/galagamk2");
  std::filesystem::create_directory(dir / "nvram/galagamk2");  // emptied by the run
  EXPECT_EQ(RestoreRunFile(files[1], "$KSTEMP$").outcome, BackupOutcome::PutBack);
  EXPECT_EQ(dir.Read("nvram/galagamk2/eeprom"), "what the emulator wrote");
  EXPECT_EQ(dir.Read("nvram/galagamk2/sub/rtc"), "the clock");
  EXPECT_FALSE(std::filesystem::exists(dir / "nvram/$KSTEMP$.galagamk2"));
  std::filesystem::current_path(old);
}

TEST(RunFiles, CopiesLeftInTodaysDirectoriesAreSettledByTheirNames) {
  test::TempDir dir;
  EmulatorConfig config;
  config.directory.nvram = "nvram";
  config.directory.cfg = "cfg";
  dir.Write("nvram/$KSTEMP$.galaga/eeprom", "galaga's memory");  // galaga's directory is gone
  dir.Write("nvram/$KSTEMP$/eeprom", "an older copy");
  dir.Write("nvram/$KSTEMP$.mspacman", "a file where a directory's copy would be");
  dir.Write("cfg/$KSTEMP$.galaga.cfg/x", "a directory where a file's copy would be");
  dir.Write("$KSTEMP$/galaga.rom", "the temporary directory");
  const std::vector<std::string> lines =
      SettleLeftBackups(config, dir.Path(), "$KSTEMP$", EmulatorDialect::kListxml);
  EXPECT_EQ(lines,
            (std::vector<std::string>{
                "nvram/$KSTEMP$ deleted: an older copy that names no game",
                "nvram/$KSTEMP$.galaga put back as nvram/galaga, which was missing or empty"}));
  EXPECT_EQ(dir.Read("nvram/galaga/eeprom"), "galaga's memory");
  EXPECT_EQ(dir.Read("nvram/$KSTEMP$.mspacman"), "a file where a directory's copy would be");
  EXPECT_EQ(dir.Read("cfg/$KSTEMP$.galaga.cfg/x"), "a directory where a file's copy would be");
  EXPECT_EQ(dir.Read("$KSTEMP$/galaga.rom"), "the temporary directory") << "not a copy";
  EXPECT_TRUE(SettleLeftBackups(config, dir.Path(), "$KSTEMP$", EmulatorDialect::kListxml).empty());
}

TEST(RunFiles, PlayTimeIsATimeOfDay) {
  using namespace std::chrono;
  const PlayTime almost_two = PlayTimeOf(hours(1) + minutes(59) + milliseconds(59900));
  EXPECT_EQ(almost_two.Hours, 1u);
  EXPECT_EQ(almost_two.Minutes, 59u);
  EXPECT_EQ(almost_two.Seconds, 59u);
  const PlayTime day_and_hour = PlayTimeOf(hours(25));
  EXPECT_EQ(day_and_hour.Hours, 1u);
  EXPECT_EQ(day_and_hour.Minutes + day_and_hour.Seconds, 0u);
  EXPECT_EQ(PlayTimeOf(-seconds(5)).Hours, 0u);
}

}  // namespace
}  // namespace kw
