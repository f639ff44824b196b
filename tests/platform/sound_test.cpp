#include "platform/sound.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

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

}  // namespace
}  // namespace kw::platform
