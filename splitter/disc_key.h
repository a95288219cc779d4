#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace splitter {

// How a deletion finds a disc's lines in an extension file: the disc name between its markers
// (" °* " + disc + " *° "), the name compared without regard to letter case, as disc names are
// everywhere, so a list renamed "HOLIDAY.rtf" still finds the lines split as "Holiday".
class DiscKey {
public:
    explicit DiscKey(const QString& disc);

    // Whether the line holds the disc between the markers.
    bool in(std::string_view line) const;

private:
    bool sameDisc(std::string_view candidate) const;

    std::string open_;  // " °* "
    std::string close_; // " *° "
    std::string disc_;  // in the system's code page
    QString upper_;
    bool ascii_ = false;
};

} // namespace splitter
