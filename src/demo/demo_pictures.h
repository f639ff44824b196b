// The demo's pictures: title cards drawn by code (a coloured background and a few shapes), and
// their files as PNG, JPEG or BMP.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/result.h"

namespace kw::demo {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel
};

// A card drawn from `seed`: the same seed always gives the same picture.
Picture DrawTitleCard(const std::string& seed, int width, int height);

Result<std::string> EncodePng(const Picture& picture);
Result<std::string> EncodeJpeg(const Picture& picture);
// 24-bit uncompressed Windows bitmap, rows bottom to top.
std::string EncodeBmp(const Picture& picture);

}  // namespace kw::demo
