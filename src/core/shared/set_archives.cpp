#include "core/shared/set_archives.h"

#include <algorithm>

#include "common/ascii.h"
#include "core/shared/emulator_run.h"
#include "core/shared/settings.h"
#include "core/update_throttle.h"
#include "core/user_interface.h"
#include "platform/fs.h"
#include "platform/input_file.h"
#include "platform/process.h"
#include "platform/scratch.h"

namespace kw {

namespace fs = platform::fs;
namespace archive = platform::archive;

namespace {

// The order sets are looked for in one directory, before a directory of the set's name.
constexpr const char* kArchiveExtensions[] = {".ACE", ".RAR", ".ZIP", ".7Z"};

LocatedSet Locate(const std::string& name, const std::vector<std::string>& directories) {
  // The archives' names and then the directory's, looked up together in each directory.
  std::vector<std::string> names;
  for (const char* extension : kArchiveExtensions)
    names.push_back(name + extension);
  names.push_back(name);
  for (const std::string& directory : directories) {
    const std::vector<fs::NameInDirectory> found = fs::LookUpNames(directory, names);
    for (std::size_t i = 0; i + 1 < found.size(); ++i) {
      if (found[i].kind == fs::NameKind::kFile) return {found[i].path, false};
    }
    if (found.back().kind == fs::NameKind::kDirectory) return {found.back().path, true};
  }
  return {};
}

LocatedSet Locate(const std::string& name, const std::vector<fs::DirectoryNames>& directories) {
  std::string file;
  for (const fs::DirectoryNames& directory : directories) {
    for (const char* extension : kArchiveExtensions) {
      file = name;
      file += extension;
      if (!directory.MayHold(file)) continue;
      fs::NameInDirectory found = directory.LookUp(file);
      if (found.kind == fs::NameKind::kFile) return {std::move(found.path), false, &directory};
    }
    if (!directory.MayHold(name)) continue;
    fs::NameInDirectory found = directory.LookUp(name);
    if (found.kind == fs::NameKind::kDirectory) return {std::move(found.path), true, &directory};
  }
  return {};
}

class Problems {
 public:
  void Add(const std::string& line) { text_ += (text_.empty() ? "" : "\n") + line; }
  Status Result() const { return text_.empty() ? Success() : Status(Failure(text_)); }

 private:
  std::string text_;
};

}  // namespace

std::vector<std::string> SearchDirectories(const std::string& search_list) {
  std::vector<std::string> directories;
  std::size_t start = 0;
  while (start <= search_list.size()) {
    std::size_t end = search_list.find(';', start);
    if (end == std::string::npos) end = search_list.size();
    if (end > start) {
      directories.push_back(
          fs::ExpandFileName(fs::IncludeTrailingSeparator(search_list.substr(start, end - start))));
    }
    start = end + 1;
  }
  return directories;
}

SetArchives::SetArchives(UserInterface& ui, const FrontEndSettings& settings,
                         std::string emulator_dir, std::string temp_dir_name,
                         std::string disc_ini_name)
    : ui_(ui),
      settings_(settings),
      emulator_dir_(std::move(emulator_dir)),
      temp_dir_name_(std::move(temp_dir_name)),
      discs_(ui, settings, std::move(disc_ini_name)) {}

std::string SetArchives::TempDir() const {
  const std::string dir = emulator_dir_.empty() ? fs::CurrentDirectory() : emulator_dir_;
  return fs::IncludeTrailingSeparator(dir) + temp_dir_name_;
}

Status SetArchives::MakeTempDir(const std::string& path) {
  // Made by the program itself: a link planted in its place, or in it, would receive the sets
  // and keep them.
  std::vector<std::string> links;
  Status made = platform::MakeScratchDirectory(path, links);
  for (const std::string& link : links)
    ui_.Ask(LinkRemovedMessage(link), MsgIcon::Warning);
  if (!made) return Failure("Unable to create " + path + ": " + made.Message());
  return Success();
}

std::string SetArchives::LocateSetFile(const std::string& name, const std::string& search_list,
                                       SetKind kind) {
  return LocateSet(name, SearchDirectories(search_list), kind).path;
}

LocatedSet SetArchives::LocateSet(const std::string& name,
                                  const std::vector<std::string>& directories, SetKind kind) {
  // A set name is one file name: one with a directory part would reach outside the list.
  if (archive::FlatName(name) != name) return {};
  if (kind != SetKind::Plain && settings_.MameCd) {
    if (std::optional<std::string> disc = discs_.DiscDirectory(name, kind == SetKind::Sample))
      return Locate(name, {*disc});  // listed on a disc: the hard disk is not searched
  }
  return Locate(name, directories);
}

LocatedSet SetArchives::LocateSet(const std::string& name,
                                  const std::vector<fs::DirectoryNames>& directories,
                                  SetKind kind) {
  if (archive::FlatName(name) != name) return {};
  if (kind != SetKind::Plain && settings_.MameCd) {
    if (std::optional<std::string> disc = discs_.DiscDirectory(name, kind == SetKind::Sample))
      return Locate(name, std::vector<std::string>{*disc});
  }
  return Locate(name, directories);
}

Status SetArchives::ExtractSet(const std::string& name, const std::string& search_list,
                               SetKind kind, const std::string& into,
                               const archive::SizeLimits& limits) {
  if (!into.empty() && archive::FlatName(into) != into) return Success();  // never outside it
  if (Status made = MakeTempDir(TempDir()); !made) return made;
  const std::string temp =
      into.empty() ? TempDir() : fs::IncludeTrailingSeparator(TempDir()) + into;
  if (Status made = MakeTempDir(temp); !made) return made;
  const std::string location = LocateSetFile(name, search_list, kind);
  if (location.empty()) return Success();
  return ReadLocatedSet(location, *archive::MakeDirectorySink(temp), limits);
}

archive::SizeLimits SetArchives::Within(archive::SizeLimits limits) const {
  limits.set = std::min(limits.set, size_limit_);
  return limits;
}

Status SetArchives::ReadLocatedSet(const std::string& location, archive::FlatSink& sink,
                                   const archive::SizeLimits& asked) {
  const archive::SizeLimits limits = Within(asked);
  ui_.SetBusy(true);
  Status done;
  if (IsAceSet(location)) {
    done = ExtractAce(location, sink, limits);
  } else if (fs::DirectoryExists(location)) {
    // The windows breathe during a long copy.
    UpdateThrottle updates;
    done = ReadSetDirectory(
        location, sink,
        [&] {
          if (updates.Due()) ui_.ProcessMessages();
        },
        limits);
  } else {
    done = ReadSetWithoutPrograms(location, sink, limits);
  }
  ui_.SetBusy(false);
  return done;
}

bool IsAceSet(const std::string& location) {
  return EqualNoCase(fs::ExtractFileExt(location), ".ACE") && !fs::DirectoryExists(location);
}

Status ReadSetWithoutPrograms(const std::string& location, archive::FlatSink& sink,
                              const archive::SizeLimits& limits) {
  if (IsAceSet(location)) return Failure(location + ": an ACE set needs the unace program");
  if (fs::DirectoryExists(location)) return ReadSetDirectory(location, sink, {}, limits);
  // ZIP, RAR and 7z alike: the reader knows the format from the contents.
  return archive::ReadFlat(location, sink, limits);
}

Status ReadSetDirectory(const std::string& location, archive::FlatSink& sink,
                        const std::function<void()>& tick, const archive::SizeLimits& limits) {
  // A directory that cannot be listed would look empty, as if the set were not there.
  if (Result<platform::InputFile> opened =
          platform::InputFile::Open(fs::Resolve(location), platform::InputKind::kFileOrDirectory);
      !opened)
    return Failure(location + ": " + opened.Message());
  const std::vector<fs::DirEntry> entries = fs::List(location);
  const std::string from = fs::IncludeTrailingSeparator(location);
  Problems problems;
  for (const fs::DirEntry& entry : entries) {
    if (entry.is_directory && !entry.is_link) {
      problems.Add(from + entry.name + ": a directory is not copied");
    } else if (Status copied = archive::ReadFileFlat(from + entry.name, entry.name, sink, limits);
               !copied) {
      problems.Add(from + entry.name + ": " + copied.Message());
    }
    if (tick) tick();
  }
  return problems.Result();
}

Status SetArchives::ExtractAce(const std::string& location, archive::FlatSink& sink,
                               const archive::SizeLimits& limits) {
  if (!LoadAceLibrary())
    return Failure(location + ": ACE sets need the unace program, which is not installed");
  // The extractor writes into a directory of its own; its files are then taken over with the
  // same name rules as any other set's.
  const std::string temp = TempDir();
  if (Status made = MakeTempDir(temp); !made) return made;
  const std::string staging = fs::IncludeTrailingSeparator(temp) + ".unace.tmp";
  if (fs::Exists(staging) || fs::IsLink(staging)) (void)fs::DeleteTree(staging);
  if (Status made = fs::MakeDirectory(staging); !made)
    return Failure(staging + ": " + made.Message());
  Result<int> code = platform::RunQuietly(
      platform::Command{{"unace", "e", "-y", fs::ExpandFileName(location)}}, staging);
  Problems problems;
  if (!code) {
    problems.Add(location + ": unace could not be started: " + code.Message());
  } else if (*code != 0) {
    problems.Add(location + ": unace ended with code " + std::to_string(*code));
  }
  std::uint64_t total = 0;
  for (const fs::DirEntry& entry : fs::List(staging)) {
    const std::string path = fs::IncludeTrailingSeparator(staging) + entry.name;
    const std::uint64_t size = fs::FileSize(path).value_or(0);
    if (size <= limits.file) total += size;
    if (total > limits.set) {
      problems.Add(location + ": " + archive::SetLimitText(limits));
      break;
    }
    if (Status copied = archive::ReadFileFlat(path, entry.name, sink, limits); !copied)
      problems.Add(location + ": " + entry.name + ": " + copied.Message());
  }
  (void)fs::DeleteTree(staging);
  return problems.Result();
}

bool LoadAceLibrary() {
  static const bool installed = platform::ProgramExists("unace");
  return installed;
}

bool DeleteTempDir(const std::string& path) {
  if (fs::IsLink(path)) return fs::Delete(fs::ExcludeTrailingSeparator(path)).Ok();
  if (!fs::DirectoryExists(path)) return true;
  const std::string dir = fs::IncludeTrailingSeparator(path);
  bool failed = false;
  for (const fs::DirEntry& entry : fs::List(dir)) {
    const std::string full = dir + entry.name;
    if (entry.is_directory && !entry.is_link) {
      if (!DeleteTempDir(full)) failed = true;
    } else if (!fs::Delete(full)) {
      failed = true;
    }
  }
  if (failed) return false;
  (void)fs::DeleteTree(path);  // empty by now
  return !fs::Exists(path);
}

}  // namespace kw
