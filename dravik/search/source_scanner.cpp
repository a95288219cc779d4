#include "dravik/search/source_scanner.h"

#include "dravik/search/line_finder.h"

#include <cstring>

namespace dravik::search {

SourceScanner::SourceScanner(const SourceLocator& locator, const LineMatcher& lines,
                             const CandidateScan& scan, std::size_t blockSize, std::size_t maxFound)
    : locator_(locator), lines_(lines), scan_(scan), blockSize_(blockSize), maxFound_(maxFound) {}

std::unique_ptr<ScannedSource> SourceScanner::scan(const QString& source,
                                                   const std::function<bool()>& goOn) {
    try {
        const auto path = locator_.locate(source);
        SourceFile file;
        if (!path || !file.open(*path))
            return nullptr;
        auto scanned = std::make_unique<ScannedSource>();
        if (!scanFile(file, *scanned, goOn))
            return nullptr;
        return scanned;
    } catch (...) {
        // Met again, and asked about, when the search reads it in its turn; nothing may leave a
        // helper's thread, where it would end the program.
        return nullptr;
    }
}

bool SourceScanner::scanFile(SourceFile& file, ScannedSource& into,
                             const std::function<bool()>& goOn) {
    if (buffer_.empty())
        buffer_.assign(blockSize_ + scan_.padding(), 0);
    std::size_t used = 0;
    for (bool end = false; !end;) {
        if (!goOn())
            return false;
        const std::size_t got = file.read(buffer_.data() + used, blockSize_ - used);
        end = got == 0;
        used += got;
        const std::size_t region = end ? used : LineFinder::wholeLines(buffer_.data(), used);
        if (region == 0) {
            if (used == blockSize_)
                return false; // a line longer than a block
            continue;
        }
        const auto lines = LineFinder::find(
            buffer_.data(), region, scan_, lines_,
            [&](std::string_view bytes, const LineMatcher::Match& match, long long before) {
                into.add(bytes, match, into.lines() + before);
                return into.bytes() <= maxFound_;
            });
        if (!lines)
            return false;
        into.addLines(*lines);
        std::memmove(buffer_.data(), buffer_.data() + region, used - region);
        used -= region;
    }
    return true;
}

} // namespace dravik::search
