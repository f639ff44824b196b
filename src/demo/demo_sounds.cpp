#include "demo/demo_sounds.h"
#include "demo/little_endian.h"

#include <cmath>
#include <cstdint>

#include "demo/seeded_random.h"

namespace kw::demo {

std::string BleepWav(const std::string& seed) {
  constexpr std::uint32_t kRate = 11025;
  SeededRandom random(seed);
  const std::uint32_t samples = kRate / 10 + random.Below(kRate / 3);
  const double start = 200.0 + random.Below(1200);
  const double end = 100.0 + random.Below(1600);
  const std::uint32_t kind = random.Below(3);  // 0 tone, 1 sweep, 2 noise

  std::string pcm;
  pcm.reserve(samples * 2);
  double phase = 0;
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double t = static_cast<double>(i) / samples;
    const double frequency = kind == 0 ? start : start + (end - start) * t;
    phase += 2 * M_PI * frequency / kRate;
    double value =
        kind == 2 ? (static_cast<int>(random.Below(65536)) - 32768) / 32768.0 : std::sin(phase);
    value *= (1.0 - t) * 0.6;  // fades out
    const auto s = static_cast<std::int16_t>(std::lround(value * 32767));
    pcm += static_cast<char>(s & 0xFF);
    pcm += static_cast<char>((s >> 8) & 0xFF);
  }

  std::string out;
  auto u16 = [&out](std::uint32_t v) { AppendLe16(out, v); };
  auto u32 = [&out](std::uint32_t v) { AppendLe32(out, v); };
  out += "RIFF";
  u32(36 + static_cast<std::uint32_t>(pcm.size()));
  out += "WAVEfmt ";
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(kRate);
  u32(kRate * 2);
  u16(2);
  u16(16);
  out += "data";
  u32(static_cast<std::uint32_t>(pcm.size()));
  out += pcm;
  return out;
}

}  // namespace kw::demo
