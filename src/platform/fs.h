// File access with the name matching the program relies on: every path component is taken
// exactly when it exists, otherwise matched without regard to case (first match in sorted
// order). Core code never touches the file system except through here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw::platform::fs {

constexpr char kSeparator = '/';

// The path with each existing component resolved; components that match nothing are kept as
// given, so a new file is created with the name as given inside a case-resolved directory.
std::string Resolve(std::string_view path);

bool Exists(std::string_view path);  // file or directory
bool FileExists(std::string_view path);
bool DirectoryExists(std::string_view path);
std::optional<std::uint64_t> FileSize(std::string_view path);

// Whole-file reading and writing. On failure the optional is empty / the result false and
// `error` (when given) holds the system's message.
std::optional<std::string> ReadFile(std::string_view path, std::string* error = nullptr);
bool WriteFile(std::string_view path, std::string_view data, std::string* error = nullptr);
// Writes a temporary file beside the target, syncs it and renames it over the target.
bool WriteFileAtomic(std::string_view path, std::string_view data, std::string* error = nullptr);
// Creates (or truncates) an empty file.
bool CreateFile(std::string_view path, std::string* error = nullptr);

struct DirEntry {
  std::string name;           // as on disk
  bool is_directory = false;  // a link to a directory counts as one
  bool is_link = false;
};
// Entries of a directory sorted by name (byte order), without "." and "..". Empty on failure.
std::vector<DirEntry> List(std::string_view directory);

bool Copy(std::string_view from, std::string_view to, std::string* error = nullptr);
bool Rename(std::string_view from, std::string_view to, std::string* error = nullptr);
bool Delete(std::string_view path, std::string* error = nullptr);      // a file
bool DeleteTree(std::string_view path, std::string* error = nullptr);  // a directory and all in it
bool MakeDirectory(std::string_view path, std::string* error = nullptr);    // one level
bool MakeDirectories(std::string_view path, std::string* error = nullptr);  // with parents

std::string CurrentDirectory();  // with trailing separator
bool SetCurrentDirectory(std::string_view path, std::string* error = nullptr);

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
