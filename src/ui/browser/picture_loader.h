// Loading the picture files of the picture tabs, and the message drawn on the product picture
// when there is none to show. Only QtGui: the console program shares it.
#pragma once

#include <QImage>
#include <string>
#include <string_view>

#include "core/shared/pictures.h"

namespace kw {

// The largest picture file read at all; a screenshot or a flyer is far smaller.
inline constexpr qint64 kMaxPictureFileBytes = static_cast<qint64>(kMaxPictureBytes);

// The picture at `path`, decoded by its extension (letter case aside): PNG and JPEG through
// libpng and libjpeg, BMP through Qt, WMF through the metafile renderer. A null image when the
// file cannot be read, is too large, or its contents are corrupt, unsupported or beyond the
// decoders' pixel limit.
QImage LoadPictureFile(const std::string& path);
// A picture found in a picture directory, a loose file or a member of its archive, decoded
// by its extension as LoadPictureFile does.
QImage LoadPicture(const GamePicture& picture);
// A picture's bytes decoded by the extension of its name (".PNG", ".jpg"...).
QImage DecodePicture(std::string_view bytes, std::string_view extension);

// The bytes of a BMP file decoded through Qt, its size checked against the decoders' pixel limit
// before any pixel is decoded. A null image when they are not a BMP Qt reads, or too large.
QImage DecodeBitmap(std::string_view bytes);

// DrawPictureMessage: `picture` with the error sign at its bottom left (the sign's top-left
// colour taken as transparent) and `text` in 18-point bold Times New Roman, black with a white
// copy one pixel up and left, which gives it a shadow.
QImage PictureWithMessage(const QImage& picture, const QImage& sign, const std::string& text);

}  // namespace kw
