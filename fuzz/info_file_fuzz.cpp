// History and information files are text anyone edits: any bytes must index without a crash,
// and the index must answer as reading the file from its start does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/reports/info_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const kw::InfoFile file(bytes);
  // Names taken from the input itself, so that entries are found, and a few fixed ones.
  const std::string_view text(bytes);
  const std::string names[] = {std::string(text.substr(size / 3, 4)),
                               std::string(text.substr(size / 2, 2)), "A", "pacman", ""};
  for (const std::string& name : names) {
    for (const char* tag : {"bio", "mame", ""}) {
      const auto section = file.Section(name, tag);
      const auto scanned = kw::ScanInfoFile(bytes, name, tag);
      if (section.has_value() != scanned.has_value()) std::abort();
      if (section && std::vector<std::string>(section->begin(), section->end()) != *scanned)
        std::abort();
    }
  }
  return 0;
}
