// INI files come from users and emulators: any bytes must load, read, change and write back
// without a crash, and what is written must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kw::platform::IniFile ini("fuzz.ini");
  ini.LoadFromText(text);
  if (ini.Text() != text) std::abort();  // untouched documents are kept byte for byte

  for (const std::string& section : ini.Sections()) {
    for (const std::string& key : ini.Keys(section)) {
      if (!ini.Read(section, key)) std::abort();
      ini.ReadInteger(section, key, 0);
    }
  }
  const std::string first_section = ini.Sections().empty() ? "Fuzz" : ini.Sections().front();
  const std::string value(text.substr(0, 40));
  ini.Write(first_section, "FuzzKey", value);
  ini.Write("NewSection", "k", "v");
  ini.DeleteKey(first_section, "FuzzKey");
  ini.Write(first_section, "FuzzKey", "written");

  kw::platform::IniFile again("fuzz.ini");
  again.LoadFromText(ini.Text());
  if (again.Read(first_section, "fuzzkey") != "written") std::abort();
  if (again.Read("newsection", "K") != "v") std::abort();
  ini.DeleteSection(first_section);
  return 0;
}
