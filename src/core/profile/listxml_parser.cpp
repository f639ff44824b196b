#include "core/profile/listxml_parser.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/ascii.h"
#include "core/hex_value.h"
#include "core/profile/capture_parse.h"
#include "core/shared/game_database.h"
#include "core/shared/xml_reader.h"

namespace kw {

namespace {

// Names are upper-cased, as the era's list gives them (its reader upper-cases every unquoted
// word): the statistics, the picture and support-file look-ups and the unsupported-set report
// all meet the names of both dialects in one case. The emulator takes a machine's name in any
// case, and files are found without regard to case.
std::string_view Upper(std::string_view name, std::string& buffer) {
  if (std::none_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
    return name;
  buffer.assign(name);
  for (char& c : buffer)
    c = AsciiUpper(c);
  return buffer;
}

// A decimal value read as the listinfo parser reads one, cut to the low bits of its field.
template <typename T>
T Truncated(std::string_view text) {
  return static_cast<T>(static_cast<std::uint64_t>(DecimalValue(text)));
}
// A ROM size: digits only, else 0; a size past 32 bits is kept as the largest one.
std::uint32_t SizeValue(std::string_view text) {
  if (text.empty()) return 0;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(c - '0'), UINT32_MAX);
  }
  return static_cast<std::uint32_t>(value);
}

// How much of an emulation a feature element marks as not done: 0 none, else the driver code.
std::uint8_t FeatureCode(std::string_view status) {
  if (status == "imperfect") return kDriverImperfect;
  if (status == "unemulated") return kDriverPreliminary;
  return kDriverNone;
}
// The worse of two driver codes (preliminary is worse than imperfect).
std::uint8_t Worse(std::uint8_t a, std::uint8_t b) {
  if (a == kDriverPreliminary || b == kDriverPreliminary) return kDriverPreliminary;
  if (a == kDriverImperfect || b == kDriverImperfect) return kDriverImperfect;
  return kDriverNone;
}

std::uint8_t ControlCode(std::string_view type, std::string_view ways) {
  if (type == "joy") return ways == "4" ? kControlJoy4Way : kControlJoy8Way;
  if (type == "doublejoy") return ways == "4" ? kControlDoubleJoy4Way : kControlDoubleJoy8Way;
  if (type == "dial") return kControlDial;
  if (type == "stick") return kControlStick;
  if (type == "paddle") return kControlPaddle;
  if (type == "trackball") return kControlTrackball;
  return kControlNone;
}

// The depths of the elements the parser reads: <mame>, <machine>, the machine's own elements,
// and the controls of its <input>.
constexpr std::size_t kRootDepth = 1;
constexpr std::size_t kMachineDepth = 2;
constexpr std::size_t kFieldDepth = 3;
constexpr std::size_t kControlDepth = 4;

class Parser {
 public:
  Parser(std::string_view data, GameDatabase& db, UserInterface* ui,
         platform::MappedFile* file = nullptr)
      : reader_(data), db_(db), ui_(ui), file_(file) {}

  std::vector<ListinfoLogEntry> Run() {
    db_.ClearDatabase();
    // The emulator's own list (0.251: 269 MB, 45,294 machines) has about 6,700 bytes per kept
    // record, 800 per ROM, 1,450 per chip, 9,900 per sample and 18 per byte of text; the room
    // asked for is a little more, so that the lists are not copied as they grow. Room not filled
    // is never touched and takes no memory; an odd text grows the lists beyond.
    const std::size_t bytes = reader_.Size();
    db_.Reserve({std::min(kMaxRecords, bytes / 6000), std::min(kMaxRecords, bytes / 200000),
                 bytes / 700, bytes / 1300, bytes / 8000, bytes / 16});
    ParsePace pace(ui_, file_, bytes);
    for (;;) {
      // Between two events nothing holds a view of the bytes read so far.
      pace.At(reader_.Position());
      switch (reader_.Next()) {
        case XmlReader::Event::kStart:
          if (!Start()) return Refuse();
          break;
        case XmlReader::Event::kEnd:
          End();
          break;
        case XmlReader::Event::kText:
          if (collect_ && reader_.Depth() == kFieldDepth) {
            XmlReader::AppendDecoded(reader_.RawText(), *collect_);
            // A title longer than a record keeps is cut as it is read.
            if (collect_->size() > kTextWidth) collect_->resize(kTextWidth);
          }
          break;
        case XmlReader::Event::kDone:
          KeepDevicesWithRoms();
          return log_.Take();
        case XmlReader::Event::kError:
          refusal_ = {ListinfoError::kMalformedXml, reader_.LineColumn(reader_.ErrorOffset()),
                      CutTo(reader_.ErrorReason(), kTextWidth)};
          return Refuse();
      }
    }
  }

 private:
  enum class Kind { kGame, kBios, kDevice };

  // The whole stream is refused: nothing of it stays.
  std::vector<ListinfoLogEntry> Refuse() {
    db_.ClearDatabase();
    return {refusal_};
  }

  // False when the stream is refused.
  bool Start() {
    const std::size_t depth = reader_.Depth();
    const std::string_view name = reader_.Name();
    if (depth == kRootDepth) {
      if (name == "mame") return true;
      refusal_ = {ListinfoError::kNotAMachineList, CutTo(name, kTextWidth), {}};
      return false;
    }
    if (depth == kMachineDepth) {
      // Other elements of the list (of another version of it) are skipped.
      if (name == "machine") StartMachine();
      return true;
    }
    if (!in_machine_ || dropped_) return true;
    if (depth == kFieldDepth) {
      Field(name);
    } else if (depth == kControlDepth && in_input_ && name == "control") {
      Control();
    }
    return true;
  }

  void End() {
    const std::size_t depth = reader_.Depth();
    if (depth == kFieldDepth) {
      collect_ = nullptr;
      in_input_ = false;
    } else if (depth == kMachineDepth && in_machine_) {
      EndMachine();
    }
  }

  void StartMachine() {
    in_machine_ = true;
    dropped_ = false;
    kind_ = Kind::kGame;
    head_ = GameHead{};
    description_.clear();
    manufacturer_.clear();
    year_.clear();
    freq_.clear();
    has_rom_ = has_display_ = has_driver_ = has_control_ = false;
    color_feature_ = sound_feature_ = kDriverNone;
    dip_switches_ = 0;
    db_.BeginRecord();
    bool is_bios = false, is_device = false, runnable = true, named = false, mechanical = false;
    for (const XmlAttribute& a : reader_.Attributes()) {
      const std::string_view decoded = XmlReader::Decode(a, scratch_);
      const bool is_name =
          a.name == "name" || a.name == "cloneof" || a.name == "romof" || a.name == "sampleof";
      const std::string_view value = is_name ? Upper(decoded, upper_) : decoded;
      if (a.name == "name") {
        named = true;
        // Names are kept whole: a longer one would be cut into another set's name.
        if (value.empty() || value.size() > kLongSetNameWidth) {
          std::string path = "MACHINE\\NAME=";
          path += value;
          Log(ListinfoError::kValueNotAllowed, path);
          dropped_ = true;
        }
        head_.Name = value;
      } else if (a.name == "cloneof") {
        head_.CloneOf = value;
      } else if (a.name == "romof") {
        head_.RomOf = value;
      } else if (a.name == "sampleof") {
        head_.SampleOf = value;
      } else if (a.name == "isbios") {
        is_bios = value == "yes";
      } else if (a.name == "isdevice") {
        is_device = value == "yes";
      } else if (a.name == "runnable") {
        runnable = value != "no";
      } else if (a.name == "ismechanical") {
        mechanical = value == "yes";
      }
    }
    if (!named) {
      Log(ListinfoError::kValueNotAllowed, "MACHINE\\NAME=");
      dropped_ = true;
    }
    if (is_bios) {
      kind_ = Kind::kBios;
    } else if (is_device || !runnable) {
      kind_ = Kind::kDevice;
    }
    head_.Machine =
        static_cast<std::uint8_t>((is_bios ? kMachineBios : 0) | (is_device ? kMachineDevice : 0) |
                                  (mechanical ? kMachineMechanical : 0));
  }

  void Field(std::string_view name) {
    if (name == "rom") {
      Rom();
    } else if (name == "chip") {
      Chip();
    } else if (name == "dipswitch") {
      if (dip_switches_ < 255) ++dip_switches_;
    } else if (name == "sample") {
      if (const XmlAttribute* a = reader_.Find("name"))
        db_.AddSample(Upper(XmlReader::Decode(*a, scratch_), upper_));
    } else if (name == "description") {
      Collect(description_);
    } else if (name == "year") {
      Collect(year_);
    } else if (name == "manufacturer") {
      Collect(manufacturer_);
    } else if (name == "display") {
      if (!has_display_) Display();
    } else if (name == "sound") {
      if (const XmlAttribute* a = reader_.Find("channels"))
        head_.Channels = Truncated<std::uint8_t>(XmlReader::Decode(*a, scratch_));
    } else if (name == "input") {
      Input();
    } else if (name == "driver") {
      has_driver_ = true;
      if (const XmlAttribute* a = reader_.Find("status")) {
        const std::string_view status = a->raw;
        head_.DriverStatus = status == "good"          ? kDriverGood
                             : status == "imperfect"   ? kDriverImperfect
                             : status == "preliminary" ? kDriverPreliminary
                                                       : kDriverNone;
      }
    } else if (name == "feature") {
      Feature();
    } else if (name == "disk") {
      Disk();
    } else if (name == "device_ref") {
      // Kept for now; those of devices without ROMs are dropped once the list is read.
      if (const XmlAttribute* a = reader_.Find("name"))
        db_.AddDevice(Upper(XmlReader::Decode(*a, scratch_), upper_));
    }
    // Every other element is this list's usual content that the profile does not keep: BIOS
    // choices, slots, software lists, configurations, ports, adjusters, RAM options, ...
  }

  // The dump marks of a ROM or disk.
  static std::uint8_t DumpFlag(const XmlAttribute& a) {
    if (a.name == "status")
      return a.raw == "baddump" ? kDumpBad : a.raw == "nodump" ? kDumpNone : 0;
    if (a.name == "optional") return a.raw == "yes" ? kDumpOptional : 0;
    return 0;
  }

  void Disk() {
    DiskView disk;
    for (const XmlAttribute& a : reader_.Attributes()) {
      if (a.name == "name") {
        disk.Name = XmlReader::Decode(a, rom_name_);
      } else if (a.name == "merge") {
        disk.Merge = XmlReader::Decode(a, rom_merge_);
      } else if (a.name == "sha1") {
        sha1_ = Sha1Bytes(a.raw);
        disk.Sha1 = sha1_;
      } else {
        disk.Flags |= DumpFlag(a);
      }
    }
    db_.AddDisk(disk);
  }

  // The list names every device a machine holds; only those with ROMs are sets to look for.
  void KeepDevicesWithRoms() {
    db_.KeepDevices([this](std::string_view name) {
      const GameRecord* device = db_.FindSet(name, true);
      return device != nullptr && !db_.Roms(*device).empty();
    });
  }

  void Collect(std::string& field) {
    field.clear();
    collect_ = &field;
  }

  void Rom() {
    has_rom_ = true;
    RomView rom;
    for (const XmlAttribute& a : reader_.Attributes()) {
      if (a.name == "name") {
        rom.Name = Upper(XmlReader::Decode(a, rom_name_), rom_name_upper_);
      } else if (a.name == "size") {
        rom.Size = SizeValue(a.raw);
      } else if (a.name == "crc") {
        rom.Crc = HexValue(a.raw);
      } else if (a.name == "merge") {
        rom.Merge = Upper(XmlReader::Decode(a, rom_merge_), rom_merge_upper_);
      } else if (a.name == "region") {
        rom.Region = Upper(XmlReader::Decode(a, rom_region_), rom_region_upper_);
      } else if (a.name == "offset") {
        rom.Offset = HexValue(a.raw);
      } else if (a.name == "sha1") {
        sha1_ = Sha1Bytes(a.raw);
        rom.Sha1 = sha1_;
      } else {
        rom.Flags |= DumpFlag(a);
      }
      // A ROM that has no dump carries no crc: its Crc stays 0. The bios mark is not kept.
    }
    db_.AddRom(rom);
  }

  void Chip() {
    std::uint8_t kind = kChipNone;
    std::string_view name, clock;
    for (const XmlAttribute& a : reader_.Attributes()) {
      if (a.name == "type") {
        kind = a.raw == "cpu" ? kChipCpu : a.raw == "audio" ? kChipAudio : kChipNone;
      } else if (a.name == "name") {
        name = XmlReader::Decode(a, chip_name_);
      } else if (a.name == "clock") {
        clock = XmlReader::Decode(a, chip_clock_);
      }
    }
    db_.AddChip(kind, 0, name, clock);
  }

  // The first screen of a machine is its screen in the profile.
  void Display() {
    has_display_ = true;
    for (const XmlAttribute& a : reader_.Attributes()) {
      if (a.name == "type") {
        head_.Raster = a.raw == "vector" ? 0 : 1;
      } else if (a.name == "rotate") {
        head_.Vertical = a.raw == "90" || a.raw == "270" ? 1 : 0;
      } else if (a.name == "width") {
        head_.Width = Truncated<std::uint16_t>(a.raw);
      } else if (a.name == "height") {
        head_.Height = Truncated<std::uint16_t>(a.raw);
      } else if (a.name == "refresh") {
        freq_.assign(XmlReader::Decode(a, scratch_));
      }
    }
  }

  void Input() {
    in_input_ = true;
    for (const XmlAttribute& a : reader_.Attributes()) {
      if (a.name == "players") {
        head_.Players = Truncated<std::uint8_t>(a.raw);
      } else if (a.name == "coins") {
        head_.Coins = Truncated<std::uint8_t>(a.raw);
      } else if (a.name == "service") {
        head_.Service = a.raw == "yes" ? 1 : 0;
      } else if (a.name == "tilt") {
        head_.Tilt = a.raw == "yes" ? 1 : 0;
      }
    }
  }

  // The buttons of a machine are those of its control with the most; its control type is that
  // of its first control.
  void Control() {
    std::string_view type, ways;
    for (const XmlAttribute& a : reader_.Attributes()) {
      if (a.name == "type") {
        type = a.raw;
      } else if (a.name == "ways") {
        ways = a.raw;
      } else if (a.name == "buttons") {
        head_.Buttons = std::max(head_.Buttons, Truncated<std::uint8_t>(a.raw));
      }
    }
    if (!has_control_) head_.Control = ControlCode(type, ways);
    has_control_ = true;
  }

  // A feature marked imperfect makes its part of the emulation imperfect, one marked
  // unemulated makes it preliminary; graphics and palette are the colour part.
  void Feature() {
    std::string_view type, status;
    for (const XmlAttribute& a : reader_.Attributes()) {
      if (a.name == "type") {
        type = a.raw;
      } else if (a.name == "status") {
        status = a.raw;
      } else if (a.name == "overall" && status.empty()) {
        status = a.raw;
      }
    }
    if (type == "graphics" || type == "palette") {
      color_feature_ = Worse(color_feature_, FeatureCode(status));
    } else if (type == "sound") {
      sound_feature_ = Worse(sound_feature_, FeatureCode(status));
    }
  }

  void EndMachine() {
    in_machine_ = false;
    collect_ = nullptr;
    in_input_ = false;
    // Device machines (a sound chip, a board's CPU) are not games. The ones with ROMs are kept
    // as resources, so that the verifier and the set test find the ROM sets of the devices
    // that games use; the others are no sets of files at all and are left out.
    if (dropped_ || (kind_ == Kind::kDevice && !has_rom_)) {
      db_.DropRecord();
      return;
    }
    // Without a mark on its features, a part of a driver that exists is good.
    const std::uint8_t untouched = has_driver_ ? kDriverGood : kDriverNone;
    head_.DriverColor = color_feature_ != kDriverNone ? color_feature_ : untouched;
    head_.DriverSound = sound_feature_ != kDriverNone ? sound_feature_ : untouched;
    head_.DipSwitches = dip_switches_;
    head_.Year = Truncated<std::uint16_t>(year_);
    head_.Description = description_;
    head_.Manufacturer = manufacturer_;
    head_.Freq = freq_;
    if (kind_ == Kind::kGame) {
      head_.Index = static_cast<std::uint16_t>(game_counter_ + 1);
      if (db_.EndGame(head_)) {
        ++game_counter_;
      } else {
        Log(ListinfoError::kTooManyRecords, "GAME");
      }
    } else {
      head_.Index = static_cast<std::uint16_t>(resource_counter_ + 1);
      if (db_.EndResource(head_)) {
        ++resource_counter_;
      } else {
        Log(ListinfoError::kTooManyRecords, "RESOURCE");
      }
    }
  }

  // As the listinfo parser logs (ListinfoLog).
  void Log(ListinfoError kind, std::string_view text) { log_.Add(kind, text); }

  XmlReader reader_;
  GameDatabase& db_;
  UserInterface* ui_;
  platform::MappedFile* file_;

  // The machine being read; its entries go straight into the database, its texts are kept
  // here until it ends.
  bool in_machine_ = false;
  bool dropped_ = false;
  Kind kind_ = Kind::kGame;
  GameHead head_;
  std::string description_, manufacturer_, year_, freq_;
  std::string* collect_ = nullptr;  // the text field whose character data is being read
  bool in_input_ = false;
  bool has_rom_ = false, has_display_ = false, has_driver_ = false, has_control_ = false;
  std::uint8_t color_feature_ = kDriverNone, sound_feature_ = kDriverNone;
  std::uint8_t dip_switches_ = 0;
  // Room for the values whose references are replaced.
  std::string rom_name_upper_, rom_merge_upper_, rom_region_upper_;
  std::string scratch_, upper_, rom_name_, rom_merge_, rom_region_, chip_name_, chip_clock_, sha1_;
  // Kept records, numbered from 1 in their own list.
  std::uint32_t game_counter_ = 0;
  std::uint32_t resource_counter_ = 0;

  ListinfoLogEntry refusal_;
  ListinfoLog log_;
};

}  // namespace

std::vector<ListinfoLogEntry> ParseListxmlText(std::string_view data, GameDatabase& db,
                                               UserInterface* progress) {
  return Parser(data, db, progress).Run();
}

Result<std::vector<ListinfoLogEntry>> ParseListxmlFile(std::string_view path, GameDatabase& db,
                                                       UserInterface* progress) {
  return ParseMappedFile(path, db, [&](std::string_view bytes, platform::MappedFile& file) {
    return Parser(bytes, db, progress, &file).Run();
  });
}

}  // namespace kw
