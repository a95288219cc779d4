#pragma once

#include "dravik/search/candidate_scan.h"
#include "dravik/search/line_matcher.h"

#include <cstddef>
#include <cstring>
#include <optional>
#include <string_view>

namespace dravik::search {

// The lines of a region of whole lines that pass the exact test, found through the pre-filter.
// The search of a source and the scan of a source ahead of its turn both run this one loop, so
// they find the same lines.
class LineFinder {
public:
    // Calls found(bytes, match, linesBefore) for each line of data[0, size) that passes, in order
    // (`bytes` without its line end, `linesBefore` the lines of the region before it), until
    // found returns false. Returns the number of lines in the region, a last line without a
    // line end included; nothing when found ended it. `data` holds scan.padding() bytes more.
    template <class Found>
    static std::optional<long long> find(const char* data, std::size_t size,
                                         const CandidateScan& scan, LineMatcher& lines,
                                         Found&& found) {
        long long counted = 0;     // line feeds in data[0, countedTo)
        std::size_t countedTo = 0; // counted lazily: only where a line is found, and at the end
        for (std::size_t pos = 0; pos < size;) {
            const std::size_t at = scan.next(data, pos, size);
            if (at >= size)
                break;
            const Line line = lineAt(data, pos, at, size);
            pos = line.end + 1;
            const std::string_view bytes(data + line.start, line.length);
            const auto match = lines.match(bytes);
            if (!match)
                continue;
            counted += static_cast<long long>(
                CandidateScan::countLineFeeds(data + countedTo, line.start - countedTo));
            countedTo = line.start;
            if (!found(bytes, *match, counted))
                return std::nullopt;
        }
        counted += static_cast<long long>(
            CandidateScan::countLineFeeds(data + countedTo, size - countedTo));
        if (size > 0 && data[size - 1] != '\n')
            ++counted; // the last line of the file, without a line end
        return counted;
    }

    // Where the last whole line of data[0, size) ends (after its line feed); 0 when none does.
    static std::size_t wholeLines(const char* data, std::size_t size) {
        const void* lf = ::memrchr(data, '\n', size);
        return lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) + 1 : 0;
    }

private:
    struct Line {
        std::size_t start, length, end; // end: its line feed, or the region's end
    };

    // The line around position `at` of data[0, size), which holds whole lines from `from` on.
    static Line lineAt(const char* data, std::size_t from, std::size_t at, std::size_t size) {
        const void* before = ::memrchr(data + from, '\n', at - from);
        const std::size_t start = before ? static_cast<const char*>(before) - data + 1 : from;
        const void* lf = std::memchr(data + at, '\n', size - at);
        const std::size_t end = lf ? static_cast<const char*>(lf) - data : size;
        std::size_t length = end - start;
        // CR LF ends a line, and so does a CR that ends the file.
        if (length > 0 && data[end - 1] == '\r')
            --length;
        return Line{start, length, end};
    }
};

} // namespace dravik::search
