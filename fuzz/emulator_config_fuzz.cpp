// MAME.CFG is the emulator's file, edited by hand and by other programs: any bytes must read
// and write back, and once written the file must read back to the record that was written
// (a first write may tidy what the file held, e.g. a lone carriage return inside a value).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/shared/emulator_config.h"
#include "platform/fs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string dir = "/tmp/kw-emucfg-fuzz-" + std::to_string(getpid()) + "/";
  static const bool made = [] {
    std::filesystem::create_directories(dir);
    return std::atexit([] { std::filesystem::remove_all(dir); }) == 0;
  }();
  (void)made;
  const std::string text(reinterpret_cast<const char*>(data), size);
  (void)kw::ScanEmulateThree(kw::RewriteEmulateThree(text, !kw::ScanEmulateThree(text)));
  if (!kw::platform::fs::WriteFile(dir + "MAME.CFG", text)) return 0;

  kw::EmulatorConfig config;
  if (!kw::ReadEmulatorConfig(dir, config)) return 0;
  if (!kw::WriteEmulatorConfig(dir, "$KSTEMP$", config)) std::abort();
  kw::EmulatorConfig written, again;
  if (!kw::ReadEmulatorConfig(dir, written)) std::abort();
  if (!kw::WriteEmulatorConfig(dir, "$KSTEMP$", written)) std::abort();
  if (!kw::ReadEmulatorConfig(dir, again)) std::abort();
  if (kw::FormatEmulatorConfig(again) != kw::FormatEmulatorConfig(written)) std::abort();
  return 0;
}
