#include "core/profile/profile_file.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>

#include "core/progress_throttle.h"
#include "core/shared/game_database.h"
#include "core/user_interface.h"
#include "platform/fs.h"
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
    if (throttle) throttle->Tick(PercentOf(static_cast<double>(i), last));
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

}  // namespace

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

}  // namespace kw
