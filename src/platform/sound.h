// The end sound: a WAV file played to its end on the default audio output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace kw::platform {

// A WAV file's samples as SDL reads them (compressed formats decoded, 24-bit samples widened),
// in the format the audio device is then opened with.
struct Wave {
  std::uint16_t format = 0;  // SDL's sample format code: bit size, sign, float, byte order
  int frequency = 0;         // sample frames per second
  int channels = 0;
  int buffer_frames = 0;  // the device buffer SDL asks for, in sample frames
  std::vector<std::uint8_t> samples;
};

// The WAV file in `bytes`, read without any audio device. Bytes that are not a WAV SDL reads are
// a failure with SDL's reason.
Result<Wave> LoadWave(std::string_view bytes);

// Plays the WAV file `path` and returns once it has been heard. A missing file, a file SDL
// cannot read or a machine without sound is a failure with SDL's reason; the program's callers
// ignore it (the sound is a courtesy), the tests read it.
Status PlayWave(const std::string& path);

}  // namespace kw::platform
