// The in-memory model of the open profile: games and resources as the emulator reported them,
// plus the identity of the emulator that reported them. Records are flat and fixed-width; the
// profile file is a direct dump of them, so the widths here are also the file's widths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kw {

constexpr std::size_t kSetNameWidth = 8;
constexpr std::size_t kRomNameWidth = 12;
constexpr std::size_t kTextWidth = 255;
// Counts and positions are 16-bit: a profile holds at most this many games, and as many
// resources.
constexpr std::size_t kMaxRecords = 65535;

// Cuts a text to a field's width.
inline std::string CutTo(std::string_view text, std::size_t width) {
  return std::string(text.substr(0, width));
}

enum RomFlags : std::uint8_t { kRomFlagNone = 0, kRomFlagDispose = 1, kRomFlagSoundOnly = 2 };
enum ChipKind : std::uint8_t { kChipNone = 0, kChipCpu = 1, kChipAudio = 2 };
enum ControlCode : std::uint8_t {
  kControlNone = 0,
  kControlJoy4Way = 1,
  kControlJoy8Way = 2,
  kControlDoubleJoy4Way = 3,
  kControlDoubleJoy8Way = 4,
  kControlDial = 5,
  kControlStick = 6,
  kControlPaddle = 7,
  kControlTrackball = 8,
};
enum DriverCode : std::uint8_t {
  kDriverNone = 0,
  kDriverImperfect = 1,
  kDriverPreliminary = 2,
  kDriverGood = 3,
};

struct RomRecord {
  std::string Name;    // at most 12
  std::string Merge;   // at most 12
  std::string Region;  // at most 12
  std::uint8_t Flags = kRomFlagNone;
  std::uint32_t Offset = 0;
  std::uint32_t Size = 0;
  std::uint32_t Crc = 0;
  bool operator==(const RomRecord&) const = default;
};

struct ChipRecord {
  std::uint8_t Kind = kChipNone;
  std::uint8_t Flags = 0;  // 1: a CPU that drives sound
  std::string Name;        // at most 255
  std::string Clock;       // at most 255, as written in the listinfo
  bool operator==(const ChipRecord&) const = default;
};

// One layout for games and resources.
struct GameRecord {
  std::uint16_t Index = 0;
  std::string Name;  // at most 8
  std::string Description;
  std::uint16_t Year = 0;
  std::string Manufacturer;
  std::string CloneOf;  // at most 8
  std::string RomOf;    // at most 8
  std::vector<RomRecord> Roms;
  std::string SampleOf;  // at most 8
  std::vector<std::string> Samples;
  std::vector<ChipRecord> Chips;
  std::uint8_t Raster = 1;
  std::uint8_t Vertical = 0;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
  std::int32_t Colors = 0;
  std::string Freq;  // as written in the listinfo
  std::uint8_t Channels = 0;
  std::uint8_t Players = 0;
  std::uint8_t Control = kControlNone;
  std::uint8_t Buttons = 0;
  std::uint8_t Coins = 0;
  std::uint8_t Tilt = 0;
  std::uint8_t Service = 0;
  std::uint8_t DipSwitches = 0;
  std::uint8_t DriverStatus = kDriverNone;
  std::uint8_t DriverColor = kDriverNone;
  std::uint8_t DriverSound = kDriverNone;
  std::uint8_t ColorDeep = 0;
  bool operator==(const GameRecord&) const = default;
};

// Display words of the code tables.
std::string_view ControlWord(std::uint8_t control);     // "joystick", ... or ""
std::string_view DriverWord(std::uint8_t driver_code);  // "Not available", "Bugged", ...

class GameDatabase {
 public:
  // Profile-level data.
  std::string EmulatorDir;  // with trailing separator
  std::string EmulatorExe;
  std::string EmulatorVersion;
  std::string ProfilePath;
  bool ProfileLoaded = false;

  void ClearDatabase();
  // Append a finished record. A list already holding kMaxRecords records refuses the record
  // and returns false: positions are 16-bit, and a wrapped position would address another game.
  bool AddGame(GameRecord record);
  bool AddResource(GameRecord record);

  std::size_t GameCount() const { return games_.size(); }
  std::size_t ResourceCount() const { return resources_.size(); }
  const GameRecord& Game(std::size_t position) const { return games_[position]; }
  const GameRecord& Resource(std::size_t position) const { return resources_[position]; }
  const std::vector<GameRecord>& Games() const { return games_; }
  const std::vector<GameRecord>& Resources() const { return resources_; }
  // Re-orders Games in place (the game list's sorting): `reorder` gets the list and may only
  // move its records. The look-up index is dropped after it ran.
  template <class Reorder>
  void ReorderGames(Reorder&& reorder) {
    reorder(games_);
    index_valid_ = false;
  }

  // The first record of Games (then of Resources, when asked) whose Name equals `name` byte for
  // byte. Gives the answer of a linear search from the first record; an index built on first
  // use makes it fast. The pointer is valid until the lists change.
  const GameRecord* FindSet(std::string_view name, bool with_resources) const;
  // Position in Games of the first game named `name`, or -1.
  long FindGamePosition(std::string_view name) const;

 private:
  void BuildIndex() const;

  std::vector<GameRecord> games_;
  std::vector<GameRecord> resources_;
  mutable bool index_valid_ = false;
  mutable std::unordered_map<std::string, std::size_t> game_index_;
  mutable std::unordered_map<std::string, std::size_t> resource_index_;
};

}  // namespace kw
