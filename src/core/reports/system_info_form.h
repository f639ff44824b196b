// What the system information window shows: the machine's memory, this process's address space,
// the processor and four lines about the system, from the facts the platform gives.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace kw {

struct SystemFacts {
  std::uint64_t total_memory = 0;
  std::uint64_t available_memory = 0;
  std::uint64_t total_address_space = 0;
  std::uint64_t available_address_space = 0;
  std::string processor;
  std::string system_name;     // "Debian GNU/Linux 12 (bookworm)"
  std::string kernel_release;  // "6.1.0-18-amd64"
  std::string kernel_version;  // "#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 (2024-02-01)"
  std::string machine;         // "x86_64"
};

// The facts of this machine now.
SystemFacts ReadSystemFacts();

// Bytes as whole megabytes (1,048,576 bytes, the rest dropped) + " MB".
std::string MegaBytesText(std::uint64_t bytes);

struct SystemInfoText {
  // Caption and value: TotPhis, AvailPhis, TotVirtual, AvailVirtual, Processor.
  std::array<std::pair<std::string, std::string>, 5> values;
  // Os1 .. Os4: the system's name, "Version " + kernel release, "Build " + kernel version, and
  // "Machine " + the machine's architecture.
  std::array<std::string, 4> lines;
};

SystemInfoText FormatSystemInfo(const SystemFacts& facts);

}  // namespace kw
