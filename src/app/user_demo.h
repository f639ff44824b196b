// `kestrelwing --demo`: the demo collection in the user's own directory, written once.
#pragma once

#include <string>

#include "common/result.h"

namespace kw {

// The demo's profile, `program_dir`DEMO/DEMO.KSL. When it is not there yet, the console program
// `cli` writes the collection and its profile there (`make-demo`); its failure is said with its
// exit status (it has said why on standard error).
Result<std::string> EnsureUserDemo(const std::string& program_dir, const std::string& cli);

}  // namespace kw
