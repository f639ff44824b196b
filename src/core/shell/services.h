// The operations that start-up and shutdown call but that other parts of the program provide:
// opening and creating profiles, the emulator's configuration file, the play statistics. The
// shell calls them in their places; each has a small default here until its part is built.
#pragma once

#include <string>

namespace kw {

class ProfileService {
 public:
  virtual ~ProfileService() = default;
  virtual void OpenProfile(const std::string& path) = 0;
  virtual void CreateProfile() = 0;
};

class EmulatorConfigService {
 public:
  virtual ~EmulatorConfigService() = default;
  // Reads MAME.CFG of the open profile's emulator (and rebuilds the text-file submenu).
  virtual void ReadEmulatorConfig() = 0;
  // Writes it back; does nothing when no configuration was read.
  virtual void WriteEmulatorConfig() = 0;
};

class StatsService {
 public:
  virtual ~StatsService() = default;
  virtual void LoadStats() = 0;
  virtual void SaveStats() = 0;
};

}  // namespace kw
