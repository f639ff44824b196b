#include "core/launch/run_files.h"

#include "core/shell/emulator_config.h"
#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

namespace {

std::string DirectoryOf(const RunFile& file) {
  return file.Directory.empty() ? std::string() : fs::IncludeTrailingSeparator(file.Directory);
}

bool Handled(const RunFile& file) {
  return IsPlainFileName(file.Stem + "." + file.Extension);
}

}  // namespace

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\\') == std::string::npos;
}

std::array<RunFile, 4> RunFilesOf(const EmulatorConfig& config, const std::string& set_name,
                                  const std::string& recording_name) {
  return {RunFile{config.directory.cfg, set_name, "cfg"},
          RunFile{config.directory.nvram, set_name, "nv"},
          RunFile{config.directory.hi, set_name, "hi"},
          RunFile{config.directory.inp, recording_name, "inp"}};
}

void BackupRunFile(const RunFile& file, const std::string& temp_name) {
  if (!Handled(file)) return;
  const std::string dir = DirectoryOf(file);
  const std::string original = fs::Resolve(dir + file.Stem + "." + file.Extension);
  if (fs::FileExists(original)) (void)fs::Copy(original, dir + temp_name + "." + file.Extension);
}

void RestoreRunFile(const RunFile& file, const std::string& temp_name) {
  if (!Handled(file)) return;
  const std::string dir = DirectoryOf(file);
  const std::string copy = fs::Resolve(dir + temp_name + "." + file.Extension);
  if (!fs::FileExists(copy)) return;
  const std::string original = fs::Resolve(dir + file.Stem + "." + file.Extension);
  if (!fs::Rename(copy, original)) (void)fs::Delete(copy);
}

PlayTime PlayTimeOf(std::chrono::nanoseconds elapsed) {
  if (elapsed.count() < 0) return {};
  const long long seconds =
      std::chrono::duration_cast<std::chrono::seconds>(elapsed).count() % 86400;
  return {static_cast<unsigned>(seconds / 3600), static_cast<unsigned>(seconds / 60 % 60),
          static_cast<unsigned>(seconds % 60)};
}

}  // namespace kw
