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
    if (fd_ >= 0)
        return false; // one walk per lock, even within this process
    const int fd = ::open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return true; // cannot lock (read-only folder): the work file cannot be written either
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    const std::string text = listPath.string() + "\n";
    if (::ftruncate(fd, 0) == 0)
        (void)!::pwrite(fd, text.data(), text.size(), 0);
    fd_ = fd;
    return true;
}

void WalkLock::release() {
    if (fd_ < 0)
        return;
    (void)!::ftruncate(fd_, 0);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

std::filesystem::path WalkLock::busyWith(const std::filesystem::path& programFolder) {
    const auto file = programFolder / LockName;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::filesystem::path busy;
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        char buffer[4096];
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
        std::string text(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        busy = text;
    } else {
        ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return busy;
}

} // namespace dravik::walker
