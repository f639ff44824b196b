#include "ui/text_codec.h"

#include <QStringDecoder>

namespace kw {

namespace {

// Code page 1252 from 0x80 to 0x9F; the undefined bytes map to the C1 control of their number.
constexpr char16_t kHighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

}  // namespace

QString FromSystemText(const std::string& text) {
  bool ascii = true;
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));

  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!utf8.hasError()) return decoded;

  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    out += (byte >= 0x80 && byte < 0xA0) ? QChar(kHighTable[byte - 0x80]) : QChar(byte);
  }
  return out;
}

char ToSystemChar(QChar ch) {
  const char16_t unit = ch.unicode();
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (int i = 0; i < 32; ++i) {
    if (kHighTable[i] == unit) return static_cast<char>(0x80 + i);
  }
  return '?';
}

std::string ToSystemText(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text[i];
    out += ToSystemChar(ch);
    // A character outside the basic plane is one '?', not two.
    if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
  }
  return out;
}

}  // namespace kw
