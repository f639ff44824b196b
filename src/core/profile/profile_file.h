// The profile file (*.KSL): a flat dump of the game database, so that the emulator need be
// queried only once. A 37-byte tag, the three emulator texts, then one marker byte before each
// record and each ROM, chip and sample entry. A profile of today's emulator has one more block
// after the emulator texts: the dialect marker and the dialect's word ("listxml"); its names are
// kept at that dialect's widths. A profile of the era's emulator has no such block. All numbers are
// little-endian; a short text is a length byte and that many bytes. There is no count and no
// checksum: records are found by their markers only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "core/shared/app_names.h"

namespace kw::platform::fs {
class AtomicFile;
}  // namespace kw::platform::fs

namespace kw {

class GameDatabase;
class UserInterface;

inline constexpr std::string_view kProfileTagSuffix = " - Supported games data\r\n\x1A";
constexpr std::uint8_t kGameMarker = 0xBA;
constexpr std::uint8_t kResourceMarker = 0xBB;
constexpr std::uint8_t kRomMarker = 0xBC;
constexpr std::uint8_t kChipMarker = 0xBD;
constexpr std::uint8_t kSampleMarker = 0xBE;
constexpr std::uint8_t kDialectMarker = 0xBF;
// Entries of today's dialect only: what its audit needs. The kind of machine (one byte of
// MachineFlags, only when it is not a plain game); a ROM's SHA-1 (a text of its 20 bytes, right
// after the ROM entry it belongs to); a disk (name, merge, SHA-1, dump flags); a device with ROMs
// that the machine uses (its name).
constexpr std::uint8_t kMachineMarker = 0xB6;
constexpr std::uint8_t kRomHashMarker = 0xB7;
constexpr std::uint8_t kDiskMarker = 0xB8;
constexpr std::uint8_t kDeviceMarker = 0xB9;

// The leading tag: the product name, " - Supported games data", CR, LF, 0x1A.
std::string ProfileTag(std::string_view product_name);

// The bytes of the profile file of `db`. With `progress`, the progress (position of the game /
// (games - 1) * 100) and pending window messages run at most every ~15 ms, on the caller's
// thread. From 4,096 games the second half of the games and the resources are put on another
// core meanwhile, and the progress counts the first half's games.
std::string BuildProfileImage(const GameDatabase& db, std::string_view product_name,
                              UserInterface* progress = nullptr);

// The same bytes written into `file` a piece at a time (from two cores from 4,096 games), not
// held whole; the first failure to write.
Status WriteProfileImage(const GameDatabase& db, std::string_view product_name,
                         const platform::fs::AtomicFile& file, UserInterface* progress = nullptr);

enum class ProfileReadError {
  kNone,
  kInvalidFileType,   // the leading tag differs
  kInvalidHeaderTag,  // a byte where a marker belongs is not one
  kTruncated,         // the file ends inside the emulator texts or inside a record
  kUnknownDialect,    // the dialect block names a dialect this program does not know
  kTooManyRecords,    // more than 65535 games or resources
  kTooLarge,          // the records would take more than kProfileMemoryFactor times the size
};

// A profile's records take at most this many times the file's size in memory (a real one
// about 2; a record without texts or entries, 45 bytes in the file, takes about 200 in memory,
// its set names kept at the longest width); a file of entries that would need more is refused
// before anything is read.
constexpr std::size_t kProfileMemoryFactor = 8;

// Replaces Games and Resources of `db` by the records of `image` (a profile file's bytes). The
// emulator texts are set once all three have been read. On an error the records completed
// before it stay (kTooLarge and kInvalidFileType keep none). Any bytes are safe: the reader
// allocates only for the entries it has read, and then at most kProfileMemoryFactor times the
// image's size.
ProfileReadError ReadProfileImage(std::string_view image, std::string_view product_name,
                                  GameDatabase& db, UserInterface* progress = nullptr);

// The message for a failed read of the file at `path`, e.g. path + ": invalid file type".
std::string ProfileErrorMessage(const std::string& path, ProfileReadError error);

struct ProfileFileContext {
  std::string ProductName = kProductName;
  // Called with the path after every successful save or load, after ProfilePath has been set:
  // the shell keeps it as LastProfile and enters it into the reopen list (AddToReopenList).
  std::function<void(const std::string& path)> ProfilePathChanged;
};

// Writes `db` to `path` under the progress window "Saving profile...", in one operation through
// a temporary file that replaces the old one, so a failed write leaves the old file intact. A
// database with no games writes nothing (kNoGamesToSave, which the program does not show). A
// failed write fails with "Unable to write to " + path and the system's reason. On success sets
// ProfilePath, calls ProfilePathChanged and hides the progress window.
inline constexpr const char* kNoGamesToSave = "The profile holds no games: nothing was written.";
Status SaveProfile(GameDatabase& db, const std::string& path, UserInterface& ui,
                   const ProfileFileContext& context);

// Replaces the database by the file at `path` under the busy cursor and the progress window
// "Loading profile..."; the progress window stays up for the caller to hide. Fails with the
// message for the caller to show (path + ": invalid file type", ": invalid header tag", ": file
// is truncated", or the system's reason when the file cannot be read); the database then holds
// the records read before the fault. On success sets ProfilePath and calls ProfilePathChanged.
Status LoadProfile(GameDatabase& db, const std::string& path, UserInterface& ui,
                   const ProfileFileContext& context);

}  // namespace kw
