#pragma once

#include "common/testing/child_process.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <optional>
#include <string>
#include <vector>

namespace common::testing {

// Runs a program quietly (standard output and error to /dev/null). With a limit, no file it
// writes may grow past `limit` bytes, and the write that would ends the program on the spot
// (SIGXFSZ), as a kill at that moment would. The exit status; nothing when it was ended so.
inline std::optional<int> runCutShortAt(std::vector<std::string> args,
                                        std::optional<rlim_t> limit = {}) {
    ChildProcess child(std::move(args), [limit] {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        if (!limit)
            return;
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        const rlimit fileSize{*limit, *limit};
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
    });
    return child.wait();
}

} // namespace common::testing
