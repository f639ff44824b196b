#include "core/profile/listinfo_tags.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace kw::listinfo {

namespace {

static_assert(std::endian::native == std::endian::little, "a word's key holds its bytes in order");

template <typename T>
T LoadBytes(const char* p) {
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

// The bytes of a word of at most 16 bytes as two numbers, the bytes after the word zero: read
// with a few loads that overlap (each fixed-size, so none is a call), never a byte past the
// word. The tables make theirs byte by byte, when the program is built.
struct WordKey {
  std::uint64_t low = 0, high = 0;
  constexpr bool operator==(const WordKey&) const = default;
};
constexpr std::size_t kKeyBytes = 16;

constexpr WordKey KeyOf(std::string_view word) {
  const char* p = word.data();
  const std::size_t n = word.size();
  WordKey key;
  if (std::is_constant_evaluated()) {
    for (std::size_t i = 0; i < n; ++i)
      (i < 8 ? key.low : key.high) |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[i]))
                                      << (8 * (i % 8));
  } else if (n > 8) {
    key.low = LoadBytes<std::uint64_t>(p);
    // The last eight bytes, moved down past those of the first eight they repeat.
    key.high = LoadBytes<std::uint64_t>(p + n - 8) >> (8 * (16 - n));
  } else if (n >= 4) {
    const std::uint64_t first = LoadBytes<std::uint32_t>(p);
    const std::uint64_t last = LoadBytes<std::uint32_t>(p + n - 4);
    key.low = first | last << (8 * (n - 4));
  } else if (n > 0) {
    const auto byte = [p](std::size_t i) {
      return static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    };
    key.low = byte(0) | byte(n / 2) | byte(n - 1);
  }
  return key;
}

// A fixed keyword list with a small open-addressed hash of the words' keys, so that looking a
// tag up costs a multiplication and one or two comparisons of two numbers: the parser does it
// for every tag word.
template <std::size_t N>
class KeywordTable {
 public:
  explicit constexpr KeywordTable(const std::array<std::string_view, N>& words) {
    slots_.fill(-1);
    for (std::size_t i = 0; i < N; ++i) {
      keys_[i] = KeyOf(words[i]);
      sizes_[i] = words[i].size();
      std::size_t slot = Hash(keys_[i], sizes_[i]);
      while (slots_[slot] >= 0)
        slot = (slot + 1) % kSlots;
      slots_[slot] = static_cast<std::int8_t>(i);
    }
  }

  // The position of `word` in the list, or -1.
  constexpr int Find(std::string_view word) const {
    if (word.empty() || word.size() > kKeyBytes) return -1;
    const WordKey key = KeyOf(word);
    for (std::size_t slot = Hash(key, word.size());; slot = (slot + 1) % kSlots) {
      const int i = slots_[slot];
      if (i < 0) return -1;
      if (keys_[i] == key && sizes_[i] == word.size()) return i;
    }
  }

 private:
  static constexpr std::size_t kSlots = 128;
  static constexpr std::size_t Hash(const WordKey& key, std::size_t size) {
    const std::uint64_t mixed = (key.low ^ (key.high * 31) ^ size) * 0x9E3779B97F4A7C15u;
    return static_cast<std::size_t>(mixed >> 57);  // the top 7 bits: 0 to 127
  }

  std::array<WordKey, N> keys_{};
  std::array<std::size_t, N> sizes_{};
  std::array<std::int8_t, kSlots> slots_{};
};

constexpr KeywordTable<16> kRecordTags(kRecordTagNames);
constexpr KeywordTable<28> kBlockTags(kBlockTagNames);

}  // namespace

int FindRecordTag(std::string_view word) {
  return kRecordTags.Find(word);
}

int FindBlockTag(std::string_view word) {
  return kBlockTags.Find(word);
}

}  // namespace kw::listinfo
