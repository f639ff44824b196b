#include "core/shared/emulator_dialect.h"

#include "core/shared/game_database.h"

namespace kw {

NameWidths NameWidthsOf(EmulatorDialect dialect) {
  if (dialect == EmulatorDialect::kListxml) return {kLongSetNameWidth, kTextWidth};
  return {kSetNameWidth, kRomNameWidth};
}

std::string_view DialectWord(EmulatorDialect dialect) {
  return dialect == EmulatorDialect::kListxml ? "listxml" : "listinfo";
}

std::optional<EmulatorDialect> DialectFromWord(std::string_view word) {
  if (word == "listxml") return EmulatorDialect::kListxml;
  if (word == "listinfo") return EmulatorDialect::kListinfo;
  return std::nullopt;
}

}  // namespace kw
