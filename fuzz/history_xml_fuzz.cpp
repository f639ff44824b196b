// Today's history.xml is a large file from outside: any bytes must index without a crash, and
// the index must hold no more text than the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/reports/history_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kw::HistoryXml file(bytes);
  if (file.EntryCount() > size) std::abort();
  // Names taken from the input itself, so that entries are found, and a few fixed ones.
  const std::string names[] = {std::string(bytes.substr(size / 3, 4)),
                               std::string(bytes.substr(size / 2, 2)), "a", "pacman", ""};
  for (const std::string& name : names) {
    const auto text = file.Text(name);
    if (!text) continue;
    std::size_t total = 0;
    for (std::string_view line : *text)
      total += line.size() + 1;
    if (total > size + 1) std::abort();
  }
  return 0;
}
