// The demo's sound samples: short bleeps (tones, sweeps and noise bursts) as WAV files.
#pragma once

#include <string>

namespace kw::demo {

// A mono 16-bit PCM WAV file at 11,025 Hz of a bleep drawn from `seed`.
std::string BleepWav(const std::string& seed);

}  // namespace kw::demo
