#include "core/shared/settings.h"

#include <array>

#include "common/ascii.h"
#include "platform/fs.h"
#include "platform/ini.h"
#include "platform/system_info.h"

namespace kw {

namespace {

using Any = AnySetting<FrontEndSettings>;

// The file order of KESTREL.INI.
constexpr Any kDeclarations[] = {
    setting::kErrorLog,
    setting::kLogTextOutput,
    setting::kExtraOptions,
    setting::kIgnoreConfig,
    setting::kScreenShots,
    setting::kCabinets,
    setting::kFlyers,
    setting::kHardware,
    setting::kScreenshotDisplay,
    setting::kSortBy,
    setting::kReverseSort,
    setting::kLastSelected,
    setting::kListRomsetName,
    setting::kListYear,
    setting::kListManufacturer,
    setting::kDXGameSelect,
    setting::kPlayButton,
    setting::kTopButton,
    setting::kBottomButton,
    setting::kPageUpButton,
    setting::kPageDownButton,
    setting::kRandomButton,
    setting::kCheckSamplesOnRun,
    setting::kCheckCRCOnRun,
    setting::kCreateFakeFiles,
    setting::kDynamicRename,
    setting::kMameCd,
    setting::kMameCdDrive,
    setting::kBoldFontSize,
    setting::kNormalFontSize,
    setting::kFile1,
    setting::kFile2,
    setting::kFile3,
    setting::kFile4,
    setting::kFile5,
    setting::kLastProfile,
    setting::kTextEditor,
    setting::kPlayWaveAtVerifyEnd,
    setting::kKillPifFile,
    setting::kUseStats,
    setting::kStatusCheckAtOpen,
};

}  // namespace

bool WritesExtraOptions(const FrontEndSettings& settings) {
  return settings.AddExtraOptions && !settings.ExtraOptions.empty();
}

bool WritesStatusCheckAtOpen(const FrontEndSettings& settings) {
  return !settings.StatusCheckAtOpen;
}

std::span<const AnySetting<FrontEndSettings>> SettingDeclarations() {
  return kDeclarations;
}

std::string UpperCase(std::string_view text) {
  return AsciiUpperCase(text);
}

std::string DefaultTextEditor(const std::string& system_dir) {
  std::string candidate =
      platform::fs::IncludeTrailingSeparator(system_dir) + platform::DefaultEditorName();
  return platform::fs::FileExists(candidate) ? candidate : std::string();
}

FrontEndSettings LoadSettings(const platform::IniFile& ini, const std::string& system_dir) {
  FrontEndSettings defaults;
  defaults.TextEditor = DefaultTextEditor(system_dir);  // the one default the system gives
  FrontEndSettings s;
  ReadSettings<FrontEndSettings>(ini, SettingDeclarations(), defaults, s);
  s.AddExtraOptions = !s.ExtraOptions.empty();
  return s;
}

Status SaveSettings(const FrontEndSettings& settings, platform::IniFile& ini) {
  PutSettings<FrontEndSettings>(settings, SettingDeclarations(), ini);
  if (!ini.Flush()) return Failure("Unable to write to " + ini.Path());
  return Success();
}

std::string FormatSettings(const FrontEndSettings& settings) {
  return FormatSettingsText<FrontEndSettings>(settings, SettingDeclarations());
}

bool AddToReopenList(FrontEndSettings& settings, std::string_view path) {
  std::string upper = UpperCase(path);
  if (upper.size() > kReopenWidth) upper.resize(kReopenWidth);
  for (const std::string& slot : settings.ReopenList) {
    if (UpperCase(slot) == upper) return false;  // already there: keeps its place
  }
  for (std::size_t i = kReopenSlots - 1; i > 0; --i)
    settings.ReopenList[i] = std::move(settings.ReopenList[i - 1]);
  settings.ReopenList[0] = std::move(upper);
  return true;
}

}  // namespace kw
