// Profile files are opened from wherever the user points: any bytes must be read without a
// crash or allocation out of proportion to their size (run with -max_len of a megabyte, so
// that files of many entries are reached), and whatever reads cleanly must write back to bytes that
// read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/profile/profile_file.h"
#include "core/shared/app_names.h"
#include "core/shared/game_database.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void ReadAndRewrite(std::string_view bytes) {
  kw::GameDatabase db;
  const kw::ProfileReadError result = kw::ReadProfileImage(bytes, kw::kProductName, db);
  (void)kw::ProfileErrorMessage("fuzz.ksl", result);
  if (result != kw::ProfileReadError::kNone) return;
  const std::string image = kw::BuildProfileImage(db, kw::kProductName);
  Check(image.size() <= bytes.size());  // the reader only ever cuts texts
  kw::GameDatabase back;
  Check(kw::ReadProfileImage(image, kw::kProductName, back) == kw::ProfileReadError::kNone);
  // The image holds every field: equal images are equal databases.
  Check(kw::BuildProfileImage(back, kw::kProductName) == image);
  // What was loaded stays within the reader's memory bound.
  kw::DatabaseSize size{db.GameCount(), db.ResourceCount()};
  for (const auto* list : {&db.Games(), &db.Resources()}) {
    for (const kw::GameRecord& r : *list) {
      size.roms += db.Roms(r).size();
      size.chips += db.Chips(r).size();
      size.samples += db.Samples(r).size();
    }
  }
  Check(size.MemoryBytes() <= kw::kProfileMemoryFactor * bytes.size() + 64 * 1024);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadAndRewrite(bytes);
  // The same bytes behind a valid tag, so that mutations reach the records.
  ReadAndRewrite(kw::ProfileTag(kw::kProductName) + std::string(bytes));
  return 0;
}
