#pragma once

#include "dravik/search/source_scanner.h"

#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace dravik::search {

// Helper threads that search the sources ahead of the search's turn, so a search uses every
// core while its rows stay in the order one thread would find them. The search takes the
// sources in order: one a helper scanned is reported from the helper's result; one no helper
// took (or one a helper gave back) the search reads itself. While a helper is still on the
// source whose turn it is, the search's own thread scans the next free one ahead as a helper
// would, rather than wait. Everything stays within a window of sources ahead of the search, so
// memory stays bounded whatever the catalogue's size.
class ScanAhead {
public:
    // Sources a helper may be ahead of the search.
    static constexpr int Window = 8;
    // Bytes of found lines a helper keeps for one source before giving it back.
    static constexpr std::size_t MaxFound = 4u << 20;
    // How often a search waiting for a helper looks up (the window's events, a stop).
    static constexpr std::chrono::milliseconds WaitStep{5};

    enum class Turn { Yours, Scanned, Stopped };

    // Starts `helpers` threads on the sources from `first` on. `locator` and `sources` must
    // outlive this; `lines` and `scan` are copied for each helper.
    ScanAhead(const SourceLocator& locator, const QStringList& sources, const LineMatcher& lines,
              const CandidateScan& scan, int helpers, int first, std::size_t blockSize);
    // Stops the helpers (each within one block) and waits for them.
    ~ScanAhead();
    ScanAhead(const ScanAhead&) = delete;
    ScanAhead& operator=(const ScanAhead&) = delete;

    // Source `index` (called for each source in order): Yours when the caller is to read it
    // itself; Scanned, with `scanned` set, when it was searched ahead; Stopped when
    // `keepWaiting` said false. `keepWaiting` is called every WaitStep while a helper is still
    // on the source, and before each block the caller's thread scans ahead meanwhile.
    Turn take(int index, std::unique_ptr<ScannedSource>& scanned,
              const std::function<bool()>& keepWaiting);

    // Sources scanned ahead, or given back, so far (for tests).
    int finished() const { return finished_.load(); }

    // Helper threads worth starting on this machine: one fewer than its cores, at most 3.
    static int helpersForThisMachine();

private:
    struct Slot {
        bool done = false;
        std::unique_ptr<ScannedSource> result;
    };

    void work(SourceScanner scanner);
    bool claim(int& index);
    void handOver(int index, std::unique_ptr<ScannedSource> result);
    bool scanAhead(int index, const std::function<bool()>& keepWaiting);

    const QStringList sources_;
    SourceScanner own_; // the search's thread, while it would wait
    std::vector<Slot> slots_;
    int next_;    // the first source nobody took
    int reached_; // the source the search is at
    std::atomic<bool> stop_{false};
    std::atomic<int> finished_{0};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::thread> threads_; // last: joined before the members they use go
};

} // namespace dravik::search
