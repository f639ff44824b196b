#include "core/reports/system_info_form.h"

#include "platform/system_info.h"

namespace kw {

SystemFacts ReadSystemFacts() {
  SystemFacts facts;
  const platform::MemoryStatus memory = platform::GetMemoryStatus();
  facts.total_memory = memory.total_bytes;
  facts.available_memory = memory.available_bytes;
  const platform::AddressSpace space = platform::GetAddressSpace();
  facts.total_address_space = space.total_bytes;
  facts.available_address_space = space.available_bytes;
  facts.processor = platform::ProcessorName();
  const platform::SystemVersion version = platform::GetSystemVersion();
  facts.system_name = version.name;
  facts.kernel_release = version.release;
  facts.kernel_version = version.version;
  facts.machine = version.machine;
  return facts;
}

std::string MegaBytesText(std::uint64_t bytes) {
  return std::to_string(bytes / 1048576) + " MB";
}

SystemInfoText FormatSystemInfo(const SystemFacts& facts) {
  SystemInfoText text;
  text.values = {{
      {"Total phisical memory:", MegaBytesText(facts.total_memory)},
      {"Available phisical memory:", MegaBytesText(facts.available_memory)},
      {"Total virtual memory:", MegaBytesText(facts.total_address_space)},
      {"Available virtual memory:", MegaBytesText(facts.available_address_space)},
      {"Processor:", facts.processor.empty() ? "Unknown processor" : facts.processor},
  }};
  text.lines[0] = facts.system_name;
  if (!facts.kernel_release.empty()) text.lines[1] = "Version " + facts.kernel_release;
  if (!facts.kernel_version.empty()) text.lines[2] = "Build " + facts.kernel_version;
  if (!facts.machine.empty()) text.lines[3] = "Machine " + facts.machine;
  return text;
}

}  // namespace kw
