// The two dialects of the emulator that profiles serve: the era's emulator, which lists its
// games with -listinfo, and today's, which lists its machines with -listxml, has longer names,
// other option names and keeps its options in mame.ini.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kw {

enum class EmulatorDialect : std::uint8_t {
  kListinfo = 0,  // the era's emulator
  kListxml = 1,   // today's emulator
};

// The widths of names that a profile of the dialect keeps.
struct NameWidths {
  std::size_t set = 0;
  std::size_t rom = 0;
};
NameWidths NameWidthsOf(EmulatorDialect dialect);

// The word a profile file records for a dialect ("listxml"); the era's dialect is recorded by
// recording nothing.
std::string_view DialectWord(EmulatorDialect dialect);
std::optional<EmulatorDialect> DialectFromWord(std::string_view word);

}  // namespace kw
