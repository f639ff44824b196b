#include "core/launch/run_files.h"

#include "common/ascii.h"
#include "core/shared/command_line.h"
#include "core/shared/emulator_config.h"
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

bool Handled(const RunFile& file) {
  return !file.Stem.empty() && IsPlainFileName(NameOf(file));
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

// What stands at a copy's name before a new copy is made there: a copy of the same kind from
// an earlier run, or a link, which is removed rather than written through. Anything else is
// left alone (false), and no copy is made.
bool ClearBackupPlace(const std::string& copy, bool directory, std::string& removed_link) {
  if (fs::IsLink(copy)) {
    if (!fs::Delete(copy)) return false;
    removed_link = copy;
    return true;
  }
  if (!fs::Exists(copy)) return true;
  if (directory) return fs::DirectoryExists(copy) && fs::DeleteTree(copy).Ok();
  return fs::Stamp(copy) && fs::Delete(copy).Ok();
}

// Where the copy of `original` (the file as found on disk) goes: named after it as it is
// spelled there, so that the copy returns to that very name.
std::string CopyPathOf(const RunFile& file, const std::string& original,
                       const std::string& temp_name) {
  return DirectoryOf(file) + temp_name + "." + fs::ExtractFileName(original);
}

// The copy of the file, found without regard to case, and the place it returns to: the file as
// spelled on disk, or when it is gone, the name the copy keeps.
struct CopyAndPlace {
  std::string copy;
  std::string original;
};
CopyAndPlace FindCopy(const RunFile& file, const std::string& temp_name) {
  const std::string dir = DirectoryOf(file);
  CopyAndPlace found{fs::Resolve(dir + BackupNameOf(file, temp_name)),
                     fs::Resolve(dir + NameOf(file))};
  if (!fs::Exists(found.original) && !fs::IsLink(found.original)) {
    found.original = fs::ExtractFilePath(found.copy) +
                     fs::ExtractFileName(found.copy).substr(temp_name.size() + 1);
  }
  return found;
}

std::string BackupDirectory(const RunFile& file, const std::string& temp_name) {
  const std::string original = fs::Resolve(DirectoryOf(file) + file.Stem);
  if (fs::IsLink(original) || !fs::DirectoryExists(original)) return "";
  std::string removed_link;
  if (!ClearBackupPlace(FindCopy(file, temp_name).copy, true, removed_link)) return removed_link;
  CopyTree(original, CopyPathOf(file, original, temp_name));
  return removed_link;
}

BackupSettled Failed(const Status& status) {
  return {BackupOutcome::Kept, status.Message()};
}

// The copy replaces the file (an empty directory is removed first), or is deleted.
BackupSettled Settle(const std::string& copy, const std::string& original, bool put_back,
                     bool directory) {
  if (put_back) {
    if (directory && fs::DirectoryExists(original)) {
      if (Status removed = fs::DeleteTree(original); !removed) return Failed(removed);
    }
    if (Status renamed = fs::Rename(copy, original); !renamed) return Failed(renamed);
    return {BackupOutcome::PutBack, ""};
  }
  if (Status deleted = directory ? fs::DeleteTree(copy) : fs::Delete(copy); !deleted)
    return Failed(deleted);
  return {BackupOutcome::Deleted, ""};
}

BackupSettled RestoreDirectory(const RunFile& file, const std::string& temp_name) {
  const auto [copy, original] = FindCopy(file, temp_name);
  if (fs::IsLink(copy)) {
    if (Status deleted = fs::Delete(copy); !deleted) return Failed(deleted);
    return {BackupOutcome::LinkGone, ""};
  }
  if (!fs::DirectoryExists(copy)) return {};
  if (fs::IsLink(original) || (fs::Exists(original) && !fs::DirectoryExists(original)))
    return {BackupOutcome::Kept, ""};
  return Settle(copy, original, fs::List(original).empty(), true);
}

// The line that says what became of the copy `shown_copy` of `shown_file`.
std::string SettledLine(const BackupSettled& settled, const std::string& shown_copy,
                        const std::string& shown_file) {
  switch (settled.outcome) {
    case BackupOutcome::PutBack:
      return shown_copy + " put back as " + shown_file + ", which was missing or empty";
    case BackupOutcome::Deleted:
      return shown_copy + " deleted: " + shown_file + " is newer";
    case BackupOutcome::LinkGone:
      return shown_copy + " deleted: a link, not a copy";
    case BackupOutcome::Kept:
      return shown_copy + " left in place: " +
             (settled.reason.empty() ? shown_file + " is not a file of its own" : settled.reason);
    case BackupOutcome::None:
      break;
  }
  return "";
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

std::string BackupNameOf(const RunFile& file, const std::string& temp_name) {
  return temp_name + "." + NameOf(file);
}

std::string BackupRunFile(const RunFile& file, const std::string& temp_name) {
  if (!Handled(file)) return "";
  if (file.IsDirectory) return BackupDirectory(file, temp_name);
  const std::string original = fs::Resolve(DirectoryOf(file) + NameOf(file));
  if (fs::IsLink(original) || !fs::Stamp(original)) return "";  // only a regular file
  Result<std::string> bytes = fs::ReadFile(original);
  if (!bytes) return "";
  std::string removed_link;
  if (!ClearBackupPlace(FindCopy(file, temp_name).copy, false, removed_link)) return removed_link;
  (void)fs::WriteFileAtomic(CopyPathOf(file, original, temp_name), *bytes);
  return removed_link;
}

BackupSettled RestoreRunFile(const RunFile& file, const std::string& temp_name) {
  if (!Handled(file)) return {};
  if (file.IsDirectory) return RestoreDirectory(file, temp_name);
  const auto [copy, original] = FindCopy(file, temp_name);
  if (fs::IsLink(copy)) {
    if (Status deleted = fs::Delete(copy); !deleted) return Failed(deleted);
    return {BackupOutcome::LinkGone, ""};
  }
  if (!fs::FileExists(copy)) return {};
  // Never renamed over a link or anything else that is not a regular file.
  const std::optional<fs::FileStamp> stamp = fs::Stamp(original);
  if (fs::IsLink(original) || (!stamp && fs::Exists(original))) return {BackupOutcome::Kept, ""};
  return Settle(copy, original, !stamp || stamp->size == 0, false);
}

std::vector<std::string> SettleLeftBackups(const EmulatorConfig& config,
                                           const std::string& work_dir,
                                           const std::string& temp_name, EmulatorDialect dialect) {
  std::vector<std::string> lines;
  const std::string base = fs::IncludeTrailingSeparator(work_dir);
  const std::string temp_dir = fs::ExcludeTrailingSeparator(fs::Resolve(base + temp_name));
  const std::string prefix = temp_name + ".";
  for (const RunFile& kind : RunFilesOf(config, "", "", dialect)) {
    const std::string shown_dir = DirectoryOf(kind);
    const std::string dir = fs::IsAbsolute(shown_dir) ? shown_dir : base + shown_dir;
    const std::string extension = kind.IsDirectory ? "" : kind.Extension;
    const std::string suffix = extension.empty() ? "" : "." + extension;
    for (const fs::DirEntry& entry : fs::List(dir)) {
      const std::string& name = entry.name;
      const std::string shown_copy = shown_dir + name;
      const bool ends_in_suffix =
          name.size() >= suffix.size() &&
          EqualNoCase(std::string_view(name).substr(name.size() - suffix.size()), suffix);
      if (name.size() == temp_name.size() + suffix.size() && name.starts_with(temp_name) &&
          ends_in_suffix) {
        if (fs::ExcludeTrailingSeparator(fs::Resolve(dir + name)) == temp_dir) continue;
        const Status deleted = entry.is_directory && !entry.is_link ? fs::DeleteTree(dir + name)
                                                                    : fs::Delete(dir + name);
        lines.push_back(deleted ? shown_copy + " deleted: an older copy that names no game"
                                : shown_copy + " could not be deleted: " + deleted.Message());
        continue;
      }
      if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
          !ends_in_suffix)
        continue;
      // A link at a copy's name is removed below; anything else must be of the copy's kind.
      const bool is_directory = entry.is_directory && !entry.is_link;
      if (!entry.is_link && is_directory != kind.IsDirectory) continue;
      RunFile file{dir, name.substr(prefix.size(), name.size() - prefix.size() - suffix.size()),
                   name.substr(name.size() - extension.size()), kind.IsDirectory};
      if (!Handled(file)) continue;
      const BackupSettled settled = RestoreRunFile(file, temp_name);
      if (settled.outcome != BackupOutcome::None)
        lines.push_back(SettledLine(settled, shown_copy, shown_dir + NameOf(file)));
    }
  }
  return lines;
}

PlayTime PlayTimeOf(std::chrono::nanoseconds elapsed) {
  if (elapsed.count() < 0) return {};
  const long long seconds =
      std::chrono::duration_cast<std::chrono::seconds>(elapsed).count() % 86400;
  return {static_cast<unsigned>(seconds / 3600), static_cast<unsigned>(seconds / 60 % 60),
          static_cast<unsigned>(seconds % 60)};
}

}  // namespace kw
