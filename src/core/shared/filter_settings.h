// The game list's filters, kept in a section of their own of KESTREL.INI. The section is written
// only while a filter is on, so that the file of a user who never filters stays as it was.
#pragma once

#include <string>

#include "core/ini_settings.h"

namespace kw {

inline constexpr std::string_view kFilterSection = "Filters";

struct FilterSettings {
  bool AvailableOnly = false;   // sets whose kept status is good or best available
  bool WorkingOnly = false;     // drivers of good status
  bool HideClones = false;      // games with a CloneOf
  bool HideBios = false;        // BIOS and device machines
  bool HideMechanical = false;  // mechanical machines
  bool FavouritesOnly = false;
  std::string Category;  // "" for every category

  // Whether any filter is on: without one the list shows every game.
  bool On() const {
    return AvailableOnly || WorkingOnly || HideClones || HideBios || HideMechanical ||
           FavouritesOnly || !Category.empty();
  }
  bool operator==(const FilterSettings&) const = default;
};

// Every key of the section, in file order.
std::span<const AnySetting<FilterSettings>> FilterDeclarations();

FilterSettings LoadFilterSettings(const platform::IniFile& ini);
// Puts the keys into the document while a filter is on; with none on, the section is removed.
// Does not flush.
void PutFilterSettings(const FilterSettings& filters, platform::IniFile& ini);

}  // namespace kw
