#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// Upper-casing for comparisons: every letter takes its one-character upper case, so `ı` and `ſ`
// compare equal to I and S, whatever the encoding the text came in.
namespace UpperCase {

// The same number of UTF-16 units: no letter's upper case leaves or enters the basic plane.
QString of(const QString& text);
// UTF-8 upper-cased. A letter whose upper case has another UTF-8 length (`ı` to I, `ɐ` to `Ɐ`)
// changes the length; bytes that are not UTF-8 stay as they are.
std::string of(std::string_view utf8);
// The same into `out`. True when the length of a character changed: `origins` then holds, for
// each byte of `out` and for its end, the offset in `utf8` of the character it came from. False
// when every offset is the same in both; `origins` is then empty.
bool into(std::string_view utf8, std::string& out, std::vector<std::uint32_t>& origins);
bool equal(const QString& a, const QString& b);

} // namespace UpperCase

} // namespace common
