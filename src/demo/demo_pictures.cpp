#include "demo/demo_pictures.h"
#include "demo/little_endian.h"

// clang-format off: the JPEG library's header needs the standard types declared first.
#include <jpeglib.h>
#include <cstddef>
#include <cstdio>
// clang-format on
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>

#include "demo/seeded_random.h"

namespace kw::demo {

namespace {

struct Rgb {
  int r, g, b;
};

Rgb RandomColour(SeededRandom& random) {
  return {static_cast<int>(random.Below(256)), static_cast<int>(random.Below(256)),
          static_cast<int>(random.Below(256))};
}

Rgb Mix(Rgb a, Rgb b, int t, int range) {
  return {a.r + (b.r - a.r) * t / range, a.g + (b.g - a.g) * t / range,
          a.b + (b.b - a.b) * t / range};
}

class Canvas {
 public:
  explicit Canvas(Picture& picture) : p_(picture) {}
  void Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= p_.width || y >= p_.height) return;
    std::uint8_t* px = &p_.rgb[(static_cast<std::size_t>(y) * p_.width + x) * 3];
    px[0] = static_cast<std::uint8_t>(std::clamp(c.r, 0, 255));
    px[1] = static_cast<std::uint8_t>(std::clamp(c.g, 0, 255));
    px[2] = static_cast<std::uint8_t>(std::clamp(c.b, 0, 255));
  }
  void Rect(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = std::max(y0, 0); y < std::min(y1, p_.height); ++y)
      for (int x = std::max(x0, 0); x < std::min(x1, p_.width); ++x)
        Set(x, y, c);
  }
  void Disc(int cx, int cy, int radius, Rgb c) {
    for (int y = cy - radius; y <= cy + radius; ++y)
      for (int x = cx - radius; x <= cx + radius; ++x)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) Set(x, y, c);
  }
  // A triangle pointing up, its apex at (cx, top).
  void Triangle(int cx, int top, int half_width, int height, Rgb c) {
    for (int dy = 0; dy < height; ++dy) {
      const int w = half_width * dy / std::max(height, 1);
      for (int x = cx - w; x <= cx + w; ++x)
        Set(x, top + dy, c);
    }
  }

 private:
  Picture& p_;
};

}  // namespace

Picture DrawTitleCard(const std::string& seed, int width, int height) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
  SeededRandom random(seed);
  Canvas canvas(picture);
  const Rgb top = RandomColour(random);
  const Rgb bottom = RandomColour(random);
  for (int y = 0; y < height; ++y)
    canvas.Rect(0, y, width, y + 1, Mix(top, bottom, y, height));
  // A ground band, then the shapes, then the "logo" bar with stripes, then the frame.
  const int ground = height * (60 + static_cast<int>(random.Below(20))) / 100;
  const Rgb earth = RandomColour(random);
  for (int y = ground; y < height; ++y)
    canvas.Rect(0, y, width, y + 1, Mix(earth, {0, 0, 0}, y - ground, 2 * (height - ground) + 1));
  const int shapes = 3 + static_cast<int>(random.Below(5));
  for (int i = 0; i < shapes; ++i) {
    const Rgb c = RandomColour(random);
    const int x = static_cast<int>(random.Below(static_cast<std::uint32_t>(width)));
    const int y = static_cast<int>(random.Below(static_cast<std::uint32_t>(height)));
    const int size = 8 + static_cast<int>(random.Below(static_cast<std::uint32_t>(height / 5)));
    switch (random.Below(3)) {
      case 0:
        canvas.Disc(x, y, size, c);
        break;
      case 1:
        canvas.Rect(x - size, y - size / 2, x + size, y + size / 2, c);
        break;
      default:
        canvas.Triangle(x, y - size, size, 2 * size, c);
        break;
    }
  }
  const Rgb logo = RandomColour(random);
  const int bar_top = height / 10;
  const int bar_bottom = bar_top + height / 6;
  canvas.Rect(width / 8, bar_top, width - width / 8, bar_bottom, logo);
  const Rgb stripe = {255 - logo.r, 255 - logo.g, 255 - logo.b};
  for (int y = bar_top + 4; y + 3 < bar_bottom; y += 8)
    canvas.Rect(width / 8 + 6, y, width - width / 8 - 6, y + 3, stripe);
  const Rgb frame = RandomColour(random);
  canvas.Rect(0, 0, width, 4, frame);
  canvas.Rect(0, height - 4, width, height, frame);
  canvas.Rect(0, 0, 4, height, frame);
  canvas.Rect(width - 4, 0, width, height, frame);
  return picture;
}

namespace {

void PngAppend(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void PngFlush(png_structp) {}

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};
void JpegFail(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

}  // namespace

Result<std::string> EncodePng(const Picture& picture) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return Failure("Cannot write a PNG picture: out of memory");
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return Failure("Cannot write a PNG picture");
  }
  png_set_write_fn(png, &out, PngAppend, PngFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y)
    png_write_row(png, picture.rgb.data() + static_cast<std::size_t>(y) * picture.width * 3);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

Result<std::string> EncodeJpeg(const Picture& picture) {
  jpeg_compress_struct info{};
  JpegError error{};
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegFail;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return Failure("Cannot write a JPEG picture");
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(picture.width);
  info.image_height = static_cast<JDIMENSION>(picture.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  info.dct_method = JDCT_ISLOW;  // the integer transform: the same bytes on every machine
  jpeg_set_quality(&info, 88, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(
        picture.rgb.data() + static_cast<std::size_t>(info.next_scanline) * picture.width * 3);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string out(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

std::string EncodeBmp(const Picture& picture) {
  const std::uint32_t row_size = (static_cast<std::uint32_t>(picture.width) * 3 + 3) & ~3u;
  const std::uint32_t image_size = row_size * static_cast<std::uint32_t>(picture.height);
  std::string out;
  auto u16 = [&out](std::uint32_t v) { AppendLe16(out, v); };
  auto u32 = [&out](std::uint32_t v) { AppendLe32(out, v); };
  out += "BM";
  u32(14 + 40 + image_size);
  u32(0);
  u32(14 + 40);
  u32(40);  // the info header
  u32(static_cast<std::uint32_t>(picture.width));
  u32(static_cast<std::uint32_t>(picture.height));
  u16(1);
  u16(24);
  u32(0);  // no compression
  u32(image_size);
  u32(2835);  // 72 dots an inch
  u32(2835);
  u32(0);
  u32(0);
  for (int y = picture.height - 1; y >= 0; --y) {
    const std::uint8_t* row = picture.rgb.data() + static_cast<std::size_t>(y) * picture.width * 3;
    for (int x = 0; x < picture.width; ++x) {
      out += static_cast<char>(row[x * 3 + 2]);
      out += static_cast<char>(row[x * 3 + 1]);
      out += static_cast<char>(row[x * 3]);
    }
    out.append(row_size - static_cast<std::uint32_t>(picture.width) * 3, '\0');
  }
  return out;
}

}  // namespace kw::demo
