// Decoders of the picture files the quick-information panel shows (screenshots, cabinets,
// flyers, hardware photos): PNG through libpng, JPEG through libjpeg, WMF through libwmf's
// bitmap renderer. They take the file's bytes, so any bytes may come in: a file that is not the
// format, is cut short or is corrupt gives a failure, never a crash, and a picture whose size
// is beyond the limits below (or beyond what its bytes could hold) is refused before any pixel
// memory is taken.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace kw::platform {

struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, row-major, width * height of them
};

// No side above this, and no more pixels than this (256 MiB of decoded pixels).
inline constexpr int kMaxPictureSide = 65535;
inline constexpr std::uint64_t kMaxPicturePixels = 64ull * 1024 * 1024;
// A metafile is drawn at its own size, made smaller when its longer side would exceed this: a
// few bytes of metafile may describe any size, and the panel shows at most 320 x 320.
inline constexpr int kMaxMetafileSide = 1024;

Result<DecodedPicture> DecodePng(std::string_view bytes);
Result<DecodedPicture> DecodeJpeg(std::string_view bytes);
Result<DecodedPicture> DecodeWmf(std::string_view bytes);

}  // namespace kw::platform
