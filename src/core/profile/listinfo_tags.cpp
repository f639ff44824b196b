#include "core/profile/listinfo_tags.h"

#include <cstddef>
#include <cstdint>

namespace kw::listinfo {

namespace {

// A fixed keyword list with a small open-addressed hash, so that looking a tag up costs one or
// two comparisons instead of a walk through the list: the parser does it for every tag word.
template <std::size_t N>
class KeywordTable {
 public:
  explicit KeywordTable(const std::array<std::string_view, N>& words) : words_(words) {
    slots_.fill(-1);
    for (std::size_t i = 0; i < N; ++i) {
      std::size_t slot = Hash(words_[i]);
      while (slots_[slot] >= 0)
        slot = (slot + 1) % kSlots;
      slots_[slot] = static_cast<std::int8_t>(i);
    }
  }

  // The position of `word` in the list, or -1.
  int Find(std::string_view word) const {
    if (word.empty()) return -1;
    for (std::size_t slot = Hash(word);; slot = (slot + 1) % kSlots) {
      int i = slots_[slot];
      if (i < 0) return -1;
      if (words_[i] == word) return i;
    }
  }

 private:
  static constexpr std::size_t kSlots = 128;
  static std::size_t Hash(std::string_view w) {
    return (w.size() * 31 + static_cast<unsigned char>(w.front()) * 7 +
            static_cast<unsigned char>(w.back())) %
           kSlots;
  }

  std::array<std::string_view, N> words_;
  std::array<std::int8_t, kSlots> slots_;
};

}  // namespace

int FindRecordTag(std::string_view word) {
  static const KeywordTable<16> table(kRecordTagNames);
  return table.Find(word);
}

int FindBlockTag(std::string_view word) {
  static const KeywordTable<28> table(kBlockTagNames);
  return table.Find(word);
}

}  // namespace kw::listinfo
