#include "core/profile/listinfo_records.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <thread>

#include "core/hex_value.h"
#include "core/profile/capture_parse.h"
#include "core/profile/listinfo_tags.h"
#include "core/shared/game_database.h"

namespace kw {

namespace {

using namespace listinfo;

template <typename T>
T Truncated(std::int64_t value) {
  return static_cast<T>(static_cast<std::uint64_t>(value));
}

class Parser {
 public:
  Parser(ListinfoReader reader, GameDatabase& db, UserInterface* ui, platform::MappedFile* file,
         std::size_t split_bytes, std::size_t offset = 0)
      : reader_(std::move(reader)),
        db_(db),
        ui_(ui),
        file_(file),
        split_bytes_(split_bytes),
        offset_(offset) {}

  // The system's error number of a failed read of the file, 0 when none failed.
  int ReadError() const { return reader_.ReadError(); }

  std::vector<ListinfoLogEntry> Run() {
    db_.ClearDatabase();
    // Room for more entries than a listinfo of this size holds (the emulator's own output has
    // about 170 bytes per ROM and 680 per chip), so that the lists are not copied as they grow.
    // Room not filled is never touched and takes no memory; an odd text grows the lists beyond.
    const std::size_t bytes = reader_.Size();
    db_.Reserve({.games = std::min(kMaxRecords, bytes / 256),
                 .roms = bytes / 64,
                 .chips = bytes / 256,
                 .samples = bytes / 1024,
                 .text_bytes = bytes / 4});
    // The second half is read ahead on another core, from the first line that starts a game
    // after the middle, into a database of its own. It is kept only when this reading gets to
    // that very word between two records, and it met no error and fits after what came before:
    // then it is what this reading would have given from there. Else it is dropped and this
    // reading goes on alone.
    const std::size_t split = SplitPoint();
    std::optional<GameDatabase> second_db;
    std::vector<ListinfoLogEntry> second_log;
    std::uint16_t second_games = 0, second_resources = 0;
    int second_error = 0;
    std::thread second;
    if (split < bytes) {
      second_db.emplace();
      second = std::thread([&, rest = reader_.From(split)]() mutable {
        Parser half(std::move(rest), *second_db, nullptr, file_, SIZE_MAX, offset_ + split);
        second_log = half.Run();
        second_games = half.game_counter_;
        second_resources = half.resource_counter_;
        second_error = half.ReadError();
      });
    }
    ParsePace pace(ui_, file_, split < bytes ? split : bytes, offset_);
    Read(pace, split);
    if (second.joinable()) {
      second.join();
      const bool taken =
          reader_.Position() < bytes && second_log.empty() && second_error == 0 &&
          static_cast<std::size_t>(game_counter_) + second_games <= kMaxRecords &&
          static_cast<std::size_t>(resource_counter_) + second_resources <= kMaxRecords &&
          db_.Append(*second_db, game_counter_, resource_counter_);
      second_db.reset();
      if (!taken) {
        ParsePace rest(ui_, file_, bytes, offset_);
        Read(rest, SIZE_MAX);
      }
    }
    // A record still open at the end is discarded; say so, or a cut-off capture file would
    // pass for a complete one.
    if (level_ > 1) {
      db_.DropRecord();
      Log(ListinfoError::kUnexpectedEnd, TopWord());
    }
    return log_.Take();
  }

 private:
  // Where the second half starts: the start of the first line "game (" after the middle of the
  // input; the input's end for a small capture, or where there is none.
  std::size_t SplitPoint() const {
    const std::size_t size = reader_.Size();
    if (size < split_bytes_ || std::thread::hardware_concurrency() < 2) return size;
    const std::size_t found = reader_.Find("\ngame (", size / 2);
    return found == size ? size : found + 1;
  }

  // Reads words up to the end of the input, or until the next word is the one at `stop`
  // between two records (which is left unread).
  void Read(ParsePace& pace, std::size_t stop) {
    while (!reader_.AtEnd()) {
      // Between two words nothing holds a view of the bytes read so far.
      pace.At(reader_.Position());
      if (level_ == 1 && reader_.Position() <= stop && reader_.NextWordPosition() == stop) return;
      std::string_view word = reader_.ReadToken();
      // Separators at the very end are not a word.
      if (!reader_.FoundWord()) break;
      switch (level_) {
        case 1:
          TopLevel(word);
          break;
        case 2:
          RecordLevel(word);
          break;
        default:
          BlockLevel(word);
          break;
      }
    }
  }

  std::string_view TopWord() const { return is_game_ ? "GAME" : "RESOURCE"; }
  std::string RecordPath() const {
    std::string path(TopWord());
    path += '\\';
    path += kRecordTagNames[block_];
    return path;
  }

  void TopLevel(std::string_view word) {
    if (word == "GAME") {
      is_game_ = true;
    } else if (word == "RESOURCE") {
      is_game_ = false;
    } else {
      if (!word.empty()) {
        Log(ListinfoError::kTagUnknown, word);
        SkipValue();
      }
      return;
    }
    level_ = 2;
    record_ = GameHead{};
    description_.clear();
    manufacturer_.clear();
    freq_.clear();
    db_.BeginRecord();
    record_.Index = is_game_ ? ++game_counter_ : ++resource_counter_;
    std::string_view bracket = reader_.ReadToken();
    if (bracket != "(") Log(ListinfoError::kBracketExpected, TopWord(), bracket);
  }

  void RecordLevel(std::string_view word) {
    if (word == ")") {
      record_.Description = description_;
      record_.Manufacturer = manufacturer_;
      record_.Freq = freq_;
      if (is_game_) {
        if (!db_.EndGame(record_)) Log(ListinfoError::kTooManyRecords, "GAME");
      } else {
        if (!db_.EndResource(record_)) Log(ListinfoError::kTooManyRecords, "RESOURCE");
      }
      level_ = 1;
      return;
    }
    int tag = FindRecordTag(word);
    if (tag < 0) {
      std::string path(TopWord());
      path += '\\';
      path += word;
      Log(ListinfoError::kTagUnknown, path);
      SkipValue();
      return;
    }
    if (IsBlockTag(tag)) {
      block_ = tag;
      level_ = 3;
      if (tag == kTagRom) rom_ = EraRom{};
      if (tag == kTagChip) {
        chip_kind_ = kChipNone;
        chip_flags_ = 0;
        chip_name_.clear();
        chip_clock_.clear();
      }
      std::string_view bracket = reader_.ReadToken();
      if (bracket != "(") Log(ListinfoError::kBracketExpected, RecordPath(), bracket);
      return;
    }
    std::string_view value = reader_.ReadToken();
    switch (tag) {
      case kTagName:
        record_.Name = value.substr(0, kSetNameWidth);
        break;
      case kTagDescription:
        description_.assign(value.substr(0, kTextWidth));
        break;
      case kTagYear:
        record_.Year = Truncated<std::uint16_t>(DecimalValue(value));
        break;
      case kTagManufacturer:
        manufacturer_.assign(value.substr(0, kTextWidth));
        break;
      case kTagCloneOf:
        record_.CloneOf = value.substr(0, kSetNameWidth);
        break;
      case kTagRomOf:
        record_.RomOf = value.substr(0, kSetNameWidth);
        break;
      case kTagSample:
        db_.AddSample(value);
        break;
      case kTagSampleOf:
        record_.SampleOf = value.substr(0, kSetNameWidth);
        break;
      default:  // HISTORY: read and dropped
        break;
    }
  }

  enum class Outcome { kApplied, kValueNotAllowed, kTagNotAllowed };

  void BlockLevel(std::string_view word) {
    if (word == ")") {
      if (block_ == kTagRom)
        db_.AddRom({rom_.Name.View(), rom_.Merge.View(), rom_.Region.View(), rom_.Flags,
                    rom_.Offset, rom_.Size, rom_.Crc});
      if (block_ == kTagChip) db_.AddChip(chip_kind_, chip_flags_, chip_name_, chip_clock_);
      level_ = 2;
      return;
    }
    int tag = FindBlockTag(word);
    if (tag < 0) {
      std::string path = RecordPath();
      path += '\\';
      path += word;
      Log(ListinfoError::kTagUnknown, path);
      SkipValue();
      return;
    }
    std::string_view value = reader_.ReadToken();
    Outcome outcome = ApplyBlockTag(tag, value);
    if (outcome == Outcome::kApplied) return;
    std::string path = RecordPath();
    path += '\\';
    path += kBlockTagNames[tag];
    if (outcome == Outcome::kValueNotAllowed) {
      path += '=';
      path += value;
      Log(ListinfoError::kValueNotAllowed, path);
    } else {
      Log(ListinfoError::kTagNotAllowed, path);
    }
    if (value == "(") SkipBlock();
  }

  // Sets `field` to the 1-based position of `value` among `words`; a value outside them is not
  // allowed and leaves the field as it was.
  template <typename Words>
  static Outcome Keyword(std::string_view value, const Words& words, std::uint8_t& field) {
    for (std::size_t i = 0; i < std::size(words); ++i) {
      if (value == words[i]) {
        field = static_cast<std::uint8_t>(i + 1);
        return Outcome::kApplied;
      }
    }
    return Outcome::kValueNotAllowed;
  }
  // A two-word keyword: `one` sets 1, `zero` sets 0.
  static Outcome Flag(std::string_view value, std::string_view one, std::string_view zero,
                      std::uint8_t& field) {
    if (value == one) {
      field = 1;
    } else if (value == zero) {
      field = 0;
    } else {
      return Outcome::kValueNotAllowed;
    }
    return Outcome::kApplied;
  }

  Outcome ApplyBlockTag(int tag, std::string_view value) {
    static constexpr std::string_view kRomFlagWords[] = {"DISPOSE", "SOUNDONLY"};
    static constexpr std::string_view kChipTypeWords[] = {"CPU", "AUDIO"};
    static constexpr std::string_view kChipFlagWords[] = {"AUDIO"};
    static constexpr std::string_view kDriverWords[] = {"IMPERFECT", "PRELIMINARY", "GOOD"};
    switch (block_) {
      case kTagRom:
        switch (tag) {
          case kBlkName:
            rom_.Name = value;
            return Outcome::kApplied;
          case kBlkMerge:
            rom_.Merge = value;
            return Outcome::kApplied;
          case kBlkSize:
            rom_.Size = Truncated<std::uint32_t>(DecimalValue(value));
            return Outcome::kApplied;
          case kBlkCrc:
            rom_.Crc = HexValue(value);
            return Outcome::kApplied;
          case kBlkFlags:
            return Keyword(value, kRomFlagWords, rom_.Flags);
          case kBlkRegion:
            rom_.Region = value;
            return Outcome::kApplied;
          case kBlkOffs:
            rom_.Offset = HexValue(value);
            return Outcome::kApplied;
          default:
            return Outcome::kTagNotAllowed;
        }
      case kTagChip:
        switch (tag) {
          case kBlkName:
            chip_name_.assign(value.substr(0, kTextWidth));
            return Outcome::kApplied;
          case kBlkType:
            return Keyword(value, kChipTypeWords, chip_kind_);
          case kBlkFlags:
            return Keyword(value, kChipFlagWords, chip_flags_);
          case kBlkClock:
            chip_clock_.assign(value.substr(0, kTextWidth));
            return Outcome::kApplied;
          default:
            return Outcome::kTagNotAllowed;
        }
      case kTagVideo:
        switch (tag) {
          case kBlkScreen:
            return Flag(value, "RASTER", "VECTOR", record_.Raster);
          case kBlkOrientation:
            return Flag(value, "VERTICAL", "HORIZONTAL", record_.Vertical);
          case kBlkX:
            record_.Width = Truncated<std::uint16_t>(DecimalValue(value));
            return Outcome::kApplied;
          case kBlkY:
            record_.Height = Truncated<std::uint16_t>(DecimalValue(value));
            return Outcome::kApplied;
          case kBlkColors:
            record_.Colors = Truncated<std::int32_t>(DecimalValue(value));
            return Outcome::kApplied;
          case kBlkFreq:
            freq_.assign(value.substr(0, kTextWidth));
            return Outcome::kApplied;
          default:
            return Outcome::kTagNotAllowed;
        }
      case kTagSound:
        if (tag != kBlkChannels) return Outcome::kTagNotAllowed;
        record_.Channels = Truncated<std::uint8_t>(DecimalValue(value));
        return Outcome::kApplied;
      case kTagInput:
        switch (tag) {
          case kBlkPlayers:
            record_.Players = Truncated<std::uint8_t>(DecimalValue(value));
            return Outcome::kApplied;
          case kBlkControl:
            return Keyword(value, kControlWords, record_.Control);
          case kBlkButtons:
            record_.Buttons = Truncated<std::uint8_t>(DecimalValue(value));
            return Outcome::kApplied;
          case kBlkTilt:
            return Flag(value, "YES", "NO", record_.Tilt);
          case kBlkService:
            return Flag(value, "YES", "NO", record_.Service);
          case kBlkCoins:
            record_.Coins = Truncated<std::uint8_t>(DecimalValue(value));
            return Outcome::kApplied;
          default:
            return Outcome::kTagNotAllowed;
        }
      case kTagDipSwitch:
        switch (tag) {
          case kBlkName:
            ++record_.DipSwitches;
            return Outcome::kApplied;
          case kBlkEntry:
          case kBlkDefault:
            return Outcome::kApplied;
          default:
            return Outcome::kTagNotAllowed;
        }
      default:  // DRIVER
        switch (tag) {
          case kBlkStatus:
            return Keyword(value, kDriverWords, record_.DriverStatus);
          case kBlkColor:
            return Keyword(value, kDriverWords, record_.DriverColor);
          case kBlkSound:
            return Keyword(value, kDriverWords, record_.DriverSound);
          case kBlkColorDeep:
            record_.ColorDeep = value == "16" ? 1 : 0;
            return Outcome::kApplied;
          default:
            return Outcome::kTagNotAllowed;
        }
    }
  }

  // The value of an unknown tag: one word, or a bracketed block with all it holds.
  void SkipValue() {
    if (reader_.ReadToken() == "(") SkipBlock();
  }
  // Called after "(": reads up to the matching ")" or the end of the input.
  void SkipBlock() {
    int depth = 1;
    while (depth > 0 && !reader_.AtEnd()) {
      std::string_view word = reader_.ReadToken();
      if (word == "(") {
        ++depth;
      } else if (word == ")") {
        --depth;
      }
    }
  }

  void Log(ListinfoError kind, std::string_view text, std::string_view found = {}) {
    log_.Add(kind, text, found);
  }

  ListinfoReader reader_;
  GameDatabase& db_;
  UserInterface* ui_;
  platform::MappedFile* file_;
  std::size_t split_bytes_;
  std::size_t offset_;  // where `data` starts in the mapping of `file_`

  int level_ = 1;
  bool is_game_ = true;
  int block_ = kTagRom;
  // The record being read; its entries go straight into the database, its texts are kept
  // here (the reader's words last only until the next one).
  GameHead record_;
  std::string description_, manufacturer_, freq_;
  // The era's names are cut to its widths as they are read.
  struct EraRom {
    FixedText<kRomNameWidth> Name, Merge, Region;
    std::uint8_t Flags = kRomFlagNone;
    std::uint32_t Offset = 0, Size = 0, Crc = 0;
  };
  EraRom rom_;
  std::uint8_t chip_kind_ = kChipNone;
  std::uint8_t chip_flags_ = 0;
  std::string chip_name_, chip_clock_;
  std::uint16_t game_counter_ = 0;
  std::uint16_t resource_counter_ = 0;

  ListinfoLog log_;
};

}  // namespace

std::vector<ListinfoLogEntry> BuildListinfoRecords(std::string_view data, GameDatabase& db,
                                                   UserInterface* progress,
                                                   platform::MappedFile* file,
                                                   std::size_t split_bytes) {
  return Parser(ListinfoReader(data), db, progress, file, split_bytes).Run();
}

Result<std::vector<ListinfoLogEntry>> BuildListinfoRecords(int fd, std::uint64_t size,
                                                           GameDatabase& db,
                                                           UserInterface* progress,
                                                           const ListinfoFileReading& reading) {
  Parser parser(ListinfoReader(fd, 0, size, reading.piece_bytes), db, progress, nullptr,
                reading.split_bytes);
  std::vector<ListinfoLogEntry> log = parser.Run();
  if (parser.ReadError() != 0) {
    db.ClearDatabase();
    return Failure(std::strerror(parser.ReadError()));
  }
  return log;
}

}  // namespace kw
