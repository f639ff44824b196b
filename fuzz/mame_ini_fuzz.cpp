// mame.ini files come from users and the emulator: any bytes must read and take a changed value
// without a crash, the change must read back, and every byte before the changed line stays.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/shared/mame_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  kw::MameIni ini(text);
  if (ini.Text() != text) std::abort();  // reading changes nothing
  const auto options = ini.Options();
  const std::string key = options.empty() ? std::string("rompath") : options.front().first;
  ini.Set(key, "a b#c");
  if (kw::MameIni(ini.Text()).Value(key) != "a b#c") std::abort();
  ini.Set("fuzz_new_key", "");
  if (kw::MameIni(ini.Text()).Value("fuzz_new_key") != "") std::abort();
  (void)kw::ExpandMamePath(std::string_view(text).substr(0, 64));
  return 0;
}
