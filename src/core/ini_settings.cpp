#include "core/ini_settings.h"

#include "common/ascii.h"

namespace kw::settings_detail {

bool ReadValue(const platform::IniFile& ini, std::string_view section, std::string_view key,
               const SettingRules&, bool def) {
  // Any number other than 0 is true; what is not a number reads as the default.
  return ini.ReadInteger(section, key, def ? 1 : 0) != 0;
}

std::string ReadValue(const platform::IniFile& ini, std::string_view section, std::string_view key,
                      const SettingRules& rules, const std::string& def) {
  std::string value = ini.ReadString(section, key, def);
  if (!rules.empty_mark.empty() && value == rules.empty_mark) value.clear();
  if (rules.upper_on_read) value = AsciiUpperCase(value);
  if (rules.width > 0 && value.size() > rules.width) value.resize(rules.width);
  return value;
}

long long ReadNumber(const platform::IniFile& ini, std::string_view section, std::string_view key,
                     const SettingRules& rules, long long def, long long type_min,
                     long long type_max) {
  long long value = ini.ReadInteger(section, key, def);
  if (rules.low_byte) value &= 0xFF;
  if (value < rules.min.value_or(type_min) || value > rules.max.value_or(type_max)) value = def;
  return value;
}

std::string StoredText(bool value, const SettingRules&) {
  return value ? "1" : "0";
}

std::string StoredNumber(long long value, const SettingRules&) {
  return std::to_string(value);
}

std::string StoredText(const std::string& value, const SettingRules& rules) {
  return rules.upper_on_write ? AsciiUpperCase(value) : value;
}

}  // namespace kw::settings_detail
