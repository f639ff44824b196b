#include "core/profile/profile_file.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <thread>

#include "core/progress_throttle.h"
#include "core/shared/game_database.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/mapped_file.h"
#include "platform/memory_advice.h"

namespace kw {

namespace {

// The writer runs twice over the database: once to size the image, once to fill it, so that
// the image is allocated once at its final size; or, to write a file, once to size its first
// part, so that the second part knows where it starts, and once to write it a piece at a time.
class SizeOut {
 public:
  void Byte(std::uint8_t) { ++size_; }
  void Bytes(std::string_view bytes) { size_ += bytes.size(); }
  std::size_t Size() const { return size_; }

 private:
  std::size_t size_ = 0;
};

class FillOut {
 public:
  explicit FillOut(char* at) : at_(at) {}
  void Byte(std::uint8_t value) { *at_++ = static_cast<char>(value); }
  void Bytes(std::string_view bytes) {
    if (bytes.empty()) return;
    std::memcpy(at_, bytes.data(), bytes.size());
    at_ += bytes.size();
  }

 private:
  char* at_;
};

// Fills a buffer of its own and writes it into the file at its place each time it is full: a
// profile of tens of MiB is written without being held whole. The first failure stops the
// writes and is kept.
class ChunkOut {
 public:
  ChunkOut(const platform::fs::AtomicFile& file, std::uint64_t offset)
      : file_(file), offset_(offset), buffer_(new char[kChunkBytes]) {}
  void Byte(std::uint8_t value) {
    if (used_ == kChunkBytes) Flush();
    buffer_[used_++] = static_cast<char>(value);
  }
  void Bytes(std::string_view bytes) {
    while (!bytes.empty()) {
      if (used_ == kChunkBytes) Flush();
      const std::size_t n = std::min(bytes.size(), kChunkBytes - used_);
      std::memcpy(buffer_.get() + used_, bytes.data(), n);
      used_ += n;
      bytes.remove_prefix(n);
    }
  }
  Status Finish() {
    Flush();
    return status_;
  }

 private:
  static constexpr std::size_t kChunkBytes = 256 * 1024;
  void Flush() {
    if (status_ && used_ > 0) status_ = file_.WriteAt(offset_, {buffer_.get(), used_});
    offset_ += used_;
    used_ = 0;
  }

  const platform::fs::AtomicFile& file_;
  std::uint64_t offset_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  Status status_;
};

template <class Out>
void PutU16(Out& out, std::uint16_t value) {
  out.Byte(static_cast<std::uint8_t>(value & 0xFF));
  out.Byte(static_cast<std::uint8_t>(value >> 8));
}
template <class Out>
void PutU32(Out& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.Byte(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}
// The length byte holds the field's length; a text longer than its width (which the parser and
// the reader never produce) is cut to it, so the length byte cannot wrap.
template <class Out>
void PutText(Out& out, std::string_view text, std::size_t width) {
  text = text.substr(0, width);
  out.Byte(static_cast<std::uint8_t>(text.size()));
  out.Bytes(text);
}

template <class Out>
void PutRecord(Out& out, const GameDatabase& db, const GameRecord& r, NameWidths widths,
               bool audit) {
  PutU16(out, r.Index);
  PutText(out, r.Name.View(), widths.set);
  PutText(out, db.Text(r.Description), kTextWidth);
  PutU16(out, r.Year);
  PutText(out, db.Text(r.Manufacturer), kTextWidth);
  PutText(out, r.CloneOf.View(), widths.set);
  PutText(out, r.RomOf.View(), widths.set);
  PutText(out, r.SampleOf.View(), widths.set);
  out.Byte(r.Raster);
  out.Byte(r.Vertical);
  PutU16(out, r.Width);
  PutU16(out, r.Height);
  PutU32(out, static_cast<std::uint32_t>(r.Colors));
  PutText(out, db.Text(r.Freq), kTextWidth);
  for (std::uint8_t b : {r.Channels, r.Players, r.Control, r.Buttons, r.Coins, r.Tilt, r.Service,
                         r.DipSwitches, r.DriverStatus, r.DriverColor, r.DriverSound, r.ColorDeep})
    out.Byte(b);
  for (const RomRecord& rom : db.Roms(r)) {
    out.Byte(kRomMarker);
    PutText(out, db.Text(rom.Name), widths.rom);
    PutText(out, db.Text(rom.Merge), widths.rom);
    PutText(out, db.Text(rom.Region), widths.rom);
    out.Byte(rom.Flags);
    PutU32(out, rom.Offset);
    PutU32(out, rom.Size);
    PutU32(out, rom.Crc);
    if (audit && rom.Sha1 != 0) {
      out.Byte(kRomHashMarker);
      PutText(out, db.Text(rom.Sha1), kSha1Bytes);
    }
  }
  for (const ChipRecord& chip : db.Chips(r)) {
    out.Byte(kChipMarker);
    out.Byte(chip.Kind);
    out.Byte(chip.Flags);
    PutText(out, db.Text(chip.Name), kTextWidth);
    PutText(out, db.Text(chip.Clock), kTextWidth);
  }
  for (TextId sample : db.Samples(r)) {
    out.Byte(kSampleMarker);
    PutText(out, db.Text(sample), kTextWidth);
  }
  if (!audit) return;
  if (r.Machine != 0) {
    out.Byte(kMachineMarker);
    out.Byte(r.Machine);
  }
  for (const DiskRecord& disk : db.Disks(r)) {
    out.Byte(kDiskMarker);
    PutText(out, db.Text(disk.Name), kTextWidth);
    PutText(out, db.Text(disk.Merge), kTextWidth);
    PutText(out, db.Text(disk.Sha1), kSha1Bytes);
    out.Byte(disk.Flags);
  }
  for (std::uint32_t device : db.Devices(r)) {
    out.Byte(kDeviceMarker);
    PutText(out, db.DeviceName(device), widths.set);
  }
}

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

int Percent(double position, double total) {
  return total > 0 ? static_cast<int>(position / total * 100.0) : 0;
}

// An image in two parts, which can be sized and filled at once on two cores: the head and the
// games before `middle`, then the other games and the resources. The progress goes with the
// first part's games.
template <class Out>
void PutFirstPart(Out& out, const GameDatabase& db, std::string_view tag, std::size_t middle,
                  ProgressThrottle* throttle) {
  out.Bytes(tag);
  PutText(out, db.EmulatorDir, kTextWidth);
  PutText(out, db.EmulatorExe, kTextWidth);
  PutText(out, db.EmulatorVersion, kTextWidth);
  // The era's profiles have a record marker here; a profile of another dialect has its block.
  if (db.Dialect != EmulatorDialect::kListinfo) {
    out.Byte(kDialectMarker);
    PutText(out, DialectWord(db.Dialect), kTextWidth);
  }
  const NameWidths widths = NameWidthsOf(db.Dialect);
  const bool audit = db.Dialect != EmulatorDialect::kListinfo;
  // A single game counts as done from the start rather than dividing by zero.
  const double last = middle > 1 ? static_cast<double>(middle - 1) : 1.0;
  for (std::size_t i = 0; i < middle; ++i) {
    if (throttle) throttle->Tick(Percent(static_cast<double>(i), last));
    out.Byte(kGameMarker);
    PutRecord(out, db, db.Game(i), widths, audit);
  }
}

template <class Out>
void PutSecondPart(Out& out, const GameDatabase& db, std::size_t middle) {
  const NameWidths widths = NameWidthsOf(db.Dialect);
  const bool audit = db.Dialect != EmulatorDialect::kListinfo;
  for (std::size_t i = middle; i < db.GameCount(); ++i) {
    out.Byte(kGameMarker);
    PutRecord(out, db, db.Game(i), widths, audit);
  }
  for (const GameRecord& resource : db.Resources()) {
    out.Byte(kResourceMarker);
    PutRecord(out, db, resource, widths, audit);
  }
}

// A profile of this many games or more is made in two parts at once.
constexpr std::size_t kImageSplitGames = 4096;

std::size_t ProfileMemoryLimit(std::size_t image_size) {
  return kProfileMemoryFactor * image_size + 64 * 1024;
}

}  // namespace

std::string ProfileTag(std::string_view product_name) {
  std::string tag(product_name);
  tag += kProfileTagSuffix;
  return tag;
}

std::string BuildProfileImage(const GameDatabase& db, std::string_view product_name,
                              UserInterface* progress) {
  const std::string tag = ProfileTag(product_name);
  const bool split = db.GameCount() >= kImageSplitGames && std::thread::hardware_concurrency() > 1;
  // Both parts of a small profile are made here, one after the other.
  const std::size_t middle = split ? db.GameCount() / 2 : db.GameCount();
  SizeOut first_size, second_size;
  std::thread second;
  if (split) second = std::thread([&] { PutSecondPart(second_size, db, middle); });
  PutFirstPart(first_size, db, tag, middle, nullptr);
  if (split) {
    second.join();
  } else {
    PutSecondPart(second_size, db, middle);
  }
  std::string image;
  image.reserve(first_size.Size() + second_size.Size());
  // A profile of a whole capture is tens of MiB.
  platform::AdviseHugePages(image.data(), image.capacity());
  image.resize(first_size.Size() + second_size.Size());
  std::optional<ProgressThrottle> throttle;
  if (progress) throttle.emplace(*progress);
  FillOut first(image.data()), rest(image.data() + first_size.Size());
  if (split) second = std::thread([&] { PutSecondPart(rest, db, middle); });
  // The progress and window messages only on the caller's thread.
  PutFirstPart(first, db, tag, middle, throttle ? &*throttle : nullptr);
  if (split) {
    second.join();
  } else {
    PutSecondPart(rest, db, middle);
  }
  return image;
}

Status WriteProfileImage(const GameDatabase& db, std::string_view product_name,
                         const platform::fs::AtomicFile& file, UserInterface* progress) {
  const std::string tag = ProfileTag(product_name);
  const bool split = db.GameCount() >= kImageSplitGames && std::thread::hardware_concurrency() > 1;
  const std::size_t middle = split ? db.GameCount() / 2 : db.GameCount();
  std::optional<ProgressThrottle> throttle;
  if (progress) throttle.emplace(*progress);
  // The other core sizes the first part, then writes the second part after it; this one writes
  // the first part meanwhile, with the progress and window messages.
  Status second_written;
  std::thread second;
  const auto put_second_part = [&] {
    SizeOut first_size;
    PutFirstPart(first_size, db, tag, middle, nullptr);
    ChunkOut rest(file, first_size.Size());
    PutSecondPart(rest, db, middle);
    second_written = rest.Finish();
  };
  if (split) second = std::thread(put_second_part);
  ChunkOut first(file, 0);
  PutFirstPart(first, db, tag, middle, throttle ? &*throttle : nullptr);
  Status first_written = first.Finish();
  if (split) {
    second.join();
  } else {
    put_second_part();
  }
  return first_written ? second_written : first_written;
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
    if (throttle) throttle->Tick(Percent(static_cast<double>(position + tag.size()), total));
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

Status SaveProfile(GameDatabase& db, const std::string& path, UserInterface& ui,
                   const ProfileFileContext& context) {
  if (db.GameCount() == 0) return Failure(kNoGamesToSave);
  ui.SetOperation("Saving profile...");
  ui.SetProgress(0);
  ui.ShowProgress();
  ui.ProcessMessages();
  // The temporary file replaces the old one only once it is complete: a failed write keeps the
  // old profile instead of deleting it first.
  Result<platform::fs::AtomicFile> file = platform::fs::AtomicFile::Begin(path);
  Status written = file ? WriteProfileImage(db, context.ProductName, *file, &ui)
                        : Status(Failure(file.Message()));
  if (written) written = file->Commit();
  if (!written) {
    ui.HideProgress();
    return Failure("Unable to write to " + path + "\r" + written.Message());
  }
  db.ProfilePath = path;
  if (context.ProfilePathChanged) context.ProfilePathChanged(path);
  ui.HideProgress();
  return Success();
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
