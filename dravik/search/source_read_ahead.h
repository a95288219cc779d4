#pragma once

#include "dravik/search/source_file.h"

#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace dravik::search {

// Keeps the disk busy while a search reads its sources one after another: a thread of its own
// hands the next few sources to the kernel to read ahead (posix_fadvise WILLNEED), so that with a
// cold cache many reads are in flight instead of one source's at a time. When a run of sources
// asked for reads nothing from the disk the lists are in memory: then only about one source in
// MaxSources is asked for, to notice when they no longer are, so a hot search pays almost nothing.
// Only a hint: a source that is missing, is no regular file or cannot be opened is passed over
// here and met by the search in its turn.
class SourceReadAhead {
public:
    // At most this many sources, and about this many bytes, ahead of the one being searched.
    static constexpr int MaxSources = 16;
    static constexpr std::int64_t MaxBytes = 16ll << 20;

    // Starts reading ahead from the first source. `locator` and `sources` must outlive this.
    SourceReadAhead(const SourceLocator& locator, const QStringList& sources);
    // Stops the thread and waits for it (at most one hint in progress).
    ~SourceReadAhead() = default;
    SourceReadAhead(const SourceReadAhead&) = delete;
    SourceReadAhead& operator=(const SourceReadAhead&) = delete;

    // The search is at source `index` (counting up from 0).
    void reach(int index);
    // Sources the thread has looked at so far (for tests).
    int looked() const { return looked_.load(); }

private:
    enum class Cache { Cold, Hot };
    struct Hint {
        std::int64_t bytes = 0; // asked for
        bool fromDisk = false;  // the kernel went to the disk for them
    };

    void work(std::stop_token stop);
    bool waitFor(int index, std::stop_token& stop);
    Hint hint(const QString& source) const;

    const SourceLocator& locator_;
    const QStringList sources_; // a shared copy: the thread reads it while the search runs
    std::atomic<int> reached_{0};
    std::atomic<int> wakeAt_{0}; // the thread waits until the search reaches this source
    std::atomic<int> looked_{0};
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::jthread thread_; // last: it stops and joins before the members it uses go
};

} // namespace dravik::search
