// The program's 8-bit texts on screen: core keeps every text as read from the files; the windows
// decode them for display and encode what the user typed back to the Windows code page.
#pragma once

#include <string>

#include <QChar>
#include <QString>

namespace kw {

// Valid UTF-8 is taken as UTF-8, anything else as Windows-1252 (each byte one character; the five
// bytes that code page leaves undefined become the control characters of the same number, so
// that they come back unchanged).
QString FromSystemText(const std::string& text);

// Windows-1252; characters that the code page cannot hold become '?'.
std::string ToSystemText(const QString& text);

// One UTF-16 unit in Windows-1252 ('?' when it has no byte there; each half of a surrogate pair
// too). Keeps positions: the n-th unit becomes the n-th byte.
char ToSystemChar(QChar ch);

}  // namespace kw
