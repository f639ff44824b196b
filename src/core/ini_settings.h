// Typed settings kept in an INI file, each declared once: section, key, the field of its record
// and the rules for reading and writing it. A record's defaults are its struct initialisers; the
// loops below read them from a default-made record (or from one the caller prepared, for
// defaults that depend on the system), so a default is written in one place only. Any record can
// be declared this way: the front-end's KESTREL.INI, and the emulator's configuration file too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "platform/ini.h"

namespace kw {

// How a stored value becomes the field's value and back. Each rule applies to the kinds named.
struct SettingRules {
  // Texts: upper-cased (ASCII letters) when read / when written.
  bool upper_on_read = false;
  bool upper_on_write = false;
  // Texts: cut to this many bytes when read (0: as long as the file line allows).
  std::size_t width = 0;
  // Texts: a stored value that stands for an empty one ("*": none).
  std::string_view empty_mark = {};
  // Numbers: only the low 8 bits of what is stored are kept (the record's field is a byte).
  bool low_byte = false;
  // Numbers: a value outside [min, max] reads as the default. Unset: the field type's range.
  std::optional<long long> min = std::nullopt;
  std::optional<long long> max = std::nullopt;
};

template <class Owner, class T>
struct Setting {
  using Value = T;
  std::string_view section;
  std::string_view key;
  T& (*field)(Owner&);
  SettingRules rules = {};
  // When set and false for the record, the key is not written (and removed from the file).
  bool (*written_when)(const Owner&) = nullptr;

  T& Of(Owner& owner) const { return field(owner); }
  const T& Of(const Owner& owner) const { return field(const_cast<Owner&>(owner)); }
  bool Written(const Owner& owner) const { return written_when == nullptr || written_when(owner); }
};

// Any declared setting of a record: the kinds a settings file holds.
template <class Owner>
using AnySetting = std::variant<Setting<Owner, bool>, Setting<Owner, std::uint8_t>,
                                Setting<Owner, std::int32_t>, Setting<Owner, std::string>>;

namespace settings_detail {

template <class M>
struct MemberOf;
template <class O, class T>
struct MemberOf<T O::*> {
  using Owner = O;
  using Type = T;
};

template <auto Member>
typename MemberOf<decltype(Member)>::Type& FieldOf(typename MemberOf<decltype(Member)>::Owner& o) {
  return o.*Member;
}

template <auto Member, std::size_t Slot>
auto& SlotOf(typename MemberOf<decltype(Member)>::Owner& o) {
  return (o.*Member)[Slot];
}

// One value read by its kind's rules; `def` is what a missing or unusable value gives.
bool ReadValue(const platform::IniFile& ini, std::string_view section, std::string_view key,
               const SettingRules& rules, bool def);
std::string ReadValue(const platform::IniFile& ini, std::string_view section, std::string_view key,
                      const SettingRules& rules, const std::string& def);
long long ReadNumber(const platform::IniFile& ini, std::string_view section, std::string_view key,
                     const SettingRules& rules, long long def, long long type_min,
                     long long type_max);

template <class T>
T ReadValue(const platform::IniFile& ini, std::string_view section, std::string_view key,
            const SettingRules& rules, T def) requires std::is_integral_v<T> {
  return static_cast<T>(ReadNumber(ini, section, key, rules, def, std::numeric_limits<T>::min(),
                                   std::numeric_limits<T>::max()));
}

// The value as the file holds it.
std::string StoredText(bool value, const SettingRules& rules);
std::string StoredNumber(long long value, const SettingRules& rules);
std::string StoredText(const std::string& value, const SettingRules& rules);

template <class T>
std::string StoredText(T value, const SettingRules& rules) requires(std::is_integral_v<T> &&
                                                                    !std::is_same_v<T, bool>) {
  return StoredNumber(value, rules);
}

}  // namespace settings_detail

// A setting of the field `Member` (a pointer to a member of the record).
template <auto Member>
constexpr auto DeclareSetting(
    std::string_view section, std::string_view key, SettingRules rules = {},
    bool (*written_when)(const typename settings_detail::MemberOf<decltype(Member)>::Owner&) =
        nullptr) {
  using M = settings_detail::MemberOf<decltype(Member)>;
  return Setting<typename M::Owner, typename M::Type>{
      section, key, &settings_detail::FieldOf<Member>, rules, written_when};
}

// A setting of one element of an array field (numbered slots such as File1..File5).
template <auto Member, std::size_t Slot>
constexpr auto DeclareSlotSetting(std::string_view section, std::string_view key,
                                  SettingRules rules = {}) {
  using M = settings_detail::MemberOf<decltype(Member)>;
  using T = typename M::Type::value_type;
  return Setting<typename M::Owner, T>{section, key, &settings_detail::SlotOf<Member, Slot>, rules,
                                       nullptr};
}

// Reads every declared setting into `out`; a key that is missing or unusable takes its value
// from `defaults`.
template <class Owner>
void ReadSettings(const platform::IniFile& ini, std::span<const AnySetting<Owner>> table,
                  const Owner& defaults, Owner& out) {
  for (const AnySetting<Owner>& any : table) {
    std::visit(
        [&](const auto& s) {
          s.Of(out) = settings_detail::ReadValue(ini, s.section, s.key, s.rules, s.Of(defaults));
        },
        any);
  }
}

// Puts every declared setting into the document in table order; a key that is not to be
// written is removed, every copy of it, so that none comes back at the next start.
template <class Owner>
void PutSettings(const Owner& values, std::span<const AnySetting<Owner>> table,
                 platform::IniFile& ini) {
  for (const AnySetting<Owner>& any : table) {
    std::visit(
        [&](const auto& s) {
          if (!s.Written(values)) {
            while (ini.Read(s.section, s.key))
              ini.DeleteKey(s.section, s.key);
            return;
          }
          ini.Write(s.section, s.key, settings_detail::StoredText(s.Of(values), s.rules));
        },
        any);
  }
}

// The settings as `[section]` headers and key=value lines in table order, as the file would
// hold them when written from scratch (every header shown, even of a section left empty).
template <class Owner>
std::string FormatSettingsText(const Owner& values, std::span<const AnySetting<Owner>> table) {
  std::string out;
  std::string_view section;
  for (const AnySetting<Owner>& any : table) {
    std::visit(
        [&](const auto& s) {
          if (out.empty() || s.section != section) {
            section = s.section;
            out += "[";
            out += section;
            out += "]\n";
          }
          if (!s.Written(values)) return;
          out += s.key;
          out += "=";
          out += settings_detail::StoredText(s.Of(values), s.rules);
          out += "\n";
        },
        any);
  }
  return out;
}

}  // namespace kw
