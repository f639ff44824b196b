// catver.ini is a file the users pass around and edit: any bytes must read into no more
// entries than lines, every entry's category among those kept, and look-ups must hold.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/browser/catver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kw::CategoryIndex index;
  index.Parse(text);
  const std::size_t lines =
      static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  if (index.Size() + index.SkippedLines() > lines) std::abort();
  if (index.Categories().size() > index.Size()) std::abort();
  if ((index.SkippedLines() == 0) != (index.FirstSkippedLine() == 0)) std::abort();
  for (const std::string& category : index.Categories()) {
    if (category.empty() || !kw::CategoryMatches(category, kw::MainCategory(category)))
      std::abort();
  }
  // Any piece of the input is a name to look up.
  const std::string_view probe = text.substr(0, std::min<std::size_t>(text.size(), 16));
  const long id = index.CategoryIdOf(probe);
  if (id >= static_cast<long>(index.Categories().size())) std::abort();
  return 0;
}
