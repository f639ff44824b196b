#include "core/browser/quick_info.h"

#include <string_view>

#include "core/audit/set_status.h"
#include "core/duration_text.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"

namespace kw {

namespace {

// `count` and `noun`, with an "s" when `plural`.
std::string Counted(unsigned long count, std::string_view noun, bool plural) {
  std::string text = std::to_string(count);
  text += ' ';
  text += noun;
  if (plural) text += 's';
  return text;
}

std::string ControlsText(const GameRecord& game) {
  std::string text = Counted(game.Players, "player", game.Players != 1);
  text += ", ";
  text += ControlWord(game.Control);
  if (game.Control != 0 && game.Buttons != 0) text += '+';
  if (game.Buttons != 0) text += Counted(game.Buttons, "button", game.Buttons > 1);
  if (game.Players > 1) text += " each player";
  return text;
}

std::string StatsText(const PlayRecord* record) {
  if (record == nullptr || record->TotTimes == 0) return "Never played";
  return "Played " + Counted(record->TotTimes, "time", record->TotTimes > 1) + "; total time: " +
         HoursMinutesSeconds(record->TotHours, record->TotMinutes, record->TotSeconds);
}

}  // namespace

std::string ChannelsText(unsigned channels) {
  switch (channels) {
    case 0:
      return "None";
    case 1:
      return "Mono";
    case 2:
      return "Stereo";
    default:
      return "Polyphonic";
  }
}

std::string ResolutionText(const GameDatabase& db, const GameRecord& game) {
  std::string text = std::to_string(game.Width) + "x" + std::to_string(game.Height) + ", ";
  if (game.Colors != 0 || db.Dialect == EmulatorDialect::kListinfo)
    text += std::to_string(game.Colors) + " colors, ";
  text += db.Text(game.Freq);
  return text + "Hz";
}

std::array<std::string, kQuickInfoLines> QuickInfoTexts(const GameDatabase& db,
                                                        const GameRecord& game,
                                                        const PlayRecord* record,
                                                        const SetStatus* status, bool era_status) {
  std::array<std::string, kQuickInfoLines> texts;
  texts[0] = game.Name.Str();
  if (!game.CloneOf.empty()) texts[0] += ", clone of " + game.CloneOf.Str();

  texts[1] = game.Year == 0 ? "????" : std::to_string(game.Year);
  texts[1] += " - ";
  texts[1] += db.Manufacturer(game);

  texts[2] = game.Raster != 0 ? "Raster, " : "Vector, ";
  texts[2] += game.Vertical != 0 ? "vertical" : "horizontal";

  if (game.Raster != 0) {
    texts[3] = ResolutionText(db, game);
  } else {
    texts[3] = kQuickInfoNotAvailable;
  }

  texts[4] = ChannelsText(game.Channels);
  texts[5] = ControlsText(game);

  texts[6] = Counted(game.Coins, "slot", game.Coins > 1);
  if (game.Tilt != 0) texts[6] += ", TILT supported";
  if (game.Service != 0) texts[6] += ", service button";

  texts[7] = Counted(game.DipSwitches, "setting", game.DipSwitches != 1);
  texts[8] = DriverWord(game.DriverStatus);
  texts[9] = DriverWord(game.DriverColor);
  texts[9] += game.ColorDeep != 0 ? ", 16 bits" : ", 8 bits";
  texts[10] = DriverWord(game.DriverSound);
  texts[11] = StatsText(record);
  if (db.Dialect == EmulatorDialect::kListxml || era_status) texts[12] = SetStatusText(status);
  return texts;
}

}  // namespace kw
