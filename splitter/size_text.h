#pragma once

#include <string>
#include <string_view>

namespace splitter {

// The size part of a stamp as the extension lines show it: read as a number the forgiving way
// (blanks, tabs, line feeds and apostrophes skipped wherever they stand, reading stops at the first
// character that cannot continue the number, nothing readable is 0) and written with the locale's
// thousands separator in groups of three, a zero giving an empty text.
class SizeText {
public:
    // Takes the separator and minus sign of the user's locale, in the system's code page.
    SizeText();

    static double read(std::string_view text);

    // Appends the text for `value` to `out` and returns its length in characters.
    std::size_t append(double value, std::string& out) const;

private:
    std::string separator_;
    std::string minus_;
};

} // namespace splitter
