// The end sound is a file the user may replace with any other: any bytes must load as a WAV or
// be refused with SDL's reason, without an audio device, and a loaded sound must hold whole
// sample frames in a format the device can be opened with.
#include <SDL_audio.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/sound.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const kw::Result<kw::platform::Wave> wave =
      kw::platform::LoadWave(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!wave) {
    if (wave.Message().empty()) std::abort();  // a failure always says why
    return 0;
  }
  const int bits = SDL_AUDIO_BITSIZE(wave->format);
  if (bits != 8 && bits != 16 && bits != 32) std::abort();
  if (wave->frequency <= 0 || wave->channels <= 0 || wave->channels > 255 ||
      wave->buffer_frames <= 0 || wave->buffer_frames > 65535)
    std::abort();
  const std::size_t frame = static_cast<std::size_t>(bits / 8 * wave->channels);
  if (wave->samples.size() % frame != 0) std::abort();
  return 0;
}
