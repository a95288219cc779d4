#include "common/open_file_limit.h"

#include "common/file_descriptor.h"

#include <limits>
#include <sys/resource.h>

namespace common {

namespace {

std::size_t asCount(rlim_t limit) {
    if (limit == RLIM_INFINITY || limit > std::numeric_limits<std::size_t>::max())
        return std::numeric_limits<std::size_t>::max();
    return static_cast<std::size_t>(limit);
}

} // namespace

std::size_t OpenFileLimit::raiseToHard() {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return soft();
    if (limit.rlim_cur != limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit); // a refusal leaves the limit as it was
    }
    return soft();
}

std::size_t OpenFileLimit::soft() {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 1024; // the usual default; nothing better is known
    return asCount(limit.rlim_cur);
}

std::size_t OpenFileLimit::inUse() {
    const DirectoryStream dir = openDirectory("/proc/self/fd");
    if (!dir)
        return 0;
    std::size_t count = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_name[0] != '.')
            ++count;
    }
    return count > 0 ? count - 1 : 0; // less the listing's own descriptor
}

} // namespace common
