// Lines about problems that stop nothing and ask nothing of the user (a damaged picture archive,
// a history file that is not well-formed): the program goes on without what they concern, and
// the line says why. They go to the standard error unless a sink is set.
#pragma once

#include <functional>
#include <string>

namespace kw {

void LogLine(const std::string& text);

using LogSink = std::function<void(const std::string&)>;
// Sends the lines to `sink` (the standard error again when it is empty); gives the sink before.
LogSink SetLogSink(LogSink sink);

}  // namespace kw
