#include "dravik/search/search_matcher.h"

#include "common/code_page.h"
#include "dravik/search/source_read_ahead.h"

#include <algorithm>
#include <cstring>

namespace dravik::search {

SearchMatcher::SearchMatcher(SearchRequest request, std::size_t blockSize, std::size_t maxLine)
    : request_(std::move(request)), lines_(request_.words, request_.options),
      scan_(lines_.upperWords()), locator_(request_.dataFolder, request_.mode),
      largest_(maxLine + 2) {
    capacity_ = std::min(std::max<std::size_t>(blockSize, 16), largest_);
}

SearchSummary SearchMatcher::summary(SearchEnding ending) const {
    return SearchSummary{ending, progress_.rows, progress_.examined, skippedLines_};
}

SearchSummary SearchMatcher::run(SearchObserver& observer) {
    observer_ = &observer;
    skippedLines_ = 0;
    buffer_.assign(capacity_ + scan_.padding(), 0);
    progress_ = SearchProgress{};
    progress_.count = static_cast<int>(request_.sources.size());
    SourceReadAhead readAhead(locator_, request_.sources);
    for (int i = 0; i < progress_.count; ++i) {
        progress_.source = request_.sources[i];
        progress_.index = i;
        progress_.sourceHits = 0;
        sourceLines_ = 0;
        rowPrefix_.assign(1, '*');
        rowPrefix_ += common::CodePage::encode(progress_.source);
        rowPrefix_ += "* ";
        readAhead.reach(i);
        const Flow flow = searchSource();
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
    if (const void* lf = ::memrchr(buffer_.data(), '\n', used))
        return static_cast<const char*>(lf) - buffer_.data() + 1;
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

namespace {

// The line around position `at` of data[0, size), which holds whole lines from `from` on.
struct LineAt {
    std::size_t start, length, end; // end: its line feed, or `size`
};

LineAt lineAt(const char* data, std::size_t from, std::size_t at, std::size_t size) {
    const void* before = ::memrchr(data + from, '\n', at - from);
    const std::size_t start = before ? static_cast<const char*>(before) - data + 1 : from;
    const void* lf = std::memchr(data + at, '\n', size - at);
    const std::size_t end = lf ? static_cast<const char*>(lf) - data : size;
    std::size_t length = end - start;
    // CR LF ends a line, and so does a CR that ends the file.
    if (length > 0 && data[end - 1] == '\r')
        --length;
    return LineAt{start, length, end};
}

} // namespace

SearchMatcher::Flow SearchMatcher::scanRegion(const char* data, std::size_t size) {
    if (!learned_) {
        scan_.learn(data, size);
        learned_ = true;
    }
    const long long words = lines_.wordCount();
    const long long examinedBefore = progress_.examined;
    long long lines = 0;     // line feeds in data[0, counted)
    std::size_t counted = 0; // counted lazily: only where a row needs the count, and at the end
    for (std::size_t pos = 0; pos < size;) {
        const std::size_t at = scan_.next(data, pos, size);
        if (at >= size)
            break;
        const LineAt line = lineAt(data, pos, at, size);
        pos = line.end + 1;
        const std::string_view bytes(data + line.start, line.length);
        const auto match = lines_.match(bytes);
        if (!match || !keys_.insert(match->key))
            continue;
        lines += static_cast<long long>(
            CandidateScan::countLineFeeds(data + counted, line.start - counted));
        counted = line.start;
        // The lines before this one were tested against every word, this one up to its word.
        progress_.examined = examinedBefore + lines * words + match->word + 1;
        if (const Flow flow = report(bytes); flow != Flow::Go)
            return flow;
    }
    lines += static_cast<long long>(CandidateScan::countLineFeeds(data + counted, size - counted));
    if (data[size - 1] != '\n')
        ++lines; // the last line of the file, without a line end
    sourceLines_ += lines;
    progress_.examined = examinedBefore + lines * words;
    return Flow::Go;
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
