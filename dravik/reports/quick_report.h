#pragma once

#include <filesystem>
#include <functional>
#include <memory>

namespace common {
class TextWriter;
}

namespace dravik::reports {

// The quick report "QReport.rtf" in the program folder: the rows of the last global search, one a
// line, each ended by CR LF; emptied when a search starts and put in place whole when it ends.
// It is the scratch copy of one search, written again by the next: it is put in place without
// waiting for the disk (a saved report is a durable copy of it).
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
    // A new report to be written row by row while the search runs; commit() puts it in place,
    // and a writer dropped without commit() leaves the old report as it was.
    std::unique_ptr<common::TextWriter> open() const;

private:
    std::filesystem::path programFolder_;
};

} // namespace dravik::reports
