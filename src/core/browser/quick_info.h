// The texts of the quick-information box: the coded fields of a game record as short phrases.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace kw {

class GameDatabase;
struct GameRecord;
struct PlayRecord;
struct SetStatus;

inline constexpr std::size_t kQuickInfoLines = 13;

// The captions beside the values, in display order.
inline constexpr std::array<const char*, kQuickInfoLines> kQuickInfoCaptions = {
    "Romset name:",   "Copyright:",  "Screen type:",  "Resolution:",     "Sound:",
    "Controls:",      "Coinage:",    "Dip Switches:", "Driver quality:", "Color quality:",
    "Sound quality:", "Statistics:", "Status:"};

// What every value shows before a game is selected and while no profile is open.
inline constexpr const char* kQuickInfoNotAvailable = "Not available";

// The values of GamesListClick for `game` of `db`, in the order of the captions: RomSetName,
// Copyright, ScreenTypeVAL, Resolution, Sound, Controls, Coins, DipSwitch, Driver, Color,
// SoundQuality, Stats, and SetStatus for a profile of today's emulator, or of the era's with
// `era_status` (the window's box shows it; the console keeps the era's twelve lines).
// `record` is the game's play record (FindPlayRecord of its Name), or null; `status` the
// verdict kept from its last check, or null.
std::array<std::string, kQuickInfoLines> QuickInfoTexts(const GameDatabase& db,
                                                        const GameRecord& game,
                                                        const PlayRecord* record,
                                                        const SetStatus* status = nullptr,
                                                        bool era_status = false);

// "None", "Mono", "Stereo" or "Polyphonic" for the number of sound channels.
std::string ChannelsText(unsigned channels);
// A raster game's screen: "288x224, 256 colors, 60.606061Hz". Today's emulator does not list a
// machine's colours: its machines show none rather than "0 colors".
std::string ResolutionText(const GameDatabase& db, const GameRecord& game);

}  // namespace kw
