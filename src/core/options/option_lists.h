// The drop-down lists of the emulator option windows: each entry's text in list order and the
// code the emulator's configuration stores for it. The windows show the texts; the record holds
// the codes; a stored value that is none of the codes is shown as no entry and kept as it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kw {

template <class T>
struct CodeList {
  std::vector<std::string> texts;
  std::vector<T> codes;

  // The entry whose code equals `value` exactly (stored values are upper case), -1 when none.
  int IndexOf(const T& value) const {
    for (std::size_t i = 0; i < codes.size(); ++i)
      if (codes[i] == value) return static_cast<int>(i);
    return -1;
  }
  // The code of entry `index`, nothing for an index outside the list (no entry chosen).
  std::optional<T> CodeAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= codes.size()) return std::nullopt;
    return codes[static_cast<std::size_t>(index)];
  }
};

using TextCodeList = CodeList<std::string>;
using NumberCodeList = CodeList<std::int32_t>;

// Video window.
const TextCodeList& VesaModeList();
const TextCodeList& ResolutionList();  // "Automatic" (AUTO), then the 24 resolutions
const TextCodeList& ColorDepthList();
const TextCodeList& FrameSkipList();
const NumberCodeList& ScanRateList();  // vgafreq: entry index - 1
const TextCodeList& MonitorList();
// Audio window.
const NumberCodeList& SoundCardList();  // soundcard: entry index - 1
const TextCodeList& SampleRateList();
// Miscellaneous window.
const TextCodeList& JoystickList();
const TextCodeList& DirtyList();
const TextCodeList& MmxList();
// The emulator's languages: "ENGLISH" is shown as "English".
TextCodeList LanguageList(const std::vector<std::string>& language_codes);

// Width and height of a resolution code ("320X240"); nothing for AUTO or a code not in the list.
struct ScreenSize {
  int width = 0;
  int height = 0;
  bool operator==(const ScreenSize&) const = default;
};
std::optional<ScreenSize> ResolutionSize(const std::string& code);

// Preferences window: the report font sizes.
const NumberCodeList& FontSizeList();
// The entry a stored size shows: its own, or "10" for any other size.
int FontSizeIndex(std::int32_t size);

}  // namespace kw
