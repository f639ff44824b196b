#include "core/launch/run_files.h"

#include "core/launch/command_line.h"
#include "core/shell/emulator_config.h"
#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

namespace {

std::string DirectoryOf(const RunFile& file) {
  return file.Directory.empty() ? std::string() : fs::IncludeTrailingSeparator(file.Directory);
}

std::string NameOf(const RunFile& file) {
  return file.Extension.empty() ? file.Stem : file.Stem + "." + file.Extension;
}

std::string CopyNameOf(const RunFile& file, const std::string& temp_name) {
  return file.Extension.empty() ? temp_name : temp_name + "." + file.Extension;
}

bool Handled(const RunFile& file) {
  return IsPlainFileName(NameOf(file));
}

// A directory copied with its files and subdirectories; links are not followed or copied.
void CopyTree(const std::string& from, const std::string& to) {
  if (!fs::MakeDirectory(to)) return;
  for (const fs::DirEntry& entry : fs::List(from)) {
    if (entry.is_link) continue;
    const std::string source = fs::IncludeTrailingSeparator(from) + entry.name;
    const std::string target = fs::IncludeTrailingSeparator(to) + entry.name;
    if (entry.is_directory) {
      CopyTree(source, target);
    } else {
      (void)fs::Copy(source, target);
    }
  }
}

void BackupDirectory(const RunFile& file, const std::string& temp_name) {
  const std::string dir = DirectoryOf(file);
  const std::string original = fs::Resolve(dir + file.Stem);
  if (fs::IsLink(original) || !fs::DirectoryExists(original)) return;
  const std::string copy = dir + CopyNameOf(file, temp_name);
  if (fs::IsLink(copy)) {
    (void)fs::Delete(copy);
  } else if (fs::DirectoryExists(copy)) {
    (void)fs::DeleteTree(copy);  // left by a run that never came back
  }
  CopyTree(original, copy);
}

void RestoreDirectory(const RunFile& file, const std::string& temp_name) {
  const std::string dir = DirectoryOf(file);
  const std::string copy = dir + CopyNameOf(file, temp_name);
  if (fs::IsLink(copy) || !fs::DirectoryExists(copy)) return;
  const std::string original = fs::Resolve(dir + file.Stem);
  if (fs::IsLink(original)) {
    (void)fs::Delete(original);
  } else if (fs::DirectoryExists(original)) {
    (void)fs::DeleteTree(original);
  }
  if (!fs::Rename(copy, original)) (void)fs::DeleteTree(copy);
}

}  // namespace

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\\') == std::string::npos;
}

std::array<RunFile, 4> RunFilesOf(const EmulatorConfig& config, const std::string& set_name,
                                  const std::string& recording_name, EmulatorDialect dialect) {
  if (dialect == EmulatorDialect::kListxml) {
    const std::string recording = RecordingFileOf(dialect, recording_name);
    const std::size_t dot = recording.rfind('.');
    return {RunFile{config.directory.cfg, set_name, "cfg"},
            RunFile{config.directory.nvram, set_name, "", true},
            RunFile{config.directory.hi, set_name, "hi"},
            RunFile{config.directory.inp, recording.substr(0, dot), recording.substr(dot + 1)}};
  }
  return {RunFile{config.directory.cfg, set_name, "cfg"},
          RunFile{config.directory.nvram, set_name, "nv"},
          RunFile{config.directory.hi, set_name, "hi"},
          RunFile{config.directory.inp, recording_name, "inp"}};
}

void BackupRunFile(const RunFile& file, const std::string& temp_name) {
  if (!Handled(file)) return;
  if (file.IsDirectory) return BackupDirectory(file, temp_name);
  const std::string dir = DirectoryOf(file);
  const std::string original = fs::Resolve(dir + file.Stem + "." + file.Extension);
  if (fs::FileExists(original)) (void)fs::Copy(original, dir + temp_name + "." + file.Extension);
}

void RestoreRunFile(const RunFile& file, const std::string& temp_name) {
  if (!Handled(file)) return;
  if (file.IsDirectory) return RestoreDirectory(file, temp_name);
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
