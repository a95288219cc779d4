#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace common {

// Upper-casing for comparisons. Each character maps to one character, so a position found in the
// upper-cased text is the same position in the original.
namespace UpperCase {

QString of(const QString& text);
// UTF-8 bytes upper-cased in place; a character whose upper case needs another number of
// bytes stays as it is, so byte positions stay put.
void inPlace(std::string& utf8);
std::string of(std::string_view utf8);
bool equal(const QString& a, const QString& b);

} // namespace UpperCase

} // namespace common
