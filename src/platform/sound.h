// The end sound: a WAV file played to its end on the default audio output.
#pragma once

#include <string>

#include "platform/result.h"

namespace kw::platform {

// Plays the WAV file `path` and returns once it has been heard. A missing file, a file SDL
// cannot read or a machine without sound is a failure with SDL's reason; the program's callers
// ignore it (the sound is a courtesy), the tests read it.
Status PlayWave(const std::string& path);

}  // namespace kw::platform
