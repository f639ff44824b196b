// Profile files are opened from wherever the user points: any bytes must be read without a
// crash or unbounded allocation, and whatever reads cleanly must write back to bytes that read
// back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/profile/game_database.h"
#include "core/profile/profile_file.h"
#include "core/shell/app_names.h"

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
  Check(back.Games() == db.Games() && back.Resources() == db.Resources());
  Check(back.EmulatorDir == db.EmulatorDir && back.EmulatorExe == db.EmulatorExe &&
        back.EmulatorVersion == db.EmulatorVersion);
  Check(kw::BuildProfileImage(back, kw::kProductName) == image);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadAndRewrite(bytes);
  // The same bytes behind a valid tag, so that mutations reach the records.
  ReadAndRewrite(kw::ProfileTag(kw::kProductName) + std::string(bytes));
  return 0;
}
