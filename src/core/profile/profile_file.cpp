#include "core/profile/profile_file.h"

#include <algorithm>
#include <optional>

#include "core/progress_throttle.h"
#include "core/shared/game_database.h"
#include "core/user_interface.h"
#include "platform/mapped_file.h"

namespace kw {

namespace {

// Reads the image front to back; every read fails cleanly at the end of the bytes.
class Cursor {
 public:
  explicit Cursor(std::string_view data) : data_(data) {}

  bool AtEnd() const { return pos_ >= data_.size(); }
  std::size_t Position() const { return pos_; }
  std::size_t Size() const { return data_.size(); }

  bool Peek(std::uint8_t& out) const {
    if (pos_ >= data_.size()) return false;
    out = static_cast<std::uint8_t>(data_[pos_]);
    return true;
  }
  bool Byte(std::uint8_t& out) {
    if (pos_ >= data_.size()) return false;
    out = static_cast<std::uint8_t>(data_[pos_++]);
    return true;
  }
  bool U16(std::uint16_t& out) {
    if (data_.size() - pos_ < 2) return false;
    out = static_cast<std::uint16_t>(At(0) | (At(1) << 8));
    pos_ += 2;
    return true;
  }
  bool U32(std::uint32_t& out) {
    if (data_.size() - pos_ < 4) return false;
    out = At(0) | (At(1) << 8) | (At(2) << 16) | (At(3) << 24);
    pos_ += 4;
    return true;
  }
  // All the text's bytes are consumed; the first `width` of them are kept.
  template <class Field>
  bool Text(Field& out, std::size_t width) {
    std::uint8_t length = 0;
    if (!Byte(length)) return false;
    if (data_.size() - pos_ < length) return false;
    out = data_.substr(pos_, std::min<std::size_t>(length, width));
    pos_ += length;
    return true;
  }

 private:
  std::uint32_t At(std::size_t offset) const {
    return static_cast<std::uint8_t>(data_[pos_ + offset]);
  }

  std::string_view data_;
  std::size_t pos_ = 0;
};

bool ReadFixedFields(Cursor& c, GameHead& r, NameWidths widths) {
  std::uint32_t colors = 0;
  bool ok = c.U16(r.Index) && c.Text(r.Name, widths.set) && c.Text(r.Description, kTextWidth) &&
            c.U16(r.Year) && c.Text(r.Manufacturer, kTextWidth) && c.Text(r.CloneOf, widths.set) &&
            c.Text(r.RomOf, widths.set) && c.Text(r.SampleOf, widths.set) && c.Byte(r.Raster) &&
            c.Byte(r.Vertical) && c.U16(r.Width) && c.U16(r.Height) && c.U32(colors) &&
            c.Text(r.Freq, kTextWidth) && c.Byte(r.Channels) && c.Byte(r.Players) &&
            c.Byte(r.Control) && c.Byte(r.Buttons) && c.Byte(r.Coins) && c.Byte(r.Tilt) &&
            c.Byte(r.Service) && c.Byte(r.DipSwitches) && c.Byte(r.DriverStatus) &&
            c.Byte(r.DriverColor) && c.Byte(r.DriverSound) && c.Byte(r.ColorDeep);
  r.Colors = static_cast<std::int32_t>(colors);
  return ok;
}

// With `audit`, the SHA-1 entry that may follow the ROM is read with it.
bool ReadRom(Cursor& c, RomView& rom, NameWidths widths, bool audit) {
  if (!(c.Text(rom.Name, widths.rom) && c.Text(rom.Merge, widths.rom) &&
        c.Text(rom.Region, widths.rom) && c.Byte(rom.Flags) && c.U32(rom.Offset) &&
        c.U32(rom.Size) && c.U32(rom.Crc)))
    return false;
  std::uint8_t next = 0;
  if (!audit || !c.Peek(next) || next != kRomHashMarker) return true;
  return c.Byte(next) && c.Text(rom.Sha1, kSha1Bytes);
}

bool ReadDisk(Cursor& c, DiskView& disk) {
  return c.Text(disk.Name, kTextWidth) && c.Text(disk.Merge, kTextWidth) &&
         c.Text(disk.Sha1, kSha1Bytes) && c.Byte(disk.Flags);
}

struct ChipView {
  std::uint8_t Kind = kChipNone;
  std::uint8_t Flags = 0;
  std::string_view Name;
  std::string_view Clock;
};

bool ReadChip(Cursor& c, ChipView& chip) {
  return c.Byte(chip.Kind) && c.Byte(chip.Flags) && c.Text(chip.Name, kTextWidth) &&
         c.Text(chip.Clock, kTextWidth);
}

// The bytes the arena takes for one text.
std::size_t TextBytes(std::string_view text) {
  return text.empty() ? 0 : text.size() + 1;
}

// The first read: tallies what the records would take, keeping nothing.
class TallySink {
 public:
  void Begin() {}
  void Rom(const RomView& rom) {
    ++size_.roms;
    size_.text_bytes +=
        TextBytes(rom.Name) + TextBytes(rom.Merge) + TextBytes(rom.Region) + TextBytes(rom.Sha1);
  }
  void Disk(const DiskView& disk) {
    ++size_.disks;
    size_.text_bytes += TextBytes(disk.Name) + TextBytes(disk.Merge) + TextBytes(disk.Sha1);
  }
  void Device(std::string_view) { ++size_.devices; }
  void Chip(const ChipView& chip) {
    ++size_.chips;
    size_.text_bytes += TextBytes(chip.Name) + TextBytes(chip.Clock);
  }
  void Sample(std::string_view sample) {
    ++size_.samples;
    size_.text_bytes += TextBytes(sample);
  }
  bool End(std::uint8_t marker, const GameHead& head) {
    std::size_t& records = marker == kGameMarker ? size_.games : size_.resources;
    if (records == kMaxRecords) return false;
    ++records;
    size_.text_bytes +=
        TextBytes(head.Description) + TextBytes(head.Manufacturer) + TextBytes(head.Freq);
    return true;
  }
  const DatabaseSize& Size() const { return size_; }

 private:
  DatabaseSize size_;
};

// The second read: builds the records in the database.
class DatabaseSink {
 public:
  explicit DatabaseSink(GameDatabase& db) : db_(db) {}
  void Begin() { db_.BeginRecord(); }
  void Rom(const RomView& rom) { db_.AddRom(rom); }
  void Chip(const ChipView& chip) { db_.AddChip(chip.Kind, chip.Flags, chip.Name, chip.Clock); }
  void Sample(std::string_view sample) { db_.AddSample(sample); }
  void Disk(const DiskView& disk) { db_.AddDisk(disk); }
  void Device(std::string_view name) { db_.AddDevice(name); }
  bool End(std::uint8_t marker, const GameHead& head) {
    return marker == kGameMarker ? db_.EndGame(head) : db_.EndResource(head);
  }

 private:
  GameDatabase& db_;
};

// Reads the records after the emulator texts into `sink`; a record that the sink refuses ends
// the read with kTooManyRecords. A record cut short is dropped.
// With `audit` (today's dialect), the entries of its audit are read too; in the era's profiles
// their markers are no markers.
template <class Sink, class Tick>
ProfileReadError ReadRecords(Cursor c, Sink& sink, NameWidths widths, bool audit, Tick&& tick) {
  std::uint8_t marker = 0;
  // A profile always holds at least one record: a file that ends here was cut short.
  if (!c.Byte(marker)) return ProfileReadError::kTruncated;
  if (marker != kGameMarker && marker != kResourceMarker)
    return ProfileReadError::kInvalidHeaderTag;
  for (;;) {
    tick(c.Position());
    sink.Begin();
    GameHead head;
    if (!ReadFixedFields(c, head, widths)) return ProfileReadError::kTruncated;
    // Entries of the three kinds in any order, up to the next record's marker or the end.
    std::optional<std::uint8_t> next_marker;
    std::uint8_t entry = 0;
    while (!next_marker && c.Byte(entry)) {
      switch (entry) {
        case kRomMarker: {
          RomView rom;
          if (!ReadRom(c, rom, widths, audit)) return ProfileReadError::kTruncated;
          sink.Rom(rom);
          break;
        }
        case kChipMarker: {
          ChipView chip;
          if (!ReadChip(c, chip)) return ProfileReadError::kTruncated;
          sink.Chip(chip);
          break;
        }
        case kSampleMarker: {
          std::string_view sample;
          if (!c.Text(sample, kTextWidth)) return ProfileReadError::kTruncated;
          sink.Sample(sample);
          break;
        }
        case kGameMarker:
        case kResourceMarker:
          next_marker = entry;
          break;
        default:
          if (!audit) return ProfileReadError::kInvalidHeaderTag;
          if (entry == kMachineMarker) {
            if (!c.Byte(head.Machine)) return ProfileReadError::kTruncated;
          } else if (entry == kDiskMarker) {
            DiskView disk;
            if (!ReadDisk(c, disk)) return ProfileReadError::kTruncated;
            sink.Disk(disk);
          } else if (entry == kDeviceMarker) {
            std::string_view device;
            if (!c.Text(device, widths.set)) return ProfileReadError::kTruncated;
            sink.Device(device);
          } else {
            return ProfileReadError::kInvalidHeaderTag;
          }
      }
    }
    if (!sink.End(marker, head)) return ProfileReadError::kTooManyRecords;
    if (!next_marker) return ProfileReadError::kNone;
    marker = *next_marker;
  }
}

std::size_t ProfileMemoryLimit(std::size_t image_size) {
  return kProfileMemoryFactor * image_size + 64 * 1024;
}

}  // namespace

std::string ProfileTag(std::string_view product_name) {
  std::string tag(product_name);
  tag += kProfileTagSuffix;
  return tag;
}

ProfileReadError ReadProfileImage(std::string_view image, std::string_view product_name,
                                  GameDatabase& db, UserInterface* progress) {
  db.ClearDatabase();
  const std::string tag = ProfileTag(product_name);
  if (image.substr(0, tag.size()) != tag) return ProfileReadError::kInvalidFileType;

  Cursor c(image.substr(tag.size()));
  std::string_view dir, exe, version;
  if (!c.Text(dir, kTextWidth) || !c.Text(exe, kTextWidth) || !c.Text(version, kTextWidth))
    return ProfileReadError::kTruncated;
  db.EmulatorDir = dir;
  db.EmulatorExe = exe;
  db.EmulatorVersion = version;
  db.Dialect = EmulatorDialect::kListinfo;
  if (std::uint8_t next = 0; c.Peek(next) && next == kDialectMarker) {
    std::uint8_t marker = 0;
    std::string_view word;
    if (!c.Byte(marker) || !c.Text(word, kTextWidth)) return ProfileReadError::kTruncated;
    const std::optional<EmulatorDialect> dialect = DialectFromWord(word);
    if (!dialect) return ProfileReadError::kUnknownDialect;
    db.Dialect = *dialect;
  }
  const NameWidths widths = NameWidthsOf(db.Dialect);
  const bool audit = db.Dialect != EmulatorDialect::kListinfo;

  // A first read sizes the lists, so that they are allocated once and exactly (no list grows
  // to twice what it holds), and refuses a file whose records would take more memory than a
  // few times its size.
  TallySink tally;
  ReadRecords(c, tally, widths, audit, [](std::size_t) {});
  if (tally.Size().MemoryBytes() > ProfileMemoryLimit(image.size()))
    return ProfileReadError::kTooLarge;
  db.Reserve(tally.Size());

  std::optional<ProgressThrottle> throttle;
  if (progress) throttle.emplace(*progress);
  DatabaseSink sink(db);
  const double total = static_cast<double>(image.size());
  return ReadRecords(c, sink, widths, audit, [&](std::size_t position) {
    if (throttle) throttle->Tick(PercentOf(static_cast<double>(position + tag.size()), total));
  });
}

std::string ProfileErrorMessage(const std::string& path, ProfileReadError error) {
  switch (error) {
    case ProfileReadError::kNone:
      return {};
    case ProfileReadError::kInvalidFileType:
      return path + ": invalid file type";
    case ProfileReadError::kInvalidHeaderTag:
      return path + ": invalid header tag";
    case ProfileReadError::kTruncated:
      return path + ": file is truncated";
    case ProfileReadError::kUnknownDialect:
      return path + ": made for an emulator this program does not know";
    case ProfileReadError::kTooManyRecords:
      return path + ": too many records (a profile holds at most 65535 games and 65535 resources)";
    case ProfileReadError::kTooLarge:
      return path + ": too many entries for its size (its records would take more than " +
             std::to_string(kProfileMemoryFactor) + " times its size in memory)";
  }
  return {};
}

Status LoadProfile(GameDatabase& db, const std::string& path, UserInterface& ui,
                   const ProfileFileContext& context) {
  ui.SetBusy(true);
  db.ClearDatabase();
  ui.SetOperation("Loading profile...");
  ui.SetProgress(0);
  ui.ShowProgress();
  ui.ProcessMessages();
  // Mapped, not copied: the pages are read once, straight into the records.
  Result<platform::MappedFile> image = platform::MappedFile::Open(path);
  if (!image) {
    ui.SetBusy(false);
    return Failure(path + ": " + image.Message());
  }
  ProfileReadError result = ReadProfileImage(image->Bytes(), context.ProductName, db, &ui);
  if (result != ProfileReadError::kNone) {
    ui.SetBusy(false);
    return Failure(ProfileErrorMessage(path, result));
  }
  db.ProfilePath = path;
  if (context.ProfilePathChanged) context.ProfilePathChanged(path);
  ui.SetBusy(false);
  return Success();
}

}  // namespace kw
