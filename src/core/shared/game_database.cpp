#include "core/shared/game_database.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/memory_advice.h"

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

std::string Sha1Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  return hex;
}

std::string Sha1Bytes(std::string_view hex) {
  auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  if (hex.size() != 2 * kSha1Bytes) return {};
  std::string bytes(kSha1Bytes, '\0');
  for (std::size_t i = 0; i < kSha1Bytes; ++i) {
    const int high = digit(hex[2 * i]), low = digit(hex[2 * i + 1]);
    if (high < 0 || low < 0) return {};
    bytes[i] = static_cast<char>(high * 16 + low);
  }
  return bytes;
}

std::size_t DatabaseSize::MemoryBytes() const {
  return (games + resources) * sizeof(GameRecord) + roms * sizeof(RomRecord) +
         chips * sizeof(ChipRecord) + samples * sizeof(TextId) + disks * sizeof(DiskRecord) +
         devices * sizeof(std::uint32_t) + text_bytes +
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
  std::vector<DiskRecord>().swap(disks_);
  std::vector<std::uint32_t>().swap(devices_);
  std::vector<std::string>().swap(device_names_);
  std::unordered_map<std::string, std::uint32_t>().swap(device_ids_);
  std::vector<char>(1, '\0').swap(texts_);
  std::vector<std::uint32_t>().swap(game_index_);
  std::vector<std::uint32_t>().swap(resource_index_);
  index_valid_ = false;
  BeginRecord();
}

namespace {

template <class T>
void AdviseHugePages(const std::vector<T>& list) {
  platform::AdviseHugePages(list.data(), list.capacity() * sizeof(T));
}

}  // namespace

void GameDatabase::Reserve(const DatabaseSize& size) {
  games_.reserve(games_.size() + size.games);
  resources_.reserve(resources_.size() + size.resources);
  roms_.reserve(roms_.size() + size.roms);
  chips_.reserve(chips_.size() + size.chips);
  samples_.reserve(samples_.size() + size.samples);
  disks_.reserve(disks_.size() + size.disks);
  devices_.reserve(devices_.size() + size.devices);
  texts_.reserve(texts_.size() + size.text_bytes);
  // The lists of a whole capture are tens of MiB, filled front to back.
  AdviseHugePages(games_);
  AdviseHugePages(resources_);
  AdviseHugePages(roms_);
  AdviseHugePages(chips_);
  AdviseHugePages(samples_);
  AdviseHugePages(disks_);
  AdviseHugePages(devices_);
  AdviseHugePages(texts_);
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
  if (texts_.capacity() - texts_.size() < 1 + text.size()) {
    // Grown by hand, so that the copy already lands in huge pages.
    std::vector<char> grown;
    grown.reserve(std::max(2 * texts_.capacity(), texts_.size() + 1 + text.size()));
    AdviseHugePages(grown);
    grown.assign(texts_.begin(), texts_.end());
    texts_.swap(grown);
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
  disk_mark_ = disks_.size();
  device_mark_ = devices_.size();
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
  const TextId region = AddText(rom.Region);
  roms_.push_back(
      {name, merge, region, rom.Flags, rom.Offset, rom.Size, rom.Crc, AddText(rom.Sha1)});
}

RomEntry GameDatabase::Rom(const RomRecord& rom) const {
  return {std::string(Text(rom.Name)),
          std::string(Text(rom.Merge)),
          std::string(Text(rom.Region)),
          rom.Flags,
          rom.Offset,
          rom.Size,
          rom.Crc,
          std::string(Text(rom.Sha1))};
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

void GameDatabase::AddDisk(const DiskView& disk) {
  if (disks_.size() >= kMaxPosition) {
    overflow_ = true;
    return;
  }
  const TextId name = AddText(disk.Name);
  const TextId merge = AddText(disk.Merge);
  disks_.push_back({name, merge, AddText(disk.Sha1), disk.Flags});
}

void GameDatabase::AddDevice(std::string_view name) {
  if (devices_.size() >= kMaxPosition) {
    overflow_ = true;
    return;
  }
  name = name.substr(0, kLongSetNameWidth);
  auto [it, added] =
      device_ids_.try_emplace(std::string(name), static_cast<std::uint32_t>(device_names_.size()));
  if (added) device_names_.emplace_back(name);
  // A machine names a device once for each of its kind it holds: one reference is enough.
  for (std::size_t i = device_mark_; i < devices_.size(); ++i) {
    if (devices_[i] == it->second) return;
  }
  devices_.push_back(it->second);
}

void GameDatabase::KeepDevices(const std::function<bool(std::string_view)>& keep) {
  std::vector<char> kept(device_names_.size());
  for (std::size_t i = 0; i < device_names_.size(); ++i)
    kept[i] = keep(device_names_[i]) ? 1 : 0;
  // The records' references lie in the order the records were built, games and resources
  // mixed: walked in that order, the kept ones move down without overwriting any still to read.
  std::vector<GameRecord*> order;
  order.reserve(games_.size() + resources_.size());
  for (auto* list : {&games_, &resources_}) {
    for (GameRecord& r : *list)
      order.push_back(&r);
  }
  std::sort(order.begin(), order.end(), [](const GameRecord* a, const GameRecord* b) {
    return a->DeviceRange.First < b->DeviceRange.First;
  });
  std::size_t out = 0;
  for (GameRecord* r : order) {
    const std::size_t first = out;
    for (std::uint32_t i = 0; i < r->DeviceRange.Count; ++i) {
      const std::uint32_t device = devices_[r->DeviceRange.First + i];
      if (kept[device]) devices_[out++] = device;
    }
    r->DeviceRange = {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(out - first)};
  }
  devices_.resize(out);
  devices_.shrink_to_fit();
}

void GameDatabase::DropRecord() {
  roms_.resize(rom_mark_);
  chips_.resize(chip_mark_);
  samples_.resize(sample_mark_);
  disks_.resize(disk_mark_);
  devices_.resize(device_mark_);
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
  r.DiskRange = {static_cast<std::uint32_t>(disk_mark_),
                 static_cast<std::uint32_t>(disks_.size() - disk_mark_)};
  r.DeviceRange = {static_cast<std::uint32_t>(device_mark_),
                   static_cast<std::uint32_t>(devices_.size() - device_mark_)};
  list.push_back(r);
  index_valid_ = false;
  // The next record starts here, also when it is built without BeginRecord.
  BeginRecord();
  return true;
}

bool GameDatabase::Append(const GameDatabase& other, std::uint16_t game_index_shift,
                          std::uint16_t resource_index_shift) {
  const auto fits = [](std::size_t have, std::size_t more, std::size_t limit) {
    return more <= limit && have <= limit - more;
  };
  if (!other.disks_.empty() || !other.devices_.empty() || other.texts_.empty() ||
      !fits(games_.size(), other.games_.size(), kMaxRecords) ||
      !fits(resources_.size(), other.resources_.size(), kMaxRecords) ||
      !fits(roms_.size(), other.roms_.size(), kMaxPosition) ||
      !fits(chips_.size(), other.chips_.size(), kMaxPosition) ||
      !fits(samples_.size(), other.samples_.size(), kMaxPosition) ||
      !fits(texts_.size(), other.texts_.size(), kMaxPosition))
    return false;
  // The other's texts follow this one's, its empty text (at 0) left out: a text moves on by
  // this one's size less that byte, and the empty text stays 0.
  const TextId shift = static_cast<TextId>(texts_.size() - 1);
  const auto text = [shift](TextId id) { return id == 0 ? id : id + shift; };
  const auto range = [](EntryRange r, std::size_t first) {
    return EntryRange{r.First + static_cast<std::uint32_t>(first), r.Count};
  };
  const std::size_t roms = roms_.size(), chips = chips_.size(), samples = samples_.size();
  texts_.insert(texts_.end(), other.texts_.begin() + 1, other.texts_.end());
  for (RomRecord rom : other.roms_) {
    rom.Name = text(rom.Name);
    rom.Merge = text(rom.Merge);
    rom.Region = text(rom.Region);
    rom.Sha1 = text(rom.Sha1);
    roms_.push_back(rom);
  }
  for (ChipRecord chip : other.chips_) {
    chip.Name = text(chip.Name);
    chip.Clock = text(chip.Clock);
    chips_.push_back(chip);
  }
  for (TextId sample : other.samples_)
    samples_.push_back(text(sample));
  const auto records = [&](const std::vector<GameRecord>& from, std::vector<GameRecord>& to,
                           std::uint16_t index_shift) {
    for (GameRecord r : from) {
      r.Index = static_cast<std::uint16_t>(r.Index + index_shift);
      r.Description = text(r.Description);
      r.Manufacturer = text(r.Manufacturer);
      r.Freq = text(r.Freq);
      r.RomRange = range(r.RomRange, roms);
      r.ChipRange = range(r.ChipRange, chips);
      r.SampleRange = range(r.SampleRange, samples);
      r.DiskRange = range(r.DiskRange, disks_.size());
      r.DeviceRange = range(r.DeviceRange, devices_.size());
      to.push_back(r);
    }
  };
  records(other.games_, games_, game_index_shift);
  records(other.resources_, resources_, resource_index_shift);
  index_valid_ = false;
  BeginRecord();
  return true;
}

bool GameDatabase::Add(std::vector<GameRecord>& list, const GameEntry& entry) {
  BeginRecord();
  for (const RomEntry& rom : entry.Roms)
    AddRom({rom.Name, rom.Merge, rom.Region, rom.Flags, rom.Offset, rom.Size, rom.Crc, rom.Sha1});
  for (const ChipEntry& chip : entry.Chips)
    AddChip(chip.Kind, chip.Flags, chip.Name, chip.Clock);
  for (const std::string& sample : entry.Samples)
    AddSample(sample);
  for (const DiskEntry& disk : entry.Disks)
    AddDisk({disk.Name, disk.Merge, disk.Sha1, disk.Flags});
  for (const std::string& device : entry.Devices)
    AddDevice(device);
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
  for (const DiskRecord& disk : Disks(r))
    e.Disks.push_back({std::string(Text(disk.Name)), std::string(Text(disk.Merge)),
                       std::string(Text(disk.Sha1)), disk.Flags});
  for (std::uint32_t device : Devices(r))
    e.Devices.emplace_back(DeviceName(device));
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
