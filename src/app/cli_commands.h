// Commands of kestrelwing-cli. Each takes the words after the command name and returns the
// process exit status (2 for bad usage).
#pragma once

#include <string>
#include <vector>

namespace kw::cli {

using Args = std::vector<std::string>;

int Settings(const Args& args);
int ParseListinfo(const Args& args);
int DumpProfile(const Args& args);
int List(const Args& args);
int QuickInfo(const Args& args);
int StatusCommand(const Args& args);
int Stats(const Args& args);
int CreateProfile(const Args& args);
int CheckProfile(const Args& args);
int Dialect(const Args& args);
// create-profile's work, also used by make-demo: 0, 3 with log entries, 1 on failure.
int CreateProfileHeadless(const std::string& emulator, const std::string& output);

}  // namespace kw::cli

namespace kw {
class GameDatabase;
struct ListinfoLogEntry;
}  // namespace kw

namespace kw::cli {

// The end of every profile creation without windows: prints the error log as the creation
// report lists it, "Games found: N" and "Resources found: M", then writes the profile. Exit
// status 0, 3 when the log has entries, 1 when nothing could be written.
int ReportAndSaveProfile(const char* command, const std::vector<ListinfoLogEntry>& log,
                         GameDatabase& db, const std::string& output);
int EmulatorConfigCommand(const Args& args);
int MakeDemo(const Args& args);
int Cmdline(const Args& args);
int Launch(const Args& args);
int Verify(const Args& args);
int Search(const Args& args);
int ProfileInfo(const Args& args);
int SysInfo(const Args& args);
int Describe(const Args& args);

}  // namespace kw::cli
