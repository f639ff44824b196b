// Optical drives: the mount points of mounted optical media. "The drive" of the settings is
// such a mount point.
#pragma once

#include <string>
#include <vector>

namespace kw::platform {

// Mount points of optical media, from /proc/self/mountinfo (file systems iso9660 and udf, or
// devices /dev/sr*). When $KESTRELWING_OPTICAL_DRIVES is set, its ':'-separated directories are
// the drives instead (tests point the layer at directories this way).
std::vector<std::string> OpticalDrives();
// The parsing step, for tests: mount points of optical media in a mountinfo text.
std::vector<std::string> OpticalDrivesFromMountInfo(const std::string& mountinfo);

}  // namespace kw::platform
