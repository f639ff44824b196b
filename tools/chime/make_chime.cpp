// Writes FINISH.WAV, the chime played when a verification run ends: two bell-like tones, the
// second a major third below the first, each with a soft attack, a few overtones and an
// exponential decay. Mono, 16 bits, 22,050 Hz, 0.8 seconds; the same bytes on every run.
//   make_chime <repository>/resources/shipped
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kRate = 22050;
constexpr double kSeconds = 0.8;

struct Tone {
  double start;      // seconds
  double frequency;  // Hz
};
constexpr Tone kTones[] = {{0.0, 659.255}, {0.22, 523.251}};  // E5, then C5

double Bell(double t, double frequency) {
  if (t < 0) return 0;
  const double attack = std::min(1.0, t / 0.004);  // no click at the start
  const double decay = std::exp(-t * 5.5);
  const double w = 2 * std::numbers::pi * frequency * t;
  // The fundamental with two quieter partials that die away faster, as a small bell's do.
  const double body = std::sin(w) + 0.35 * std::exp(-t * 6) * std::sin(2 * w) +
                      0.12 * std::exp(-t * 10) * std::sin(3 * w);
  return attack * decay * body;
}

void Le16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Le32(std::string& out, std::uint32_t v) {
  Le16(out, v & 0xFFFF);
  Le16(out, v >> 16);
}

std::string ChimeWav() {
  const auto frames = static_cast<std::uint32_t>(kRate * kSeconds);
  std::string pcm;
  for (std::uint32_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    double value = 0;
    for (const Tone& tone : kTones)
      value += Bell(t - tone.start, tone.frequency);
    // A last fade over the final 50 ms so that the sound ends on silence.
    const double tail = std::min(1.0, (kSeconds - t) / 0.05);
    const double scaled = std::clamp(value * tail * 0.45, -1.0, 1.0);
    const auto s = static_cast<std::int16_t>(std::lround(scaled * 32767));
    Le16(pcm, static_cast<std::uint16_t>(s));
  }
  std::string out = "RIFF";
  Le32(out, 36 + static_cast<std::uint32_t>(pcm.size()));
  out += "WAVEfmt ";
  Le32(out, 16);
  Le16(out, 1);  // PCM
  Le16(out, 1);  // mono
  Le32(out, kRate);
  Le32(out, kRate * 2);
  Le16(out, 2);
  Le16(out, 16);
  out += "data";
  Le32(out, static_cast<std::uint32_t>(pcm.size()));
  return out + pcm;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_chime <directory>\n");
    return 2;
  }
  const std::string path = std::string(argv[1]) + "/FINISH.WAV";
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const std::string wav = ChimeWav();
  file.write(wav.data(), static_cast<std::streamsize>(wav.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "make_chime: cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}
