#include "core/profile/game_database.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace kw {

std::string_view ControlWord(std::uint8_t control) {
  switch (control) {
    case kControlJoy4Way:
    case kControlJoy8Way:
      return "joystick";
    case kControlDoubleJoy4Way:
    case kControlDoubleJoy8Way:
      return "2 joysticks";
    case kControlDial:
      return "dial";
    case kControlStick:
      return "analog stick";
    case kControlPaddle:
      return "paddle";
    case kControlTrackball:
      return "trackball";
    default:
      return "";
  }
}

std::string_view DriverWord(std::uint8_t driver_code) {
  switch (driver_code) {
    case kDriverImperfect:
      return "Bugged";
    case kDriverPreliminary:
      return "Preliminary";
    case kDriverGood:
      return "Ok";
    default:
      return "Not available";
  }
}

std::size_t DatabaseSize::MemoryBytes() const {
  return (games + resources) * sizeof(GameRecord) + roms * sizeof(RomRecord) +
         chips * sizeof(ChipRecord) + samples * sizeof(TextId) + text_bytes +
         games * sizeof(std::uint32_t) * 2;  // the look-up index, and its sorting
}

GameDatabase::GameDatabase() : texts_(1, '\0') {}

void GameDatabase::ClearDatabase() {
  // Swapped with empty lists so that the memory goes back, not only the elements.
  std::vector<GameRecord>().swap(games_);
  std::vector<GameRecord>().swap(resources_);
  std::vector<RomRecord>().swap(roms_);
  std::vector<ChipRecord>().swap(chips_);
  std::vector<TextId>().swap(samples_);
  std::vector<char>(1, '\0').swap(texts_);
  std::vector<std::uint32_t>().swap(game_index_);
  std::vector<std::uint32_t>().swap(resource_index_);
  index_valid_ = false;
  BeginRecord();
}

void GameDatabase::Reserve(const DatabaseSize& size) {
  games_.reserve(games_.size() + size.games);
  resources_.reserve(resources_.size() + size.resources);
  roms_.reserve(roms_.size() + size.roms);
  chips_.reserve(chips_.size() + size.chips);
  samples_.reserve(samples_.size() + size.samples);
  texts_.reserve(texts_.size() + size.text_bytes);
}

// Positions are 32-bit: what would pass them marks the record for refusal instead of wrapping.
constexpr std::size_t kMaxPosition = UINT32_MAX;

TextId GameDatabase::AddText(std::string_view text) {
  text = text.substr(0, kTextWidth);
  if (text.empty()) return 0;
  if (texts_.size() + 1 + text.size() > kMaxPosition) {
    overflow_ = true;
    return 0;
  }
  const auto id = static_cast<TextId>(texts_.size());
  texts_.push_back(static_cast<char>(text.size()));
  texts_.insert(texts_.end(), text.begin(), text.end());
  return id;
}

void GameDatabase::BeginRecord() {
  rom_mark_ = roms_.size();
  chip_mark_ = chips_.size();
  sample_mark_ = samples_.size();
  text_mark_ = texts_.size();
  overflow_ = false;
}

void GameDatabase::AddRom(const RomView& rom) {
  if (roms_.size() >= kMaxPosition) {
    overflow_ = true;
    return;
  }
  const TextId name = AddText(rom.Name);
  const TextId merge = AddText(rom.Merge);
  roms_.push_back({name, merge, AddText(rom.Region), rom.Flags, rom.Offset, rom.Size, rom.Crc});
}

RomEntry GameDatabase::Rom(const RomRecord& rom) const {
  return {std::string(Text(rom.Name)),
          std::string(Text(rom.Merge)),
          std::string(Text(rom.Region)),
          rom.Flags,
          rom.Offset,
          rom.Size,
          rom.Crc};
}

void GameDatabase::AddChip(std::uint8_t kind, std::uint8_t flags, std::string_view name,
                           std::string_view clock) {
  if (chips_.size() >= kMaxPosition) {
    overflow_ = true;
    return;
  }
  const TextId name_id = AddText(name);
  chips_.push_back({kind, flags, name_id, AddText(clock)});
}

void GameDatabase::AddSample(std::string_view name) {
  if (samples_.size() >= kMaxPosition) {
    overflow_ = true;
    return;
  }
  samples_.push_back(AddText(name));
}

void GameDatabase::DropRecord() {
  roms_.resize(rom_mark_);
  chips_.resize(chip_mark_);
  samples_.resize(sample_mark_);
  texts_.resize(text_mark_);
  overflow_ = false;
}

bool GameDatabase::EndRecord(std::vector<GameRecord>& list, const GameHead& head) {
  GameRecord r;
  static_cast<GameFields&>(r) = head;
  r.Description = AddText(head.Description);
  r.Manufacturer = AddText(head.Manufacturer);
  r.Freq = AddText(head.Freq);
  if (list.size() >= kMaxRecords || overflow_) {
    DropRecord();
    return false;
  }
  r.RomRange = {static_cast<std::uint32_t>(rom_mark_),
                static_cast<std::uint32_t>(roms_.size() - rom_mark_)};
  r.ChipRange = {static_cast<std::uint32_t>(chip_mark_),
                 static_cast<std::uint32_t>(chips_.size() - chip_mark_)};
  r.SampleRange = {static_cast<std::uint32_t>(sample_mark_),
                   static_cast<std::uint32_t>(samples_.size() - sample_mark_)};
  list.push_back(r);
  index_valid_ = false;
  // The next record starts here, also when it is built without BeginRecord.
  BeginRecord();
  return true;
}

bool GameDatabase::Add(std::vector<GameRecord>& list, const GameEntry& entry) {
  BeginRecord();
  for (const RomEntry& rom : entry.Roms)
    AddRom({rom.Name, rom.Merge, rom.Region, rom.Flags, rom.Offset, rom.Size, rom.Crc});
  for (const ChipEntry& chip : entry.Chips)
    AddChip(chip.Kind, chip.Flags, chip.Name, chip.Clock);
  for (const std::string& sample : entry.Samples)
    AddSample(sample);
  GameHead head;
  static_cast<GameFields&>(head) = entry;
  head.Description = entry.Description;
  head.Manufacturer = entry.Manufacturer;
  head.Freq = entry.Freq;
  return EndRecord(list, head);
}

bool GameDatabase::AddGame(const GameEntry& entry) {
  return Add(games_, entry);
}

bool GameDatabase::AddResource(const GameEntry& entry) {
  return Add(resources_, entry);
}

GameEntry GameDatabase::Entry(const GameRecord& r) const {
  GameEntry e;
  static_cast<GameFields&>(e) = r;
  e.Description = Text(r.Description);
  e.Manufacturer = Text(r.Manufacturer);
  e.Freq = Text(r.Freq);
  for (const RomRecord& rom : Roms(r))
    e.Roms.push_back(Rom(rom));
  for (const ChipRecord& chip : Chips(r))
    e.Chips.push_back(
        {chip.Kind, chip.Flags, std::string(Text(chip.Name)), std::string(Text(chip.Clock))});
  for (TextId sample : Samples(r))
    e.Samples.emplace_back(Text(sample));
  return e;
}

namespace {

// Positions of `list` sorted by name; equal names keep their order, so the first of them is the
// first record of that name.
void SortByName(const std::vector<GameRecord>& list, std::vector<std::uint32_t>& index) {
  index.resize(list.size());
  for (std::size_t i = 0; i < list.size(); ++i)
    index[i] = static_cast<std::uint32_t>(i);
  std::stable_sort(index.begin(), index.end(), [&list](std::uint32_t a, std::uint32_t b) {
    return list[a].Name.View() < list[b].Name.View();
  });
}

const GameRecord* Look(const std::vector<GameRecord>& list, const std::vector<std::uint32_t>& index,
                       std::string_view name) {
  auto it = std::lower_bound(index.begin(), index.end(), name,
                             [&list](std::uint32_t position, std::string_view wanted) {
                               return list[position].Name.View() < wanted;
                             });
  if (it == index.end() || list[*it].Name.View() != name) return nullptr;
  return &list[*it];
}

}  // namespace

void GameDatabase::BuildIndex() const {
  SortByName(games_, game_index_);
  SortByName(resources_, resource_index_);
  index_valid_ = true;
}

const GameRecord* GameDatabase::FindSet(std::string_view name, bool with_resources) const {
  if (!index_valid_) BuildIndex();
  if (const GameRecord* game = Look(games_, game_index_, name)) return game;
  return with_resources ? Look(resources_, resource_index_, name) : nullptr;
}

long GameDatabase::FindGamePosition(std::string_view name) const {
  const GameRecord* game = FindSet(name, false);
  return game ? static_cast<long>(game - games_.data()) : -1;
}

}  // namespace kw
