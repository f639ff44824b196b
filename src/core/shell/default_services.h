// The least behaviour of the services that start-up needs until their own parts are built:
// opening a profile file, a notice in place of profile creation, no emulator configuration and
// no statistics.
#pragma once

#include "core/shell/services.h"

namespace kw {

class MainShell;

class DefaultProfileService : public ProfileService {
 public:
  explicit DefaultProfileService(MainShell& shell) : shell_(shell) {}
  void OpenProfile(const std::string& path) override;
  void CreateProfile() override;

 private:
  MainShell& shell_;
};

class DefaultEmulatorConfigService : public EmulatorConfigService {
 public:
  explicit DefaultEmulatorConfigService(MainShell& shell) : shell_(shell) {}
  void ReadEmulatorConfig() override;
  void WriteEmulatorConfig() override {}

 private:
  MainShell& shell_;
};

class DefaultStatsService : public StatsService {
 public:
  void LoadStats() override {}
  void SaveStats() override {}
};

}  // namespace kw
