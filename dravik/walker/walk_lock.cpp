#include "dravik/walker/walk_lock.h"

#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace dravik::walker {

namespace {
const char* LockName = "File.List.Qel.lock";
}

WalkLock::WalkLock(std::filesystem::path programFolder)
    : file_(std::move(programFolder) / LockName) {}

WalkLock::~WalkLock() {
    release();
}

bool WalkLock::acquire(const std::filesystem::path& listPath) {
    if (fd_)
        return false; // one walk per lock, even within this process
    common::FileDescriptor fd(::open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (!fd)
        return true; // cannot lock (read-only folder): the work file cannot be written either
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    const std::string text = listPath.string() + "\n";
    if (::ftruncate(fd.get(), 0) == 0)
        (void)!::pwrite(fd.get(), text.data(), text.size(), 0);
    fd_ = std::move(fd);
    return true;
}

void WalkLock::release() {
    if (!fd_)
        return;
    (void)!::ftruncate(fd_.get(), 0);
    ::flock(fd_.get(), LOCK_UN);
    fd_.reset();
}

std::filesystem::path WalkLock::busyWith(const std::filesystem::path& programFolder) {
    const auto file = programFolder / LockName;
    const common::FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd)
        return {};
    std::filesystem::path busy;
    if (::flock(fd.get(), LOCK_SH | LOCK_NB) != 0) {
        char buffer[4096];
        const ssize_t n = ::pread(fd.get(), buffer, sizeof buffer, 0);
        std::string text(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        busy = text;
    } else {
        ::flock(fd.get(), LOCK_UN);
    }
    return busy;
}

} // namespace dravik::walker
