#include "dravik/search/source_read_ahead.h"

#include "common/file_descriptor.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace dravik::search {

SourceReadAhead::SourceReadAhead(const SourceLocator& locator, const QStringList& sources)
    : locator_(locator), sources_(sources),
      thread_([this](std::stop_token stop) { work(std::move(stop)); }) {}

void SourceReadAhead::reach(int index) {
    reached_.store(index);
    // Woken only when it waits for this far: not once per source.
    if (index >= wakeAt_.load()) {
        const std::lock_guard lock(mutex_);
        wake_.notify_one();
    }
}

// False when stopped.
bool SourceReadAhead::waitFor(int index, std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    wakeAt_.store(index);
    return wake_.wait(lock, stop, [&] { return reached_.load() >= index; });
}

void SourceReadAhead::work(std::stop_token stop) {
    const int count = static_cast<int>(sources_.size());
    std::vector<std::int64_t> asked(static_cast<std::size_t>(count), 0);
    std::int64_t aheadBytes = 0; // asked for the sources [current, next)
    Cache cache = Cache::Cold;
    int inMemory = 0; // sources asked for in a row that the disk was not needed for
    for (int current = 0, next = 0; next < count && !stop.stop_requested();) {
        for (const int reached = std::min(reached_.load(), count); current < reached; ++current)
            aheadBytes -= asked[current];
        next = std::max(next, current);
        if (next - current >= MaxSources || aheadBytes >= MaxBytes) {
            // In memory, woken for the next check only: each wake costs the search a call.
            const int wait = cache == Cache::Cold ? MaxSources / 2 : MaxSources - 1;
            if (!waitFor(current + wait, stop))
                return;
            continue;
        }
        if (cache == Cache::Hot) // the far end of the window only
            next = std::min(count, current + MaxSources) - 1;
        const Hint done = hint(sources_[next]);
        asked[next++] = done.bytes;
        aheadBytes += done.bytes;
        looked_.store(next);
        inMemory = done.fromDisk ? 0 : inMemory + 1;
        cache = inMemory >= MaxSources ? Cache::Hot : Cache::Cold;
    }
}

namespace {
long long blocksRead() {
    struct rusage usage {};
    return ::getrusage(RUSAGE_THREAD, &usage) == 0 ? usage.ru_inblock : 0;
}
} // namespace

// Asks for the start of the source, up to the limit (a huge one is read on as it is searched).
SourceReadAhead::Hint SourceReadAhead::hint(const QString& source) const {
    const auto path = locator_.locate(source);
    struct stat st {};
    // Only a regular file is opened: opening a device can do something.
    if (!path || ::stat(path->c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    const common::FileDescriptor fd(::open(path->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd)
        return {};
    const std::int64_t bytes = std::min<std::int64_t>(st.st_size, MaxBytes);
    const long long before = blocksRead();
    ::posix_fadvise(fd.get(), 0, bytes, POSIX_FADV_WILLNEED);
    return Hint{bytes, blocksRead() != before};
}

} // namespace dravik::search
