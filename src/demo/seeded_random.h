// The demo's one source of "random" bytes: a small generator seeded from a text, so that every
// run draws the same bytes for the same name.
#pragma once

#include <cstdint>
#include <string_view>

namespace kw::demo {

class SeededRandom {
 public:
  explicit SeededRandom(std::string_view seed) {
    // FNV-1a of the seed, then one splitmix step so that similar names start far apart.
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (char ch : seed) {
      h ^= static_cast<unsigned char>(ch);
      h *= 0x100000001b3ull;
    }
    state_ = h ? h : 1;
    Next();
  }

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }
  // A number in [0, bound).
  std::uint32_t Below(std::uint32_t bound) {
    return bound == 0 ? 0 : static_cast<std::uint32_t>(Next() % bound);
  }
  std::uint8_t Byte() { return static_cast<std::uint8_t>(Next() >> 56); }

 private:
  std::uint64_t state_;
};

}  // namespace kw::demo
