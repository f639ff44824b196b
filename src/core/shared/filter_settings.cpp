#include "core/shared/filter_settings.h"

namespace kw {

namespace {

using F = FilterSettings;
using Any = AnySetting<FilterSettings>;

bool AnyOn(const FilterSettings& filters) {
  return filters.On();
}

// Each key is written while any filter is on, so the section says every tick at once.
constexpr Any kDeclarations[] = {
    DeclareSetting<&F::AvailableOnly>(kFilterSection, "AvailableOnly", {}, &AnyOn),
    DeclareSetting<&F::WorkingOnly>(kFilterSection, "WorkingOnly", {}, &AnyOn),
    DeclareSetting<&F::HideClones>(kFilterSection, "HideClones", {}, &AnyOn),
    DeclareSetting<&F::HideBios>(kFilterSection, "HideBios", {}, &AnyOn),
    DeclareSetting<&F::HideMechanical>(kFilterSection, "HideMechanical", {}, &AnyOn),
    DeclareSetting<&F::FavouritesOnly>(kFilterSection, "FavouritesOnly", {}, &AnyOn),
    DeclareSetting<&F::Category>(kFilterSection, "Category", {.width = 255}, &AnyOn),
};

}  // namespace

std::span<const AnySetting<FilterSettings>> FilterDeclarations() {
  return kDeclarations;
}

FilterSettings LoadFilterSettings(const platform::IniFile& ini) {
  FilterSettings filters;
  ReadSettings<FilterSettings>(ini, FilterDeclarations(), FilterSettings{}, filters);
  return filters;
}

void PutFilterSettings(const FilterSettings& filters, platform::IniFile& ini) {
  PutSettings<FilterSettings>(filters, FilterDeclarations(), ini);
  // The keys are gone with every filter off; a header left alone would still change the file.
  if (!filters.On() && ini.Keys(kFilterSection).empty()) ini.DeleteSection(kFilterSection);
}

}  // namespace kw
