// The words of the emulator's -listinfo text that the listinfo parser knows: the tags of a
// record, the tags of the blocks inside it, and the control keywords.
#pragma once

#include <array>
#include <string_view>

namespace kw::listinfo {

// Record tags (inside GAME or RESOURCE), in table order.
enum RecordTag {
  kTagName,
  kTagDescription,
  kTagYear,
  kTagManufacturer,
  kTagCloneOf,
  kTagRomOf,
  kTagRom,
  kTagChip,
  kTagVideo,
  kTagSound,
  kTagInput,
  kTagDipSwitch,
  kTagDriver,
  kTagSample,
  kTagSampleOf,
  kTagHistory,
};
inline constexpr std::array<std::string_view, 16> kRecordTagNames = {
    "NAME",  "DESCRIPTION", "YEAR",  "MANUFACTURER", "CLONEOF", "ROMOF",  "ROM",      "CHIP",
    "VIDEO", "SOUND",       "INPUT", "DIPSWITCH",    "DRIVER",  "SAMPLE", "SAMPLEOF", "HISTORY"};

inline bool IsBlockTag(int tag) {
  return tag >= kTagRom && tag <= kTagDriver;
}

// Block tags (inside a block of a record), in table order.
enum BlockTag {
  kBlkName,
  kBlkMerge,
  kBlkSize,
  kBlkCrc,
  kBlkType,
  kBlkFlags,
  kBlkClock,
  kBlkScreen,
  kBlkOrientation,
  kBlkX,
  kBlkY,
  kBlkColors,
  kBlkFreq,
  kBlkChannels,
  kBlkPlayers,
  kBlkControl,
  kBlkButtons,
  kBlkTilt,
  kBlkService,
  kBlkCoins,
  kBlkEntry,
  kBlkDefault,
  kBlkStatus,
  kBlkColor,
  kBlkSound,
  kBlkColorDeep,
  kBlkRegion,
  kBlkOffs,
};
inline constexpr std::array<std::string_view, 28> kBlockTagNames = {
    "NAME",    "MERGE",       "SIZE",    "CRC",   "TYPE",      "FLAGS",  "CLOCK",
    "SCREEN",  "ORIENTATION", "X",       "Y",     "COLORS",    "FREQ",   "CHANNELS",
    "PLAYERS", "CONTROL",     "BUTTONS", "TILT",  "SERVICE",   "COINS",  "ENTRY",
    "DEFAULT", "STATUS",      "COLOR",   "SOUND", "COLORDEEP", "REGION", "OFFS"};

inline constexpr std::array<std::string_view, 8> kControlWords = {
    "JOY4WAY", "JOY8WAY", "DOUBLEJOY4WAY", "DOUBLEJOY8WAY", "DIAL", "STICK", "PADDLE", "TRACKBALL"};

// The position of a tag word in kRecordTagNames or kBlockTagNames, or -1; one or two
// comparisons a word.
int FindRecordTag(std::string_view word);
int FindBlockTag(std::string_view word);

}  // namespace kw::listinfo
