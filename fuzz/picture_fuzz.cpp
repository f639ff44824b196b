// Pictures come from the user's picture directories: any bytes must decode or be refused
// without a crash, and a decoded picture must hold exactly its width times height pixels
// within the limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/picture_decode.h"

namespace {

void Check(const kw::Result<kw::platform::DecodedPicture>& picture) {
  if (!picture) {
    if (picture.Message().empty()) std::abort();  // a failure always says why
    return;
  }
  const auto& p = *picture;
  if (p.width <= 0 || p.height <= 0 || p.width > kw::platform::kMaxPictureSide ||
      p.height > kw::platform::kMaxPictureSide)
    std::abort();
  if (p.pixels.size() != static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Check(kw::platform::DecodePng(bytes));
  Check(kw::platform::DecodeJpeg(bytes));
  Check(kw::platform::DecodeWmf(bytes));
  return 0;
}
