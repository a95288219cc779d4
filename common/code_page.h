#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace common {

// Text files are written in the system's code page (UTF-8, or windows-1252 on a Latin-1 locale or
// with DRAVIK_CODEPAGE=1252) and read line by line: a line that is valid UTF-8 is UTF-8, any other
// line is windows-1252, so catalogues made on Windows open unchanged.
namespace CodePage {

enum class Kind { Utf8, Windows1252 };

Kind system();
// For tests and for a setting changed at run time.
void setSystem(Kind kind);

bool isValidUtf8(std::string_view bytes);
QString decodeLine(std::string_view bytes);
// The line as UTF-8 bytes: unchanged when it is UTF-8 already.
std::string lineToUtf8(std::string_view bytes);
QString fromWindows1252(std::string_view bytes);
// A character windows-1252 lacks becomes "?", a blank it lacks (such as a locale's thousands
// separator U+202F) a plain blank.
std::string toWindows1252(const QString& text);
// Text in the system's code page.
std::string encode(const QString& text);
// Whether the system's code page holds every character of the text.
bool canEncode(const QString& text);

bool isAscii(std::string_view bytes);
// Bytes read by the text rule (UTF-8 when valid, else windows-1252), in the system's code page:
// `bytes` itself when they are so already, else the converted copy kept in `scratch`.
std::string_view inSystem(std::string_view bytes, std::string& scratch);

} // namespace CodePage

} // namespace common
