#include "platform/drives.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kw::platform {
namespace {

TEST(OpticalDrives, FoundInMountInfo) {
  const std::string mountinfo =
      "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "40 22 11:0 / /media/user/MAME\\040CD\\0401 ro,nosuid shared:7 - iso9660 /dev/sr0 ro\n"
      "41 22 11:1 / /mnt/dvd ro - udf /dev/loop3 ro\n"
      "42 22 11:2 / /mnt/odd ro master:2 shared:9 - fuseblk /dev/sr1 ro\n"
      "43 22 0:5 / /proc rw - proc proc rw\n"
      "garbage line\n"
      "44 22 0:6 / /short rw -\n";
  EXPECT_EQ(OpticalDrivesFromMountInfo(mountinfo),
            (std::vector<std::string>{"/media/user/MAME CD 1", "/mnt/dvd", "/mnt/odd"}));
  EXPECT_TRUE(OpticalDrivesFromMountInfo("").empty());
}

TEST(OpticalDrives, EnvironmentListReplacesTheMounts) {
  setenv("KESTRELWING_OPTICAL_DRIVES", "/tmp/disc1:/tmp/disc 2", 1);
  EXPECT_EQ(OpticalDrives(), (std::vector<std::string>{"/tmp/disc1", "/tmp/disc 2"}));
  setenv("KESTRELWING_OPTICAL_DRIVES", "", 1);
  EXPECT_TRUE(OpticalDrives().empty());
  unsetenv("KESTRELWING_OPTICAL_DRIVES");
}

}  // namespace
}  // namespace kw::platform
