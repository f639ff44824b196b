#include "core/shell/program_version.h"

namespace kw {

std::string ProgramVersion() {
  return KW_VERSION_TEXT;
}

}  // namespace kw
