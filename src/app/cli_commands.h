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
int Stats(const Args& args);
int MakeDemo(const Args& args);

}  // namespace kw::cli
