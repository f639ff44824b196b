#include "core/shared/mame_ini.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

namespace {

// The emulator's isspace over the bytes of a line.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool IsNameChar(char c) {
  return c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string Environment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? std::string(value) : std::string();
}

// `dir` taken in `working_dir` when relative, with "." and ".." resolved in the text.
std::string AbsoluteDirectory(const std::string& dir, const std::string& working_dir) {
  std::filesystem::path path(dir);
  if (path.is_relative()) path = std::filesystem::path(working_dir) / path;
  std::string text = path.lexically_normal().string();
  if (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

bool InHome(const std::string& dir, const std::string& home) {
  if (home.empty() || home == "/") return false;
  const std::string root = fs::ExcludeTrailingSeparator(home);
  return dir == root || dir.starts_with(root + "/");
}

// The first mame.ini in the directories of `inipath`, or empty.
std::string FirstIniFile(std::string_view inipath, const std::string& working_dir) {
  for (const std::string& entry : SplitMamePath(inipath)) {
    const std::string file =
        AbsoluteDirectory(ExpandMamePath(entry), working_dir) + "/" + std::string(kMameIniName);
    if (fs::FileExists(file)) return file;
  }
  return {};
}

}  // namespace

MameIni::MameIni(std::string text) : text_(std::move(text)) {
  Parse();
}

void MameIni::Parse() {
  options_.clear();
  std::size_t pos = 0;
  while (pos < text_.size()) {
    std::size_t end = text_.find('\n', pos);
    if (end == std::string::npos) end = text_.size();
    std::size_t i = pos;
    while (i < end && IsBlank(text_[i]))
      ++i;
    const std::size_t key_begin = i;
    while (i < end && !IsBlank(text_[i]))
      ++i;
    // An empty line, a comment, or a name with nothing after it (which the emulator skips).
    if (key_begin == end || text_[key_begin] == '#' || i == end) {
      pos = end + 1;
      continue;
    }
    Option option;
    option.key = text_.substr(key_begin, i - key_begin);
    // The data runs to a "#" outside double quotes.
    std::size_t data_end = i;
    for (bool quoted = false; data_end < end; ++data_end) {
      if (text_[data_end] == '"') quoted = !quoted;
      if (text_[data_end] == '#' && !quoted) break;
    }
    while (i < data_end && IsBlank(text_[i]))
      ++i;
    std::size_t value_end = data_end;
    while (value_end > i && IsBlank(text_[value_end - 1]))
      --value_end;
    option.value_begin = i;
    option.value_end = value_end;
    std::string_view value(text_.data() + i, value_end - i);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    option.value = std::string(value);
    options_.push_back(std::move(option));
    pos = end + 1;
  }
}

std::optional<std::string> MameIni::Value(std::string_view key) const {
  for (auto it = options_.rbegin(); it != options_.rend(); ++it) {
    if (it->key == key) return it->value;
  }
  return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> MameIni::Options() const {
  std::vector<std::pair<std::string, std::string>> options;
  options.reserve(options_.size());
  for (const Option& option : options_)
    options.emplace_back(option.key, option.value);
  return options;
}

void MameIni::Set(std::string_view key, std::string_view value) {
  const std::string written = MameIniWritten(value);
  for (auto it = options_.rbegin(); it != options_.rend(); ++it) {
    if (it->key != key) continue;
    std::string replacement = written;
    // A value put where there was none keeps a blank before a comment that follows.
    if (it->value_end < text_.size() && text_[it->value_end] == '#') replacement += ' ';
    text_.replace(it->value_begin, it->value_end - it->value_begin, replacement);
    Parse();
    return;
  }
  // A new line at the end, in the file's line ends, its value in the emulator's own column.
  const char* eol = text_.find("\r\n") != std::string::npos ? "\r\n" : "\n";
  if (!text_.empty() && text_.back() != '\n') text_ += eol;
  std::string line(key);
  line.resize(std::max<std::size_t>(line.size() + 1, 26), ' ');
  text_ += line + written + eol;
  Parse();
}

std::string MameIniWritten(std::string_view value) {
  bool quote = value.empty();
  for (char c : value) {
    if (IsBlank(c) || c == '#') quote = true;
  }
  return quote ? "\"" + std::string(value) + "\"" : std::string(value);
}

std::string ExpandMamePath(std::string_view path) {
  std::string out;
  std::size_t i = 0;
  if (!path.empty() && path[0] == '~' && (path.size() == 1 || path[1] == '/')) {
    const char* home = std::getenv("HOME");
    if (home) {
      out = home;
      i = 1;
    }
  }
  while (i < path.size()) {
    if (path[i] != '$') {
      out += path[i++];
      continue;
    }
    ++i;
    if (i < path.size() && path[i] == '{') {
      const std::size_t close = path.find('}', i + 1);
      if (close == std::string_view::npos) {
        out += "${";
        out.append(path.substr(i + 1));
        break;
      }
      out += Environment(std::string(path.substr(i + 1, close - i - 1)));
      i = close + 1;
    } else if (i < path.size() && IsNameChar(path[i])) {
      std::size_t end = i;
      while (end < path.size() && IsNameChar(path[end]))
        ++end;
      out += Environment(std::string(path.substr(i, end - i)));
      i = end;
    } else {
      out += '$';
    }
  }
  return out;
}

std::vector<std::string> SplitMamePath(std::string_view path) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(';', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) entries.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}

std::string FirstMamePathEntry(std::string_view path) {
  const std::vector<std::string> entries = SplitMamePath(path);
  return entries.empty() ? std::string() : ExpandMamePath(entries.front());
}

std::string MameIniFiles::Get(std::string_view key, std::string_view fallback) const {
  auto it = values.find(key);
  return it == values.end() ? std::string(fallback) : it->second;
}

MameIniFiles ReadMameIniFiles(std::string_view initial_inipath, const std::string& working_dir,
                              std::vector<std::string>* problems) {
  MameIniFiles files;
  auto read_first = [&](std::string_view inipath) {
    const std::string file = FirstIniFile(inipath, working_dir);
    if (file.empty()) return;
    const std::optional<std::uint64_t> size = fs::FileSize(file);
    if (size && *size > kMameIniSizeLimit) {
      if (problems) problems->push_back(file + ": larger than a mame.ini can be; not read");
      return;
    }
    Result<std::string> text = fs::ReadFile(file);
    if (!text) {
      if (problems) problems->push_back(file + ": " + text.Message());
      return;
    }
    files.read.push_back(file);
    for (auto& [key, value] : MameIni(std::move(*text)).Options())
      files.values[key] = value;
  };
  read_first(initial_inipath);
  files.inipath = files.Get("inipath", initial_inipath);
  read_first(files.inipath);

  const std::string home = Environment("HOME");
  for (const std::string& entry : SplitMamePath(files.inipath)) {
    const std::string dir = AbsoluteDirectory(ExpandMamePath(entry), working_dir);
    if (InHome(dir, home)) {
      files.user_file = dir + "/" + std::string(kMameIniName);
      return files;
    }
    if (fs::FileExists(dir + "/" + std::string(kMameIniName))) {
      files.user_file_problem = "The emulator reads " + dir + "/" + std::string(kMameIniName) +
                                " before any file in your home directory (inipath " +
                                files.inipath + ")";
      return files;
    }
  }
  files.user_file_problem =
      "The emulator's inipath (" + files.inipath + ") names no directory in your home directory";
  return files;
}

std::string MameInitialIniPath(const std::string& emulator_path) {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(fs::Resolve(emulator_path), error);
  if (!error && real.string().starts_with("/usr/") && fs::DirectoryExists("/etc/mame"))
    return "/etc/mame";
  return std::string(kMameBuiltInIniPath);
}

Status WriteMameIniChanges(const std::string& file,
                           const std::vector<std::pair<std::string, std::string>>& changes) {
  if (changes.empty()) return Success();
  std::string text;
  if (fs::Exists(file) || fs::IsLink(file)) {
    if (!fs::FileExists(file) || fs::IsLink(file))
      return Failure("Unable to write to " + file + ": not a regular file");
    Result<std::string> read = fs::ReadFile(file);
    if (!read) return Failure("Unable to write to " + file + ": " + read.Message());
    text = std::move(*read);
  } else {
    const std::string dir = fs::ExtractFilePath(file);
    if (!dir.empty() && !fs::DirectoryExists(dir)) {
      if (Status made = fs::MakeDirectories(dir); !made)
        return Failure("Unable to create " + dir + ": " + made.Message());
    }
  }
  MameIni ini(std::move(text));
  for (const auto& [key, value] : changes)
    ini.Set(key, value);
  if (Status written = fs::WriteFileAtomic(file, ini.Text()); !written)
    return Failure("Unable to write to " + file + ": " + written.Message());
  return Success();
}

}  // namespace kw
