#pragma once

#include <filesystem>

namespace dravik::search {
class ResultRows;
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
    // Every row, CR LF each, through a complete new file renamed over the old one.
    void write(const search::ResultRows& rows) const;

private:
    std::filesystem::path programFolder_;
};

} // namespace dravik::reports
