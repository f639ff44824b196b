#include "ui/text_codec.h"

#include <QList>
#include <QStringView>

#include "core/text_encoding.h"

namespace kw {

QString FromSystemText(const std::string& text) {
  const auto size = static_cast<qsizetype>(text.size());
  if (IsAscii(text)) return QString::fromLatin1(text.data(), size);
  if (IsValidUtf8(text)) return QString::fromUtf8(text.data(), size);

  QString out;
  out.reserve(size);
  for (char c : text) {
    // Every Windows-1252 character is in the basic plane: one UTF-16 unit.
    out += QChar(static_cast<char16_t>(Windows1252ToCodePoint(static_cast<unsigned char>(c))));
  }
  return out;
}

std::string ToSystemText(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (const char32_t code_point : QStringView(text).toUcs4()) {
    const std::optional<unsigned char> byte = CodePointToWindows1252(code_point);
    if (!byte) return text.toStdString();  // UTF-8
    out += static_cast<char>(*byte);
  }
  // Bytes that would be read back as UTF-8 would show other characters.
  if (!IsAscii(out) && IsValidUtf8(out)) return text.toStdString();
  return out;
}

}  // namespace kw
