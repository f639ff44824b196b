// The front-end's own preferences, kept in KESTREL.INI. Each default is the struct's initialiser;
// each key is declared once below (section, key, field, rules); reading, writing, the CLI's
// listing and the windows' bindings all work from those declarations, so they cannot disagree.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/result.h"
#include "core/ini_settings.h"

namespace kw {

constexpr std::size_t kReopenSlots = 5;
constexpr std::size_t kReopenWidth = 255;
constexpr std::string_view kFirstTime = "FIRSTTIME";

// SortBy: 0 parse order, 1 description, 2 manufacturer, 3 year, 4 most played.
enum SortKey : int {
  kSortNone = 0,
  kSortDescription = 1,
  kSortManufacturer = 2,
  kSortYear = 3,
  kSortMostPlayed = 4,
};

struct FrontEndSettings {
  // MAME
  bool ErrorLog = false;
  bool LogTextOutput = false;
  std::string ExtraOptions;  // the stored "*" means none and reads as empty
  bool IgnoreConfig = false;
  // Screenshots
  std::string ScreenShots = "SNAP";
  std::string Cabinets = "CABINET";
  std::string Flyers = "FLYERS";
  std::string Hardware = "HARDWARE";
  std::uint8_t ScreenshotDisplay = 1;
  // Sort
  std::uint8_t SortBy = 1;
  bool ReverseSort = false;
  std::string LastSelected = "NOGAMESELECTED";
  // Listing
  bool ListRomsetName = false;
  bool ListYear = false;
  bool ListManufacturer = false;
  // DirectX (joystick)
  bool DXGameSelect = false;
  std::uint8_t PlayButton = 3;
  std::uint8_t TopButton = 6;
  std::uint8_t BottomButton = 5;
  std::uint8_t PageUpButton = 4;
  std::uint8_t PageDownButton = 2;
  std::uint8_t RandomButton = 1;
  // VerifyOnRun
  bool CheckSamplesOnRun = true;
  bool CheckCRCOnRun = false;
  bool CreateFakeFiles = false;
  bool DynamicRename = false;
  // MameCd
  bool MameCd = false;
  std::string MameCdDrive;
  // Fonts
  std::int32_t BoldFontSize = 10;
  std::int32_t NormalFontSize = 8;
  // ReopenList: File1 (newest) to File5, upper case, at most 255 characters
  std::array<std::string, kReopenSlots> ReopenList;
  // General
  std::string LastProfile = std::string(kFirstTime);
  std::string TextEditor;  // LoadSettings' default: DefaultTextEditor(SystemDir)
  std::string PlayWaveAtVerifyEnd = "FINISH.WAV";
  bool KillPifFile = true;
  bool UseStats = true;
  // Whether the sets' status is checked in the background when a profile opens.
  bool StatusCheckAtOpen = true;

  // Derived, not stored: whether ExtraOptions goes on the command line.
  bool AddExtraOptions = false;

  bool operator==(const FrontEndSettings&) const = default;
};

// Whether ExtraOptions is written: only when it is to be added and not empty.
bool WritesExtraOptions(const FrontEndSettings& settings);
// Whether StatusCheckAtOpen is written: only when switched off, so that the file of a user who
// never changes it stays as it was before the setting existed.
bool WritesStatusCheckAtOpen(const FrontEndSettings& settings);

// Every key of KESTREL.INI, each with its field and the rules the file gives it. The defaults
// are the struct's initialisers above (the editor's is supplied by LoadSettings).
namespace setting {

using S = FrontEndSettings;
// Byte fields keep the low 8 bits of what is stored.
inline constexpr SettingRules kByte{.low_byte = true};
// Names of profiles and sets: found again through the case-insensitive file layer.
inline constexpr SettingRules kUpper{.upper_on_read = true};
inline constexpr SettingRules kReopenSlot{
    .upper_on_read = true, .upper_on_write = true, .width = kReopenWidth};

// MAME
inline constexpr auto kErrorLog = DeclareSetting<&S::ErrorLog>("MAME", "ErrorLog");
inline constexpr auto kLogTextOutput = DeclareSetting<&S::LogTextOutput>("MAME", "LogTextOutput");
inline constexpr auto kExtraOptions = DeclareSetting<&S::ExtraOptions>(
    "MAME", "ExtraOptions", {.empty_mark = "*"}, &WritesExtraOptions);
inline constexpr auto kIgnoreConfig = DeclareSetting<&S::IgnoreConfig>("MAME", "IgnoreConfig");
// Screenshots
inline constexpr auto kScreenShots = DeclareSetting<&S::ScreenShots>("Screenshots", "ScreenShots");
inline constexpr auto kCabinets = DeclareSetting<&S::Cabinets>("Screenshots", "Cabinets");
inline constexpr auto kFlyers = DeclareSetting<&S::Flyers>("Screenshots", "Flyers");
inline constexpr auto kHardware = DeclareSetting<&S::Hardware>("Screenshots", "Hardware");
inline constexpr auto kScreenshotDisplay =
    DeclareSetting<&S::ScreenshotDisplay>("Screenshots", "ScreenshotDisplay", kByte);
// Sort
inline constexpr auto kSortBy = DeclareSetting<&S::SortBy>("Sort", "SortBy", kByte);
inline constexpr auto kReverseSort = DeclareSetting<&S::ReverseSort>("Sort", "ReverseSort");
inline constexpr auto kLastSelected =
    DeclareSetting<&S::LastSelected>("Sort", "LastSelected", kUpper);
// Listing
inline constexpr auto kListRomsetName =
    DeclareSetting<&S::ListRomsetName>("Listing", "ListRomsetName");
inline constexpr auto kListYear = DeclareSetting<&S::ListYear>("Listing", "ListYear");
inline constexpr auto kListManufacturer =
    DeclareSetting<&S::ListManufacturer>("Listing", "ListManufacturer");
// DirectX (joystick buttons)
inline constexpr auto kDXGameSelect = DeclareSetting<&S::DXGameSelect>("DirectX", "DXGameSelect");
inline constexpr auto kPlayButton = DeclareSetting<&S::PlayButton>("DirectX", "PlayButton", kByte);
inline constexpr auto kTopButton = DeclareSetting<&S::TopButton>("DirectX", "TopButton", kByte);
inline constexpr auto kBottomButton =
    DeclareSetting<&S::BottomButton>("DirectX", "BottomButton", kByte);
inline constexpr auto kPageUpButton =
    DeclareSetting<&S::PageUpButton>("DirectX", "PageUpButton", kByte);
inline constexpr auto kPageDownButton =
    DeclareSetting<&S::PageDownButton>("DirectX", "PageDownButton", kByte);
inline constexpr auto kRandomButton =
    DeclareSetting<&S::RandomButton>("DirectX", "RandomButton", kByte);
// VerifyOnRun
inline constexpr auto kCheckSamplesOnRun =
    DeclareSetting<&S::CheckSamplesOnRun>("VerifyOnRun", "CheckSamplesOnRun");
inline constexpr auto kCheckCRCOnRun =
    DeclareSetting<&S::CheckCRCOnRun>("VerifyOnRun", "CheckCRCOnRun");
inline constexpr auto kCreateFakeFiles =
    DeclareSetting<&S::CreateFakeFiles>("VerifyOnRun", "CreateFakeFiles");
inline constexpr auto kDynamicRename =
    DeclareSetting<&S::DynamicRename>("VerifyOnRun", "DynamicRename");
// MameCd
inline constexpr auto kMameCd = DeclareSetting<&S::MameCd>("MameCd", "MameCd");
inline constexpr auto kMameCdDrive = DeclareSetting<&S::MameCdDrive>("MameCd", "MameCdDrive");
// Fonts
inline constexpr auto kBoldFontSize = DeclareSetting<&S::BoldFontSize>("Fonts", "BoldFontSize");
inline constexpr auto kNormalFontSize =
    DeclareSetting<&S::NormalFontSize>("Fonts", "NormalFontSize");
// ReopenList
inline constexpr auto kFile1 =
    DeclareSlotSetting<&S::ReopenList, 0>("ReopenList", "File1", kReopenSlot);
inline constexpr auto kFile2 =
    DeclareSlotSetting<&S::ReopenList, 1>("ReopenList", "File2", kReopenSlot);
inline constexpr auto kFile3 =
    DeclareSlotSetting<&S::ReopenList, 2>("ReopenList", "File3", kReopenSlot);
inline constexpr auto kFile4 =
    DeclareSlotSetting<&S::ReopenList, 3>("ReopenList", "File4", kReopenSlot);
inline constexpr auto kFile5 =
    DeclareSlotSetting<&S::ReopenList, 4>("ReopenList", "File5", kReopenSlot);
// General. The editor keeps its case: it is a command line with a path and arguments.
inline constexpr auto kLastProfile =
    DeclareSetting<&S::LastProfile>("General", "LastProfile", kUpper);
inline constexpr auto kTextEditor = DeclareSetting<&S::TextEditor>("General", "TextEditor");
inline constexpr auto kPlayWaveAtVerifyEnd =
    DeclareSetting<&S::PlayWaveAtVerifyEnd>("General", "PlayWaveAtVerifyEnd");
inline constexpr auto kKillPifFile = DeclareSetting<&S::KillPifFile>("General", "KillPifFile");
inline constexpr auto kUseStats = DeclareSetting<&S::UseStats>("General", "UseStats");
inline constexpr auto kStatusCheckAtOpen = DeclareSetting<&S::StatusCheckAtOpen>(
    "General", "StatusCheckAtOpen", {}, &WritesStatusCheckAtOpen);

}  // namespace setting

// Every setting of KESTREL.INI in file order.
std::span<const AnySetting<FrontEndSettings>> SettingDeclarations();

// The default text editor: SystemDir + the desktop opener when that file exists, else empty.
std::string DefaultTextEditor(const std::string& system_dir);

// Reads every key (missing file: all defaults). `system_dir` gives the editor default.
FrontEndSettings LoadSettings(const platform::IniFile& ini, const std::string& system_dir);

// Puts every key into the INI document in declaration order (ExtraOptions deleted when it is
// not to be added) and flushes it. On failure returns the message "Unable to write to <path>".
Status SaveSettings(const FrontEndSettings& settings, platform::IniFile& ini);

// The settings as `[section]` headers and key=value lines in file order (for the CLI).
std::string FormatSettings(const FrontEndSettings& settings);

// Enters a profile path into the reopen list: an entry already present (compared without regard
// to case) keeps its position; otherwise the list moves down one place, the fifth entry drops
// out and the upper-case path (at most 255 characters) becomes the first. True when it changed.
bool AddToReopenList(FrontEndSettings& settings, std::string_view path);

std::string UpperCase(std::string_view text);  // ASCII letters only

}  // namespace kw
