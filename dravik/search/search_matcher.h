#pragma once

#include "dravik/search/candidate_scan.h"
#include "dravik/search/key_set.h"
#include "dravik/search/line_matcher.h"
#include "dravik/search/scan_ahead.h"
#include "dravik/search/search_observer.h"
#include "dravik/search/search_request.h"
#include "dravik/search/source_file.h"

#include <string>
#include <vector>

namespace dravik::search {

enum class SearchEnding { Finished, Stopped, Failed };

struct SearchSummary {
    SearchEnding ending = SearchEnding::Finished;
    long long rows = 0;
    long long examined = 0;
    long long skippedLines = 0; // lines too long to search
    int scannedAhead = 0;       // sources helper threads searched ahead of their turn
};

// The global search over the selected disc lists or per-extension lists. Each source is read
// once, sequentially, in large blocks, while the next few are read ahead and, on a machine with
// more than one core, searched ahead by helper threads (ScanAhead); a pre-filter finds the
// lines that may hold a word and only those get the exact test. A line is reported once (or, for
// file names, each file-name part once) over the whole search, whichever source or word found it
// first; the rows go to the observer in the order found, each wholly in the system's code page. The
// examined count is lines read times words, as every line is tested against every word. A line is
// searched whole: one that takes more than MaxLine + 2 bytes with its line end is not searched (nor
// counted), and the observer is told.
class SearchMatcher {
public:
    static constexpr std::size_t BlockSize = 256u << 10;
    static constexpr std::size_t MaxLine = 16u << 20;

    // `blockSize`: the first read size (tests make it small to put lines across blocks);
    // `maxLine`: the longest line searched (tests make it small); `helpers`: threads that search
    // sources ahead of their turn (0: the calling thread reads every source).
    explicit SearchMatcher(SearchRequest request, std::size_t blockSize = BlockSize,
                           std::size_t maxLine = MaxLine,
                           int helpers = ScanAhead::helpersForThisMachine());

    // Runs the whole search on the calling thread. Call once.
    SearchSummary run(SearchObserver& observer);

private:
    enum class Flow { Go, Stop, Skip, End };

    Flow searchSource();
    Flow replay(const ScannedSource& scanned);
    Flow openSource(SourceFile& file, const std::filesystem::path& path, SourceState& state);
    Flow readSource(SourceFile& file, const std::filesystem::path& path);
    Flow readMore(SourceFile& file, const std::filesystem::path& path, std::size_t used,
                  std::size_t& got);
    std::size_t scannable(std::size_t used, bool end);
    Flow skipLongLine(SourceFile& file, const std::filesystem::path& path, std::size_t& used);
    Flow scanRegion(const char* data, std::size_t size);
    Flow found(std::string_view line, std::string_view key, int word, long long linesBefore,
               long long examinedBefore);
    void counted(long long lines, long long examinedBefore);
    Flow report(std::string_view line);
    Flow answer(FailureAnswer answer) const;
    SearchSummary summary(SearchEnding ending) const;

    // What scannable() gives for a buffer filled by one line that is too long to search.
    static constexpr std::size_t TooLong = static_cast<std::size_t>(-1);

    SearchRequest request_;
    LineMatcher lines_;
    CandidateScan scan_;
    SourceLocator locator_;
    KeySet keys_;
    SearchObserver* observer_ = nullptr;
    SearchProgress progress_;
    std::string rowPrefix_;
    std::string row_;
    std::string recoded_; // a line in the other code page, converted for its row
    std::vector<char> buffer_;
    std::size_t blockSize_;
    std::size_t capacity_;
    std::size_t largest_;       // the buffer's limit: the longest line and its CR LF
    long long sourceLines_ = 0; // lines of the current source scanned or skipped
    long long skippedLines_ = 0;
    int helpers_;
    int scannedAhead_ = 0;
    bool learned_ = false; // the pre-filter has seen the first block
};

} // namespace dravik::search
