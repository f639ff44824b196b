// What the set benchmarks share: the names and bytes of their sets, and a user interface that
// answers every question without a window.
#pragma once

#include <cstdio>
#include <random>
#include <string>

#include "core/silent_user_interface.h"

namespace kw::bench {

inline std::string SetName(int n) {
  char name[16];
  std::snprintf(name, sizeof name, "set%05d", n);
  return name;
}

// ROM-like bytes: stretches of repeated values among random ones, so deflate halves them.
inline std::string RomData(std::mt19937& random, std::size_t size) {
  std::string data(size, '\0');
  for (std::size_t i = 0; i < size;) {
    std::size_t run = 1 + random() % 16;
    char value = static_cast<char>(random());
    bool repeat = random() % 2 == 0;
    for (std::size_t k = 0; k < run && i < size; ++k, ++i)
      data[i] = repeat ? value : static_cast<char>(random());
  }
  return data;
}

class QuietUi : public SilentUserInterface {
 public:
  explicit QuietUi(MsgAnswer answer = MsgAnswer::Cancel) : answer_(answer) {}
  MsgAnswer Ask(const std::string&, MsgIcon, MsgButtons) override { return answer_; }

 private:
  MsgAnswer answer_;
};

}  // namespace kw::bench
