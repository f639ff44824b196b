// The favourites file is a text file in the program directory that anyone can edit: any bytes
// must read into no more names than lines, and what is written must read back the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/browser/favourites.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kw::Favourites favourites;
  favourites.Parse(text);
  const std::size_t lines =
      static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  if (favourites.Size() + favourites.SkippedLines() > lines) std::abort();
  kw::Favourites again;
  again.Parse(favourites.Text());
  if (again.Size() != favourites.Size() || again.SkippedLines() != 0 ||
      again.Text() != favourites.Text())
    std::abort();
  return 0;
}
