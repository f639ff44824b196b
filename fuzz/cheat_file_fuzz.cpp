// CHEAT.DAT is text anyone edits: any bytes must index and format without a crash, and the
// index must list what reading the file from its start lists.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/reports/cheat_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const kw::CheatFile file(bytes);
  const std::string_view text(bytes);
  const std::string names[] = {std::string(text.substr(0, text.find(':'))),
                               std::string(text.substr(size / 2, 3)), "PACMAN", ""};
  for (const std::string& name : names) {
    if (file.Compressed()) {
      if (!file.Cheats(name).empty()) std::abort();
    } else if (file.Cheats(name) != kw::ScanCheatFile(bytes, name)) {
      std::abort();
    }
  }
  (void)kw::FormatCheat(kw::ParseCheatLine(text.substr(0, 4096)));
  return 0;
}
