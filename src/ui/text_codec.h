// The program's 8-bit texts on screen: core keeps every text as read from the files; the windows
// decode them for display and encode what the user typed back to bytes by the same rule.
#pragma once

#include <string>

#include <QString>

namespace kw {

// Valid UTF-8 is taken as UTF-8, anything else as Windows-1252 (each byte one character; the five
// bytes that code page leaves undefined become the control characters of the same number, so
// that they come back unchanged).
QString FromSystemText(const std::string& text);

// Windows-1252 when the code page holds every character, else UTF-8: either way FromSystemText
// gives the same text back. (A Windows-1252 text whose bytes would read as UTF-8, such as "Ã©",
// is written as UTF-8 for that reason.)
std::string ToSystemText(const QString& text);

}  // namespace kw
