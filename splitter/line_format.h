#pragma once

#include "splitter/record_reader.h"
#include "splitter/size_text.h"

#include <string>
#include <string_view>

namespace splitter {

// Lays out the line a record becomes in its extension file:
//   name ° <size right-aligned in 15> °* disc *° folder ° date-and-time CR LF
// in the system's code page (the degree sign is one byte in windows-1252, two in UTF-8).
class LineFormat {
public:
    // `disc` in the system's code page.
    explicit LineFormat(std::string_view disc);

    // Appends the record's line, CR LF included, to `out`.
    void append(const Record& record, std::string& out) const;

    // The markers around the disc name, which is how a deletion finds the disc's lines.
    static std::string discKey(std::string_view disc);
    static std::string_view degree();

    static constexpr std::size_t SizeWidth = 15;

private:
    std::string afterName_;   // " ° "
    std::string aroundDisc_;  // " °* " + disc + " *° "
    std::string beforeStamp_; // " ° "
    SizeText size_;
};

} // namespace splitter
