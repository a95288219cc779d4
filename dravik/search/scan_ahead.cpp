#include "dravik/search/scan_ahead.h"

#include <algorithm>

namespace dravik::search {

ScanAhead::ScanAhead(const SourceLocator& locator, const QStringList& sources,
                     const LineMatcher& lines, const CandidateScan& scan, int helpers, int first,
                     std::size_t blockSize)
    : sources_(sources), own_(locator, lines, scan, blockSize, MaxFound),
      slots_(static_cast<std::size_t>(sources.size())), next_(first), reached_(first) {
    for (int i = 0; i < helpers; ++i)
        threads_.emplace_back(&ScanAhead::work, this,
                              SourceScanner(locator, lines, scan, blockSize, MaxFound));
}

ScanAhead::~ScanAhead() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

int ScanAhead::helpersForThisMachine() {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores - 1, 0, 3);
}

// The next source within the window, once there is one; false when the helpers are done.
bool ScanAhead::claim(int& index) {
    std::unique_lock lock(mutex_);
    const int count = static_cast<int>(slots_.size());
    wake_.wait(lock, [&] { return stop_ || next_ >= count || next_ < reached_ + Window; });
    if (stop_ || next_ >= count)
        return false;
    index = next_++;
    return true;
}

void ScanAhead::handOver(int index, std::unique_ptr<ScannedSource> result) {
    {
        const std::lock_guard lock(mutex_);
        slots_[static_cast<std::size_t>(index)].result = std::move(result);
        slots_[static_cast<std::size_t>(index)].done = true;
    }
    ++finished_;
    wake_.notify_all();
}

void ScanAhead::work(SourceScanner scanner) {
    const auto goOn = [this] { return !stop_.load(std::memory_order_relaxed); };
    for (int index = 0; claim(index);)
        handOver(index, scanner.scan(sources_[index], goOn));
}

// False when `keepWaiting` said so meanwhile; the source is then given back unscanned.
bool ScanAhead::scanAhead(int index, const std::function<bool()>& keepWaiting) {
    bool goOn = true;
    handOver(index, own_.scan(sources_[index], [&] { return goOn = goOn && keepWaiting(); }));
    return goOn;
}

ScanAhead::Turn ScanAhead::take(int index, std::unique_ptr<ScannedSource>& scanned,
                                const std::function<bool()>& keepWaiting) {
    Slot& slot = slots_[static_cast<std::size_t>(index)];
    const int count = static_cast<int>(slots_.size());
    std::unique_lock lock(mutex_);
    reached_ = index;
    if (next_ <= index) {
        next_ = index + 1; // nobody took it: the caller reads it, the helpers go on after it
        lock.unlock();
        wake_.notify_all();
        return Turn::Yours;
    }
    wake_.notify_all(); // the window moved on
    for (;;) {
        if (slot.done) {
            scanned = std::move(slot.result);
            return scanned ? Turn::Scanned : Turn::Yours;
        }
        if (next_ < count && next_ < reached_ + Window) {
            const int ahead = next_++;
            lock.unlock();
            if (!scanAhead(ahead, keepWaiting))
                return Turn::Stopped;
            lock.lock();
        } else if (!wake_.wait_for(lock, WaitStep, [&] { return slot.done; })) {
            lock.unlock();
            if (!keepWaiting())
                return Turn::Stopped;
            lock.lock();
        }
    }
}

} // namespace dravik::search
