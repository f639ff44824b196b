// KESTREL.INI and the front-end settings read from it, held for the whole run.
#pragma once

#include <string>

#include "common/result.h"
#include "core/shared/filter_settings.h"
#include "core/shared/settings.h"
#include "platform/ini.h"

namespace kw {

class SettingsStore {
 public:
  explicit SettingsStore(std::string path) : file_(std::move(path)) {}

  FrontEndSettings& Values() { return values_; }
  const FrontEndSettings& Values() const { return values_; }
  // The game list's filters, in their own section.
  FilterSettings& Filters() { return filters_; }
  const FilterSettings& Filters() const { return filters_; }
  const std::string& Path() const { return file_.Path(); }

  // Reads every key; a missing file gives the defaults. `system_dir` gives the editor default.
  void Load(const std::string& system_dir);
  // Writes every key into the file as it is now, so that lines added to it while the program
  // ran are kept. Fails with "Unable to write to <path>".
  Status Save();

 private:
  FrontEndSettings values_;
  FilterSettings filters_;
  platform::IniFile file_;
};

}  // namespace kw
