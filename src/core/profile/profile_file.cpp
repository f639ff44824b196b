#include "core/profile/profile_file.h"

#include <algorithm>
#include <optional>

#include "core/profile/game_database.h"
#include "core/progress_throttle.h"
#include "core/user_interface.h"
#include "platform/fs.h"

namespace kw {

namespace {

void PutByte(std::string& out, std::uint8_t value) {
  out += static_cast<char>(value);
}
void PutU16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}
void PutU32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out += static_cast<char>((value >> shift) & 0xFF);
}
// The length byte holds the field's length; a text longer than its width (which the parser and
// the reader never produce) is cut to it, so the length byte cannot wrap.
void PutText(std::string& out, std::string_view text, std::size_t width) {
  std::size_t length = std::min(text.size(), width);
  out += static_cast<char>(length);
  out.append(text.data(), length);
}

void PutRecord(std::string& out, const GameRecord& r) {
  PutU16(out, r.Index);
  PutText(out, r.Name, kSetNameWidth);
  PutText(out, r.Description, kTextWidth);
  PutU16(out, r.Year);
  PutText(out, r.Manufacturer, kTextWidth);
  PutText(out, r.CloneOf, kSetNameWidth);
  PutText(out, r.RomOf, kSetNameWidth);
  PutText(out, r.SampleOf, kSetNameWidth);
  PutByte(out, r.Raster);
  PutByte(out, r.Vertical);
  PutU16(out, r.Width);
  PutU16(out, r.Height);
  PutU32(out, static_cast<std::uint32_t>(r.Colors));
  PutText(out, r.Freq, kTextWidth);
  for (std::uint8_t b : {r.Channels, r.Players, r.Control, r.Buttons, r.Coins, r.Tilt, r.Service,
                         r.DipSwitches, r.DriverStatus, r.DriverColor, r.DriverSound, r.ColorDeep})
    PutByte(out, b);
  for (const RomRecord& rom : r.Roms) {
    PutByte(out, kRomMarker);
    PutText(out, rom.Name, kRomNameWidth);
    PutText(out, rom.Merge, kRomNameWidth);
    PutText(out, rom.Region, kRomNameWidth);
    PutByte(out, rom.Flags);
    PutU32(out, rom.Offset);
    PutU32(out, rom.Size);
    PutU32(out, rom.Crc);
  }
  for (const ChipRecord& chip : r.Chips) {
    PutByte(out, kChipMarker);
    PutByte(out, chip.Kind);
    PutByte(out, chip.Flags);
    PutText(out, chip.Name, kTextWidth);
    PutText(out, chip.Clock, kTextWidth);
  }
  for (const std::string& sample : r.Samples) {
    PutByte(out, kSampleMarker);
    PutText(out, sample, kTextWidth);
  }
}

// Reads the image front to back; every read fails cleanly at the end of the bytes.
class Cursor {
 public:
  explicit Cursor(std::string_view data) : data_(data) {}

  bool AtEnd() const { return pos_ >= data_.size(); }
  std::size_t Position() const { return pos_; }
  std::size_t Size() const { return data_.size(); }

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
  // All `length` bytes are consumed; the first `width` of them are kept.
  bool Text(std::string& out, std::size_t width) {
    std::uint8_t length = 0;
    if (!Byte(length)) return false;
    if (data_.size() - pos_ < length) return false;
    out.assign(data_.substr(pos_, std::min<std::size_t>(length, width)));
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

bool ReadFixedFields(Cursor& c, GameRecord& r) {
  std::uint32_t colors = 0;
  bool ok = c.U16(r.Index) && c.Text(r.Name, kSetNameWidth) && c.Text(r.Description, kTextWidth) &&
            c.U16(r.Year) && c.Text(r.Manufacturer, kTextWidth) &&
            c.Text(r.CloneOf, kSetNameWidth) && c.Text(r.RomOf, kSetNameWidth) &&
            c.Text(r.SampleOf, kSetNameWidth) && c.Byte(r.Raster) && c.Byte(r.Vertical) &&
            c.U16(r.Width) && c.U16(r.Height) && c.U32(colors) && c.Text(r.Freq, kTextWidth) &&
            c.Byte(r.Channels) && c.Byte(r.Players) && c.Byte(r.Control) && c.Byte(r.Buttons) &&
            c.Byte(r.Coins) && c.Byte(r.Tilt) && c.Byte(r.Service) && c.Byte(r.DipSwitches) &&
            c.Byte(r.DriverStatus) && c.Byte(r.DriverColor) && c.Byte(r.DriverSound) &&
            c.Byte(r.ColorDeep);
  r.Colors = static_cast<std::int32_t>(colors);
  return ok;
}

bool ReadRom(Cursor& c, RomRecord& rom) {
  return c.Text(rom.Name, kRomNameWidth) && c.Text(rom.Merge, kRomNameWidth) &&
         c.Text(rom.Region, kRomNameWidth) && c.Byte(rom.Flags) && c.U32(rom.Offset) &&
         c.U32(rom.Size) && c.U32(rom.Crc);
}

bool ReadChip(Cursor& c, ChipRecord& chip) {
  return c.Byte(chip.Kind) && c.Byte(chip.Flags) && c.Text(chip.Name, kTextWidth) &&
         c.Text(chip.Clock, kTextWidth);
}

int Percent(double position, double total) {
  return total > 0 ? static_cast<int>(position / total * 100.0) : 0;
}

}  // namespace

std::string ProfileTag(std::string_view product_name) {
  std::string tag(product_name);
  tag += kProfileTagSuffix;
  return tag;
}

std::string BuildProfileImage(const GameDatabase& db, std::string_view product_name,
                              UserInterface* progress) {
  std::optional<ProgressThrottle> throttle;
  if (progress) throttle.emplace(*progress);
  std::string out = ProfileTag(product_name);
  PutText(out, db.EmulatorDir, kTextWidth);
  PutText(out, db.EmulatorExe, kTextWidth);
  PutText(out, db.EmulatorVersion, kTextWidth);
  // A single game counts as done from the start rather than dividing by zero.
  const double last = db.GameCount() > 1 ? static_cast<double>(db.GameCount() - 1) : 1.0;
  for (std::size_t i = 0; i < db.GameCount(); ++i) {
    if (throttle) throttle->Tick(Percent(static_cast<double>(i), last));
    PutByte(out, kGameMarker);
    PutRecord(out, db.Game(i));
  }
  for (const GameRecord& resource : db.Resources()) {
    PutByte(out, kResourceMarker);
    PutRecord(out, resource);
  }
  return out;
}

ProfileReadError ReadProfileImage(std::string_view image, std::string_view product_name,
                                  GameDatabase& db, UserInterface* progress) {
  db.ClearDatabase();
  const std::string tag = ProfileTag(product_name);
  if (image.substr(0, tag.size()) != tag) return ProfileReadError::kInvalidFileType;

  Cursor c(image.substr(tag.size()));
  std::string dir, exe, version;
  if (!c.Text(dir, kTextWidth) || !c.Text(exe, kTextWidth) || !c.Text(version, kTextWidth))
    return ProfileReadError::kTruncated;
  db.EmulatorDir = std::move(dir);
  db.EmulatorExe = std::move(exe);
  db.EmulatorVersion = std::move(version);

  std::uint8_t marker = 0;
  // A profile always holds at least one record: a file that ends here was cut short.
  if (!c.Byte(marker)) return ProfileReadError::kTruncated;
  if (marker != kGameMarker && marker != kResourceMarker)
    return ProfileReadError::kInvalidHeaderTag;

  std::optional<ProgressThrottle> throttle;
  if (progress) throttle.emplace(*progress);
  for (;;) {
    if (throttle) {
      throttle->Tick(Percent(static_cast<double>(c.Position() + tag.size()),
                             static_cast<double>(image.size())));
    }
    GameRecord record;
    if (!ReadFixedFields(c, record)) return ProfileReadError::kTruncated;
    // Entries of the three kinds in any order, up to the next record's marker or the end.
    std::optional<std::uint8_t> next_marker;
    std::uint8_t entry = 0;
    while (!next_marker && c.Byte(entry)) {
      switch (entry) {
        case kRomMarker: {
          RomRecord rom;
          if (!ReadRom(c, rom)) return ProfileReadError::kTruncated;
          record.Roms.push_back(std::move(rom));
          break;
        }
        case kChipMarker: {
          ChipRecord chip;
          if (!ReadChip(c, chip)) return ProfileReadError::kTruncated;
          record.Chips.push_back(std::move(chip));
          break;
        }
        case kSampleMarker: {
          std::string sample;
          if (!c.Text(sample, kTextWidth)) return ProfileReadError::kTruncated;
          record.Samples.push_back(std::move(sample));
          break;
        }
        case kGameMarker:
        case kResourceMarker:
          next_marker = entry;
          break;
        default:
          return ProfileReadError::kInvalidHeaderTag;
      }
    }
    const bool added =
        marker == kGameMarker ? db.AddGame(std::move(record)) : db.AddResource(std::move(record));
    if (!added) return ProfileReadError::kTooManyRecords;
    if (!next_marker) return ProfileReadError::kNone;
    marker = *next_marker;
  }
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
    case ProfileReadError::kTooManyRecords:
      return path + ": too many records (a profile holds at most 65535 games and 65535 resources)";
  }
  return {};
}

bool SaveProfile(GameDatabase& db, const std::string& path, UserInterface& ui,
                 const ProfileFileContext& context) {
  if (db.GameCount() == 0) return false;
  ui.SetOperation("Saving profile...");
  ui.SetProgress(0);
  ui.ShowProgress();
  ui.ProcessMessages();
  const std::string image = BuildProfileImage(db, context.ProductName, &ui);
  // The temporary file replaces the old one only once it is complete: a failed write keeps the
  // old profile instead of deleting it first.
  if (Status written = platform::fs::WriteFileAtomic(path, image); !written) {
    ui.HideProgress();
    ui.Ask("Unable to write to " + path + "\r" + written.Message(), MsgIcon::Error);
    return false;
  }
  db.ProfilePath = path;
  if (context.ProfilePathChanged) context.ProfilePathChanged(path);
  ui.HideProgress();
  return true;
}

bool LoadProfile(GameDatabase& db, const std::string& path, UserInterface& ui,
                 const ProfileFileContext& context) {
  ui.SetBusy(true);
  db.ClearDatabase();
  ui.SetOperation("Loading profile...");
  ui.SetProgress(0);
  ui.ShowProgress();
  ui.ProcessMessages();
  Result<std::string> image = platform::fs::ReadFile(path);
  if (!image) {
    ui.SetBusy(false);
    ui.Ask(path + ": " + image.Message(), MsgIcon::Error);
    return false;
  }
  ProfileReadError result = ReadProfileImage(*image, context.ProductName, db, &ui);
  if (result != ProfileReadError::kNone) {
    ui.SetBusy(false);
    ui.Ask(ProfileErrorMessage(path, result), MsgIcon::Error);
    return false;
  }
  db.ProfilePath = path;
  if (context.ProfilePathChanged) context.ProfilePathChanged(path);
  ui.SetBusy(false);
  return true;
}

}  // namespace kw
