// System facts and the program's own places.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/result.h"

namespace kw::platform {

// The directory that holds the user's files: $KESTRELWING_HOME when set, else
// $XDG_DATA_HOME/kestrelwing/ (default ~/.local/share/kestrelwing/); with trailing separator.
// A relative $KESTRELWING_HOME is taken against the current directory of the call, so the
// program asks once, at start-up, and keeps the answer. Not created here: see EnsureProgramDir.
std::string ProgramDir();
// Creates ProgramDir with its PROFILES/ folder and copies the files the program ships
// (`shipped_dir`: HISTORY.TXT, FINISH.WAV ...) that are not there yet. The system's reason when
// the directory cannot be made.
Status EnsureProgramDir(const std::string& shipped_dir);
// The files the program ships (in share/kestrelwing/ of its tree), which EnsureProgramDir copies.
inline constexpr const char* kShippedFiles[] = {"HISTORY.TXT", "FINISH.WAV"};
// Where the files the program ships lie for an executable in `exe_dir`, found relative to it and
// never through a path fixed at build time: ../share/kestrelwing/ (an installed tree), else
// ../../share/kestrelwing/ (the build tree, which copies them there). Empty when neither exists.
std::string FindShippedDataDir(const std::string& exe_dir);
// $KESTRELWING_DATA when set, else FindShippedDataDir of the running executable.
std::string ShippedDataDir();
// Every file of kShippedFiles can be read in `shipped_dir`; else the failure names the first
// that cannot, or says where the directory was looked for when `shipped_dir` is empty.
Status CheckShippedData(const std::string& shipped_dir);
// A program of the package that is not for the user's PATH, for an executable in `exe_dir`:
// ../lib/kestrelwing/NAME (an installed tree), beside the executable, else
// ../../`build_subdir`/NAME (the build tree). Empty when none exists; `tried` lists the places.
std::string FindHelperProgram(const std::string& exe_dir, const std::string& name,
                              const std::string& build_subdir, std::string& tried);
// The directory of the running program's executable (trailing separator); empty when the
// system does not say.
std::string ExecutableDir();
// The emulator proposed to a user who has not chosen one: Debian's /usr/games/mame when it
// is there, else empty.
std::string InstalledEmulator();

// The system directory (trailing separator): where the standard programs lie. On Linux
// "/usr/bin/", or $KESTRELWING_SYSTEM_DIR when set (tests).
std::string SystemDir();
// The name of the default text editor in SystemDir(): the desktop's opener.
std::string DefaultEditorName();  // "xdg-open"

struct MemoryStatus {
  std::uint64_t total_bytes = 0;
  std::uint64_t available_bytes = 0;
};
MemoryStatus GetMemoryStatus();

// The address space of this process: its size (the limit set on it, else the user part of a
// 64-bit address space, 128 TiB on x86-64 and AArch64 with 4-level page tables) and what is not
// yet mapped (VmSize of /proc/self/status taken off).
struct AddressSpace {
  std::uint64_t total_bytes = 0;
  std::uint64_t available_bytes = 0;
};
AddressSpace GetAddressSpace();

// The system's name (PRETTY_NAME of /etc/os-release, else uname's), the kernel's release and
// version and the machine, from uname.
struct SystemVersion {
  std::string name;
  std::string release;
  std::string version;
  std::string machine;
};
SystemVersion GetSystemVersion();

std::string ProcessorName();  // from /proc/cpuinfo

}  // namespace kw::platform
