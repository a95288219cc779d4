#pragma once

#include "common/error.h"

#include <QString>

#include <filesystem>
#include <string_view>

namespace dravik::search {

// Where a search stands; the matcher updates one of these in place and passes it to every call.
struct SearchProgress {
    QString source;           // the queue row being read
    int index = 0;            // its position in the queue, from 0
    int count = 0;            // the number of queue rows
    long long examined = 0;   // (line, word) tests made so far
    long long rows = 0;       // result rows so far
    long long sourceHits = 0; // result rows of the current source
};

// How a source ended.
enum class SourceState { Read, Missing, Skipped };

enum class FailedStep { Opening, Reading };

struct SearchFailure {
    QString source;
    std::filesystem::path file;
    FailedStep step;
    common::Error error;
};

// What the matcher does after a failure: try the failed step again (open the file again, or read
// again from where the read failed), go on with the next source, or end the search.
enum class FailureAnswer { Retry, SkipSource, EndSearch };

// What a running search tells its caller, and asks it. Every call comes from the thread that runs
// the search. A window pumps its events in these calls (throttled: a pump costs more than many
// lines of searching), which is also how a stop request reaches the search.
class SearchObserver {
public:
    virtual ~SearchObserver() = default;

    // A source was opened and is about to be read.
    virtual void sourceStarted(const SearchProgress& progress) { (void)progress; }
    // A source ended: read to its end, missing (no message is due), or skipped after a failure.
    // `progress.examined` is the count including this source.
    virtual void sourceFinished(const SearchProgress& progress, SourceState state) {
        (void)progress;
        (void)state;
    }
    // A result row: "*" + source + "* " + the line (no line end), all in the system's code page:
    // a line read in the other one is converted, and a character windows-1252 lacks becomes "?"
    // (see common::CodePage). Called for every row, so it should be cheap; the view is valid
    // during the call only.
    virtual void rowFound(std::string_view row, const SearchProgress& progress) {
        (void)row;
        (void)progress;
    }
    // Line `line` (from 1) of the current source is too long to search and was passed over.
    virtual void lineSkipped(const SearchProgress& progress, long long line) {
        (void)progress;
        (void)line;
    }
    // Called at least every few milliseconds of searching.
    virtual void working(const SearchProgress& progress) { (void)progress; }
    // Polled after every call above; true ends the search at once (rows found so far stay).
    virtual bool stopRequested() { return false; }
    // An error other than a missing source.
    virtual FailureAnswer failed(const SearchFailure& failure) {
        (void)failure;
        return FailureAnswer::EndSearch;
    }
};

} // namespace dravik::search
