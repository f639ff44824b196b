// The quick check's cache is a file of the program directory that anything may have damaged:
// any bytes must load without a crash, and what is put in and saved must load back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/reports/set_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kw::QuickCache cache;
  cache.Parse(text);
  const kw::platform::fs::FileStamp stamp{size, 1, 2, 3};
  const std::string name(text.substr(0, std::min<std::size_t>(size, 12)));
  std::vector<kw::NamedSetFile> files{{name, {size, 0x1234abcd, true}}};
  cache.Put("/roms/" + name + ".zip", stamp, files);
  kw::QuickCache again;
  again.Parse(cache.Format());
  const std::optional<std::vector<kw::NamedSetFile>> back =
      again.Find("/roms/" + name + ".zip", stamp);
  const bool plain = name.find('\n') == std::string::npos && !name.empty();
  if (plain && (!back || *back != files)) std::abort();
  // Every archive the damaged text gave is found or said unknown without a crash, and saved
  // again as it was found.
  again.Parse(text);
  (void)again.Find("/roms/" + name + ".zip", stamp);
  (void)again.Format();
  return 0;
}
