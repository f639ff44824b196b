// The picture decoders over libpng, libjpeg and libwmf. libpng and libjpeg report errors by
// longjmp out of the library; each such call runs in a function of its own that holds no object
// with a destructor, so the jump skips nothing that would need cleaning up, and the libraries'
// state is freed by the caller's guard.
#include "platform/picture_decode.h"

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// clang-format off
#include <png.h>
#include <jpeglib.h>
#include <jerror.h>
#include <libwmf/api.h>
#include <libwmf/gd.h>
// clang-format on

// The metafile renderer's own image destructor. The shared library keeps it to itself, so the
// renderer is linked from its static archive, which has it (see CMakeLists.txt).
extern "C" void gdImageDestroy(void* image);

namespace kw::platform {
namespace {

std::uint32_t Argb(unsigned a, unsigned r, unsigned g, unsigned b) {
  return (std::uint32_t{a} << 24) | (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
}

Error TooLarge(std::uint64_t width, std::uint64_t height) {
  return Failure("Picture too large (" + std::to_string(width) + " x " + std::to_string(height) +
                 ")");
}

// The sizes every decoder refuses before taking memory for the pixels.
Status CheckSize(std::uint64_t width, std::uint64_t height) {
  if (width == 0 || height == 0) return Failure("Picture has no size");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
    return TooLarge(width, height);
  return Success();
}

// ---------------------------------------------------------------------------------------------
// PNG

// Deflate gives at most 1032 bytes for one byte of input, so a complete file holds no more
// filtered picture data than this many times its own size.
constexpr std::uint64_t kDeflateMaxRatio = 1032;

struct PngSource {
  std::string_view bytes;
  std::size_t pos = 0;
  std::string* message = nullptr;
};

void PngError(png_structp png, png_const_charp text) {
  auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
  *source->message = text ? text : "error";
  png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (length > source->bytes.size() - source->pos) png_error(png, "unexpected end of file");
  std::memcpy(out, source->bytes.data() + source->pos, length);
  source->pos += length;
}

// Reads the header: the size and what the rows hold. False with the message on failure.
bool ReadPngHeader(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height,
                   std::uint64_t* filtered_bytes) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  int bit_depth = 0;
  int color_type = 0;
  png_get_IHDR(png, info, width, height, &bit_depth, &color_type, nullptr, nullptr, nullptr);
  const std::uint64_t row_bits =
      std::uint64_t{*width} * static_cast<unsigned>(bit_depth) * png_get_channels(png, info);
  *filtered_bytes = std::uint64_t{*height} * ((row_bits + 7) / 8 + 1);
  return true;
}

// Asks for 8-bit RGBA rows whatever the file holds.
bool SetPngTransforms(png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_expand(png);  // palette and low-bit grey to 8 bits, tRNS to alpha
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return true;
}

bool ReadPngImage(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

// ---------------------------------------------------------------------------------------------
// JPEG

// A complete Huffman-coded JPEG spends at least one bit on every 8 x 8 block of its first
// component, so it holds at most 512 pixels per byte; twice that leaves room.
constexpr std::uint64_t kJpegMaxPixelsPerByte = 1024;
// Progressive files of thousands of tiny scans take minutes to decode.
constexpr int kJpegMaxScans = 1000;

struct JpegErrors {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  std::string* message = nullptr;
  bool truncated = false;
};

[[noreturn]] void JpegFail(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  char text[JMSG_LENGTH_MAX] = {};
  (*cinfo->err->format_message)(cinfo, text);
  *errors->message = text;
  std::longjmp(errors->jump, 1);
}

void JpegMessage(j_common_ptr cinfo, int level) {
  // A file cut short is decoded as grey to its end by the library; here it is an error.
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) errors->truncated = true;
}

void JpegProgress(j_common_ptr cinfo) {
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kJpegMaxScans) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    *errors->message = "too many scans";
    std::longjmp(errors->jump, 1);
  }
}

bool ReadJpegHeader(j_decompress_ptr cinfo, JpegErrors* errors, std::string_view bytes) {
  if (setjmp(errors->jump)) return false;
  jpeg_create_decompress(cinfo);
  // The error manager is kept by the creation; the progress check comes after the header.
  jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(cinfo, TRUE);
  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  return true;
}

bool ReadJpegImage(j_decompress_ptr cinfo, JpegErrors* errors, unsigned char* row,
                   DecodedPicture* out) {
  if (setjmp(errors->jump)) return false;
  jpeg_start_decompress(cinfo);
  const bool cmyk = cinfo->out_color_space == JCS_CMYK;
  // Adobe's CMYK files store the inks inverted.
  const bool inverted = cmyk && cinfo->saw_Adobe_marker;
  std::uint32_t* target = out->pixels.data();
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(cinfo, rows, 1) != 1) break;
    const unsigned char* p = row;
    for (JDIMENSION x = 0; x < cinfo->output_width; ++x) {
      if (cmyk) {
        unsigned c = p[0], m = p[1], y = p[2], k = p[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        *target++ = Argb(255, c * k / 255, m * k / 255, y * k / 255);
        p += 4;
      } else {
        *target++ = Argb(255, p[0], p[1], p[2]);
        p += 3;
      }
    }
  }
  if (errors->truncated) {
    *errors->message = "unexpected end of file";
    return false;
  }
  jpeg_finish_decompress(cinfo);
  return !errors->truncated;
}

// ---------------------------------------------------------------------------------------------
// WMF

// The renderer trusts the metafile's header and record sizes when it takes memory (a header
// claiming a 3 GB record is taken at its word), so they are checked against the bytes first:
// a known header, every record inside the file and no larger than the header says, and an end
// record.
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kHeaderSize = 18;

std::uint32_t Le16(std::string_view b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint32_t Le32(std::string_view b, std::size_t at) {
  return Le16(b, at) | (Le16(b, at + 2) << 16);
}

// Bitmaps inside a metafile: the renderer reads as many pixels as their header says, whatever
// the record holds.
constexpr std::uint64_t kMaxMetafileBitmapPixels = 4u << 20;
// Run-length coding gives at most 255 pixels per two bytes (and skips, which are rare).
constexpr std::uint64_t kMaxRlePixelsPerByte = 256;

// Where the bitmap lies in the parameters of the records that carry one, in bytes.
int BitmapOffset(std::uint32_t function) {
  switch (function) {
    case 0x0F43:
      return 22;  // StretchDIB
    case 0x0B41:
      return 20;  // DIBStretchBlt
    case 0x0940:
      return 16;  // DIBBitBlt
    case 0x0142:
      return 4;  // DIBCreatePatternBrush
    case 0x0D33:
      return 18;  // SetDIBitsToDevice
    default:
      return -1;
  }
}

Status CheckBitmap(std::string_view dib) {
  if (dib.size() < 4) return Failure("Corrupt metafile: bad bitmap");
  const std::uint32_t header = Le32(dib, 0);
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t bits = 0;
  std::uint32_t compression = 0;
  if (header == 12 && dib.size() >= 12) {
    width = static_cast<std::int16_t>(Le16(dib, 4));
    height = static_cast<std::int16_t>(Le16(dib, 6));
    bits = Le16(dib, 10);
  } else if (header >= 40 && header <= dib.size()) {
    width = static_cast<std::int32_t>(Le32(dib, 4));
    height = static_cast<std::int32_t>(Le32(dib, 8));
    bits = Le16(dib, 14);
    compression = Le32(dib, 16);
  } else {
    return Failure("Corrupt metafile: bad bitmap");
  }
  if (height < 0) height = -height;
  const auto pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
      pixels > kMaxMetafileBitmapPixels)
    return Failure("Corrupt metafile: bad bitmap");
  const std::uint64_t data = dib.size() - header;
  const std::uint64_t row_bytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  const bool fits = compression == 1 || compression == 2   ? pixels <= data * kMaxRlePixelsPerByte
                    : compression == 0 || compression == 3 ? row_bytes * height <= data
                                                           : false;
  if (!fits) return Failure("Corrupt metafile: bad bitmap");
  return Success();
}

// The renderer stretches a blit's bitmap over its destination pixel by pixel: a mirrored
// (negative) or enormous destination keeps it busy for minutes. Such blits are refused.
bool BlitSizeDrawable(std::uint32_t function, std::string_view params) {
  int height_at = -1;
  switch (function) {
    case 0x0F43:
      height_at = 14;  // StretchDIB: rop, colour use, source size and place, then the destination
      break;
    case 0x0B41:
      height_at = 12;  // DIBStretchBlt
      break;
    case 0x0940:
      height_at = 8;  // DIBBitBlt
      break;
    case 0x0D33:
      height_at = 10;  // SetDIBitsToDevice
      break;
    default:
      return true;
  }
  if (params.size() < static_cast<std::size_t>(height_at) + 4) return false;
  const auto height = static_cast<std::int16_t>(Le16(params, height_at));
  const auto width = static_cast<std::int16_t>(Le16(params, height_at + 2));
  constexpr int kMaxBlitSide = 16 * kMaxMetafileSide;
  return height > 0 && width > 0 && height <= kMaxBlitSide && width <= kMaxBlitSide;
}

Status CheckMetafile(std::string_view bytes) {
  std::size_t pos = 0;
  if (bytes.size() >= 4 && Le32(bytes, 0) == kPlaceableKey) pos = kPlaceableSize;
  if (bytes.size() < pos + kHeaderSize) return Failure("Not a metafile");
  const std::uint32_t type = Le16(bytes, pos);
  const std::uint32_t header_words = Le16(bytes, pos + 2);
  const std::uint32_t version = Le16(bytes, pos + 4);
  const std::uint64_t max_record_words = Le32(bytes, pos + 12);
  if ((type != 1 && type != 2) || header_words != kHeaderSize / 2 ||
      (version != 0x100 && version != 0x300))
    return Failure("Not a metafile");
  if (max_record_words * 2 > bytes.size()) return Failure("Corrupt metafile");
  pos += kHeaderSize;
  while (pos + 6 <= bytes.size()) {
    const std::uint64_t words = Le32(bytes, pos);
    const std::uint32_t function = Le16(bytes, pos + 4);
    if (words < 3 || words > max_record_words || words * 2 > bytes.size() - pos)
      return Failure("Corrupt metafile");
    // The renderer ends only at a three-word end record: a longer record of function 0 is
    // skipped like any other, so the records after it are checked too.
    if (function == 0 && words == 3) return Success();
    // The renderer's text output dereferences a null font on damaged text records and takes
    // the program down with it: metafiles that write text are not drawn.
    if (function == 0x0521 || function == 0x0A32) return Failure("Unsupported metafile: text");
    // The blits also come without a bitmap: then their size is the one their function code
    // gives in its high byte.
    const bool no_bitmap =
        (function == 0x0940 || function == 0x0B41) && words == (function >> 8) + 3;
    if (int offset = BitmapOffset(function); offset >= 0 && !no_bitmap) {
      if (words * 2 < 6u + offset) return Failure("Corrupt metafile: bad bitmap");
      const std::string_view record = bytes.substr(pos + 6, words * 2 - 6);
      if (!BlitSizeDrawable(function, record)) return Failure("Unsupported metafile: blit size");
      if (Status bitmap = CheckBitmap(record.substr(offset)); !bitmap) return bitmap;
    }
    pos += words * 2;
  }
  return Failure("Corrupt metafile: unexpected end of file");
}

// What the renderer may take for itself, beyond the picture it draws.
constexpr std::size_t kWmfMemoryBudget = 64u << 20;

// The renderer's allocations, counted against the budget; each block keeps its size in front.
struct WmfMemory {
  std::size_t used = 0;
};
constexpr std::size_t kBlockHeader = alignof(std::max_align_t);

void* WmfRealloc(void* context, void* mem, std::size_t size) {
  auto* memory = static_cast<WmfMemory*>(context);
  std::size_t old_size = 0;
  char* block = nullptr;
  if (mem) {
    block = static_cast<char*>(mem) - kBlockHeader;
    std::memcpy(&old_size, block, sizeof old_size);
  }
  if (size > kWmfMemoryBudget || memory->used - old_size + size > kWmfMemoryBudget) return nullptr;
  auto* grown = static_cast<char*>(std::realloc(block, size + kBlockHeader));
  if (!grown) return nullptr;
  memory->used = memory->used - old_size + size;
  std::memcpy(grown, &size, sizeof size);
  return grown + kBlockHeader;
}

void* WmfMalloc(void* context, std::size_t size) {
  return WmfRealloc(context, nullptr, size);
}

void WmfFree(void* context, void* mem) {
  if (!mem) return;
  auto* memory = static_cast<WmfMemory*>(context);
  char* block = static_cast<char*>(mem) - kBlockHeader;
  std::size_t size = 0;
  std::memcpy(&size, block, sizeof size);
  memory->used -= size;
  std::free(block);
}

// libwmf's player keeps its state in an API object; this frees it on every path.
class WmfApi {
 public:
  WmfApi() {
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = wmf_gd_function;
    options.context = &memory_;
    options.malloc = WmfMalloc;
    options.realloc = WmfRealloc;
    options.free = WmfFree;
    // Errors come back as codes; the library must not print them.
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_ALLOC | WMF_OPT_IGNORE_NONFATAL |
                                WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api_, flags, &options) != wmf_E_None) api_ = nullptr;
  }
  ~WmfApi() {
    if (!api_) return;
    // An image drawn in memory is the caller's to free.
    void* image = WMF_GD_GetData(api_)->gd_image;
    if (opened_) wmf_mem_close(api_);
    wmf_api_destroy(api_);
    if (image) gdImageDestroy(image);
  }
  WmfApi(const WmfApi&) = delete;
  WmfApi& operator=(const WmfApi&) = delete;

  wmfAPI* get() const { return api_; }
  void SetOpened() { opened_ = true; }

 private:
  WmfMemory memory_;
  wmfAPI* api_ = nullptr;
  bool opened_ = false;
};

constexpr double kPointsPerInch = 72.0;
constexpr double kScreenDpi = 96.0;

}  // namespace

Result<DecodedPicture> DecodePng(std::string_view bytes) {
  if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0)
    return Failure("Not a PNG file");
  std::string message;
  PngSource source{bytes, 0, &message};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, PngError, PngWarning);
  if (!png) return Failure("Out of memory");
  png_infop info = png_create_info_struct(png);
  struct Guard {
    png_structp* png;
    png_infop* info;
    ~Guard() { png_destroy_read_struct(png, info, nullptr); }
  } guard{&png, &info};
  if (!info) return Failure("Out of memory");
  png_set_read_fn(png, &source, PngRead);
  // The size limits are ours (below), with their own message.
  png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);

  png_uint_32 width = 0;
  png_uint_32 height = 0;
  std::uint64_t filtered_bytes = 0;
  if (!ReadPngHeader(png, info, &width, &height, &filtered_bytes))
    return Failure("Corrupt PNG file: " + message);
  if (Status size = CheckSize(width, height); !size) return Error{size.Message()};
  if (filtered_bytes > bytes.size() * kDeflateMaxRatio)
    return Failure("Corrupt PNG file: too short for its picture");
  if (!SetPngTransforms(png, info)) return Failure("Corrupt PNG file: " + message);
  if (png_get_rowbytes(png, info) != std::size_t{width} * 4)
    return Failure("Corrupt PNG file: unexpected pixel layout");

  DecodedPicture picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels.resize(std::size_t{width} * height);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y)
    rows[y] = reinterpret_cast<png_bytep>(picture.pixels.data() + std::size_t{y} * width);
  if (!ReadPngImage(png, info, rows.data())) return Failure("Corrupt PNG file: " + message);
  // The rows hold R, G, B, A bytes; each becomes one 0xAARRGGBB value in place.
  for (std::uint32_t& pixel : picture.pixels) {
    unsigned char c[4];
    std::memcpy(c, &pixel, 4);
    pixel = Argb(c[3], c[0], c[1], c[2]);
  }
  return picture;
}

Result<DecodedPicture> DecodeJpeg(std::string_view bytes) {
  if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
      static_cast<unsigned char>(bytes[1]) != 0xD8)
    return Failure("Not a JPEG file");
  std::string message;
  jpeg_decompress_struct cinfo{};  // zeroed: destroying it before its creation does nothing
  JpegErrors errors;
  cinfo.err = jpeg_std_error(&errors.mgr);
  errors.mgr.error_exit = JpegFail;
  errors.mgr.emit_message = JpegMessage;
  errors.message = &message;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = JpegProgress;
  struct Guard {
    jpeg_decompress_struct* cinfo;
    ~Guard() { jpeg_destroy_decompress(cinfo); }
  } guard{&cinfo};
  if (!ReadJpegHeader(&cinfo, &errors, bytes)) return Failure("Corrupt JPEG file: " + message);
  cinfo.progress = &progress;
  const std::uint64_t width = cinfo.image_width;
  const std::uint64_t height = cinfo.image_height;
  if (Status size = CheckSize(width, height); !size) return Error{size.Message()};
  if (width * height > bytes.size() * kJpegMaxPixelsPerByte)
    return Failure("Corrupt JPEG file: too short for its picture");

  DecodedPicture picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels.resize(width * height);
  std::vector<unsigned char> row(width * 4);
  if (!ReadJpegImage(&cinfo, &errors, row.data(), &picture))
    return Failure("Corrupt JPEG file: " + message);
  return picture;
}

Result<DecodedPicture> DecodeWmf(std::string_view bytes) {
  if (Status checked = CheckMetafile(bytes); !checked) return Error{checked.Message()};
  WmfApi api;
  if (!api.get()) return Failure("Metafile renderer unavailable");
  // The player only reads the bytes; its interface just lacks the const.
  auto* data = reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data()));
  if (wmf_mem_open(api.get(), data, static_cast<long>(bytes.size())) != wmf_E_None)
    return Failure("Not a metafile");
  api.SetOpened();
  wmfD_Rect bbox;
  if (wmf_scan(api.get(), 0, &bbox) != wmf_E_None) return Failure("Corrupt metafile");

  // The box of what is drawn, in points; the picture is that box at screen resolution, made
  // smaller when it would be larger than the panel could ever want.
  const double box_width = static_cast<double>(bbox.BR.x) - bbox.TL.x;
  const double box_height = static_cast<double>(bbox.BR.y) - bbox.TL.y;
  if (!(box_width > 0) || !(box_height > 0) || box_width > 1e9 || box_height > 1e9)
    return Failure("Picture has no size");
  double scale = kScreenDpi / kPointsPerInch;
  const double longer = std::max(box_width, box_height) * scale;
  if (longer > kMaxMetafileSide) scale *= kMaxMetafileSide / longer;
  const auto width = static_cast<std::uint64_t>(std::max(1.0, box_width * scale + 0.5));
  const auto height = static_cast<std::uint64_t>(std::max(1.0, box_height * scale + 0.5));
  if (Status size = CheckSize(width, height); !size) return Error{size.Message()};

  wmf_gd_t* device = WMF_GD_GetData(api.get());
  device->type = wmf_gd_image;
  device->bbox = bbox;
  device->width = static_cast<unsigned>(width);
  device->height = static_cast<unsigned>(height);
  if (wmf_play(api.get(), 0, &bbox) != wmf_E_None || !device->gd_image)
    return Failure("Corrupt metafile");
  const int* gd_pixels = wmf_gd_image_pixels(device->gd_image);
  if (!gd_pixels) return Failure("Corrupt metafile");

  DecodedPicture picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels.resize(width * height);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    // The renderer's alpha runs from 0 (opaque) to 127 (clear).
    const auto c = static_cast<std::uint32_t>(gd_pixels[i]);
    const std::uint32_t clear = (c >> 24) & 0x7f;
    picture.pixels[i] = ((255 - clear * 255 / 127) << 24) | (c & 0xffffff);
  }
  return picture;
}

}  // namespace kw::platform
