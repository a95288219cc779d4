#pragma once

#include "dravik/search/candidate_scan.h"
#include "dravik/search/line_matcher.h"
#include "dravik/search/scanned_source.h"
#include "dravik/search/source_file.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace dravik::search {

// Searches whole sources ahead of the search's turn, on a helper thread, with its own copies of
// the exact test and the pre-filter. It takes only the plain case: a source that is missing,
// cannot be opened or read, holds a line longer than a block, or finds more than `maxFound`
// bytes of lines is given back (nothing returned), and the search reads it itself in its turn,
// where every failure is met and asked about as it always is.
class SourceScanner {
public:
    SourceScanner(const SourceLocator& locator, const LineMatcher& lines, const CandidateScan& scan,
                  std::size_t blockSize, std::size_t maxFound);

    // Nothing when the source is given back, or `goOn` (asked before each block) said false.
    std::unique_ptr<ScannedSource> scan(const QString& source, const std::function<bool()>& goOn);

private:
    bool scanFile(SourceFile& file, ScannedSource& into, const std::function<bool()>& goOn);

    const SourceLocator& locator_;
    LineMatcher lines_;
    CandidateScan scan_;
    std::vector<char> buffer_;
    std::size_t blockSize_;
    std::size_t maxFound_;
};

} // namespace dravik::search
