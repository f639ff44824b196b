// BMP pictures come from the user's picture directories and are decoded through Qt, as the picture
// tabs and the console program load them: any bytes must decode or be refused without a crash,
// and a decoded picture must stay within the decoders' limits, whatever its header announced.
#include <QImage>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/picture_decode.h"
#include "ui/browser/picture_loader.h"

// Qt warns on stderr about every damaged file it is given ("QBuffer::seek: Invalid pos"): the
// run would spend its time writing them.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QImage picture =
      kw::DecodeBitmap(std::string_view(reinterpret_cast<const char*>(data), size));
  if (picture.isNull()) return 0;  // refused: the tab shows its message instead
  const int w = picture.width();
  const int h = picture.height();
  if (w <= 0 || h <= 0 || w > kw::platform::kMaxPictureSide || h > kw::platform::kMaxPictureSide ||
      static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) >
          kw::platform::kMaxPicturePixels)
    std::abort();
  // Both ends of every row are read, as the panel's scaling reads them: a row short of its
  // pixels would show.
  const qsizetype row = picture.bytesPerLine();
  if (row < (static_cast<qsizetype>(w) * picture.depth() + 7) / 8 ||
      picture.sizeInBytes() < row * h)
    std::abort();
  unsigned sum = 0;
  for (int y = 0; y < h; ++y) {
    const uchar* line = picture.constScanLine(y);
    sum += line[0] + line[row - 1];
  }
  volatile unsigned sink = sum;
  (void)sink;
  return 0;
}
