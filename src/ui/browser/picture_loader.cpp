#include "ui/browser/picture_loader.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QImageReader>
#include <QPainter>

#include "common/ascii.h"
#include "platform/fs.h"
#include "platform/picture_decode.h"

namespace kw {

namespace {

QImage FromDecoded(const Result<platform::DecodedPicture>& decoded) {
  if (!decoded) return {};
  const platform::DecodedPicture& p = *decoded;
  // The pixels are 0xAARRGGBB words, which is Qt's own ARGB32 layout.
  return QImage(reinterpret_cast<const uchar*>(p.pixels.data()), p.width, p.height,
                static_cast<qsizetype>(p.width) * 4, QImage::Format_ARGB32)
      .copy();
}

}  // namespace

QImage DecodeBitmap(std::string_view bytes) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "BMP");
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > platform::kMaxPictureSide ||
      size.height() > platform::kMaxPictureSide ||
      static_cast<std::uint64_t>(size.width()) * static_cast<std::uint64_t>(size.height()) >
          platform::kMaxPicturePixels)
    return {};
  return reader.read();
}

QImage DecodePicture(std::string_view bytes, std::string_view extension) {
  const std::string ext = AsciiUpperCase(extension);
  if (ext == ".PNG") return FromDecoded(platform::DecodePng(bytes));
  if (ext == ".JPG") return FromDecoded(platform::DecodeJpeg(bytes));
  if (ext == ".WMF") return FromDecoded(platform::DecodeWmf(bytes));
  if (ext == ".BMP") return DecodeBitmap(bytes);
  return {};
}

QImage LoadPictureFile(const std::string& path) {
  const std::optional<std::uint64_t> size = platform::fs::FileSize(path);
  if (!size || *size > static_cast<std::uint64_t>(kMaxPictureFileBytes)) return {};
  Result<std::string> bytes = platform::fs::ReadFile(path);
  if (!bytes) return {};
  return DecodePicture(*bytes, platform::fs::ExtractFileExt(path));
}

QImage LoadPicture(const GamePicture& picture) {
  const Result<std::string> bytes = ReadPicture(picture);
  if (!bytes) return {};
  return DecodePicture(*bytes, picture.extension);
}

QImage PictureWithMessage(const QImage& picture, const QImage& sign, const std::string& text) {
  QImage out = picture.convertToFormat(QImage::Format_RGB32);
  const int h = out.height();
  if (!sign.isNull()) {
    const QImage s = sign.convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = s.pixel(0, 0) & 0xFFFFFF;
    for (int y = 0; y < s.height(); ++y) {
      for (int x = 0; x < s.width(); ++x) {
        const QRgb c = s.pixel(x, y);
        const int tx = x + 5;
        const int ty = h + y - 28;
        if ((c & 0xFFFFFF) != transparent && out.rect().contains(tx, ty)) out.setPixel(tx, ty, c);
      }
    }
  }
  QPainter p(&out);
  QFont font("Times New Roman");
  font.setPixelSize(24);  // 18 points at 96 dots per inch
  font.setBold(true);
  p.setFont(font);
  const QString message = QString::fromLatin1(text.c_str());
  // The text's cell starts at the given point, as the system's text output places it.
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
  p.setPen(Qt::black);
  p.drawText(QRect(36, h - 29, out.width(), 40), flags, message);
  p.setPen(Qt::white);
  p.drawText(QRect(35, h - 30, out.width(), 40), flags, message);
  return out;
}

}  // namespace kw
