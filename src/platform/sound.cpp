#include "platform/sound.h"

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <optional>
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

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

// Where the length of the first data chunk is written, when it declares more bytes than the file
// holds after it. The chunks are walked as SDL walks them: after "RIFF", its length and "WAVE",
// or after a bare "WAVE", each chunk padded to an even length.
std::optional<std::size_t> OverlongDataChunk(std::string_view bytes) {
  std::size_t at = 0;
  if (bytes.starts_with("RIFF"))
    at = 12;
  else if (bytes.starts_with("WAVE"))
    at = 4;
  else
    return std::nullopt;
  while (bytes.size() >= 8 && at <= bytes.size() - 8) {
    const std::uint32_t length = Le32(bytes, at + 4);
    const std::size_t body = at + 8;
    if (bytes.substr(at, 4) == "data") {
      if (length <= bytes.size() - body) return std::nullopt;
      return at + 4;
    }
    at = body + length + (length & 1);
  }
  return std::nullopt;
}

}  // namespace

Result<Wave> LoadWave(std::string_view bytes) {
  if (bytes.size() > static_cast<std::size_t>(INT32_MAX)) return Failure("too large");
  // SDL takes the memory a data chunk declares before it reads what is there: a file of a few
  // bytes could have it reserve 4 GiB. The chunk is cut to what the file holds, all that SDL
  // reads of it anyway.
  std::string cut;
  if (const std::optional<std::size_t> field = OverlongDataChunk(bytes)) {
    cut.assign(bytes);
    std::uint32_t held = static_cast<std::uint32_t>(bytes.size() - (*field + 4));
    for (std::size_t i = 0; i < 4; ++i, held >>= 8)
      cut[*field + i] = static_cast<char>(held & 0xFF);
    bytes = cut;
  }
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
  // SDL takes a block size that does not match the channels as it is, and may then end the
  // samples within a frame: the device is given whole frames only.
  const Uint32 frame = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
  if (frame > 0) length -= length % frame;
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
