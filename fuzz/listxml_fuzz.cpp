// The -listxml text comes from whatever the chosen executable printed: any bytes must parse
// without a crash; a refused stream leaves no record; every kept name fits its width; and the
// XML reader always moves forward and ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/profile/listxml_parser.h"
#include "core/shared/game_database.h"
#include "core/shared/xml_reader.h"
#include "parsed_list_checks.h"

namespace {

using kw::fuzz::Check;

void CheckRecord(const kw::GameDatabase& db, const kw::GameRecord& r) {
  Check(!r.Name.empty() && r.Name.size() <= kw::kLongSetNameWidth);
  Check(r.CloneOf.size() <= kw::kLongSetNameWidth && r.RomOf.size() <= kw::kLongSetNameWidth &&
        r.SampleOf.size() <= kw::kLongSetNameWidth);
  Check(db.Text(r.Description).size() <= kw::kTextWidth &&
        db.Text(r.Manufacturer).size() <= kw::kTextWidth &&
        db.Text(r.Freq).size() <= kw::kTextWidth);
  // Only the dump marks, and a SHA-1 of its 20 bytes or none.
  constexpr unsigned kDumpMarks = kw::kDumpBad | kw::kDumpNone | kw::kDumpOptional;
  for (const auto& rom : db.Roms(r))
    Check(db.Text(rom.Name).size() <= kw::kTextWidth &&
          db.Text(rom.Merge).size() <= kw::kTextWidth &&
          db.Text(rom.Region).size() <= kw::kTextWidth && (rom.Flags & ~kDumpMarks) == 0 &&
          (db.Text(rom.Sha1).empty() || db.Text(rom.Sha1).size() == kw::kSha1Bytes));
  for (const auto& disk : db.Disks(r))
    Check(db.Text(disk.Name).size() <= kw::kTextWidth && (disk.Flags & ~kDumpMarks) == 0 &&
          (db.Text(disk.Sha1).empty() || db.Text(disk.Sha1).size() == kw::kSha1Bytes));
  for (std::uint32_t device : db.Devices(r))
    Check(!db.DeviceName(device).empty() && db.DeviceName(device).size() <= kw::kLongSetNameWidth);
  Check(r.Machine <= (kw::kMachineBios | kw::kMachineDevice | kw::kMachineMechanical));
  for (const auto& chip : db.Chips(r))
    Check(chip.Kind <= 2 && chip.Flags == 0 && db.Text(chip.Name).size() <= kw::kTextWidth);
  Check(r.Raster <= 1 && r.Vertical <= 1 && r.Control <= 8 && r.Tilt <= 1 && r.Service <= 1);
  Check(r.DriverStatus <= 3 && r.DriverColor <= 3 && r.DriverSound <= 3 && r.ColorDeep == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  kw::XmlReader reader(text);
  std::size_t last = 0, events = 0;
  for (;;) {
    const kw::XmlReader::Event e = reader.Next();
    if (e == kw::XmlReader::Event::kDone) break;
    if (e == kw::XmlReader::Event::kError) {
      Check(reader.ErrorOffset() <= size && !reader.ErrorReason().empty());
      Check(reader.Next() == kw::XmlReader::Event::kError);
      break;
    }
    // Every event but the end of a self-closing tag consumes bytes.
    Check(reader.Position() <= size &&
          (reader.Position() > last || e == kw::XmlReader::Event::kEnd));
    last = reader.Position();
    Check(++events <= 2 * size + 2);
    std::string scratch;
    for (const kw::XmlAttribute& a : reader.Attributes())
      kw::XmlReader::Decode(a, scratch);
  }

  kw::GameDatabase db;
  const auto log = kw::ParseListxmlText(text, db);
  if (kw::LogRefusesProfile(log)) {
    Check(log.size() == 1 && db.GameCount() == 0 && db.ResourceCount() == 0);
  }
  kw::fuzz::CheckParsedList(db, log, kw::kListinfoLogLimit + 1 + 2, CheckRecord);
  return 0;
}
