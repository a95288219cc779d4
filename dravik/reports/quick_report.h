#pragma once

#include <filesystem>
#include <functional>

namespace common {
class TextWriter;
}

namespace dravik::reports {

// The quick report "QReport.rtf" in the program folder: the rows of the last global search, one a
// line, each ended by CR LF; emptied when a search starts and written whole when it ends.
class QuickReport {
public:
    static constexpr const char* FileName = "QReport.rtf";

    explicit QuickReport(std::filesystem::path programFolder);

    // Matched without regard to case.
    std::filesystem::path path() const;
    // An empty report, as a search starts with.
    void createEmpty() const;
    // The rows `writeRows` puts into the writer (each ended by CR LF), through a complete new
    // file renamed over the old one.
    void write(const std::function<void(common::TextWriter&)>& writeRows) const;

private:
    std::filesystem::path programFolder_;
};

} // namespace dravik::reports
