#include "core/launch/run_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/shell/emulator_config.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

TEST(RunFiles, WhatTheEmulatorWroteIsUndoneAndNoCopyIsLeft) {
  test::TempDir dir;
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  EmulatorConfig config;
  config.directory.cfg = "cfg";
  config.directory.hi = "HI/";
  dir.Write("cfg/pacman.cfg", "the user's settings");
  std::filesystem::create_directories(dir / "HI");
  const std::array<RunFile, 4> files = RunFilesOf(config, "pacman", "MYREC");
  EXPECT_EQ(files[3].Stem, "MYREC");
  EXPECT_EQ(files[1].Extension, "nv");
  for (const RunFile& file : files)
    BackupRunFile(file, "$KSTEMP$");
  EXPECT_EQ(dir.Read("cfg/$KSTEMP$.cfg"), "the user's settings");
  dir.Write("cfg/pacman.cfg", "what the emulator wrote");
  dir.Write("HI/pacman.hi", "new high scores");
  for (const RunFile& file : files)
    RestoreRunFile(file, "$KSTEMP$");
  EXPECT_EQ(dir.Read("cfg/pacman.cfg"), "the user's settings");
  EXPECT_EQ(dir.Read("HI/pacman.hi"), "new high scores") << "no copy: kept as written";
  for (const char* leftover : {"cfg/$KSTEMP$.cfg", "HI/$KSTEMP$.hi", "$KSTEMP$.nv"})
    EXPECT_FALSE(std::filesystem::exists(dir / leftover)) << leftover;

  // A set name that would leave its directory is not touched.
  dir.Write("outside.cfg", "elsewhere");
  BackupRunFile(RunFile{"cfg", "../outside", "cfg"}, "$KSTEMP$");
  EXPECT_FALSE(std::filesystem::exists(dir / "cfg/$KSTEMP$.cfg"));
  std::filesystem::current_path(old);
}

TEST(RunFiles, TodaysNonVolatileMemoryDirectoryIsPutBackWhole) {
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
  for (const RunFile& file : files)
    BackupRunFile(file, "$KSTEMP$");
  dir.Write("nvram/galagamk2/eeprom", "what the emulator wrote");
  dir.Write("nvram/galagamk2/new", "a file the run made");
  for (const RunFile& file : files)
    RestoreRunFile(file, "$KSTEMP$");
  EXPECT_EQ(dir.Read("nvram/galagamk2/eeprom"), "the user's memory");
  EXPECT_EQ(dir.Read("nvram/galagamk2/sub/rtc"), "the clock");
  EXPECT_FALSE(std::filesystem::exists(dir / "nvram/galagamk2/new"));
  EXPECT_FALSE(std::filesystem::exists(dir / "nvram/$KSTEMP$"));
  std::filesystem::current_path(old);
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
