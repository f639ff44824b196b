#include "platform/sound.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdint>
#include <string>

#include "support/temp_dir.h"

namespace kw::platform {
namespace {

// SDL's "disk" driver stands in for a sound card: it writes what the device plays to a file, in
// the device's format, which is the WAV's own since the device is opened with the file's spec.
class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", played_path_.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
  }
  void TearDown() override {
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
  }
  test::TempDir dir_;
  std::string played_path_ = dir_ / "played.raw";
};

TEST_F(SoundTest, TheShippedChimeIsPlayedSampleForSample) {
  const std::string wav = KW_SOURCE_DIR "/resources/shipped/FINISH.WAV";
  SDL_AudioSpec spec{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  ASSERT_NE(SDL_LoadWAV(wav.c_str(), &spec, &samples, &length), nullptr) << SDL_GetError();
  const std::string expected(reinterpret_cast<const char*>(samples), length);
  SDL_FreeWAV(samples);
  EXPECT_EQ(spec.freq, 22050);
  EXPECT_EQ(spec.channels, 1);
  EXPECT_EQ(spec.format, AUDIO_S16LSB);
  EXPECT_LT(length, 22050u * 2);  // under a second

  const Status played = PlayWave(wav);
  ASSERT_TRUE(played.Ok()) << played.Message();
  // SDL's audio thread writes silence while the device is still paused (a loaded machine
  // shows it), and goes on with silence until the device is closed: the chime is the one sound.
  const std::string output = dir_.Read("played.raw");
  const std::size_t sound = output.find_first_not_of('\0');
  const std::size_t chime = expected.find_first_not_of('\0');
  ASSERT_NE(sound, std::string::npos);
  ASSERT_NE(chime, std::string::npos);
  const std::string written = output.substr(sound);
  ASSERT_GE(written.size(), expected.size() - chime);
  EXPECT_EQ(written.substr(0, expected.size() - chime), expected.substr(chime));
  EXPECT_EQ(written.find_first_not_of('\0', expected.size() - chime), std::string::npos);
}

TEST_F(SoundTest, WhatCannotBePlayedIsAFailureWithItsReason) {
  const Status missing = PlayWave(dir_ / "none.wav");
  EXPECT_FALSE(missing.Ok());
  EXPECT_NE(missing.Message().find("none.wav"), std::string::npos);
  EXPECT_FALSE(PlayWave(dir_.Write("bad.wav", "RIFF\x10\0\0\0WAVEjunk")).Ok());
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_FALSE(PlayWave(KW_SOURCE_DIR "/resources/shipped/FINISH.WAV").Ok());
}

// A WAV file of PCM samples: the format chunk as given, then a data chunk that declares
// `declared` bytes and holds `samples`.
std::string PcmWave(int channels, int block_align, int bits, std::uint32_t declared,
                    const std::string& samples) {
  auto le = [](std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i, value >>= 8)
      out += static_cast<char>(value & 0xFF);
    return out;
  };
  const std::string format = le(1, 2) + le(channels, 2) + le(8000, 4) + le(8000 * block_align, 4) +
                             le(block_align, 2) + le(bits, 2);
  const std::string chunks = "fmt " + le(16, 4) + format + "data" + le(declared, 4) + samples;
  return "RIFF" + le(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

TEST(LoadWave, TheDeviceIsGivenWholeFramesOnly) {
  const Result<Wave> none = LoadWave("");
  EXPECT_FALSE(none.Ok());
  EXPECT_FALSE(none.Message().empty());
  // Seven channels of 8 bits in blocks of one byte: SDL gives the 12 bytes as they are.
  const Result<Wave> odd = LoadWave(PcmWave(7, 1, 8, 12, std::string(12, '\x80')));
  ASSERT_TRUE(odd.Ok()) << odd.Message();
  EXPECT_EQ(odd->channels, 7);
  EXPECT_EQ(odd->samples.size(), 7u);
}

// SDL takes the memory of the declared data chunk before reading it: a cut file, or a few bytes
// that declare 4 GiB, must still load in an address space far smaller than that.
TEST(LoadWave, ADataChunkLongerThanTheFileGivesWhatTheFileHolds) {
  const std::string samples = "\x01\x02\x03\x04\x05\x06\x07\x08";
  const Result<Wave> cut = LoadWave(PcmWave(1, 2, 16, 1000, samples));
  ASSERT_TRUE(cut.Ok()) << cut.Message();
  EXPECT_EQ(std::string(cut->samples.begin(), cut->samples.end()), samples);
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves terabytes of address space";
#else
  const std::string huge = PcmWave(1, 2, 16, 0xFFFFFFF0u, samples);
  // In a child process, whose address space is then held to 1 GiB.
  auto load_in_one_gibibyte = [&huge] {
    const rlimit limit{std::uint64_t{1} << 30, std::uint64_t{1} << 30};
    setrlimit(RLIMIT_AS, &limit);
    const Result<Wave> wave = LoadWave(huge);
    std::exit(wave.Ok() && wave->samples.size() == 8 ? 0 : 1);
  };
  EXPECT_EXIT(load_in_one_gibibyte(), ::testing::ExitedWithCode(0), "");
#endif
}

}  // namespace
}  // namespace kw::platform
