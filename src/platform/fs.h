// File access with the name matching the program relies on: every path component is taken
// exactly when it exists, otherwise matched without regard to case (first match in sorted
// order). Core code never touches the file system except through here.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace kw::platform::fs {

constexpr char kSeparator = '/';

// The path with each existing component resolved; components that match nothing are kept as
// given, so a new file is created with the name as given inside a case-resolved directory.
std::string Resolve(std::string_view path);

// What tells a changed file from an unchanged one without reading it.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified_ns = 0;
  std::int64_t changed_ns = 0;
  std::uint64_t inode = 0;
  bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> Stamp(std::string_view path);  // of a regular file

// What a directory holds under each of some names, as FileExists and DirectoryExists of
// `directory` + name would tell, and the path Resolve would give: looked up in the directory's
// kept listing, with one check of the directory for all the names and a stat only for a link or
// a name the listing cannot tell. The names are plain names, without a separator.
enum class NameKind { kNone, kFile, kDirectory };
struct NameInDirectory {
  std::string path;
  NameKind kind = NameKind::kNone;
};
std::vector<NameInDirectory> LookUpNames(std::string_view directory,
                                         const std::vector<std::string>& names);

// One directory's names as listed when it is made, for the many look-ups of a run that takes the
// collection as it was when it began (the verifier's passes): LookUp tells what LookUpNames
// tells of one name then, without checking the directory again at each name. Safe to use from
// several threads at once.
struct DirectoryListing;
class DirectoryNames {
 public:
  explicit DirectoryNames(std::string_view directory);
  NameInDirectory LookUp(std::string_view name) const;
  // False when the listing holds no name that folds to `name`: LookUp would find nothing there
  // (told without making its path).
  bool MayHold(std::string_view name) const;
  // The Stamp of a path LookUp gave: a name of this directory is looked at through the
  // directory as it was opened to be listed, without walking the path again.
  std::optional<FileStamp> StampOf(std::string_view path) const;

 private:
  std::string directory_;                            // as given
  std::string resolved_;                             // as on disk, with its trailing separator
  std::shared_ptr<const DirectoryListing> listing_;  // none when the directory is none
};

bool Exists(std::string_view path);  // file or directory
bool FileExists(std::string_view path);
bool DirectoryExists(std::string_view path);
bool IsLink(std::string_view path);  // a symbolic link itself, whatever it points to
std::optional<std::uint64_t> FileSize(std::string_view path);
// The last modification of a file or directory, in seconds since 1970 (UTC).
std::optional<std::int64_t> ModificationTime(std::string_view path);

// Whole-file reading and writing. A failure carries the system's reason ("No such file or
// directory"); the caller names the file.

Result<std::string> ReadFile(std::string_view path);
Status WriteFile(std::string_view path, std::string_view data);
// Writes a temporary file beside the target, syncs it and renames it over the target. Only a
// regular file (or a link to one, which stays a link) or nothing is replaced: anything else
// (a FIFO, a device, a directory) is refused with "<path>: not a regular file". Temporary files
// of the same target left by writes of processes that are gone are removed first. A file that
// this process may not write (read-only) is not replaced either.
Status WriteFileAtomic(std::string_view path, std::string_view data);
// True when the file exists and this process may write it.
bool CanWrite(std::string_view path);
// True when the directory exists and this process may make files in it.
bool CanWriteIn(std::string_view directory);
// The same through a temporary file of the given name (no separator) beside the target; one of
// that name left behind by an earlier write is replaced, anything else there is refused.
Status WriteFileAtomic(std::string_view path, std::string_view data, std::string_view temp_name);
// A file written in pieces and put in place as WriteFileAtomic puts its data, with the same
// refusals: Begin makes the temporary file beside the target, WriteAt writes a piece at its
// offset (several threads may write their own pieces at once), Commit syncs the file and
// renames it over the target. A file that is not committed is removed, and the target stays
// as it was.
class AtomicFile {
 public:
  static Result<AtomicFile> Begin(std::string_view path, std::string_view temp_name = {});
  AtomicFile(AtomicFile&& other) noexcept;
  AtomicFile& operator=(AtomicFile&&) = delete;
  ~AtomicFile();

  Status WriteAt(std::uint64_t offset, std::string_view data) const;
  Status Commit();

 private:
  AtomicFile() = default;
  int fd_ = -1;
  std::string temp_, target_, directory_;
};
// Creates (or truncates) an empty file.
Status CreateFile(std::string_view path);

struct DirEntry {
  std::string name;           // as on disk
  bool is_directory = false;  // a link to a directory counts as one
  bool is_link = false;
};
// Entries of a directory sorted by name (byte order), without "." and "..". Empty on failure.
std::vector<DirEntry> List(std::string_view directory);

Status Copy(std::string_view from, std::string_view to);
Status Rename(std::string_view from, std::string_view to);
Status Delete(std::string_view path);           // a file
Status DeleteTree(std::string_view path);       // a directory and all in it
Status MakeDirectory(std::string_view path);    // one level
Status MakeDirectories(std::string_view path);  // with parents

std::string CurrentDirectory();  // with trailing separator
Status SetCurrentDirectory(std::string_view path);

// Path text helpers (no file access).
std::string IncludeTrailingSeparator(std::string_view path);
std::string ExcludeTrailingSeparator(std::string_view path);
std::string ExtractFileName(std::string_view path);  // after the last separator
std::string ExtractFilePath(std::string_view path);  // up to and including the last separator
std::string ExtractFileExt(std::string_view path);   // from the last dot of the name, with the dot
std::string ChangeFileExt(std::string_view path, std::string_view ext);
bool IsAbsolute(std::string_view path);
// `path` made absolute against the current directory (text only; nothing resolved).
std::string ExpandFileName(std::string_view path);

}  // namespace kw::platform::fs
