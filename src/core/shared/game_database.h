// The in-memory model of the open profile: games and resources as the emulator reported them,
// plus the identity of the emulator that reported them. The widths here are also the profile
// file's widths.
//
// Records are compact, for a list of 65,535 games that every later feature walks: names of a
// fixed width are kept in place, the long texts (descriptions, chip names, ...) in one arena of
// the database, and the ROMs, chips and samples of all records in one list each, of which a
// record holds a range. A record is small and trivially copyable, so re-ordering the games is
// cheap. Records are built from a GameEntry (plain owning values) and read back through the
// database's accessors.
#pragma once

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/shared/emulator_dialect.h"

namespace kw {

// The widths of set and ROM names that the era's emulator uses, and that its profiles keep.
// Today's emulator has longer names: its profiles keep set names whole up to
// kLongSetNameWidth and ROM names up to kTextWidth (see NameWidthsOf).
constexpr std::size_t kSetNameWidth = 8;
constexpr std::size_t kRomNameWidth = 12;
constexpr std::size_t kTextWidth = 255;
constexpr std::size_t kLongSetNameWidth = 32;
// Counts and positions are 16-bit: a profile holds at most this many games, and as many
// resources.
constexpr std::size_t kMaxRecords = 65535;

// Cuts a text to a field's width.
inline std::string CutTo(std::string_view text, std::size_t width) {
  return std::string(text.substr(0, width));
}

// A text of at most N bytes, kept in place. Any bytes, NUL included; a longer text is cut.
template <std::size_t N>
class FixedText {
 public:
  FixedText() = default;
  FixedText(std::string_view text) { Assign(text); }    // NOLINT: implicit
  FixedText(const char* text) { Assign(text); }         // NOLINT: implicit
  FixedText(const std::string& text) { Assign(text); }  // NOLINT: implicit
  FixedText& operator=(std::string_view text) { return Assign(text); }
  FixedText& operator=(const char* text) { return Assign(text); }
  FixedText& operator=(const std::string& text) { return Assign(text); }

  FixedText& Assign(std::string_view text) {
    size_ = static_cast<std::uint8_t>(std::min(text.size(), N));
    bytes_.fill('\0');
    if (size_ > 0) std::memcpy(bytes_.data(), text.data(), size_);
    return *this;
  }
  std::string_view View() const { return {bytes_.data(), size_}; }
  std::string Str() const { return std::string(View()); }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // Exact comparisons with a text; between fields, through the template so that the two never
  // compete for a literal.
  bool operator==(std::string_view other) const { return View() == other; }
  template <class T>
  requires std::same_as<T, FixedText>
  bool operator==(const T& other) const { return View() == other.View(); }
  // For the test framework's messages.
  friend void PrintTo(const FixedText& text, std::ostream* os) { *os << '"' << text.View() << '"'; }

 private:
  std::array<char, N> bytes_{};
  std::uint8_t size_ = 0;
};

// Set names are kept in place at the longest width of any dialect; ROM names are texts of the
// arena, as most of them are short and a few of today's are 80 characters.
using SetName = FixedText<kLongSetNameWidth>;

// Position of a text in the database's arena; 0 is the empty text.
using TextId = std::uint32_t;

enum RomFlags : std::uint8_t {
  kRomFlagNone = 0,
  kRomFlagDispose = 1,
  kRomFlagSoundOnly = 2,
  // Today's emulator marks its dumps (ROMs and disks alike): known to be bad, not dumped at all,
  // or not needed for the machine to run.
  kDumpBad = 4,
  kDumpNone = 8,
  kDumpOptional = 16,
};
// What kind of machine a record of today's emulator is, beside a game.
enum MachineFlags : std::uint8_t {
  kMachineBios = 1,
  kMachineDevice = 2,
  kMachineMechanical = 4,
};
// A SHA-1 is kept as its 20 bytes.
constexpr std::size_t kSha1Bytes = 20;
// The 40 hexadecimal digits of a SHA-1 kept as its bytes ("" for none).
std::string Sha1Hex(std::string_view bytes);
// The bytes of a SHA-1 written in hexadecimal; empty unless it is 40 hexadecimal digits.
std::string Sha1Bytes(std::string_view hex);
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

// A ROM as the database keeps it; its names are read through the database (Text).
struct RomRecord {
  TextId Name = 0;
  TextId Merge = 0;
  TextId Region = 0;
  std::uint8_t Flags = kRomFlagNone;
  std::uint32_t Offset = 0;
  std::uint32_t Size = 0;
  std::uint32_t Crc = 0;
  TextId Sha1 = 0;  // today's emulator's lists only
};

// A ROM with its texts, as a builder hands it to the database (which copies the texts).
struct RomView {
  std::string_view Name;
  std::string_view Merge;
  std::string_view Region;
  std::uint8_t Flags = kRomFlagNone;
  std::uint32_t Offset = 0;
  std::uint32_t Size = 0;
  std::uint32_t Crc = 0;
  std::string_view Sha1;
};

// A ROM as plain values, as a GameEntry holds it.
struct RomEntry {
  std::string Name;
  std::string Merge;
  std::string Region;
  std::uint8_t Flags = kRomFlagNone;
  std::uint32_t Offset = 0;
  std::uint32_t Size = 0;
  std::uint32_t Crc = 0;
  std::string Sha1;
  bool operator==(const RomEntry&) const = default;
};

// A disk (a CHD file of the machine's set) of today's emulator.
struct DiskRecord {
  TextId Name = 0;
  TextId Merge = 0;
  TextId Sha1 = 0;
  std::uint8_t Flags = kRomFlagNone;  // kDump...
};
struct DiskView {
  std::string_view Name;
  std::string_view Merge;
  std::string_view Sha1;
  std::uint8_t Flags = kRomFlagNone;
};
struct DiskEntry {
  std::string Name;
  std::string Merge;
  std::string Sha1;
  std::uint8_t Flags = kRomFlagNone;
  bool operator==(const DiskEntry&) const = default;
};

struct ChipRecord {
  std::uint8_t Kind = kChipNone;
  std::uint8_t Flags = 0;  // 1: a CPU that drives sound
  TextId Name = 0;         // at most 255
  TextId Clock = 0;        // at most 255, as written in the listinfo
};

// The fixed-size fields, one layout for games and resources.
struct GameFields {
  std::uint16_t Index = 0;
  std::uint16_t Year = 0;
  SetName Name;
  SetName CloneOf;
  SetName RomOf;
  SetName SampleOf;
  std::uint8_t Raster = 1;
  std::uint8_t Vertical = 0;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
  std::int32_t Colors = 0;
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
  std::uint8_t Machine = 0;  // MachineFlags
  bool operator==(const GameFields&) const = default;
};

// A record's share of one of the database's entry lists.
struct EntryRange {
  std::uint32_t First = 0;
  std::uint32_t Count = 0;
};

// A game or resource as the database keeps it; its texts and entries are read through the
// database (Text, Roms, Chips, Samples).
struct GameRecord : GameFields {
  TextId Description = 0;   // at most 255
  TextId Manufacturer = 0;  // at most 255
  TextId Freq = 0;          // at most 255, as written in the listinfo
  EntryRange RomRange;
  EntryRange ChipRange;
  EntryRange SampleRange;
  EntryRange DiskRange;
  EntryRange DeviceRange;
};

// A record's own fields and texts, as a builder hands them to the database (which copies the
// texts).
struct GameHead : GameFields {
  std::string_view Description;
  std::string_view Manufacturer;
  std::string_view Freq;
};

// A chip with its texts, as a GameEntry holds it.
struct ChipEntry {
  std::uint8_t Kind = kChipNone;
  std::uint8_t Flags = 0;
  std::string Name;
  std::string Clock;
  bool operator==(const ChipEntry&) const = default;
};

// A whole record as plain values: for building a few records at once (tests, tools) and for
// comparing them.
struct GameEntry : GameFields {
  std::string Description;
  std::string Manufacturer;
  std::string Freq;
  std::vector<RomEntry> Roms;
  std::vector<ChipEntry> Chips;
  std::vector<std::string> Samples;
  std::vector<DiskEntry> Disks;
  std::vector<std::string> Devices;  // the devices with ROMs that the machine uses
  bool operator==(const GameEntry&) const = default;
};

// Display words of the code tables.
std::string_view ControlWord(std::uint8_t control);     // "joystick", ... or ""
std::string_view DriverWord(std::uint8_t driver_code);  // "Not available", "Bugged", ...

// What a set of records needs, to reserve it in one step.
struct DatabaseSize {
  std::size_t games = 0;
  std::size_t resources = 0;
  std::size_t roms = 0;
  std::size_t chips = 0;
  std::size_t samples = 0;
  std::size_t disks = 0;
  std::size_t devices = 0;
  std::size_t text_bytes = 0;  // length bytes included
  // The bytes of memory these records take.
  std::size_t MemoryBytes() const;
};

class GameDatabase {
 public:
  GameDatabase();

  // Profile-level data.
  std::string EmulatorDir;  // with trailing separator
  std::string EmulatorExe;
  std::string EmulatorVersion;
  std::string ProfilePath;
  bool ProfileLoaded = false;
  // The dialect of the emulator that made the profile: the queries, command lines and files
  // that serve it.
  EmulatorDialect Dialect = EmulatorDialect::kListinfo;
  // Not kept in the file: where the temporary directory, the capture and the backups of the
  // emulator's files go while the profile is open (with trailing separator); empty means
  // EmulatorDir. See EnterWorkDir.
  std::string WorkDir;
  const std::string& WorkDirectory() const { return WorkDir.empty() ? EmulatorDir : WorkDir; }

  void ClearDatabase();
  // Room for `size` more records, so that filling them allocates nothing more.
  void Reserve(const DatabaseSize& size);

  // Builds one record in place, its entries straight into the lists: BeginRecord, the entries
  // in any order, then EndGame or EndResource with the record's own fields, or DropRecord. Texts
  // are cut to their widths. A list already holding kMaxRecords records refuses the record
  // (false, and it is dropped): positions are 16-bit, and a wrapped position would address
  // another game. So is a record that would pass the 32-bit positions of the lists.
  void BeginRecord();
  void AddRom(const RomView& rom);
  void AddChip(std::uint8_t kind, std::uint8_t flags, std::string_view name,
               std::string_view clock);
  void AddSample(std::string_view name);
  void AddDisk(const DiskView& disk);
  void AddDevice(std::string_view name);
  bool EndGame(const GameHead& head) { return EndRecord(games_, head); }
  bool EndResource(const GameHead& head) { return EndRecord(resources_, head); }
  void DropRecord();
  // Puts the records of `other` after this database's own, as if they had been built here in
  // turn; their Index fields are moved on by `game_index_shift` and `resource_index_shift`.
  // False, with nothing changed, when the records would not all fit (kMaxRecords, 32-bit
  // positions) or `other` holds devices or disks.
  bool Append(const GameDatabase& other, std::uint16_t game_index_shift,
              std::uint16_t resource_index_shift);
  // A whole record in one call.
  bool AddGame(const GameEntry& entry);
  bool AddResource(const GameEntry& entry);

  std::size_t GameCount() const { return games_.size(); }
  std::size_t ResourceCount() const { return resources_.size(); }
  const GameRecord& Game(std::size_t position) const { return games_[position]; }
  const GameRecord& Resource(std::size_t position) const { return resources_[position]; }
  const std::vector<GameRecord>& Games() const { return games_; }
  const std::vector<GameRecord>& Resources() const { return resources_; }

  // The texts and entries of a record of this database.
  std::string_view Text(TextId id) const {
    const auto length = static_cast<unsigned char>(texts_[id]);
    return {texts_.data() + id + 1, length};
  }
  std::string_view Description(const GameRecord& r) const { return Text(r.Description); }
  std::string_view Manufacturer(const GameRecord& r) const { return Text(r.Manufacturer); }
  // A ROM of this database as plain values.
  RomEntry Rom(const RomRecord& rom) const;
  std::span<const RomRecord> Roms(const GameRecord& r) const {
    return std::span<const RomRecord>(roms_).subspan(r.RomRange.First, r.RomRange.Count);
  }
  std::span<const ChipRecord> Chips(const GameRecord& r) const {
    return std::span<const ChipRecord>(chips_).subspan(r.ChipRange.First, r.ChipRange.Count);
  }
  std::span<const TextId> Samples(const GameRecord& r) const {
    return std::span<const TextId>(samples_).subspan(r.SampleRange.First, r.SampleRange.Count);
  }
  std::span<const DiskRecord> Disks(const GameRecord& r) const {
    return std::span<const DiskRecord>(disks_).subspan(r.DiskRange.First, r.DiskRange.Count);
  }
  // The devices a machine uses, as positions of DeviceName.
  std::span<const std::uint32_t> Devices(const GameRecord& r) const {
    return std::span<const std::uint32_t>(devices_).subspan(r.DeviceRange.First,
                                                            r.DeviceRange.Count);
  }
  std::string_view DeviceName(std::uint32_t device) const { return device_names_[device]; }
  // A record of this database as plain values.
  GameEntry Entry(const GameRecord& r) const;

  // Keeps only the device references for which `keep` holds (a device without ROMs needs no
  // file), in one pass over the records.
  void KeepDevices(const std::function<bool(std::string_view)>& keep);

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
  bool EndRecord(std::vector<GameRecord>& list, const GameHead& head);
  bool Add(std::vector<GameRecord>& list, const GameEntry& entry);
  TextId AddText(std::string_view text);
  void BuildIndex() const;

  std::vector<GameRecord> games_;
  std::vector<GameRecord> resources_;
  std::vector<RomRecord> roms_;
  std::vector<ChipRecord> chips_;
  std::vector<TextId> samples_;
  std::vector<DiskRecord> disks_;
  std::vector<std::uint32_t> devices_;
  // The few hundred device names, each kept once however many machines use it.
  std::vector<std::string> device_names_;
  std::unordered_map<std::string, std::uint32_t> device_ids_;
  std::vector<char> texts_;  // length byte, then the bytes; texts_[0] is the empty text
  // Where the lists ended when the record being built began.
  std::size_t rom_mark_ = 0, chip_mark_ = 0, sample_mark_ = 0, disk_mark_ = 0, device_mark_ = 0,
              text_mark_ = 1;
  bool overflow_ = false;  // an entry of the record being built passed 32-bit positions
  // Positions sorted by name, then position: the first of equal names is the first record.
  mutable bool index_valid_ = false;
  mutable std::vector<std::uint32_t> game_index_;
  mutable std::vector<std::uint32_t> resource_index_;
};

}  // namespace kw
