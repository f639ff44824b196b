#include "core/reports/system_info_form.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(SystemInfoFormTest, MegabytesAndLines) {
  EXPECT_EQ(MegaBytesText(0), "0 MB");
  EXPECT_EQ(MegaBytesText(1048575), "0 MB");
  EXPECT_EQ(MegaBytesText(1048576), "1 MB");
  EXPECT_EQ(MegaBytesText(std::uint64_t{1} << 47), "134217728 MB");

  SystemFacts facts;
  facts.total_memory = 16ull << 30;
  facts.available_memory = (3ull << 30) + 1048575;
  facts.total_address_space = std::uint64_t{1} << 47;
  facts.available_address_space = (std::uint64_t{1} << 47) - (200ull << 20) - 1;
  facts.processor = "AMD EPYC 7B13";
  facts.system_name = "Debian GNU/Linux 12 (bookworm)";
  facts.kernel_release = "6.1.0-18-amd64";
  facts.kernel_version = "#1 SMP Debian 6.1.76-1";
  facts.machine = "x86_64";
  const SystemInfoText text = FormatSystemInfo(facts);
  EXPECT_EQ(text.values[0],
            (std::pair<std::string, std::string>{"Total phisical memory:", "16384 MB"}));
  EXPECT_EQ(text.values[1].second, "3072 MB");
  EXPECT_EQ(text.values[2].first, "Total virtual memory:");
  EXPECT_EQ(text.values[3].second, "134217527 MB");
  EXPECT_EQ(text.values[4], (std::pair<std::string, std::string>{"Processor:", "AMD EPYC 7B13"}));
  EXPECT_EQ(text.lines,
            (std::array<std::string, 4>{"Debian GNU/Linux 12 (bookworm)", "Version 6.1.0-18-amd64",
                                        "Build #1 SMP Debian 6.1.76-1", "Machine x86_64"}));
  // Facts the system did not give leave their lines empty.
  EXPECT_EQ(FormatSystemInfo(SystemFacts{}).lines[1], "");
}

TEST(SystemInfoFormTest, ThisMachine) {
  const SystemFacts facts = ReadSystemFacts();
  EXPECT_GT(facts.total_memory, 0u);
  EXPECT_LE(facts.available_memory, facts.total_memory);
  EXPECT_GT(facts.total_address_space, facts.available_address_space);
  EXPECT_FALSE(facts.system_name.empty());
  EXPECT_FALSE(facts.processor.empty());
}

}  // namespace
}  // namespace kw
