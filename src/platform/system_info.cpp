// System facts and the program's own places on Linux.
#include "platform/system_info.h"

#include <pwd.h>
#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/fs.h"

namespace kw::platform {
namespace {

std::optional<std::string> Env(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

std::string HomeDir() {
  if (std::optional<std::string> home = Env("HOME")) return *home;
  if (const passwd* entry = getpwuid(getuid())) return entry->pw_dir;
  return "/tmp";
}

// The path with "dir/../" taken out, so that messages name the file plainly.
std::string Plain(const std::string& path) {
  return std::filesystem::path(path).lexically_normal().string();
}

std::string_view TrimText(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// The value after `key` followed by `separator` on the first line that starts with it.
std::optional<std::string> FindLineValue(const std::string& text, std::string_view key,
                                         char separator) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + pos, end - pos);
    if (line.starts_with(key)) {
      std::string_view rest = TrimText(line.substr(key.size()));
      if (!rest.empty() && rest.front() == separator) {
        return std::string(TrimText(rest.substr(1)));
      }
    }
    pos = end + 1;
  }
  return std::nullopt;
}

std::string Unquote(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  std::string result;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) ++i;
    result += value[i];
  }
  return result;
}

}  // namespace

std::string ProgramDir() {
  if (std::optional<std::string> home = Env("KESTRELWING_HOME")) {
    // Made absolute now: the current directory moves to the emulator's while a profile is open.
    return fs::IncludeTrailingSeparator(fs::ExpandFileName(*home));
  }
  std::optional<std::string> data = Env("XDG_DATA_HOME");
  if (data && fs::IsAbsolute(*data)) return fs::IncludeTrailingSeparator(*data) + "kestrelwing/";
  return fs::IncludeTrailingSeparator(HomeDir()) + ".local/share/kestrelwing/";
}

Status EnsureProgramDir(const std::string& shipped_dir) {
  const std::string dir = ProgramDir();
  if (Status made = fs::MakeDirectories(dir + "PROFILES"); !made) return made;
  if (shipped_dir.empty() || !fs::DirectoryExists(shipped_dir)) return Success();
  const std::string from = fs::IncludeTrailingSeparator(shipped_dir);
  for (const fs::DirEntry& entry : fs::List(shipped_dir)) {
    // A file the user already has (in any case of its name) is left alone.
    if (entry.is_directory || fs::Exists(dir + entry.name)) continue;
    // A file that cannot be copied is only missing later, where it is used.
    (void)fs::Copy(from + entry.name, dir + entry.name);
  }
  return Success();
}

std::string FindShippedDataDir(const std::string& exe_dir) {
  if (exe_dir.empty()) return "";
  const std::string from = fs::IncludeTrailingSeparator(exe_dir);
  for (const char* relative : {"../share/kestrelwing/", "../../share/kestrelwing/"}) {
    if (fs::DirectoryExists(from + relative)) return Plain(from + relative);
  }
  return "";
}

std::string ShippedDataDir() {
  if (std::optional<std::string> data = Env("KESTRELWING_DATA")) {
    return fs::IncludeTrailingSeparator(*data);
  }
  return FindShippedDataDir(ExecutableDir());
}

Status CheckShippedData(const std::string& shipped_dir) {
  if (shipped_dir.empty()) {
    return Failure("the files the program ships were not found in ../share/kestrelwing/ beside " +
                   (ExecutableDir().empty() ? std::string("its executable") : ExecutableDir()) +
                   ": install the program again");
  }
  const std::string dir = fs::IncludeTrailingSeparator(shipped_dir);
  for (const char* name : kShippedFiles) {
    Result<std::string> read = fs::ReadFile(dir + name);
    if (!read) {
      return Failure("the file " + dir + name + " that the program ships cannot be read (" +
                     read.Message() + "): install the program again");
    }
  }
  return Success();
}

std::string FindHelperProgram(const std::string& exe_dir, const std::string& name,
                              const std::string& build_subdir, std::string& tried) {
  tried.clear();
  if (exe_dir.empty()) return "";
  const std::string from = fs::IncludeTrailingSeparator(exe_dir);
  for (const std::string& place : {Plain(from + "../lib/kestrelwing/" + name), from + name,
                                   Plain(from + "../../" + build_subdir + "/" + name)}) {
    tried += (tried.empty() ? "" : ", ") + place;
    if (fs::FileExists(place)) return place;
  }
  return "";
}

std::string ExecutableDir() {
  std::string exe(4096, '\0');
  ssize_t length = readlink("/proc/self/exe", exe.data(), exe.size() - 1);
  if (length <= 0) return "";
  exe.resize(static_cast<std::size_t>(length));
  return fs::ExtractFilePath(exe);
}

std::string InstalledEmulator() {
  const std::string debian = "/usr/games/mame";
  return fs::FileExists(debian) ? debian : "";
}

std::string SystemDir() {
  if (std::optional<std::string> dir = Env("KESTRELWING_SYSTEM_DIR")) {
    return fs::IncludeTrailingSeparator(*dir);
  }
  return "/usr/bin/";
}

std::string DefaultEditorName() {
  return "xdg-open";
}

MemoryStatus GetMemoryStatus() {
  MemoryStatus status;
  struct sysinfo info {};
  if (sysinfo(&info) == 0) {
    const std::uint64_t unit = info.mem_unit ? info.mem_unit : 1;
    status.total_bytes = static_cast<std::uint64_t>(info.totalram) * unit;
    status.available_bytes =
        (static_cast<std::uint64_t>(info.freeram) + static_cast<std::uint64_t>(info.bufferram)) *
        unit;
  }
  if (Result<std::string> meminfo = fs::ReadFile("/proc/meminfo")) {
    if (std::optional<std::string> value = FindLineValue(*meminfo, "MemAvailable", ':')) {
      char* end = nullptr;
      unsigned long long kib = std::strtoull(value->c_str(), &end, 10);
      if (end != value->c_str()) status.available_bytes = kib * 1024;
    }
  }
  return status;
}

AddressSpace GetAddressSpace() {
  AddressSpace space;
  space.total_bytes = std::uint64_t{1} << 47;
  struct rlimit limit {};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      static_cast<std::uint64_t>(limit.rlim_cur) < space.total_bytes) {
    space.total_bytes = static_cast<std::uint64_t>(limit.rlim_cur);
  }
  std::uint64_t used = 0;
  if (Result<std::string> status = fs::ReadFile("/proc/self/status")) {
    if (std::optional<std::string> value = FindLineValue(*status, "VmSize", ':')) {
      used = std::strtoull(value->c_str(), nullptr, 10) * 1024;
    }
  }
  space.available_bytes = used < space.total_bytes ? space.total_bytes - used : 0;
  return space;
}

SystemVersion GetSystemVersion() {
  SystemVersion version;
  struct utsname names {};
  if (uname(&names) == 0) {
    version.name = names.sysname;
    version.release = names.release;
    version.version = names.version;
    version.machine = names.machine;
  }
  Result<std::string> release = fs::ReadFile("/etc/os-release");
  if (!release) release = fs::ReadFile("/usr/lib/os-release");
  if (release) {
    if (std::optional<std::string> pretty = FindLineValue(*release, "PRETTY_NAME", '=')) {
      if (std::string name = Unquote(*pretty); !name.empty()) version.name = name;
    }
  }
  if (version.name.empty()) version.name = "Linux";
  return version;
}

std::string ProcessorName() {
  if (Result<std::string> cpuinfo = fs::ReadFile("/proc/cpuinfo")) {
    for (const char* key : {"model name", "Hardware", "Processor", "cpu model"}) {
      std::optional<std::string> value = FindLineValue(*cpuinfo, key, ':');
      if (value && !value->empty()) return *value;
    }
  }
  struct utsname names {};
  if (uname(&names) == 0) return names.machine;
  return "Unknown processor";
}

}  // namespace kw::platform
