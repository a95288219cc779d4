#include "splitter/split_lock.h"

#include <fcntl.h>
#include <sys/file.h>

namespace splitter {

bool SplitLock::acquire(const std::filesystem::path& folder) {
    common::FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd) {
        fd_.reset();
        return true;
    }
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    fd_ = std::move(fd);
    return true;
}

} // namespace splitter
