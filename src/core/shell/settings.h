// The front-end's own preferences, kept in KESTREL.INI. Each setting is declared once (section,
// key, kind, default) in SettingDeclarations(); reading, writing and the windows' bindings all
// work from that table, so they cannot disagree about a key or a default.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kw {

namespace platform {
class IniFile;
}

constexpr std::size_t kReopenSlots = 5;
constexpr std::size_t kReopenWidth = 255;
constexpr std::string_view kFirstTime = "FIRSTTIME";

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
  std::string TextEditor;
  std::string PlayWaveAtVerifyEnd = "FINISH.WAV";
  bool KillPifFile = true;
  bool UseStats = true;

  // Derived, not stored: whether ExtraOptions goes on the command line.
  bool AddExtraOptions = false;

  bool operator==(const FrontEndSettings&) const = default;
};

// One declared setting. `field` points into FrontEndSettings.
struct SettingDeclaration {
  enum class Kind { Bool, Byte, Int, Text, UpperText };
  using Field = std::variant<bool FrontEndSettings::*, std::uint8_t FrontEndSettings::*,
                             std::int32_t FrontEndSettings::*, std::string FrontEndSettings::*,
                             std::array<std::string, kReopenSlots> FrontEndSettings::*>;
  std::string_view section;
  std::string_view key;
  Kind kind;
  Field field;
  std::string_view default_text;  // the default as the file would hold it
  int reopen_slot = -1;           // 0..4 for File1..File5 (field: the reopen list)
};

// Every key of KESTREL.INI in file order.
const std::vector<SettingDeclaration>& SettingDeclarations();

// The default text editor: SystemDir + the desktop opener when that file exists, else empty.
std::string DefaultTextEditor(const std::string& system_dir);

// Reads every key (missing file: all defaults). `system_dir` gives the editor default.
FrontEndSettings LoadSettings(const platform::IniFile& ini, const std::string& system_dir);

// Puts every key into the INI document in declaration order (ExtraOptions deleted when it is
// not to be added) and flushes it. On failure returns the message "Unable to write to <path>".
std::optional<std::string> SaveSettings(const FrontEndSettings& settings, platform::IniFile& ini);

// The settings as `[section]` headers and key=value lines in file order (for the CLI).
std::string FormatSettings(const FrontEndSettings& settings);

// Enters a profile path into the reopen list: an entry already present (compared without regard
// to case) keeps its position; otherwise the list moves down one place, the fifth entry drops
// out and the upper-case path (at most 255 characters) becomes the first. True when it changed.
bool AddToReopenList(FrontEndSettings& settings, std::string_view path);

std::string UpperCase(std::string_view text);  // ASCII letters only

}  // namespace kw
