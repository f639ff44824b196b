// The front-end's own version, as the build sets it.
#pragma once

#include <string>

namespace kw {

std::string ProgramVersion();  // "0.1.0"

}  // namespace kw
