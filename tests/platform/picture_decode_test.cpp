#include "platform/picture_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "platform/fs.h"

namespace kw::platform {
namespace {

std::string Sample(const std::string& name) {
  return *fs::ReadFile(std::string(KW_TEST_DATA_DIR) + "/pictures/" + name);
}

std::uint32_t At(const DecodedPicture& p, int x, int y) {
  return p.pixels[static_cast<std::size_t>(y) * p.width + x];
}

// Each channel within `tolerance` of the expected colour (JPEG is lossy).
::testing::AssertionResult Near(std::uint32_t actual, std::uint32_t expected, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((actual >> shift) & 0xff);
    const int e = static_cast<int>((expected >> shift) & 0xff);
    if (std::abs(a - e) > tolerance)
      return ::testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
  }
  return ::testing::AssertionSuccess();
}

void Put32(std::string& s, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    s += static_cast<char>((v >> shift) & 0xff);
}

std::uint32_t Crc32(std::string_view data) {
  std::uint32_t crc = 0xffffffff;
  for (unsigned char c : data) {
    crc ^= c;
    for (int k = 0; k < 8; ++k)
      crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void PutChunk(std::string& png, std::string_view type, std::string_view data) {
  Put32(png, static_cast<std::uint32_t>(data.size()));
  std::string body = std::string(type) + std::string(data);
  png += body;
  Put32(png, Crc32(body));
}

// A PNG whose header claims the size, with a few bytes of picture data after it.
std::string PngClaiming(std::uint32_t width, std::uint32_t height) {
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string ihdr;
  Put32(ihdr, width);
  Put32(ihdr, height);
  ihdr += std::string("\x08\x06\x00\x00\x00", 5);  // 8-bit RGBA
  PutChunk(png, "IHDR", ihdr);
  PutChunk(png, "IDAT", std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8));
  PutChunk(png, "IEND", "");
  return png;
}

TEST(PictureDecodeTest, PngOfEveryLayoutBecomesArgb) {
  // Palette with a transparent entry, interlaced.
  auto palette = DecodePng(Sample("palette_interlaced.png"));
  ASSERT_TRUE(palette) << palette.Message();
  ASSERT_EQ(palette->width, 4);
  ASSERT_EQ(palette->height, 2);
  EXPECT_EQ(At(*palette, 0, 0), 0xffff0000u);
  EXPECT_EQ(At(*palette, 1, 0), 0xff00ff00u);
  EXPECT_EQ(At(*palette, 2, 0), 0xff0000ffu);
  EXPECT_EQ(At(*palette, 3, 0), 0xffffffffu);
  EXPECT_EQ(At(*palette, 0, 1) >> 24, 0u);
  EXPECT_EQ(At(*palette, 3, 1), 0xffff0000u);

  // 16-bit grey without alpha.
  auto grey = DecodePng(Sample("grey16.png"));
  ASSERT_TRUE(grey) << grey.Message();
  ASSERT_EQ(grey->pixels.size(), 3u);
  EXPECT_EQ(grey->pixels[0], 0xff000000u);
  EXPECT_EQ(grey->pixels[1], 0xff808080u);
  EXPECT_EQ(grey->pixels[2], 0xffffffffu);
}

TEST(PictureDecodeTest, JpegInColourGreyAndAdobeCmyk) {
  for (const char* name : {"halves.jpg", "halves_cmyk.jpg"}) {
    SCOPED_TRACE(name);
    auto jpeg = DecodeJpeg(Sample(name));
    ASSERT_TRUE(jpeg) << jpeg.Message();
    ASSERT_EQ(jpeg->width, 16);
    ASSERT_EQ(jpeg->height, 16);
    EXPECT_TRUE(Near(At(*jpeg, 2, 8), 0xffff0000u, 12));
    EXPECT_TRUE(Near(At(*jpeg, 13, 8), 0xff0000ffu, 12));
  }
  auto grey = DecodeJpeg(Sample("grey.jpg"));
  ASSERT_TRUE(grey) << grey.Message();
  EXPECT_TRUE(Near(At(*grey, 5, 5), 0xff404040u, 3));
}

TEST(PictureDecodeTest, OtherBytesUnderAPictureNameAreRefused) {
  const std::string text = "This is a text file with a picture's name.\n";
  EXPECT_EQ(DecodePng(text).Message(), "Not a PNG file");
  EXPECT_EQ(DecodeJpeg(text).Message(), "Not a JPEG file");
  EXPECT_FALSE(DecodeWmf(text));
  EXPECT_FALSE(DecodePng(""));
  EXPECT_FALSE(DecodeJpeg(""));
  EXPECT_FALSE(DecodeWmf(""));
  // The right signature over garbage, and each format under the other's decoder.
  EXPECT_FALSE(DecodePng("\x89PNG\r\n\x1a\n" + text));
  EXPECT_FALSE(DecodeJpeg("\xff\xd8" + text));
  EXPECT_FALSE(DecodePng(Sample("halves.jpg")));
  EXPECT_FALSE(DecodeJpeg(Sample("grey16.png")));
}

TEST(PictureDecodeTest, EveryCutShortFileIsRefused) {
  // A JPEG decoder fills a file cut short with grey; the panel must not show that as a picture.
  const std::string png = Sample("palette_interlaced.png");
  for (std::size_t n = 0; n < png.size(); ++n)
    EXPECT_FALSE(DecodePng(png.substr(0, n))) << n;
  const std::string jpeg = Sample("halves.jpg");
  for (std::size_t n = 0; n + 2 < jpeg.size(); ++n)
    EXPECT_FALSE(DecodeJpeg(jpeg.substr(0, n))) << n;
}

TEST(PictureDecodeTest, SizesBeyondTheLimitsOrTheDataAreRefusedBeforeDecoding) {
  EXPECT_EQ(DecodePng(PngClaiming(100000, 100000)).Message(),
            "Picture too large (100000 x 100000)");
  // Under the side limit but over 64 megapixels.
  EXPECT_EQ(DecodePng(PngClaiming(10000, 10000)).Message(), "Picture too large (10000 x 10000)");
  // Within every limit, but a few bytes cannot hold 8000 x 8000 pixels (256 MB decoded).
  EXPECT_EQ(DecodePng(PngClaiming(8000, 8000)).Message(),
            "Corrupt PNG file: too short for its picture");
  EXPECT_FALSE(DecodePng(PngClaiming(0, 5)));
  EXPECT_FALSE(DecodePng(PngClaiming(0x80000000u, 1)));

  // The same for a JPEG whose frame header is changed to claim another size.
  auto claiming = [](std::uint16_t width, std::uint16_t height) {
    std::string jpeg = Sample("halves.jpg");
    const std::size_t sof = jpeg.find("\xff\xc0");
    EXPECT_NE(sof, std::string::npos);
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xff);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xff);
    return jpeg;
  };
  EXPECT_EQ(DecodeJpeg(claiming(65000, 65000)).Message(), "Picture too large (65000 x 65000)");
  EXPECT_EQ(DecodeJpeg(claiming(4000, 4000)).Message(),
            "Corrupt JPEG file: too short for its picture");
}

// A placeable metafile of 100 x 50 units at 96 units per inch with the given records.
std::string Metafile(std::initializer_list<std::initializer_list<int>> records) {
  std::string body;
  std::uint32_t max_record = 3;
  auto put16 = [](std::string& s, int v) {
    s += static_cast<char>(v & 0xff);
    s += static_cast<char>((v >> 8) & 0xff);
  };
  auto put32 = [&](std::string& s, std::uint32_t v) {
    put16(s, static_cast<int>(v & 0xffff));
    put16(s, static_cast<int>(v >> 16));
  };
  for (const auto& record : records) {  // function, then parameter words
    max_record = std::max(max_record, static_cast<std::uint32_t>(record.size() + 2));
    put32(body, static_cast<std::uint32_t>(record.size() + 2));
    for (int word : record)
      put16(body, word);
  }
  put32(body, 3);  // end of file
  put16(body, 0);

  std::string placeable;
  put32(placeable, 0x9AC6CDD7u);
  for (int word : {0, 0, 0, 100, 50, 96, 0, 0})
    put16(placeable, word);
  int checksum = 0;
  for (int i = 0; i < 20; i += 2)
    checksum ^= static_cast<unsigned char>(placeable[i]) |
                (static_cast<unsigned char>(placeable[i + 1]) << 8);
  put16(placeable, checksum);

  std::string header;
  for (int word : {1, 9, 0x300})
    put16(header, word);
  put32(header, static_cast<std::uint32_t>((18 + body.size()) / 2));
  put16(header, 1);
  put32(header, max_record);
  put16(header, 0);
  return placeable + header + body;
}

constexpr int kSelectObject = 0x012D;
constexpr int kCreateBrush = 0x02FC;
constexpr int kRectangle = 0x041B;
constexpr int kStretchDib = 0x0F43;

TEST(PictureDecodeTest, MetafileIsDrawnAtTheSizeOfWhatItDraws) {
  // A red rectangle outlined in black, 60 x 30 units: 45 x 22.5 points, 60 x 30 pixels.
  auto wmf = DecodeWmf(Metafile(
      {{kCreateBrush, 0, 0x00ff, 0, 0}, {kSelectObject, 0}, {kRectangle, 40, 80, 10, 20}}));
  ASSERT_TRUE(wmf) << wmf.Message();
  EXPECT_NEAR(wmf->width, 61, 2);
  EXPECT_NEAR(wmf->height, 31, 2);
  EXPECT_EQ(At(*wmf, wmf->width / 2, wmf->height / 2), 0xffff0000u);
  EXPECT_EQ(At(*wmf, 0, wmf->height / 2), 0xff000000u);

  // A very wide one is drawn smaller, keeping its proportions.
  auto wide = DecodeWmf(Metafile({{kRectangle, 10, 30000, 0, 0}}));
  ASSERT_TRUE(wide) << wide.Message();
  EXPECT_EQ(wide->width, kMaxMetafileSide);
  EXPECT_LE(wide->height, 3);
}

TEST(PictureDecodeTest, MetafileBitmapsMustHoldWhatTheirHeaderClaims) {
  // Copy, no palette, 2 x 2 source drawn at 40 x 40, then a bitmap info header of 2 x 2
  // pixels, 24 bits, and its two rows of red.
  auto stretched = [](int width, int height) {
    return Metafile({{kStretchDib, 0x0020, 0x00CC, 0,     2,      2,      0,      0,
                      40,          40,     0,      0,  //
                      40,          0,      width,  0,     height, 0,      1,      24,
                      0,           0,      0,      0,     0,      0,      0,      0,  //
                      0,           0,      0,      0,     0x0000, 0x00FF, 0xFF00, 0x0000,
                      0x0000,      0x00FF, 0xFF00, 0x0000}});
  };
  auto bitmap = DecodeWmf(stretched(2, 2));
  ASSERT_TRUE(bitmap) << bitmap.Message();
  EXPECT_EQ(At(*bitmap, bitmap->width / 2, bitmap->height / 2), 0xffff0000u);
  // The same 16 bytes of pixels under a header of 30000 x 30000.
  EXPECT_EQ(DecodeWmf(stretched(30000, 30000)).Message(), "Corrupt metafile: bad bitmap");
}

TEST(PictureDecodeTest, MetafileHeaderMustFitTheFile) {
  std::string wmf = Metafile({{kRectangle, 40, 80, 10, 20}});
  ASSERT_TRUE(DecodeWmf(wmf));
  // The largest record claimed as 1.7 GB: the renderer would take that much at its word.
  std::string lying = wmf;
  lying[22 + 12] = 0x64;
  lying[22 + 15] = 0x65;
  EXPECT_EQ(DecodeWmf(lying).Message(), "Corrupt metafile");
  // Records past the end, and no end record.
  EXPECT_FALSE(DecodeWmf(wmf.substr(0, wmf.size() - 6)));
  EXPECT_FALSE(DecodeWmf(wmf.substr(0, wmf.size() - 10)));
}

}  // namespace
}  // namespace kw::platform
