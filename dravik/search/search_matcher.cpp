#include "dravik/search/search_matcher.h"

#include "common/code_page.h"
#include "dravik/search/line_finder.h"
#include "dravik/search/source_read_ahead.h"

#include <algorithm>
#include <cstring>

namespace dravik::search {

SearchMatcher::SearchMatcher(SearchRequest request, std::size_t blockSize, std::size_t maxLine,
                             int helpers)
    : request_(std::move(request)), lines_(request_.words, request_.options),
      scan_(lines_.upperWords()), locator_(request_.dataFolder, request_.mode),
      largest_(maxLine + 2), helpers_(helpers) {
    capacity_ = std::min(std::max<std::size_t>(blockSize, 16), largest_);
    blockSize_ = capacity_;
}

SearchSummary SearchMatcher::summary(SearchEnding ending) const {
    return SearchSummary{ending, progress_.rows, progress_.examined, skippedLines_, scannedAhead_};
}

SearchSummary SearchMatcher::run(SearchObserver& observer) {
    observer_ = &observer;
    skippedLines_ = 0;
    scannedAhead_ = 0;
    buffer_.assign(capacity_ + scan_.padding(), 0);
    progress_ = SearchProgress{};
    progress_.count = static_cast<int>(request_.sources.size());
    SourceReadAhead readAhead(locator_, request_.sources);
    // Started once the pre-filter has learned from the first block, so the helpers' copies of it
    // choose as this one did.
    std::optional<ScanAhead> ahead;
    const auto keepWaiting = [this] {
        observer_->working(progress_);
        return !observer_->stopRequested();
    };
    for (int i = 0; i < progress_.count; ++i) {
        progress_.source = request_.sources[i];
        progress_.index = i;
        progress_.sourceHits = 0;
        sourceLines_ = 0;
        rowPrefix_.assign(1, '*');
        rowPrefix_ += common::CodePage::encode(progress_.source);
        rowPrefix_ += "* ";
        readAhead.reach(i);
        if (!ahead && learned_ && helpers_ > 0 && i + 1 < progress_.count)
            ahead.emplace(locator_, request_.sources, lines_, scan_, helpers_, i, blockSize_);
        std::unique_ptr<ScannedSource> scanned;
        const ScanAhead::Turn turn =
            ahead ? ahead->take(i, scanned, keepWaiting) : ScanAhead::Turn::Yours;
        if (turn == ScanAhead::Turn::Scanned)
            ++scannedAhead_;
        const Flow flow = turn == ScanAhead::Turn::Stopped ? Flow::Stop
                          : scanned                        ? replay(*scanned)
                                                           : searchSource();
        if (flow == Flow::Stop || (flow == Flow::Go && observer.stopRequested()))
            return summary(SearchEnding::Stopped);
        if (flow == Flow::End)
            return summary(SearchEnding::Failed);
    }
    return summary(SearchEnding::Finished);
}

SearchMatcher::Flow SearchMatcher::answer(FailureAnswer answer) const {
    switch (answer) {
    case FailureAnswer::Retry:
        return Flow::Go;
    case FailureAnswer::SkipSource:
        return Flow::Skip;
    case FailureAnswer::EndSearch:
        break;
    }
    return Flow::End;
}

SearchMatcher::Flow SearchMatcher::searchSource() {
    const auto path = locator_.locate(progress_.source);
    SourceFile file;
    SourceState state = SourceState::Missing;
    if (path) {
        const Flow opened = openSource(file, *path, state);
        if (opened == Flow::Go) {
            observer_->sourceStarted(progress_);
            const Flow read = observer_->stopRequested() ? Flow::Stop : readSource(file, *path);
            if (read == Flow::Skip)
                state = SourceState::Skipped;
            else if (read != Flow::Go)
                return read;
        } else if (opened != Flow::Skip) {
            return opened;
        }
    }
    observer_->sourceFinished(progress_, state);
    return Flow::Go;
}

// Reports what a helper found in the source as if the source were read now: repeats are decided
// here, in the search's order.
SearchMatcher::Flow SearchMatcher::replay(const ScannedSource& scanned) {
    observer_->sourceStarted(progress_);
    if (observer_->stopRequested())
        return Flow::Stop;
    const long long examinedBefore = progress_.examined;
    for (const ScannedSource::Found& f : scanned.found()) {
        const Flow flow =
            found(scanned.line(f), scanned.key(f), f.word, f.linesBefore, examinedBefore);
        if (flow != Flow::Go)
            return flow;
    }
    counted(scanned.lines(), examinedBefore);
    observer_->working(progress_);
    if (observer_->stopRequested())
        return Flow::Stop;
    observer_->sourceFinished(progress_, SourceState::Read);
    return Flow::Go;
}

// Go with `state` Read when the file is open; Skip with `state` Missing when it vanished since it
// was located, or Skipped after a failure.
SearchMatcher::Flow SearchMatcher::openSource(SourceFile& file, const std::filesystem::path& path,
                                              SourceState& state) {
    for (;;) {
        try {
            const bool opened = file.open(path);
            state = opened ? SourceState::Read : SourceState::Missing;
            return opened ? Flow::Go : Flow::Skip;
        } catch (const common::Error& e) {
            const Flow flow = answer(
                observer_->failed(SearchFailure{progress_.source, path, FailedStep::Opening, e}));
            state = SourceState::Skipped;
            if (flow != Flow::Go)
                return flow;
        }
    }
}

// Reads into the buffer from `used` on; `got` is 0 at the end of the file.
SearchMatcher::Flow SearchMatcher::readMore(SourceFile& file, const std::filesystem::path& path,
                                            std::size_t used, std::size_t& got) {
    for (;;) {
        try {
            got = file.read(buffer_.data() + used, capacity_ - used);
            return Flow::Go;
        } catch (const common::Error& e) {
            const Flow flow = answer(
                observer_->failed(SearchFailure{progress_.source, path, FailedStep::Reading, e}));
            if (flow != Flow::Go)
                return flow;
        }
    }
}

// How much of the buffer to scan now: whole lines only, and at the end of the file the rest.
// 0: read more first (the buffer may have grown for a long line). TooLong: the buffer is full
// and at its limit without a line end, so the line cannot be searched whole.
std::size_t SearchMatcher::scannable(std::size_t used, bool end) {
    if (end)
        return used;
    if (const std::size_t whole = LineFinder::wholeLines(buffer_.data(), used))
        return whole;
    if (used < capacity_)
        return 0;
    if (capacity_ < largest_) {
        capacity_ = std::min(capacity_ * 2, largest_);
        buffer_.resize(capacity_ + scan_.padding());
        return 0;
    }
    return TooLong;
}

// Reads past the rest of a line that fills the buffer; what follows its line feed is kept at the
// start of the buffer (`used` bytes). A piece of a line is never searched as if it were a line.
SearchMatcher::Flow SearchMatcher::skipLongLine(SourceFile& file, const std::filesystem::path& path,
                                                std::size_t& used) {
    ++sourceLines_;
    ++skippedLines_;
    observer_->lineSkipped(progress_, sourceLines_);
    for (;;) {
        std::size_t got = 0;
        if (const Flow flow = readMore(file, path, 0, got); flow != Flow::Go)
            return flow;
        used = 0;
        if (got == 0)
            return Flow::Go;
        if (const void* lf = std::memchr(buffer_.data(), '\n', got)) {
            const std::size_t next = static_cast<const char*>(lf) - buffer_.data() + 1;
            used = got - next;
            std::memmove(buffer_.data(), buffer_.data() + next, used);
            return Flow::Go;
        }
        observer_->working(progress_);
        if (observer_->stopRequested())
            return Flow::Stop;
    }
}

SearchMatcher::Flow SearchMatcher::readSource(SourceFile& file, const std::filesystem::path& path) {
    std::size_t used = 0;
    for (bool end = false; !end;) {
        std::size_t got = 0;
        if (const Flow flow = readMore(file, path, used, got); flow != Flow::Go)
            return flow;
        end = got == 0;
        used += got;
        const std::size_t region = scannable(used, end);
        if (region == TooLong) {
            if (const Flow flow = skipLongLine(file, path, used); flow != Flow::Go)
                return flow;
            continue;
        }
        if (region == 0)
            continue;
        if (const Flow flow = scanRegion(buffer_.data(), region); flow != Flow::Go)
            return flow;
        std::memmove(buffer_.data(), buffer_.data() + region, used - region);
        used -= region;
        observer_->working(progress_);
        if (observer_->stopRequested())
            return Flow::Stop;
    }
    return Flow::Go;
}

SearchMatcher::Flow SearchMatcher::scanRegion(const char* data, std::size_t size) {
    if (!learned_) {
        scan_.learn(data, size);
        learned_ = true;
    }
    const long long examinedBefore = progress_.examined;
    Flow flow = Flow::Go;
    const auto lines = LineFinder::find(
        data, size, scan_, lines_,
        [&](std::string_view bytes, const LineMatcher::Match& match, long long before) {
            flow = found(bytes, match.key, match.word, before, examinedBefore);
            return flow == Flow::Go;
        });
    if (!lines)
        return flow;
    counted(*lines, examinedBefore);
    return Flow::Go;
}

// A line that passed the test, `linesBefore` lines into a stretch whose count began at
// `examinedBefore`: a row, unless an equal one was reported before.
SearchMatcher::Flow SearchMatcher::found(std::string_view line, std::string_view key, int word,
                                         long long linesBefore, long long examinedBefore) {
    if (!keys_.insert(key))
        return Flow::Go;
    // The lines before this one were tested against every word, this one up to its word.
    progress_.examined = examinedBefore + linesBefore * lines_.wordCount() + word + 1;
    return report(line);
}

// A stretch of `lines` lines searched to its end: each was tested against every word.
void SearchMatcher::counted(long long lines, long long examinedBefore) {
    sourceLines_ += lines;
    progress_.examined = examinedBefore + lines * lines_.wordCount();
}

SearchMatcher::Flow SearchMatcher::report(std::string_view line) {
    row_.assign(rowPrefix_);
    // The row is in one code page: a line from a list made in the other one is converted.
    row_.append(common::CodePage::inSystem(line, recoded_));
    ++progress_.rows;
    ++progress_.sourceHits;
    observer_->rowFound(row_, progress_);
    return observer_->stopRequested() ? Flow::Stop : Flow::Go;
}

} // namespace dravik::search
