#include "platform/sound.h"

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>

#include "platform/input_file.h"

namespace kw::platform {

namespace {

// The audio subsystem for one call: started here, stopped again however the call ends, so that
// no audio device stays open between two sounds.
class AudioSession {
 public:
  AudioSession() {
    // As for the joystick: the program must still end on SIGINT and SIGTERM.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    started_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  }
  ~AudioSession() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    if (started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  AudioSession(const AudioSession&) = delete;
  AudioSession& operator=(const AudioSession&) = delete;

  bool started_ = false;
  SDL_AudioDeviceID device_ = 0;
};

Error SdlFailure(const std::string& what) {
  return Failure(what + ": " + SDL_GetError());
}

}  // namespace

Result<Wave> LoadWave(std::string_view bytes) {
  if (bytes.size() > static_cast<std::size_t>(INT32_MAX)) return Failure("too large");
  SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (source == nullptr) return Failure(SDL_GetError());
  SDL_AudioSpec spec{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(source, 1, &spec, &samples, &length) == nullptr)
    return Failure(SDL_GetError());
  Wave wave;
  wave.format = spec.format;
  wave.frequency = spec.freq;
  wave.channels = spec.channels;
  wave.buffer_frames = spec.samples;
  wave.samples.assign(samples, samples + length);
  SDL_FreeWAV(samples);
  return wave;
}

Status PlayWave(const std::string& path) {
  AudioSession audio;
  if (!audio.started_) return SdlFailure("No sound output");
  // Read through InputFile, not by SDL by name: a FIFO named as the sound would hold the call.
  Result<InputFile> file = InputFile::Open(path);
  if (!file) return Failure(path + ": " + file.Message());
  Result<std::string> bytes = file->ReadAll();
  if (!bytes) return Failure(path + ": " + bytes.Message());
  Result<Wave> wave = LoadWave(*bytes);
  if (!wave) return Failure(path + ": " + wave.Message());
  // Opened with the file's own format: SDL converts, if the output needs it, behind the device.
  SDL_AudioSpec spec{};
  spec.format = wave->format;
  spec.freq = wave->frequency;
  spec.channels = static_cast<Uint8>(wave->channels);
  spec.samples = static_cast<Uint16>(wave->buffer_frames);
  audio.device_ = SDL_OpenAudioDevice(nullptr, 0, &spec, nullptr, 0);
  if (audio.device_ == 0) return SdlFailure("No sound output");
  if (SDL_QueueAudio(audio.device_, wave->samples.data(),
                     static_cast<Uint32>(wave->samples.size())) != 0)
    return SdlFailure("No sound output");
  SDL_PauseAudioDevice(audio.device_, 0);
  // The queue empties as the device takes the samples; a device that is lost stops taking them.
  while (SDL_GetQueuedAudioSize(audio.device_) > 0 &&
         SDL_GetAudioDeviceStatus(audio.device_) == SDL_AUDIO_PLAYING)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  // What the device took is still in its own buffer: one buffer's time lets it be heard.
  const int bytes_per_frame = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
  if (spec.freq > 0 && bytes_per_frame > 0) {
    const auto buffer_ms = 1000LL * spec.samples / spec.freq + 20;
    std::this_thread::sleep_for(std::chrono::milliseconds(buffer_ms));
  }
  return Success();
}

}  // namespace kw::platform
