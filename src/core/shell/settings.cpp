#include "core/shell/settings.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "platform/ascii.h"
#include "platform/fs.h"
#include "platform/ini.h"
#include "platform/system_info.h"

namespace kw {

namespace {

using Kind = SettingDeclaration::Kind;
using S = FrontEndSettings;

std::vector<SettingDeclaration> MakeDeclarations() {
  std::vector<SettingDeclaration> d = {
      {"MAME", "ErrorLog", Kind::Bool, &S::ErrorLog, "0"},
      {"MAME", "LogTextOutput", Kind::Bool, &S::LogTextOutput, "0"},
      {"MAME", "ExtraOptions", Kind::Text, &S::ExtraOptions, "*"},
      {"MAME", "IgnoreConfig", Kind::Bool, &S::IgnoreConfig, "0"},
      {"Screenshots", "ScreenShots", Kind::Text, &S::ScreenShots, "SNAP"},
      {"Screenshots", "Cabinets", Kind::Text, &S::Cabinets, "CABINET"},
      {"Screenshots", "Flyers", Kind::Text, &S::Flyers, "FLYERS"},
      {"Screenshots", "Hardware", Kind::Text, &S::Hardware, "HARDWARE"},
      {"Screenshots", "ScreenshotDisplay", Kind::Byte, &S::ScreenshotDisplay, "1"},
      {"Sort", "SortBy", Kind::Byte, &S::SortBy, "1"},
      {"Sort", "ReverseSort", Kind::Bool, &S::ReverseSort, "0"},
      {"Sort", "LastSelected", Kind::UpperText, &S::LastSelected, "NoGameSelected"},
      {"Listing", "ListRomsetName", Kind::Bool, &S::ListRomsetName, "0"},
      {"Listing", "ListYear", Kind::Bool, &S::ListYear, "0"},
      {"Listing", "ListManufacturer", Kind::Bool, &S::ListManufacturer, "0"},
      {"DirectX", "DXGameSelect", Kind::Bool, &S::DXGameSelect, "0"},
      {"DirectX", "PlayButton", Kind::Byte, &S::PlayButton, "3"},
      {"DirectX", "TopButton", Kind::Byte, &S::TopButton, "6"},
      {"DirectX", "BottomButton", Kind::Byte, &S::BottomButton, "5"},
      {"DirectX", "PageUpButton", Kind::Byte, &S::PageUpButton, "4"},
      {"DirectX", "PageDownButton", Kind::Byte, &S::PageDownButton, "2"},
      {"DirectX", "RandomButton", Kind::Byte, &S::RandomButton, "1"},
      {"VerifyOnRun", "CheckSamplesOnRun", Kind::Bool, &S::CheckSamplesOnRun, "1"},
      {"VerifyOnRun", "CheckCRCOnRun", Kind::Bool, &S::CheckCRCOnRun, "0"},
      {"VerifyOnRun", "CreateFakeFiles", Kind::Bool, &S::CreateFakeFiles, "0"},
      {"VerifyOnRun", "DynamicRename", Kind::Bool, &S::DynamicRename, "0"},
      {"MameCd", "MameCd", Kind::Bool, &S::MameCd, "0"},
      {"MameCd", "MameCdDrive", Kind::Text, &S::MameCdDrive, ""},
      {"Fonts", "BoldFontSize", Kind::Int, &S::BoldFontSize, "10"},
      {"Fonts", "NormalFontSize", Kind::Int, &S::NormalFontSize, "8"},
  };
  static constexpr std::string_view kFileKeys[kReopenSlots] = {"File1", "File2", "File3", "File4",
                                                               "File5"};
  for (int slot = 0; slot < static_cast<int>(kReopenSlots); ++slot) {
    SettingDeclaration decl{"ReopenList", kFileKeys[slot], Kind::UpperText, &S::ReopenList, ""};
    decl.reopen_slot = slot;
    d.push_back(decl);
  }
  d.push_back({"General", "LastProfile", Kind::UpperText, &S::LastProfile, kFirstTime});
  // The editor's default depends on the system; LoadSettings supplies it.
  d.push_back({"General", "TextEditor", Kind::UpperText, &S::TextEditor, ""});
  d.push_back(
      {"General", "PlayWaveAtVerifyEnd", Kind::Text, &S::PlayWaveAtVerifyEnd, "FINISH.WAV"});
  d.push_back({"General", "KillPifFile", Kind::Bool, &S::KillPifFile, "1"});
  d.push_back({"General", "UseStats", Kind::Bool, &S::UseStats, "1"});
  return d;
}

using ReopenSlots = std::array<std::string, kReopenSlots>;

std::string& TextField(FrontEndSettings& s, const SettingDeclaration& d) {
  if (d.reopen_slot >= 0) return (s.*std::get<ReopenSlots S::*>(d.field))[d.reopen_slot];
  return s.*std::get<std::string S::*>(d.field);
}

const std::string& TextField(const FrontEndSettings& s, const SettingDeclaration& d) {
  if (d.reopen_slot >= 0) return (s.*std::get<ReopenSlots S::*>(d.field))[d.reopen_slot];
  return s.*std::get<std::string S::*>(d.field);
}

long long ParseDefault(std::string_view text) {
  long long v = 0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}

// The value as the file holds it, for writing and for the CLI.
std::string ValueText(const FrontEndSettings& s, const SettingDeclaration& d) {
  switch (d.kind) {
    case Kind::Bool:
      return (s.*std::get<bool S::*>(d.field)) ? "1" : "0";
    case Kind::Byte:
      return std::to_string(s.*std::get<std::uint8_t S::*>(d.field));
    case Kind::Int:
      return std::to_string(s.*std::get<std::int32_t S::*>(d.field));
    case Kind::UpperText:
      if (d.reopen_slot >= 0) return UpperCase(TextField(s, d));
      return TextField(s, d);
    case Kind::Text:
      return TextField(s, d);
  }
  return {};
}

bool WritesExtraOptions(const FrontEndSettings& s) {
  return s.AddExtraOptions && !s.ExtraOptions.empty();
}

bool IsExtraOptions(const SettingDeclaration& d) {
  return d.key == "ExtraOptions";
}

}  // namespace

const std::vector<SettingDeclaration>& SettingDeclarations() {
  static const std::vector<SettingDeclaration> declarations = MakeDeclarations();
  return declarations;
}

std::string UpperCase(std::string_view text) {
  return platform::AsciiUpperCase(text);
}

std::string DefaultTextEditor(const std::string& system_dir) {
  std::string candidate =
      platform::fs::IncludeTrailingSeparator(system_dir) + platform::DefaultEditorName();
  return platform::fs::FileExists(candidate) ? candidate : std::string();
}

FrontEndSettings LoadSettings(const platform::IniFile& ini, const std::string& system_dir) {
  FrontEndSettings s;
  for (const SettingDeclaration& d : SettingDeclarations()) {
    switch (d.kind) {
      case Kind::Bool:
        s.*std::get<bool S::*>(d.field) =
            ini.ReadInteger(d.section, d.key, ParseDefault(d.default_text)) != 0;
        break;
      case Kind::Byte:
        // Only the low 8 bits are kept, as the record's field is a byte.
        s.*std::get<std::uint8_t S::*>(d.field) = static_cast<std::uint8_t>(
            ini.ReadInteger(d.section, d.key, ParseDefault(d.default_text)) & 0xFF);
        break;
      case Kind::Int: {
        long long def = ParseDefault(d.default_text);
        long long v = ini.ReadInteger(d.section, d.key, def);
        if (v < std::numeric_limits<std::int32_t>::min() ||
            v > std::numeric_limits<std::int32_t>::max())
          v = def;  // too large for the field: not a usable number
        s.*std::get<std::int32_t S::*>(d.field) = static_cast<std::int32_t>(v);
        break;
      }
      case Kind::Text:
      case Kind::UpperText: {
        std::string def(d.default_text);
        if (d.key == "TextEditor") def = DefaultTextEditor(system_dir);
        std::string value = ini.ReadString(d.section, d.key, def);
        if (d.kind == Kind::UpperText) value = UpperCase(value);
        if (d.reopen_slot >= 0 && value.size() > kReopenWidth) value.resize(kReopenWidth);
        TextField(s, d) = std::move(value);
        break;
      }
    }
  }
  // The stored "*" means "no extra options".
  if (s.ExtraOptions == "*") s.ExtraOptions.clear();
  s.AddExtraOptions = !s.ExtraOptions.empty();
  return s;
}

std::optional<std::string> SaveSettings(const FrontEndSettings& settings, platform::IniFile& ini) {
  for (const SettingDeclaration& d : SettingDeclarations()) {
    if (IsExtraOptions(d) && !WritesExtraOptions(settings)) {
      // A repeated line would come back at the next start: every one goes.
      while (ini.Read(d.section, d.key))
        ini.DeleteKey(d.section, d.key);
      continue;
    }
    ini.Write(d.section, d.key, ValueText(settings, d));
  }
  if (!ini.Flush()) return "Unable to write to " + ini.Path();
  return std::nullopt;
}

std::string FormatSettings(const FrontEndSettings& settings) {
  std::string out;
  std::string_view section;
  for (const SettingDeclaration& d : SettingDeclarations()) {
    if (d.section != section) {
      section = d.section;
      out += "[";
      out += section;
      out += "]\n";
    }
    if (IsExtraOptions(d) && !WritesExtraOptions(settings)) continue;
    out += d.key;
    out += "=";
    out += ValueText(settings, d);
    out += "\n";
  }
  return out;
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
