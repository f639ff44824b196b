// The emulator configuration of the open profile: read from MAME.CFG each time a profile opens
// (before the Help menu's text files are looked up), written back before a run and at shutdown.
// A profile of today's emulator has the record read from the emulator's mame.ini files and its
// changes written into the user's own mame.ini (mame_options.h).
#pragma once

#include <string>

#include "core/shared/emulator_config.h"
#include "core/shared/mame_ini.h"
#include "core/shared/profile_listener.h"

namespace kw {

class GameDatabase;

class EmulatorConfigController : public ProfileListener {
 public:
  EmulatorConfigController(const GameDatabase& database, std::string temp_dir_name);

  EmulatorConfig& Config() { return config_; }
  const EmulatorConfig& Config() const { return config_; }

  // Reads the open profile's MAME.CFG (a missing file gives the defaults), or today's
  // emulator's mame.ini files.
  void ReadEmulatorConfig();
  // Writes the record into the open profile's MAME.CFG; for today's emulator, what changed
  // since the read into the user's mame.ini.
  Status WriteEmulatorConfig();
  // The write at program end, made only while a profile is loaded whose MAME.CFG this run read,
  // so that the emulator's options are never replaced by values that were not read from its
  // file: no write when no profile was opened, the last opening or creation failed, or the file
  // could not be read. True when it wrote.
  bool WriteAtShutdown();

  void ProfileOpened() override { ReadEmulatorConfig(); }
  void ProfileStateChanged(bool profile_loaded) override {
    if (!profile_loaded) read_from_.clear();
  }

 private:
  const GameDatabase& database_;
  std::string temp_dir_name_;
  EmulatorConfig config_;
  std::string read_from_;  // the directory whose file the record holds; empty when none
  // Today's emulator: the files read and the record as they gave it (what a write compares to).
  MameIniFiles mame_files_;
  EmulatorConfig mame_read_;
};

}  // namespace kw
