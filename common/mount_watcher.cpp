#include "common/mount_watcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace common {

MountWatcher::MountWatcher(QObject* parent)
    : MountWatcher(std::filesystem::path("/proc/self/mountinfo"), parent) {}

MountWatcher::MountWatcher(const std::filesystem::path& mountInfo, QObject* parent)
    : QObject(parent), fd_(::open(mountInfo.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (!fd_ || !read(table_)) {
        fd_.reset();
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_.get(), QSocketNotifier::Exception);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &MountWatcher::tableChanged);
}

MountWatcher::~MountWatcher() = default;

bool MountWatcher::read(MountTable& table) const {
    // The kernel builds the text afresh on every read from the start.
    if (::lseek(fd_.get(), 0, SEEK_SET) != 0)
        return false;
    std::string text;
    char chunk[16384];
    for (;;) {
        const ssize_t got = ::read(fd_.get(), chunk, sizeof chunk);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        text.append(chunk, static_cast<std::size_t>(got));
    }
    table = MountTable::parse(text);
    return true;
}

void MountWatcher::tableChanged() {
    MountTable now;
    if (!read(now))
        return;
    const std::vector<MountChange> changes = table_.changesTo(now);
    table_ = std::move(now);
    for (const MountChange& change : changes)
        emit changed(change);
}

} // namespace common
