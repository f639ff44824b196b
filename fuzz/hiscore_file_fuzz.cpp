// HISCORE.DAT is text anyone edits: any bytes must index without a crash, and the index must
// answer as reading the file from its start does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/reports/hiscore_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const kw::HiscoreFile file(bytes);
  const std::string_view text(bytes);
  const std::string names[] = {std::string(text.substr(0, text.find(':'))),
                               std::string(text.substr(size / 2, 3)),
                               "PACMAN",
                               "0",
                               "",
                               "LONGERTHANASET"};
  for (const std::string& name : names) {
    if (file.Areas(name) != kw::ScanHiscoreFile(bytes, name)) std::abort();
  }
  (void)kw::FormatHiscoreArea(text.substr(0, 4096));
  return 0;
}
