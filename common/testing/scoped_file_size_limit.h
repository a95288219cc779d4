#pragma once

#include <csignal>
#include <sys/resource.h>

namespace common::testing {

// A disk that is full beyond a size, without root: no file of this process grows past `bytes`
// (writes past it fail with EFBIG instead of raising SIGXFSZ). The old limit comes back after.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~ScopedFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    void (*oldHandler_)(int);
    rlimit old_{};
};

} // namespace common::testing
