#include "common/file_lock.h"

#include "common/error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

namespace common {

bool FileLock::acquire(const std::filesystem::path& path, std::chrono::milliseconds wait) {
    struct stat st {};
    const bool folder = ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    FileDescriptor fd(folder
                          ? ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                          : ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (!fd)
        throw Error::fromErrno(errno, path.string());
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            break;
        if (errno != EWOULDBLOCK && errno != EINTR)
            throw Error::fromErrno(errno, path.string());
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    fd_ = std::move(fd);
    return true;
}

} // namespace common
