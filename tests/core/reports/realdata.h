// The real support files of the emulator's era (../shared/realdata), for the readers' tests.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kw::test {

inline std::string RealDataPath(const std::string& relative) {
  return std::string(KW_REALDATA_DIR) + "/" + relative;
}

inline bool HaveRealData() {
  return std::filesystem::exists(RealDataPath("README.md"));
}

inline std::string ReadRealFile(const std::string& relative) {
  std::ifstream in(RealDataPath(relative), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file of one kind (a folder of realdata), as paths relative to realdata.
inline std::vector<std::string> RealFiles(const std::string& kind) {
  std::vector<std::string> files;
  if (!HaveRealData()) return files;
  for (const auto& dir : std::filesystem::directory_iterator(RealDataPath(kind))) {
    for (const auto& file : std::filesystem::directory_iterator(dir.path()))
      files.push_back(kind + "/" + dir.path().filename().string() + "/" +
                      file.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace kw::test
