// The -listinfo text comes from whatever the chosen executable printed: any bytes must parse
// without a crash, keep every field within its width and the log within its limit, and give a
// database that the profile file stores and reads back unchanged, read in one go or in halves.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/profile/listinfo_parser.h"
#include "core/profile/listinfo_records.h"
#include "core/profile/profile_file.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"
#include "parsed_list_checks.h"

namespace {

using kw::fuzz::Check;

void CheckRecord(const kw::GameDatabase& db, const kw::GameRecord& r) {
  Check(r.Name.size() <= kw::kSetNameWidth && r.CloneOf.size() <= kw::kSetNameWidth &&
        r.RomOf.size() <= kw::kSetNameWidth && r.SampleOf.size() <= kw::kSetNameWidth);
  Check(db.Text(r.Description).size() <= kw::kTextWidth &&
        db.Text(r.Manufacturer).size() <= kw::kTextWidth &&
        db.Text(r.Freq).size() <= kw::kTextWidth);
  for (const auto& rom : db.Roms(r)) {
    Check(db.Text(rom.Name).size() <= kw::kRomNameWidth &&
          db.Text(rom.Merge).size() <= kw::kRomNameWidth &&
          db.Text(rom.Region).size() <= kw::kRomNameWidth && rom.Flags <= 2);
  }
  for (const auto& chip : db.Chips(r))
    Check(chip.Kind <= 2 && chip.Flags <= 1);
  Check(r.Raster <= 1 && r.Vertical <= 1 && r.Control <= 8 && r.Tilt <= 1 && r.Service <= 1);
  Check(r.DriverStatus <= 3 && r.DriverColor <= 3 && r.DriverSound <= 3 && r.ColorDeep <= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // The word reader always moves forward and ends.
  kw::ListinfoReader reader(text);
  std::size_t last = 0;
  while (!reader.AtEnd()) {
    reader.ReadToken();
    Check(reader.Position() > last && reader.Position() <= size);
    last = reader.Position();
  }

  kw::GameDatabase db;
  const auto log = kw::ParseListinfoText(text, db);
  // 100 entries, the closing one, and at most one of each record note.
  kw::fuzz::CheckParsedList(db, log, kw::kListinfoLogLimit + 1 + 3, CheckRecord);

  // Read in two halves at once, it gives what one reading gives.
  kw::GameDatabase halves;
  Check(kw::BuildListinfoRecords(text, halves, nullptr, nullptr, 0) == log);
  Check(kw::BuildProfileImage(halves, kw::kProductName) ==
        kw::BuildProfileImage(db, kw::kProductName));

  // Read from a file a few bytes at a time, in two halves, it gives what one reading gives.
  if (const int fd = memfd_create("listinfo", MFD_CLOEXEC); fd >= 0) {
    if (write(fd, data, size) == static_cast<ssize_t>(size)) {
      kw::GameDatabase from_file;
      const auto file_log = kw::BuildListinfoRecords(fd, size, from_file, nullptr, {7, 0});
      Check(file_log && *file_log == log);
      Check(kw::BuildProfileImage(from_file, kw::kProductName) ==
            kw::BuildProfileImage(db, kw::kProductName));
    }
    close(fd);
  }

  if (db.GameCount() > 0) {
    const std::string image = kw::BuildProfileImage(db, kw::kProductName);
    kw::GameDatabase back;
    Check(kw::ReadProfileImage(image, kw::kProductName, back) == kw::ProfileReadError::kNone);
    Check(kw::BuildProfileImage(back, kw::kProductName) == image);
  }
  return 0;
}
